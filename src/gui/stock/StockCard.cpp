#include "gui/stock/StockCard.h"

#include "core/store/AppDataStore.h"
#include "gui/common/RecordCard.h"

namespace velmora::gui {

namespace {

template <class Record> QString namesOf(const QList<Record>& records, const QList<QUuid>& ids) {
    QStringList names;
    for (const Record& record : records)
        if (ids.contains(record.id))
            names.append(record.name);
    return names.join(QStringLiteral(", "));
}

} // namespace

void addStockDetails(RecordCard& card, const AppDataStore& store, const StockDetails& details) {
    const StockSettings& labels = store.stockSettings();
    const QString categories = namesOf(store.stockCategories(), details.categoryIDs);
    const QString subCategories = namesOf(store.stockSubCategories(), details.subCategoryIDs);
    const QString subTags = namesOf(store.stockSubTags(), details.subTagIDs);
    const bool tagged = !namesOf(store.stockTags(), details.tagIDs).isEmpty();
    if (!categories.isEmpty() || !subCategories.isEmpty() || tagged || !subTags.isEmpty()) {
        card.addSection(QStringLiteral("Classement"));
        card.addRow(labels.labelCategories, categories);
        card.addRow(labels.labelSubCategories, subCategories);
        card.addRow(labels.labelSubTags, subTags);
        if (tagged)
            card.addTags(store.stockTags(), details.tagIDs);
    }
    if (!details.characteristics.isEmpty()) {
        card.addSection(QStringLiteral("Caractéristiques"));
        for (const StockCharacteristic& c : details.characteristics)
            card.addRow(c.label.isEmpty() ? QStringLiteral("—") : c.label, c.value);
    }
    if (!details.orderURL.trimmed().isEmpty()) {
        card.addSection(QStringLiteral("Commande"));
        card.addRow(QStringLiteral("Adresse de commande"), details.orderURL.trimmed());
    }
    if (!details.notes.trimmed().isEmpty()) {
        card.addSection(QStringLiteral("Notes"));
        card.addText(details.notes);
    }
}

} // namespace velmora::gui
