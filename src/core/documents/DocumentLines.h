#pragma once

#include "core/Result.h"
#include "core/model/CommercialDocumentItem.h"
#include "core/model/ServiceItem.h"

#include <QList>
#include <QString>

namespace velmora {

// A blank line of the given kind with a fresh id: no price, no VAT,
// quantity 1, a liberal service for URSSAF.
CommercialDocumentLine newLine(CommercialDocumentLineKind kind);

// Copies the catalogue service's identity onto the line; its price only when
// the line has none yet (an empty price leaves 0). VAT, quantity and the
// line's reduction stay as they are. A price the line needs that is not an
// amount refuses the service with the catalogue's warning, the line left
// untouched, rather than pricing it at 0.
Result<> fillLineFromService(CommercialDocumentLine& line, const ServiceItem& service);

// The editor's three buttons append a line at the end; the discount line is
// titled "Remise" and only offered once a service line exists.
class LineEditor {
public:
    static QString addServiceButton() { return QStringLiteral("+ Prestation"); }
    static QString addDiscountButton() { return QStringLiteral("+ Remise"); }
    static QString addDepositButton() { return QStringLiteral("+ Acompte"); }
    static QString discountTitle() { return QStringLiteral("Remise"); }

    static bool canAddDiscount(const QList<CommercialDocumentLine>& lines);
    static QString addDiscountHint(const QList<CommercialDocumentLine>& lines);
    // Appends the new line and returns its id (the editor expands it); a
    // discount asked for before any service line adds nothing.
    static std::optional<QUuid> append(QList<CommercialDocumentLine>& lines,
                                       CommercialDocumentLineKind kind);

    static QString discountAppliesText() {
        return QStringLiteral("La remise s'applique sur le total TTC de toutes les prestations.");
    }
    static QString depositExplanation() {
        return QStringLiteral("L'acompte est déduit du total à payer. Utilisez cette ligne pour "
                              "indiquer un versement déjà reçu.");
    }
    static QString importedPdfNote() {
        return QStringLiteral("Ces montants servent uniquement aux calculs internes. Ils ne "
                              "modifient pas le PDF importé.");
    }
    static QString lineReductionPlaceholder(bool isPercent) {
        return isPercent ? QStringLiteral("Ex : 10") : QStringLiteral("Ex : 50");
    }

    static QString quantityMessage() {
        return QStringLiteral("La quantité doit être supérieure à 0.");
    }
    // "… (" + the services total + ")."
    static QString discountTooLargeMessage(double servicesTotal);
    // Why the document refuses this line's figures, or an empty text: a
    // service of quantity 0 or less, or a discount that takes the discounts
    // so far past the services total. The editor shows it under the field
    // (the quantity, the discount's value); saving is refused.
    static QString refusal(const QList<CommercialDocumentLine>& lines,
                           const CommercialDocumentLine& line);
    // The first refusal among the lines, or an empty text.
    static QString firstRefusal(const QList<CommercialDocumentLine>& lines);
};

// The three figures under a line in the editor.
struct LineFigures {
    double ht = 0;
    double tva = 0;
    double ttc = 0;
};

LineFigures lineFigures(const CommercialDocumentLine& line);
// "HT : …", "TVA : …", "TTC : …" in the money format.
QStringList lineFigureTexts(const CommercialDocumentLine& line);

} // namespace velmora
