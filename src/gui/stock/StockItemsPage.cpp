#include "gui/stock/StockItemsPage.h"

#include "core/lists/RecordFilterModel.h"
#include "core/platform/UserDefaults.h"
#include "core/stock/StockActions.h"
#include "core/stock/StockListModel.h"
#include "core/stock/StockListPreferences.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/Icons.h"
#include "gui/common/PictureField.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/Theme.h"
#include "gui/stock/StockCard.h"
#include "gui/stock/StockClassificationSheet.h"
#include "gui/stock/StockItemFormSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace velmora::gui {

namespace {

// The level menu's choices stand for "Tous" and the three levels.
QUuid levelChoice(std::optional<StockLevel> level) {
    return QUuid(0x1e7e1u, 0, 0, 0, 0, 0, 0, 0, 0, 0, level ? uchar(int(*level) + 1) : uchar(0));
}

std::optional<StockLevel> levelOfChoice(const QUuid& id) {
    for (StockLevel level : {StockLevel::out, StockLevel::low, StockLevel::ok})
        if (levelChoice(level) == id)
            return level;
    return std::nullopt;
}

template <class Record>
QList<ChoiceMenuButton::Choice> choicesOf(const QList<Record>& records, const QUuid& none,
                                          const QString& noneName) {
    QList<ChoiceMenuButton::Choice> choices;
    if (!none.isNull())
        choices.append({none, noneName});
    for (const Record& record : records)
        choices.append({record.id, record.name});
    return choices;
}

} // namespace

StockItemsPage::StockItemsPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("stock"), parent) {
    m_model = new StockListModel(this);
    m_card = new RecordCard(QStringLiteral("stockCard"), this);
    setCard(m_card);
    setCountText(&StockListModel::countText);
    addFilterRow(filterBar());
    auto* classes = new QToolButton(this);
    classes->setObjectName(QStringLiteral("stockClassification"));
    classes->setIcon(symbolIcon(QStringLiteral("square.grid.2x2")));
    classes->setToolTip(StockClassificationSheet::title());
    classes->setAccessibleName(StockClassificationSheet::title());
    classes->setAutoRaise(true);
    connect(classes, &QToolButton::clicked, this, &StockItemsPage::showClassification);
    addHeaderWidget(classes);
    filter().setAccept([this](int row) {
        const StockItem& item = *m_model->record(row);
        return m_filter.passes(item, m_model->settings()) && stockItemMatches(item, query());
    });
    const UserDefaults& defaults = services.store.userDefaults();
    const StockSortOrder order = StockListPreferences::sortOrder(defaults);
    const std::optional<StockLevel> level = StockListPreferences::levelFilter(defaults);
    refresh();
    setRecords(m_model,
               {{stockSortOrderText(StockSortOrder::recentFirst), StockListModel::orderColumn,
                 Qt::DescendingOrder},
                {stockSortOrderText(StockSortOrder::oldestFirst), StockListModel::orderColumn,
                 Qt::AscendingOrder},
                {stockSortOrderText(StockSortOrder::alphabetical), StockListModel::titleColumn,
                 Qt::AscendingOrder}},
               {QStringLiteral("shippingbox"),
                QStringLiteral("Votre stock est vide. Ajoutez les produits et le matériel que "
                               "vous gardez."),
                QStringLiteral("Ajouter un article")},
               QStringLiteral("Rechercher un article"));
    chooseSort(int(order));
    setLevelFilter(level);
    followSession(this, services.store,
                  {SessionField::stockItems, SessionField::stockTags, SessionField::stockCategories,
                   SessionField::stockSubCategories, SessionField::stockSubTags,
                   SessionField::stockSettings},
                  [this] { refresh(); });
}

QWidget* StockItemsPage::filterBar() {
    auto* bar = new QWidget(this);
    auto* layout = new FlowLayout(bar, 6);
    m_level = new ChoiceMenuButton(QStringLiteral("Niveau"), true, bar);
    m_level->setObjectName(QStringLiteral("stockLevelFilter"));
    QList<ChoiceMenuButton::Choice> levels{{levelChoice(std::nullopt), QStringLiteral("Tous")}};
    for (StockLevel level : {StockLevel::out, StockLevel::low, StockLevel::ok})
        levels.append({levelChoice(level), stockLevelFilterRawName(level)});
    m_level->setChoices(levels);
    connect(m_level, &ChoiceMenuButton::changed, this, [this] {
        const std::optional<StockLevel> level = levelOfChoice(m_level->checked().value(0));
        StockListPreferences::setLevelFilter(services().store.userDefaults(), level);
        filtersChanged();
    });
    layout->addWidget(m_level);
    const auto menu = [&](const QString& name) {
        auto* button = new ChoiceMenuButton(QString(), false, bar);
        button->setObjectName(name);
        connect(button, &ChoiceMenuButton::changed, this, &StockItemsPage::filtersChanged);
        layout->addWidget(button);
        return button;
    };
    m_categories = menu(QStringLiteral("stockCategoryFilter"));
    m_subCategories = menu(QStringLiteral("stockSubCategoryFilter"));
    m_tags = menu(QStringLiteral("stockTagFilter"));
    m_subTags = menu(QStringLiteral("stockSubTagFilter"));
    return bar;
}

void StockItemsPage::setLevelFilter(std::optional<StockLevel> level) {
    m_level->setChecked({levelChoice(level)});
    filtersChanged();
}

StockFilter StockItemsPage::currentFilter() const {
    StockFilter filter;
    filter.categoryIDs = m_categories->checked();
    filter.subCategoryIDs = m_subCategories->checked();
    filter.tagIDs = m_tags->checked();
    filter.subTagIDs = m_subTags->checked();
    filter.level = levelOfChoice(m_level->checked().value(0));
    return filter;
}

void StockItemsPage::filtersChanged() {
    m_filter = currentFilter();
    filter().refilter();
    recordsChanged();
}

void StockItemsPage::clearOwnFilters() {
    for (ChoiceMenuButton* menu : {m_categories, m_subCategories, m_tags, m_subTags})
        menu->setChecked({});
    m_level->setChecked({levelChoice(std::nullopt)});
    StockListPreferences::setLevelFilter(services().store.userDefaults(), std::nullopt);
    m_filter = currentFilter();
}

void StockItemsPage::sortChosen(int index) {
    StockListPreferences::setSortOrder(services().store.userDefaults(), StockSortOrder(index));
}

void StockItemsPage::refresh() {
    const AppDataStore& store = services().store;
    const StockSettings& labels = store.stockSettings();
    m_categories->setLabel(labels.labelCategories);
    m_categories->setChoices(choicesOf(store.stockCategories(), StockFilterIds::noCategory(),
                                       QStringLiteral("Sans catégorie")));
    m_subCategories->setLabel(labels.labelSubCategories);
    m_subCategories->setChoices(choicesOf(store.stockSubCategories(),
                                          StockFilterIds::noSubCategory(),
                                          QStringLiteral("Sans sous-catégorie")));
    m_tags->setLabel(labels.labelTags);
    m_tags->setChoices(
        choicesOf(store.stockTags(), StockFilterIds::noTag(), QStringLiteral("Sans tag")));
    m_subTags->setLabel(labels.labelSubTags);
    m_subTags->setChoices(choicesOf(store.stockSubTags(), QUuid(), QString()));
    m_filter = currentFilter();
    m_model->setTags(store.stockTags());
    m_model->setContext(labels, store.stockCategories());
    m_model->setRecords(store.stockItems());
    filter().refilter();
    recordsChanged();
}

void StockItemsPage::showRecord(const QUuid& id) {
    const StockItem& item = *m_model->record(m_model->rowOf(id));
    const AppDataStore& store = services().store;
    const StockSettings& settings = store.stockSettings();
    const StockLevel level = stockLevel(item, settings);
    m_card->start(stockItemPicture(PictureField::bytesOf(item.photoURL), item.iconName, 56),
                  item.title.trimmed(), stockLevelText(level));
    connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
            &QPushButton::clicked, this, [this, id] { editRecord(id); });
    if (const QUrl order = QUrl::fromUserInput(item.orderURL.trimmed()); order.isValid())
        connect(m_card->addAction(QStringLiteral("Commander"), QStringLiteral("Order")),
                &QPushButton::clicked, this,
                [this, order] { openOrExplain(services().dialogs, services().urls, this, order); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });

    m_card->addSection(QStringLiteral("Quantité"));
    auto* stepper = new QWidget(m_card);
    auto* row = new QHBoxLayout(stepper);
    row->setContentsMargins(0, 0, 0, 0);
    const auto stepButton = [&](const QString& name, const QString& icon, const QString& tip,
                                int delta) {
        auto* button = new QToolButton(stepper);
        button->setObjectName(name);
        button->setIcon(symbolIcon(icon));
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        connect(button, &QToolButton::clicked, this,
                [this, id, delta, name] { step(id, delta, name); });
        row->addWidget(button);
        return button;
    };
    QToolButton* minus =
        stepButton(QStringLiteral("stockCardMinus"), QStringLiteral("minus.circle"),
                   QStringLiteral("Retirer une unité"), -1);
    minus->setEnabled(item.quantity.value_or(0) > 0);
    auto* quantity = theme::label(StockListModel::quantityText(item.quantity), "section", stepper);
    quantity->setObjectName(QStringLiteral("stockCardQuantity"));
    row->addWidget(quantity);
    stepButton(QStringLiteral("stockCardPlus"), QStringLiteral("plus"),
               QStringLiteral("Ajouter une unité"), 1);
    row->addStretch();
    m_card->addWidget(stepper);
    m_card->addRow(QStringLiteral("Niveau"), stockLevelText(level));
    m_card->addRow(QStringLiteral("Seuil « Presque épuisé »"),
                   QStringLiteral("%1 unités ou moins").arg(settings.lowStockThreshold));
    m_card->addRow(QStringLiteral("Seuil « En rupture »"),
                   QStringLiteral("%1 unités ou moins").arg(settings.outOfStockThreshold));
    addStockDetails(*m_card, store, StockDetails::of(item));
}

void StockItemsPage::step(const QUuid& id, int delta, const QString& button) {
    report(services().store.edit(
        [&](SessionEdit& edit) { return stepStockQuantity(edit, id, delta); }));
    // The card was built again: the keyboard stays on the same stepper.
    if (auto* again = m_card->findChild<QToolButton*>(button); again && again->isEnabled())
        again->setFocus();
}

void StockItemsPage::createRecord() {
    auto* sheet =
        new StockItemFormSheet(services(), StockItemForm(StockItemForm::Kind::stock), this);
    connect(sheet, &StockItemFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void StockItemsPage::editRecord(const QUuid& id) {
    const StockItem* item = m_model->record(m_model->rowOf(id));
    if (!item)
        return;
    auto* sheet = new StockItemFormSheet(services(), StockItemForm(*item), this);
    connect(sheet, &StockItemFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void StockItemsPage::removeRecord(const QUuid& id) {
    if (const StockItem* item = m_model->record(m_model->rowOf(id)))
        removeAfter(stockItemDeletion(*item),
                    [id](SessionEdit& edit) { return deleteStockItem(edit, id); });
}

void StockItemsPage::showClassification() {
    auto* sheet = new StockClassificationSheet(RecordSectionPage::services(), this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

bool StockItemsPage::holdsTag(const QUuid& id) const {
    const AppDataStore& store = RecordSectionPage::services().store;
    const auto isIt = [&](const auto& tag) { return tag.id == id; };
    return std::ranges::any_of(store.stockTags(), isIt) ||
           std::ranges::any_of(store.stockSubTags(), isIt);
}

void StockItemsPage::showTag(const QUuid&) {
    showClassification();
}

} // namespace velmora::gui
