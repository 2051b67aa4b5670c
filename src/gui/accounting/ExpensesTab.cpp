#include "gui/accounting/ExpensesTab.h"

#include "core/accounting/ExpenseForm.h"
#include "core/accounting/ExpenseListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "core/store/AppDataStore.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"
#include "gui/accounting/ExpenseFormSheet.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/PictureField.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"
#include "gui/stock/StockItemFormSheet.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

using namespace Qt::StringLiterals;

const QStringList& typeKeys() {
    static const QStringList keys{u"purchase"_s, u"monthly"_s, u"quarterly"_s, u"yearly"_s};
    return keys;
}

// The choices of the year, month and type menus stand for numbers: a year,
// a month, the place of a type key; 0 is "all" in each.
enum class Menu : uint { year = 1, month, type };

QUuid choiceOf(Menu menu, int value) {
    return QUuid(0xde9e0000u + uint(menu), ushort(value), 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

std::optional<int> valueOf(Menu menu, const QList<QUuid>& checked) {
    const QUuid id = checked.value(0);
    if (id.data1 != 0xde9e0000u + uint(menu) || id.data2 == 0)
        return std::nullopt;
    return int(id.data2);
}

template <class Record> QList<ChoiceMenuButton::Choice> choicesOf(const QList<Record>& records) {
    QList<ChoiceMenuButton::Choice> choices;
    for (const Record& record : records)
        choices.append({record.id, record.name});
    return choices;
}

int currentYear(const QDateTime& now) {
    return now.toTimeZone(QTimeZone::systemTimeZone()).date().year();
}

} // namespace

ExpensesTab::ExpensesTab(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, u"expenses"_s, parent) {
    m_model = new ExpenseListModel(this);
    m_card = new RecordCard(u"expenseCard"_s, this);
    connect(m_card, &RecordCard::openRequested, this, &SectionPage::openRequested);
    setCard(m_card);
    setCountText([this](int count) { return countAndTotal(count); });
    addFilterRow(filterBar());
    filterChips()->hide();
    filter().setAccept([this](int row) {
        const AccountingPurchaseItem& entry = *m_model->record(row);
        return m_passing.contains(entry.id) &&
               expenseMatches(entry, m_model->nameOf(entry), query());
    });
    refresh();
    setRecords(m_model,
               {{u"Plus récentes"_s, ExpenseListModel::dateColumn, Qt::DescendingOrder},
                {u"Plus anciennes"_s, ExpenseListModel::dateColumn, Qt::AscendingOrder},
                {u"Montant"_s, ExpenseListModel::amountColumn, Qt::DescendingOrder},
                {u"Nom (A → Z)"_s, ExpenseListModel::nameColumn, Qt::AscendingOrder}},
               {u"banknote.fill"_s, u"Aucune dépense pour le moment."_s, u"Nouvelle dépense"_s},
               u"Rechercher une dépense"_s);
    filtersChanged();
    SidebarMenuItemConfig title;
    title.displayName = listTitle();
    showEntry(title);
    followSession(this, services.store,
                  {SessionField::accountingPurchases, SessionField::recurringPurchases,
                   SessionField::stockItems, SessionField::stockTags, SessionField::stockCategories,
                   SessionField::stockSettings, SessionField::urssafSettings},
                  [this] { refresh(); });
}

QWidget* ExpensesTab::filterBar() {
    auto* bar = new QWidget(this);
    auto* column = new QVBoxLayout(bar);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    auto* menus = new QWidget(bar);
    auto* flow = new FlowLayout(menus, 6);
    flow->setContentsMargins(0, 0, 0, 0);
    const auto menu = [&](const QString& label, bool exclusive, const QString& name) {
        auto* button = new ChoiceMenuButton(label, exclusive, menus);
        button->setObjectName(name);
        connect(button, &ChoiceMenuButton::changed, this, &ExpensesTab::filtersChanged);
        flow->addWidget(button);
        return button;
    };
    m_year = menu(u"Année"_s, true, u"expensesYearFilter"_s);
    connect(m_year, &ChoiceMenuButton::changed, this, [this] { m_yearChosen = true; });
    m_month = menu(u"Mois"_s, true, u"expensesMonthFilter"_s);
    QList<ChoiceMenuButton::Choice> months{{choiceOf(Menu::month, 0), u"Tous les mois"_s}};
    const QLocale french(QLocale::French, QLocale::France);
    for (int month = 1; month <= 12; ++month) {
        QString name = french.standaloneMonthName(month);
        name[0] = name[0].toUpper();
        months.append({choiceOf(Menu::month, month), name});
    }
    m_month->setChoices(months);
    m_type = menu(u"Type"_s, true, u"expensesTypeFilter"_s);
    QList<ChoiceMenuButton::Choice> types{{choiceOf(Menu::type, 0), u"Tous"_s}};
    for (qsizetype i = 0; i < typeKeys().size(); ++i)
        types.append({choiceOf(Menu::type, int(i) + 1), expenseTypeLabel(typeKeys()[i])});
    m_type->setChoices(types);
    m_categories = menu(QString(), false, u"expensesCategoryFilter"_s);
    m_tags = menu(QString(), false, u"expensesTagFilter"_s);
    column->addWidget(menus);
    m_total = theme::label(QString(), "section", bar);
    m_total->setObjectName(u"expensesTotal"_s);
    column->addWidget(m_total);
    return bar;
}

ExpenseFilter ExpensesTab::currentFilter() const {
    ExpenseFilter chosen;
    chosen.year = valueOf(Menu::year, m_year->checked());
    if (chosen.year)
        chosen.month = valueOf(Menu::month, m_month->checked());
    if (const std::optional<int> type = valueOf(Menu::type, m_type->checked()))
        chosen.typeKey = typeKeys().value(*type - 1);
    chosen.categoryIDs = m_categories->checked();
    chosen.tagIDs = m_tags->checked();
    return chosen;
}

void ExpensesTab::filtersChanged() {
    // A month means nothing across every year.
    const bool yearChosen = valueOf(Menu::year, m_year->checked()).has_value();
    if (!yearChosen)
        m_month->setChecked({choiceOf(Menu::month, 0)});
    m_month->setEnabled(yearChosen);
    const QList<AccountingPurchaseItem> passing =
        filterExpenses(m_model->records(), currentFilter(), m_model->subscriptions());
    m_passing.clear();
    m_passing.reserve(passing.size());
    for (const AccountingPurchaseItem& entry : passing)
        m_passing.insert(entry.id);
    filter().refilter();
    recordsChanged();
}

void ExpensesTab::clearOwnFilters() {
    m_yearChosen = true;
    m_year->setChecked({choiceOf(Menu::year, 0)});
    m_type->setChecked({choiceOf(Menu::type, 0)});
    m_categories->setChecked({});
    m_tags->setChecked({});
    filtersChanged();
}

QString ExpensesTab::countAndTotal(int count) {
    // The total follows the rows shown, search included, as the count does.
    double total = 0;
    for (int row = 0; row < count; ++row)
        if (const AccountingPurchaseItem* shown =
                m_model->record(filter().mapToSource(filter().index(row, 0)).row()))
            total += shown->priceTTC;
    m_total->setText(ExpenseListModel::totalText(total));
    return ExpenseListModel::countText(count);
}

void ExpensesTab::refresh() {
    const AppDataStore& store = services().store;
    const AppDatabase& session = store.session();
    const StockSettings& labels = session.stockSettings;
    m_categories->setLabel(labels.labelCategories);
    m_categories->setChoices(choicesOf(session.stockCategories));
    m_categories->setVisible(!session.stockCategories.isEmpty());
    m_tags->setLabel(labels.labelTags);
    m_tags->setChoices(choicesOf(session.stockTags));
    m_tags->setVisible(!session.stockTags.isEmpty());

    const QList<AccountingPurchaseItem> entries = expenseEntries(session, store.clock().now());
    QList<ChoiceMenuButton::Choice> years{{choiceOf(Menu::year, 0), u"Toutes les années"_s}};
    for (const int year : expenseYears(entries))
        years.append({choiceOf(Menu::year, year), QString::number(year)});
    m_year->setChoices(years);
    // The current year when it has entries, until the user picks one.
    if (!m_yearChosen)
        m_year->setChecked({choiceOf(Menu::year, currentYear(store.clock().now()))});

    m_model->setTags(session.stockTags);
    m_model->setContext(session.stockItems, session.recurringPurchases, session.urssafSettings);
    m_model->setRecords(entries);
    filtersChanged();
}

const AccountingPurchaseItem* ExpensesTab::entry(const QUuid& id) const {
    return m_model->record(m_model->rowOf(id));
}

bool ExpensesTab::canEdit(const QUuid& id) const {
    const AccountingPurchaseItem* shown = entry(id);
    return shown && !shown->isRecurringEntry;
}

bool ExpensesTab::canRun(SectionCommand command) const {
    // A debit belongs to its subscription: it goes with it, not from here.
    if (command == SectionCommand::remove)
        return RecordSectionPage::canRun(command) && canEdit(currentId());
    return RecordSectionPage::canRun(command);
}

void ExpensesTab::showRecord(const QUuid& id) {
    const AccountingPurchaseItem* found = entry(id);
    if (!found)
        return;
    const AccountingPurchaseItem shown = *found;
    const AppDatabase& session = services().store.session();
    const QString name = m_model->nameOf(shown);
    const QString type = expenseTypeLabel(expenseTypeKey(shown, session.recurringPurchases));

    const StockItem* stock = nullptr;
    if (shown.linkedStockID)
        for (const StockItem& item : session.stockItems)
            if (item.id == *shown.linkedStockID)
                stock = &item;
    const RecurringPurchase* subscription = m_model->subscriptionOf(shown);
    QPixmap picture;
    if (stock)
        picture = stockItemPicture(PictureField::bytesOf(stock->photoURL), stock->iconName, 64);
    else
        picture = sessionPicture(subscription ? PictureField::bytesOf(subscription->logoURL)
                                              : std::nullopt,
                                 std::nullopt, name, 64);
    m_card->start(picture, name, type + u" · "_s + formatMoney(shown.priceTTC));

    if (shown.isRecurringEntry) {
        if (subscription) {
            const QUuid subscriptionID = subscription->id;
            connect(m_card->addAction(subscriptionLinkText(), u"Subscription"_s),
                    &QPushButton::clicked, this, [this, subscriptionID] {
                        emit openRequested(u"accounting"_s, subscriptionID);
                    });
        }
        m_card->addSection(u"Prélèvement"_s);
        m_card->addRow(u"Date"_s, formatMediumDate(shown.purchaseDate));
        m_card->addRow(u"Montant"_s, formatMoney(shown.priceTTC));
        m_card->addRow(u"Fréquence"_s, type);
        m_card
            ->addText(u"Ce prélèvement est calculé à partir de l’abonnement : il se modifie "
                      u"ou se supprime avec lui."_s,
                      "hint")
            ->setWordWrap(true);
        return;
    }

    connect(m_card->addAction(u"Modifier"_s, u"Edit"_s), &QPushButton::clicked, this,
            [this, id] { editRecord(id); });
    connect(m_card->addAction(u"Supprimer"_s, u"Delete"_s, "destructive"), &QPushButton::clicked,
            this, [this, id] { removeRecord(id); });
    if (!shown.tagIDs.isEmpty())
        m_card->addTags(session.stockTags, shown.tagIDs);

    const auto money = [](const std::optional<double>& amount) {
        return amount ? formatMoney(*amount) : QString();
    };
    m_card->addSection(u"Dépense"_s);
    m_card->addRow(u"Date de la dépense"_s, formatMediumDate(shown.purchaseDate));
    m_card->addRow(u"Prix TTC"_s, formatMoney(shown.priceTTC));
    m_card->addRow(u"Prix HT"_s, money(shown.priceHT));
    m_card->addRow(u"Prix à l'unité"_s, money(shown.unitPrice));
    m_card->addRow(u"Quantité"_s, shown.quantity ? QString::number(*shown.quantity) : QString());
    m_card->addRow(u"Frais de livraison"_s, money(shown.shippingPrice));
    m_card->addRow(u"Fournisseur"_s, shown.supplier.trimmed());

    if (stock) {
        m_card->addSection(u"Produit du stock"_s);
        m_card->addLink(stock->title.trimmed(), u"stock"_s, stock->id);
    } else if (shown.linkedWishlistID) {
        for (const PurchaseWishlistItem& wish : session.purchaseWishlistItems)
            if (wish.id == *shown.linkedWishlistID) {
                m_card->addSection(u"Liste d’achats"_s);
                m_card->addLink(wish.title.trimmed(), u"stock"_s, wish.id);
            }
    }
    if (!shown.characteristics.isEmpty()) {
        m_card->addSection(u"Caractéristiques"_s);
        for (const StockCharacteristic& characteristic : shown.characteristics)
            m_card->addRow(characteristic.label.trimmed(), characteristic.value.trimmed());
    }
    if (!shown.notes.trimmed().isEmpty()) {
        m_card->addSection(u"Notes"_s);
        m_card->addText(shown.notes)->setWordWrap(true);
    }
}

void ExpensesTab::openForm(ExpenseFormSheet* sheet) {
    connect(sheet, &ExpenseFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void ExpensesTab::createRecord() {
    openForm(new ExpenseFormSheet(services(), ExpenseForm(services().store.clock().now()), this));
}

void ExpensesTab::editRecord(const QUuid& id) {
    if (canEdit(id))
        openForm(new ExpenseFormSheet(services(), ExpenseForm(*entry(id)), this));
}

void ExpensesTab::removeRecord(const QUuid& id) {
    if (canEdit(id))
        removeAfter(expenseDeletionConfirmation(m_model->nameOf(*entry(id))),
                    [id](SessionEdit& edit) { return deleteExpense(edit, id); });
}

} // namespace velmora::gui
