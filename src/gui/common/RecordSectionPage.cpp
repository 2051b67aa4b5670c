#include "gui/common/RecordSectionPage.h"
#include "gui/common/ClearButton.h"

#include "core/lists/RecordFilterModel.h"
#include "core/lists/RecordListModelBase.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/RecordDelegate.h"
#include "gui/common/SelectionFollower.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::gui {

namespace {

QString noSelectionText() {
    return QStringLiteral("Sélectionnez une fiche dans la liste pour l’afficher ici.");
}

} // namespace

RecordSectionPage::RecordSectionPage(const SectionServices& services, const QString& key,
                                     QWidget* parent)
    : SectionPage(parent), m_services(services), m_key(key) {
    for (SectionCommand command :
         {SectionCommand::create, SectionCommand::edit, SectionCommand::exportPDF,
          SectionCommand::search, SectionCommand::remove})
        addCommand(
            command, [this, command] { return canRun(command); },
            [this, command] { run(command); });
    m_filter = new RecordFilterModel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages);

    // With no record at all: a symbol, one sentence and the primary action.
    auto* empty = new QWidget(m_pages);
    auto* emptyLayout = new QVBoxLayout(empty);
    emptyLayout->addStretch(2);
    m_emptySymbol = new QLabel(empty);
    m_emptySymbol->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(m_emptySymbol);
    m_emptySentence = theme::label(QString(), "subtitle", empty);
    m_emptySentence->setObjectName(key + QStringLiteral("EmptyText"));
    m_emptySentence->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(m_emptySentence);
    m_emptyAction = theme::button(QString(), "primary", empty);
    m_emptyAction->setObjectName(key + QStringLiteral("EmptyAction"));
    connect(m_emptyAction, &QPushButton::clicked, this, [this] { createRecord(); });
    emptyLayout->addWidget(m_emptyAction, 0, Qt::AlignCenter);
    emptyLayout->addStretch(3);
    m_emptyLayout = emptyLayout;
    m_pages->addWidget(empty);

    auto* splitter = new QSplitter(Qt::Horizontal, m_pages);
    splitter->setChildrenCollapsible(false);
    auto* pane = new QWidget(splitter);
    pane->setMinimumWidth(300);
    auto* paneLayout = m_pane = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(16, 18, 8, 8);
    paneLayout->setSpacing(8);
    auto* header = m_header = new QHBoxLayout;
    m_title = theme::label(QString(), "section", pane);
    m_title->setObjectName(QStringLiteral("sectionTitle"));
    header->addWidget(m_title, 1);
    auto* add = m_add = new QToolButton(pane);
    add->setObjectName(key + QStringLiteral("New"));
    add->setIcon(symbolIcon(QStringLiteral("plus"), theme::accent()));
    add->setToolTip(QStringLiteral("Nouveau (Ctrl+N)"));
    add->setAccessibleName(QStringLiteral("Nouveau"));
    add->setAutoRaise(true);
    connect(add, &QToolButton::clicked, this, [this] { createRecord(); });
    header->addWidget(add);
    paneLayout->addLayout(header);

    m_search = new QLineEdit(pane);
    m_search->setObjectName(key + QStringLiteral("Search"));
    enableClearButton(m_search);
    m_search->addAction(symbolIcon(QStringLiteral("magnifyingglass"), QPalette::PlaceholderText),
                        QLineEdit::LeadingPosition);
    connect(m_search, &QLineEdit::textChanged, this, [this] {
        m_filter->refilter();
        updateCount();
    });
    paneLayout->addWidget(m_search);

    m_chips = new TagChips(pane);
    m_chips->setObjectName(key + QStringLiteral("Filter"));
    connect(m_chips, &TagChips::toggled, this, [this] {
        m_filter->refilter();
        updateCount();
    });
    paneLayout->addWidget(m_chips);
    m_lastFilter = m_chips;

    auto* tools = new QHBoxLayout;
    m_count = theme::label(QString(), "hint", pane);
    m_count->setObjectName(key + QStringLiteral("Count"));
    tools->addWidget(m_count, 1);
    m_sort = new QToolButton(pane);
    m_sort->setObjectName(key + QStringLiteral("Sort"));
    m_sort->setText(QStringLiteral("Trier"));
    m_sort->setToolTip(QStringLiteral("Ordre de la liste"));
    m_sort->setPopupMode(QToolButton::InstantPopup);
    m_sort->setAutoRaise(true);
    m_sort->setMenu(new QMenu(m_sort));
    tools->addWidget(m_sort);
    paneLayout->addLayout(tools);

    m_list = new QListView(pane);
    m_list->setObjectName(key + QStringLiteral("List"));
    m_list->setProperty("role", QStringLiteral("records"));
    m_list->setItemDelegate(new RecordDelegate(m_list));
    m_list->setModel(m_filter);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMouseTracking(true);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QListView::customContextMenuRequested, this,
            &RecordSectionPage::showContextMenu);
    connect(m_list, &QListView::doubleClicked, this, [this] { run(SectionCommand::edit); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &RecordSectionPage::showCurrent);
    followSelection(*m_list);
    paneLayout->addWidget(m_list, 1);

    m_detail = new QStackedWidget(splitter);
    m_noSelection = theme::label(noSelectionText(), "hint", m_detail);
    m_noSelection->setAlignment(Qt::AlignCenter);
    m_detail->addWidget(m_noSelection);
    m_cardArea = new QScrollArea(m_detail);
    m_cardArea->setWidgetResizable(true);
    m_cardArea->setFrameShape(QFrame::NoFrame);
    m_detail->addWidget(m_cardArea);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({340, 700});
    m_pages->addWidget(splitter);
}

void RecordSectionPage::setRecords(RecordListModelBase* model, const QList<SortKey>& sortKeys,
                                   const EmptyState& empty, const QString& searchPlaceholder) {
    m_model = model;
    m_filter->setSourceModel(model);
    m_emptySymbol->setPixmap(symbolPixmap(empty.symbol, 56, theme::accent()));
    m_emptySentence->setText(empty.sentence);
    m_emptyAction->setText(empty.action);
    const bool creates = canRun(SectionCommand::create);
    m_add->setVisible(creates);
    m_emptyAction->setVisible(creates);
    m_search->setPlaceholderText(searchPlaceholder);
    m_search->setAccessibleName(searchPlaceholder);

    auto* group = new QActionGroup(m_sort);
    for (const SortKey& key : sortKeys) {
        QAction* action = m_sort->menu()->addAction(key.label);
        action->setCheckable(true);
        group->addAction(action);
        const int index = int(m_sortActions.size());
        m_sortActions.append(action);
        connect(action, &QAction::triggered, this, [this, key, index] {
            m_filter->sort(key.column, key.order);
            m_sort->setText(key.label);
            sortChosen(index);
        });
    }
    if (!sortKeys.isEmpty())
        group->actions().constFirst()->trigger();
    recordsChanged();
}

void RecordSectionPage::chooseSort(int index) {
    if (index >= 0 && index < m_sortActions.size())
        m_sortActions[index]->trigger();
}

void RecordSectionPage::addFilterRow(QWidget* row) {
    m_pane->insertWidget(m_pane->indexOf(m_lastFilter) + 1, row);
    m_lastFilter = row;
}

void RecordSectionPage::addHeaderWidget(QWidget* widget) {
    m_header->insertWidget(m_header->count() - 1, widget);
}

void RecordSectionPage::addEmptyStateWidget(QWidget* widget) {
    m_emptyLayout->insertWidget(m_emptyLayout->indexOf(m_emptyAction) + 1, widget, 0,
                                Qt::AlignCenter);
}

void RecordSectionPage::setCard(QWidget* card) {
    m_cardArea->setWidget(card);
}

QString RecordSectionPage::query() const {
    return m_search->text();
}

QUuid RecordSectionPage::currentId() const {
    return m_filter->idAt(m_list->currentIndex().row());
}

bool RecordSectionPage::holds(const QUuid& id) const {
    return m_model && (m_model->rowOf(id) >= 0 || holdsTag(id));
}

bool RecordSectionPage::holdsTag(const QUuid& id) const {
    return std::ranges::any_of(m_chips->tags(), [&](const TagItem& tag) { return tag.id == id; });
}

void RecordSectionPage::showTag(const QUuid& id) {
    showOnlyChip(id);
}

void RecordSectionPage::showOnlyChip(const QUuid& id) {
    m_search->clear();
    clearOwnFilters();
    m_chips->setChecked({id});
    m_filter->refilter();
    updateCount();
}

void RecordSectionPage::select(const QUuid& id) {
    if (m_model && m_model->rowOf(id) < 0 && holdsTag(id)) {
        showTag(id);
        return;
    }
    if (m_filter->rowOf(id) < 0) {
        m_search->clear();
        m_chips->setChecked({});
        clearOwnFilters();
        m_filter->refilter();
        updateCount();
    }
    const int row = m_filter->rowOf(id);
    if (row >= 0)
        m_list->setCurrentIndex(m_filter->index(row, 0));
}

void RecordSectionPage::recordsChanged(const QList<TagItem>& tags) {
    m_chips->setTags(tags);
    m_chips->setVisible(!tags.isEmpty());
    m_filter->refilter();
    recordsChanged();
}

void RecordSectionPage::openFullPage(QWidget* page) {
    closeFullPage();
    m_fullPage = page;
    m_pages->addWidget(page);
    m_pages->setCurrentWidget(page);
    refreshCommands();
}

void RecordSectionPage::closeFullPage() {
    if (!m_fullPage)
        return;
    // The focus goes back to the records, not to the next button in line.
    QWidget* focused = QApplication::focusWidget();
    const bool hadFocus = focused && (focused == m_fullPage || m_fullPage->isAncestorOf(focused));
    m_pages->removeWidget(m_fullPage);
    m_fullPage->hide();
    if (hadFocus)
        m_list->setFocus(Qt::OtherFocusReason);
    m_fullPage->deleteLater();
    m_fullPage = nullptr;
    recordsChanged();
}

void RecordSectionPage::recordsChanged() {
    const bool any = m_model && m_model->rowCount() > 0;
    if (!m_fullPage)
        m_pages->setCurrentIndex(any ? 1 : 0);
    // The card is built again, even for the same record, but only once.
    m_shown = QUuid();
    updateCount();
    if (m_shown.isNull())
        showCurrent();
}

void RecordSectionPage::showCurrent() {
    const QUuid id = currentId();
    m_shown = id;
    m_detail->setCurrentIndex(id.isNull() ? 0 : 1);
    if (!id.isNull())
        showRecord(id);
    refreshCommands();
}

void RecordSectionPage::updateCount() {
    if (m_countText)
        m_count->setText(m_countText(m_filter->rowCount()));
    // A desktop list always shows something on the right when it can.
    if (!m_list->currentIndex().isValid() && m_filter->rowCount() > 0)
        m_list->setCurrentIndex(m_filter->index(0, 0));
    else if (m_shown != currentId())
        showCurrent();
}

void RecordSectionPage::showContextMenu(const QPoint& at) {
    const QModelIndex index = m_list->indexAt(at);
    if (!index.isValid())
        return;
    m_list->setCurrentIndex(index);
    QMenu menu(this);
    QAction* edit = menu.addAction(QStringLiteral("Modifier…"));
    edit->setEnabled(canRun(SectionCommand::edit));
    QAction* remove =
        menu.addAction(symbolIcon(QStringLiteral("trash")), QStringLiteral("Supprimer…"));
    remove->setEnabled(canRun(SectionCommand::remove));
    QAction* chosen = menu.exec(m_list->viewport()->mapToGlobal(at));
    if (chosen == edit)
        run(SectionCommand::edit);
    else if (chosen == remove)
        run(SectionCommand::remove);
}

Alert RecordSectionPage::failureAlert(ResultKind kind, const QString& message) {
    return okAlert(kind == ResultKind::notSaved ? QStringLiteral("Enregistrement impossible")
                                                : QStringLiteral("Action impossible"),
                   message);
}

bool RecordSectionPage::confirmNow(const Alert& confirmation) {
    return confirm(m_services.dialogs, this, confirmation);
}

void RecordSectionPage::showFailure(const Alert& alert) {
    m_services.dialogs.ask(this, alert);
}

bool RecordSectionPage::canRun(SectionCommand command) const {
    if (m_fullPage)
        return false;
    switch (command) {
    case SectionCommand::create:
    case SectionCommand::search:
        return true;
    case SectionCommand::edit:
        return !currentId().isNull() && canEdit(currentId());
    case SectionCommand::remove:
        return !currentId().isNull();
    case SectionCommand::exportPDF:
        return false;
    }
    return false;
}

void RecordSectionPage::run(SectionCommand command) {
    if (!canRun(command))
        return;
    switch (command) {
    case SectionCommand::create:
        createRecord();
        break;
    case SectionCommand::edit:
        editRecord(currentId());
        break;
    case SectionCommand::remove:
        removeRecord(currentId());
        break;
    case SectionCommand::search:
        m_pages->setCurrentIndex(1);
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
        break;
    case SectionCommand::exportPDF:
        break;
    }
}

void RecordSectionPage::showEntry(const SidebarMenuItemConfig& entry) {
    m_title->setText(entry.displayName);
}

} // namespace velmora::gui
