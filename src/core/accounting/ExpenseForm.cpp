#include "core/accounting/ExpenseForm.h"

#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"
#include "core/text/AmountParsing.h"

#include <algorithm>

namespace velmora {

using namespace Qt::StringLiterals;

namespace {

std::optional<double> amount(const QString& text) {
    QString typed = text;
    return parseAmount(typed.replace(u',', u'.'));
}

QString notFound() {
    return u"Cette dépense n’existe plus."_s;
}

} // namespace

ExpenseForm::ExpenseForm(const QDateTime& now) : purchaseDate(now), m_id(QUuid::createUuid()) {}

ExpenseForm::ExpenseForm(const AccountingPurchaseItem& expense)
    : target(expense.linkedStockID ? Target::stock : Target::custom),
      stockID(expense.linkedStockID), wishlistID(expense.linkedWishlistID),
      productName(expense.customProductName),
      quantityText(expense.quantity ? QString::number(*expense.quantity) : QString()),
      supplier(expense.supplier), notes(expense.notes), characteristics(expense.characteristics),
      priceTTCText(QString::number(expense.priceTTC)), purchaseDate(expense.purchaseDate),
      tagIDs(expense.tagIDs), categoryIDs(expense.categoryIDs),
      subCategoryIDs(expense.subCategoryIDs), subTagIDs(expense.subTagIDs), m_id(expense.id),
      m_isNew(false) {
    const auto text = [](const std::optional<double>& value) {
        return value ? QString::number(*value).replace(u'.', u',') : QString();
    };
    priceHTText = text(expense.priceHT);
    unitPriceText = text(expense.unitPrice);
    shippingPriceText = text(expense.shippingPrice);
    priceTTCText.replace(u'.', u',');
}

QString ExpenseForm::sheetTitle() const {
    return m_isNew ? u"Nouvelle dépense"_s : u"Modifier la dépense"_s;
}

QString ExpenseForm::priceTTCLabel() const {
    return amount(unitPriceText) && quantity() ? u"Prix TTC (calculé automatiquement)"_s
                                               : u"Prix TTC"_s;
}

std::optional<qint64> ExpenseForm::quantity() const {
    bool ok = false;
    const qint64 value = quantityText.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<double> ExpenseForm::priceTTC() const {
    std::optional<double> total;
    const std::optional<double> unit = amount(unitPriceText);
    const std::optional<qint64> count = quantity();
    if (unit && count)
        total = *unit * double(*count) + amount(shippingPriceText).value_or(0);
    else
        total = amount(priceTTCText);
    if (!total || !(*total > 0))
        return std::nullopt;
    return total;
}

AccountingPurchaseItem ExpenseForm::written() const {
    AccountingPurchaseItem r;
    r.id = m_id;
    if (target == Target::stock)
        r.linkedStockID = stockID;
    r.linkedWishlistID = wishlistID;
    r.customProductName = productName.trimmed();
    r.quantity = quantity();
    r.supplier = supplier;
    r.characteristics = characteristics;
    r.priceHT = amount(priceHTText);
    r.unitPrice = amount(unitPriceText);
    r.shippingPrice = amount(shippingPriceText);
    r.priceTTC = priceTTC().value_or(0);
    r.notes = notes;
    r.purchaseDate = purchaseDate;
    r.tagIDs = tagIDs;
    r.categoryIDs = categoryIDs;
    r.subCategoryIDs = subCategoryIDs;
    r.subTagIDs = subTagIDs;
    return r;
}

Result<> ExpenseForm::apply(SessionEdit& edit, const QDateTime& now) {
    if (!quantityText.trimmed().isEmpty() && (!quantity() || *quantity() <= 0))
        return Result<>::invalid(quantityMessage());
    if (!priceTTC())
        return Result<>::invalid(invalidAmountMessage(),
                                 okAlert(invalidAmountTitle(), invalidAmountMessage()));
    const bool linked = target == Target::stock && stockID;
    if (!linked && productName.trimmed().isEmpty() && !(m_isNew && createLinkedProduct))
        return Result<>::invalid(nameRequiredMessage(),
                                 okAlert(nameRequiredTitle(), nameRequiredMessage()));

    AccountingPurchaseItem expense = written();
    // A date the picker never set stands for the moment of the save.
    if (!expense.purchaseDate.isValid())
        expense.purchaseDate = now;
    if (!m_isNew)
        return putRecord(
            edit.session().accountingPurchases,
            [&]() -> QList<AccountingPurchaseItem>& { return edit.accountingPurchases(); }, expense,
            false, notFound());

    const QList<StockItem>& stock = edit.session().stockItems;
    if (linked) {
        const auto found = std::find_if(stock.cbegin(), stock.cend(),
                                        [&](const StockItem& s) { return s.id == *stockID; });
        if (found == stock.cend())
            return Result<>::notFound(u"Ce produit n’existe plus dans le stock."_s);
        if (expense.quantity)
            edit.stockItems()[found - stock.cbegin()].quantity =
                found->quantity.value_or(0) + *expense.quantity;
    } else if (createLinkedProduct) {
        const QString title =
            expense.customProductName.isEmpty() ? newProductTitle() : expense.customProductName;
        if (destination == Destination::stock) {
            StockItem product;
            product.id = QUuid::createUuid();
            product.title = title;
            product.categoryIDs = categoryIDs;
            product.tagIDs = tagIDs;
            product.quantity = expense.quantity;
            product.characteristics = characteristics;
            edit.stockItems().append(product);
            expense.linkedStockID = product.id;
        } else {
            PurchaseWishlistItem wish;
            wish.id = QUuid::createUuid();
            wish.title = title;
            wish.categoryIDs = categoryIDs;
            wish.tagIDs = tagIDs;
            wish.quantity = expense.quantity;
            wish.status = PurchaseWishlistStatus::toBuy;
            wish.characteristics = characteristics;
            edit.purchaseWishlistItems().append(wish);
            expense.linkedWishlistID = wish.id;
        }
    }
    edit.accountingPurchases().append(expense);
    return Result<>();
}

Alert expenseDeletionConfirmation(const QString& displayName) {
    const QString name = displayName.trimmed().isEmpty() ? u"Dépense"_s : displayName.trimmed();
    return Alert{Alert::Kind::warning,
                 u"Supprimer la dépense ?"_s,
                 u"Cette action est irréversible. La dépense « %1 » sera supprimée "
                 u"définitivement."_s.arg(name),
                 {AlertButton{u"Annuler"_s, AlertRole::cancel},
                  AlertButton{u"Supprimer"_s, AlertRole::destructive}}};
}

Result<> deleteExpense(SessionEdit& edit, const QUuid& expenseID) {
    const QList<AccountingPurchaseItem>& list = edit.session().accountingPurchases;
    const auto found =
        std::find_if(list.cbegin(), list.cend(),
                     [&](const AccountingPurchaseItem& e) { return e.id == expenseID; });
    if (found == list.cend())
        return Result<>::notFound(notFound());
    edit.accountingPurchases().removeAt(found - list.cbegin());
    return Result<>();
}

} // namespace velmora
