#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/store/SessionEdit.h"

#include <QDateTime>
#include <QUuid>

namespace velmora {

class Clock;

// The values of the document editor.
struct DocumentForm {
    CommercialDocumentKind kind = CommercialDocumentKind::invoice;
    CommercialDocumentSourceKind sourceKind = CommercialDocumentSourceKind::editor;
    std::optional<QUuid> statusID;
    QString number;
    QDateTime issueDate;
    std::optional<QDateTime> validityDate;
    qint64 dueDays = 0;
    QString paymentTerms;
    std::optional<QUuid> clientID;
    QList<QUuid> linkedProjectIDs;
    QString notes;
    QList<CommercialDocumentLine> lines;
    std::optional<QUrl> importedPDFURL;

    // The form of a stored document, to edit it.
    static DocumentForm of(const CommercialDocumentItem& document);
};

// Writes the form into the record; the activities are those that still
// exist, at most three. Payments, snapshot and links stay as they are.
void applyDocumentForm(CommercialDocumentItem& document, const DocumentForm& form,
                       const QList<ProjectItem>& projects);

class DocumentCreation {
public:
    static QString createButton() { return QStringLiteral("Créer le document"); }
    static QString autoNumberSwitch() {
        return QStringLiteral("Générer le prochain numéro automatiquement");
    }
    static QString numberRequiredMessage() {
        return QStringLiteral(
            "Le numéro du document est obligatoire pour créer une facture ou un devis.");
    }
    static QString clientRequiredForDepositOnCreate() {
        return QStringLiteral(
            "Un client doit être sélectionné avant de créer une facture avec acompte.");
    }
    static QString clientRequiredForDepositOnSave() {
        return QStringLiteral(
            "Un client doit être sélectionné avant d'enregistrer une facture avec acompte.");
    }

    // The first rule the form breaks, or an empty text. Creating and saving
    // word the deposit rule differently.
    static QString validate(const DocumentForm& form, bool creating);

    // Validates, inserts the new document at the front, freezes it when it
    // starts issued, links its activities and saves. On success the result
    // names the new id and may carry the "Passage automatique en Payé" alert.
    static Result<QUuid> create(SessionEdit& edit, const DocumentForm& form, const Clock& clock);
    // Saves the editor's values over an existing document, keeping its
    // payments, snapshot and links to a quote.
    static Result<QUuid> save(SessionEdit& edit, const QUuid& documentID, const DocumentForm& form,
                              const Clock& clock);
};

// The alert shown after saving a draft invoice whose deposit lines have not
// been received as a deposit payment yet; "Continuer" opens the payment
// sheet with the amount locked to the deposit.
std::optional<Alert> depositAutoPaidAlert(const CommercialDocumentItem& invoice,
                                          const StatusLists& lists);
inline QString depositAutoPaidSymbol() {
    return QStringLiteral("checkmark.circle.fill");
}

// "Convertir en facture": a new draft-listed invoice from the quote; the
// quote is left as it is.
Result<QUuid> convertQuoteToInvoice(SessionEdit& edit, const QUuid& quoteID, const Clock& clock);
// The latest invoice made from the quote (the front of the list is the
// newest), or none.
const CommercialDocumentItem* invoiceFromQuote(const QList<CommercialDocumentItem>& documents,
                                               const QUuid& quoteID);
// "Converti en facture F-…", on the quote's card.
QString convertedIntoText(const CommercialDocumentItem& invoice);
// Asked before converting a quote a second time.
Alert reconversionConfirmation(const CommercialDocumentItem& invoice);
// A copy in the draft status numbered "<number> - Copie".
Result<QUuid> duplicateDocument(SessionEdit& edit, const QUuid& documentID, const Clock& clock);

} // namespace velmora
