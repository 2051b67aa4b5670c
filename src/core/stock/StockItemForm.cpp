#include "core/stock/StockItemForm.h"

#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {

namespace {

template <class Record> void keepKnown(QList<QUuid>& ids, const QList<Record>& records) {
    ids.removeIf([&](const QUuid& id) {
        return std::none_of(records.cbegin(), records.cend(),
                            [&](const Record& r) { return r.id == id; });
    });
}

QList<StockCharacteristic> filledCharacteristics(const QList<StockCharacteristic>& rows) {
    QList<StockCharacteristic> kept;
    for (StockCharacteristic c : rows) {
        c.label = c.label.trimmed();
        c.value = c.value.trimmed();
        if (!c.label.isEmpty() || !c.value.isEmpty())
            kept.append(c);
    }
    return kept;
}

} // namespace

StockItemForm::StockItemForm(Kind kind) : m_kind(kind) {
    fields.id = QUuid::createUuid();
}

StockItemForm::StockItemForm(const StockItem& item)
    : fields(item), m_kind(Kind::stock), m_isNew(false) {
    if (item.quantity)
        quantityText = QString::number(*item.quantity);
}

StockItemForm::StockItemForm(const PurchaseWishlistItem& item)
    : status(item.status), m_kind(Kind::wishlist), m_isNew(false) {
    fields.id = item.id;
    fields.title = item.title;
    fields.photoURL = item.photoURL;
    fields.iconName = item.iconName;
    fields.categoryIDs = item.categoryIDs;
    fields.tagIDs = item.tagIDs;
    fields.orderURL = item.orderURL;
    fields.notes = item.notes;
    fields.characteristics = item.characteristics;
    if (item.quantity)
        quantityText = QString::number(*item.quantity);
}

QString StockItemForm::sheetTitle() const {
    if (m_kind == Kind::wishlist)
        return m_isNew ? QStringLiteral("Nouvel achat prévu")
                       : QStringLiteral("Modifier l’achat prévu");
    return m_isNew ? QStringLiteral("Nouvel article") : QStringLiteral("Modifier l’article");
}

void StockItemForm::addCharacteristic() {
    StockCharacteristic c;
    c.id = QUuid::createUuid();
    fields.characteristics.append(c);
}

void StockItemForm::removeCharacteristic(const QUuid& id) {
    fields.characteristics.removeIf([&](const StockCharacteristic& c) { return c.id == id; });
}

std::optional<qint64> StockItemForm::quantity() const {
    QString digits = quantityText;
    digits.remove(QLatin1Char(' ')).remove(QChar(0x00A0)).remove(QChar(0x202F));
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

QString StockItemForm::quantityError() const {
    return quantityText.trimmed().isEmpty() || quantity() ? QString() : quantityMessage();
}

QString StockItemForm::validate() const {
    if (fields.title.trimmed().isEmpty())
        return titleRequiredMessage();
    if (const QString error = quantityError(); !error.isEmpty())
        return error;
    for (const StockCharacteristic& c : fields.characteristics)
        if (c.label.trimmed().isEmpty() && !c.value.trimmed().isEmpty())
            return characteristicMessage();
    return {};
}

StockItem StockItemForm::writtenStock() const {
    StockItem item = fields;
    item.title = item.title.trimmed();
    item.orderURL = item.orderURL.trimmed();
    item.quantity = quantity();
    item.characteristics = filledCharacteristics(item.characteristics);
    if (item.iconName && item.iconName->trimmed().isEmpty())
        item.iconName.reset();
    return item;
}

PurchaseWishlistItem StockItemForm::writtenWishlist() const {
    const StockItem stock = writtenStock();
    PurchaseWishlistItem item;
    item.id = stock.id;
    item.title = stock.title;
    item.photoURL = stock.photoURL;
    item.iconName = stock.iconName;
    item.categoryIDs = stock.categoryIDs;
    item.tagIDs = stock.tagIDs;
    item.quantity = stock.quantity;
    item.status = status;
    item.orderURL = stock.orderURL;
    item.notes = stock.notes;
    item.characteristics = stock.characteristics;
    return item;
}

Result<> StockItemForm::apply(SessionEdit& edit) {
    if (const QString message = validate(); !message.isEmpty())
        return Result<>::invalid(message);
    const AppDatabase& session = edit.session();
    Result<> applied;
    if (m_kind == Kind::stock) {
        StockItem item = writtenStock();
        keepKnown(item.categoryIDs, session.stockCategories);
        keepKnown(item.subCategoryIDs, session.stockSubCategories);
        keepKnown(item.tagIDs, session.stockTags);
        keepKnown(item.subTagIDs, session.stockSubTags);
        applied = putRecord(
            session.stockItems, [&]() -> QList<StockItem>& { return edit.stockItems(); }, item,
            m_isNew, notFoundMessage());
    } else {
        PurchaseWishlistItem item = writtenWishlist();
        keepKnown(item.categoryIDs, session.stockCategories);
        keepKnown(item.tagIDs, session.stockTags);
        applied = putRecord(
            session.purchaseWishlistItems,
            [&]() -> QList<PurchaseWishlistItem>& { return edit.purchaseWishlistItems(); }, item,
            m_isNew, notFoundMessage());
    }
    if (applied.ok())
        edit.whenSaved([this] { m_isNew = false; });
    return applied;
}

} // namespace velmora
