#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/AccountingRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;

// The form of an expense ("Nouvelle dépense", "Modifier la dépense"). Every
// amount is kept as typed; the price rule reads them on save.
class ExpenseForm {
public:
    // An existing stock product, or a free product name.
    enum class Target { stock, custom };
    // Where a new linked product goes.
    enum class Destination { stock, wishlist };

    static QString invalidAmountTitle() { return QStringLiteral("Montant invalide"); }
    static QString invalidAmountMessage() {
        return QStringLiteral("Le prix TTC doit être supérieur à 0.");
    }
    static QString nameRequiredTitle() { return QStringLiteral("Champ obligatoire"); }
    static QString nameRequiredMessage() {
        return QStringLiteral("Renseignez un nom de produit ou sélectionnez un produit existant.");
    }
    static QString quantityMessage() {
        return QStringLiteral("La quantité doit être un nombre entier positif, par exemple 3.");
    }
    static QString savedTitle() { return QStringLiteral("Dépense enregistrée"); }
    static QString savedMessage() {
        return QStringLiteral("La dépense a bien été ajoutée à la comptabilité.");
    }
    static QString newProductTitle() { return QStringLiteral("Nouveau produit"); }

    // A new expense dated `now`, with a fresh id.
    explicit ExpenseForm(const QDateTime& now);
    explicit ExpenseForm(const AccountingPurchaseItem& expense);

    bool isNew() const { return m_isNew; }
    QString sheetTitle() const;
    // "Prix TTC (calculé automatiquement)" while the unit price and the
    // quantity give the total, else "Prix TTC".
    QString priceTTCLabel() const;

    // The quantity as typed; none when empty or unreadable.
    std::optional<qint64> quantity() const;
    // The total the price rule gives, none when it refuses the amount.
    std::optional<double> priceTTC() const;
    // The record the form writes; the price fields as parsed.
    AccountingPurchaseItem written() const;

    // Checks, then adds (raising or creating the linked product) or replaces
    // the expense. Editing never changes stock quantities.
    Result<> apply(SessionEdit& edit, const QDateTime& now);

    Target target = Target::custom;
    std::optional<QUuid> stockID; // with Target::stock
    bool createLinkedProduct = false;
    Destination destination = Destination::stock;
    std::optional<QUuid> wishlistID;
    QString productName;
    QString quantityText;
    QString supplier;
    QString notes;
    QList<StockCharacteristic> characteristics;
    QString priceHTText;
    QString unitPriceText;
    QString shippingPriceText;
    QString priceTTCText;
    QDateTime purchaseDate;
    QList<QUuid> tagIDs;
    QList<QUuid> categoryIDs;
    QList<QUuid> subCategoryIDs;
    QList<QUuid> subTagIDs;

private:
    QUuid m_id;
    bool m_isNew = true;
};

// The confirmation before deleting an expense, naming it.
Alert expenseDeletionConfirmation(const QString& displayName);
Result<> deleteExpense(SessionEdit& edit, const QUuid& expenseID);

} // namespace velmora
