#pragma once

#include "core/documents/DocumentStatus.h"

#include <QUuid>

namespace velmora {

// "Frais de retard": a service line without VAT appended to an invoice, or
// the price of that line changed when the user edits it. Allowed on frozen
// invoices too.
class LateCharge {
public:
    static QString button() { return QStringLiteral("Frais de retard"); }
    static QString addText() {
        return QStringLiteral("Ajoutez des frais de retard à la facture. Une nouvelle ligne sera "
                              "ajoutée au document.");
    }
    static QString editTitle() { return QStringLiteral("Modifier les frais de retard"); }
    static QString editText() {
        return QStringLiteral("Modifiez le montant des frais de retard. La ligne du document sera "
                              "mise à jour automatiquement.");
    }
    static QString amountLabel() { return QStringLiteral("Montant des frais (€ HT)"); }
    static QString amountPlaceholder() { return QStringLiteral("Ex : 40"); }
    static QString cancelButton() { return QStringLiteral("Annuler"); }
    static QString addButton() { return QStringLiteral("Ajouter la ligne"); }
    static QString addedConfirmation() { return QStringLiteral("Frais de retard ajouté"); }
    static QString appliedBadge() { return QStringLiteral("Frais de retard appliqués"); }
    static QString invalidAmountMessage() {
        return QStringLiteral("Le montant des frais doit être un nombre supérieur à 0.");
    }

    // The late-charge line the sheet edits: the last service line carrying
    // the company's late-charge title and description; none when absent.
    static std::optional<QUuid> existingLine(const CommercialDocumentItem& invoice,
                                             const CompanySettings& company);

    // A zero, negative or unreadable amount changes nothing. On success the
    // result is the confirmation to show.
    static Result<QString> addOrUpdateLateCharge(SessionEdit& edit, const QUuid& invoiceID,
                                                 const QString& amountText,
                                                 const std::optional<QUuid>& lineID = {});
};

} // namespace velmora
