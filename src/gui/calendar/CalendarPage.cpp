#include "gui/calendar/CalendarPage.h"

#include "core/calendar/CalendarEventForm.h"
#include "core/calendar/CalendarEventListModel.h"
#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarFilters.h"
#include "core/calendar/CalendarMonthModel.h"
#include "core/calendar/CalendarSearch.h"
#include "core/calendar/CalendarSources.h"
#include "core/calendar/CalendarSyncStatus.h"
#include "core/store/AppDataStore.h"
#include "gui/calendar/CalendarDelegates.h"
#include "gui/calendar/CalendarEventFormSheet.h"
#include "gui/calendar/CalendarSettingsSheet.h"
#include "gui/calendar/CalendarSyncService.h"
#include "gui/calendar/CalendarSyncSheet.h"
#include "gui/common/DayWatch.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/Icons.h"
#include "gui/common/SectionServices.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

using namespace Qt::StringLiterals;

namespace {

QToolButton* iconButton(const QString& symbol, const QString& tip, const QString& name,
                        QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(symbolIcon(symbol));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    return button;
}

QListView* eventList(const QString& name, const QString& accessible, CalendarEventListModel* model,
                     QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessible);
    list->setModel(model);
    list->setItemDelegate(new CalendarEventDelegate(list));
    list->setMouseTracking(true);
    list->setFrameShape(QFrame::NoFrame);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return list;
}

QDate today(const AppDataStore& store) {
    return store.clock().now().toLocalTime().date();
}

} // namespace

CalendarPage::CalendarPage(const SectionServices& services, QWidget* parent)
    : SectionPage(parent), m_store(services.store), m_dialogs(services.dialogs),
      m_sync(sessionService<CalendarSyncService>(services)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);

    // The month, its navigation, the search and the page's own actions.
    auto* header = new QHBoxLayout;
    QToolButton* previous =
        iconButton(u"chevron.left"_s, u"Mois précédent"_s, u"calendarPreviousMonth"_s, this);
    QToolButton* next =
        iconButton(u"chevron.right"_s, u"Mois suivant"_s, u"calendarNextMonth"_s, this);
    auto* todayButton = new QPushButton(u"Aujourd’hui"_s, this);
    todayButton->setObjectName(u"calendarToday"_s);
    m_monthTitle = theme::label(QString(), "title", this);
    m_monthTitle->setObjectName(u"calendarMonthTitle"_s);
    m_monthTitle->setWordWrap(false);
    header->addWidget(previous);
    header->addWidget(todayButton);
    header->addWidget(next);
    header->addSpacing(8);
    header->addWidget(m_monthTitle);
    header->addSpacing(12);
    auto* viewChoice = new QButtonGroup(this);
    for (const auto& [text, name] : {std::pair{u"Mois"_s, u"calendarViewMonth"_s},
                                     std::pair{u"Liste"_s, u"calendarViewList"_s}}) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setObjectName(name);
        button->setCheckable(true);
        button->setChecked(viewChoice->buttons().isEmpty());
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setProperty("role", u"chip"_s);
        viewChoice->addButton(button, int(viewChoice->buttons().size()));
        header->addWidget(button);
    }
    header->addStretch();
    m_search = new QLineEdit(this);
    m_search->setObjectName(u"calendarSearch"_s);
    m_search->setPlaceholderText(u"Rechercher un événement…"_s);
    m_search->setAccessibleName(u"Rechercher un événement"_s);
    m_search->setClearButtonEnabled(true);
    m_search->setMaximumWidth(260);
    header->addWidget(m_search);
    QToolButton* settings =
        iconButton(u"gearshape"_s, u"Paramètres du calendrier"_s, u"calendarSettings"_s, this);
    header->addWidget(settings);
    QToolButton* add = iconButton(u"plus"_s, u"Nouvel événement"_s, u"calendarNewEvent"_s, this);
    header->addWidget(add);
    layout->addLayout(header);

    auto* secondRow = new QHBoxLayout;
    m_filterBar = new QWidget(this);
    m_filterBar->setObjectName(u"calendarFilterBar"_s);
    m_filterFlow = new FlowLayout(m_filterBar);
    m_filterFlow->setContentsMargins(0, 0, 0, 0);
    secondRow->addWidget(m_filterBar, 1);
    m_syncButton = theme::button(QString(), "link", this);
    m_syncButton->setObjectName(u"calendarSyncStatus"_s);
    m_syncButton->setVisible(m_sync != nullptr);
    secondRow->addWidget(m_syncButton, 0, Qt::AlignTop);
    layout->addLayout(secondRow);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    m_month = new CalendarMonthModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(u"calendarMonth"_s);
    m_grid->setAccessibleName(u"Mois"_s);
    m_grid->setModel(m_month);
    m_grid->setItemDelegate(new CalendarDayDelegate(m_grid));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setMouseTracking(true);
    m_grid->setCornerButtonEnabled(false);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setMinimumSize(480, 420);
    m_views = new QStackedWidget(this);
    m_views->addWidget(m_grid);
    auto* listPage = new QWidget(m_views);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_monthEvents = new CalendarEventListModel(true, this);
    m_monthList =
        eventList(u"calendarMonthList"_s, u"Événements du mois"_s, m_monthEvents, listPage);
    listLayout->addWidget(m_monthList, 1);
    m_monthEmpty = theme::label(u"Aucun événement ce mois-ci."_s, "hint", listPage);
    m_monthEmpty->setObjectName(u"calendarMonthEmpty"_s);
    listLayout->addWidget(m_monthEmpty);
    listLayout->addStretch();
    m_views->addWidget(listPage);
    body->addWidget(m_views, 1);

    auto* side = new QVBoxLayout;
    m_dayTitle = theme::label(QString(), "section", this);
    m_dayTitle->setObjectName(u"calendarDayTitle"_s);
    side->addWidget(m_dayTitle);
    m_day = new CalendarEventListModel(false, this);
    m_dayList = eventList(u"calendarDayList"_s, u"Événements du jour"_s, m_day, this);
    side->addWidget(m_dayList, 1);
    m_dayEmpty = theme::label(u"Ce jour n'a aucun événement programmé."_s, "hint", this);
    m_dayEmpty->setObjectName(u"calendarDayEmpty"_s);
    m_dayEmpty->setWordWrap(true);
    side->addWidget(m_dayEmpty);
    side->addSpacing(8);
    side->addWidget(theme::label(u"Prochains événements"_s, "section", this));
    m_upcoming = new CalendarEventListModel(true, this);
    m_upcomingList =
        eventList(u"calendarUpcomingList"_s, u"Prochains événements"_s, m_upcoming, this);
    side->addWidget(m_upcomingList, 1);
    m_upcomingEmpty = new QWidget(this);
    m_upcomingEmpty->setObjectName(u"calendarUpcomingEmpty"_s);
    auto* empty = new QVBoxLayout(m_upcomingEmpty);
    empty->setContentsMargins(0, 0, 0, 0);
    empty->addWidget(theme::label(u"Aucun événement"_s, "section", m_upcomingEmpty));
    for (const QString& line : {u"Tous vos événements à venir s'afficheront ici."_s,
                                u"Vos activités, factures et abonnements apparaîtront "
                                u"automatiquement ici."_s,
                                u"Vous pouvez aussi cliquer sur ➕ pour créer un événement "
                                u"personnalisé."_s}) {
        QLabel* text = theme::label(line, "hint", m_upcomingEmpty);
        text->setWordWrap(true);
        empty->addWidget(text);
    }
    empty->addStretch();
    side->addWidget(m_upcomingEmpty, 1);
    auto* sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    side->setContentsMargins(0, 0, 0, 0);
    sideWidget->setFixedWidth(300);
    body->addWidget(sideWidget);
    layout->addLayout(body, 1);

    connect(previous, &QToolButton::clicked, this,
            [this] { showMonth(m_month->month().addMonths(-1)); });
    connect(next, &QToolButton::clicked, this,
            [this] { showMonth(m_month->month().addMonths(1)); });
    connect(todayButton, &QPushButton::clicked, this, [this] { selectDay(today(m_store)); });
    for (auto [key, step] : {std::pair{QKeySequence::MoveToPreviousPage, -1},
                             std::pair{QKeySequence::MoveToNextPage, 1}}) {
        auto* shortcut = new QShortcut(key, m_grid, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step] {
            const QDate day = m_selected.isValid() ? m_selected : m_month->month();
            selectDay(day.addMonths(step));
        });
    }
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    selectDay(m_month->dateAt(current));
            });
    // The press before it has selected the day, and may have turned the
    // month: the day is the selected one, not the cell's new date.
    connect(m_grid, &QTableView::doubleClicked, this, &CalendarPage::newEvent);
    connect(m_search, &QLineEdit::textChanged, this, &CalendarPage::applyFilters);
    connect(settings, &QToolButton::clicked, this, [this] {
        auto* sheet = new CalendarSettingsSheet(m_store, m_dialogs, this);
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        sheet->open();
    });
    connect(add, &QToolButton::clicked, this, &CalendarPage::newEvent);
    if (m_sync) {
        connect(m_syncButton, &QPushButton::clicked, this, [this] {
            auto* sheet = new CalendarSyncSheet(m_store, *m_sync, m_dialogs, this);
            sheet->setAttribute(Qt::WA_DeleteOnClose);
            sheet->open();
        });
        connect(m_sync, &CalendarSyncService::stateChanged, this, &CalendarPage::refreshSync);
    }

    connect(viewChoice, &QButtonGroup::idClicked, m_views, &QStackedWidget::setCurrentIndex);
    for (QListView* list : {m_monthList, m_dayList, m_upcomingList}) {
        auto* model = static_cast<CalendarEventListModel*>(list->model());
        connect(list, &QListView::activated, this, [this, model](const QModelIndex& index) {
            if (const CalendarEventItem* item = model->itemAt(index))
                openItem(*item);
        });
        connect(list, &QListView::customContextMenuRequested, this,
                [this, list, model](const QPoint& at) {
                    const CalendarEventItem* item = model->itemAt(list->indexAt(at));
                    if (!item)
                        return;
                    const CalendarEventItem chosen = *item;
                    QMenu menu(this);
                    if (chosen.customEventID) {
                        const QUuid id = *chosen.customEventID;
                        menu.addAction(u"Modifier"_s, this, [this, id] { editEvent(id); });
                        menu.addAction(u"Supprimer"_s, this, [this, id] { deleteEvent(id); });
                    } else {
                        menu.addAction(u"Ouvrir"_s, this, [this, chosen] { openItem(chosen); });
                    }
                    menu.exec(list->viewport()->mapToGlobal(at));
                });
    }
    connect(m_dayList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CalendarPage::refreshCommands);

    addCommand(
        SectionCommand::create, [] { return true; }, [this] { newEvent(); });
    addCommand(
        SectionCommand::edit, [this] { return currentUserEvent().has_value(); },
        [this] { editEvent(*currentUserEvent()); });
    addCommand(
        SectionCommand::remove, [this] { return currentUserEvent().has_value(); },
        [this] { deleteEvent(*currentUserEvent()); });
    addCommand(
        SectionCommand::search, [] { return true; },
        [this] {
            m_search->setFocus();
            m_search->selectAll();
        });

    m_rebuild.setSingleShot(true);
    connect(&m_rebuild, &QTimer::timeout, this, &CalendarPage::rebuild);
    connect(&m_store, &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (fields.intersects(calendarSources())) {
            m_dirty = true;
            if (isVisible())
                m_rebuild.start(0);
        }
        refreshSync();
    });
    // Left open across midnight, today moves; hidden, showEvent sees it.
    connect(new DayWatch(m_store.clock(), this), &DayWatch::dayChanged, this, [this] {
        if (isVisible())
            rebuild();
    });
    selectDay(today(m_store));
    refreshSync();
}

void CalendarPage::showEvent(QShowEvent* event) {
    SectionPage::showEvent(event);
    if (m_dirty || m_builtOn != today(m_store))
        rebuild();
}

void CalendarPage::rebuild() {
    const QDateTime now = m_store.clock().now();
    m_events = buildCalendarEvents(m_store.session(), now);
    m_searchText.clear();
    m_dirty = false;
    m_builtOn = now.toLocalTime().date();
    m_month->setToday(m_builtOn);
    applyFilters();
    refreshFilterBar();
}

void CalendarPage::applyFilters() {
    const AppDatabase& db = m_store.session();
    QList<CalendarEventItem> shown =
        filterCalendarEvents(m_events, db, db.preferences.calendarDisabledCategories);
    const QString query = m_search->text();
    // Folded at the first key of a search, not at every build of the list.
    if (!query.trimmed().isEmpty() && m_searchText.isEmpty())
        m_searchText = calendarSearchTexts(m_events);
    shown = searchCalendarEvents(std::move(shown), m_searchText, query);
    m_byDay = calendarEventsByDay(shown);
    m_month->setEvents(m_byDay);
    const QList<CalendarEventItem> upcoming = upcomingCalendarEvents(shown, m_store.clock().now());
    m_upcoming->setEvents(upcoming);
    m_upcomingList->setVisible(!upcoming.isEmpty());
    m_upcomingEmpty->setVisible(upcoming.isEmpty());
    refreshMonthList();
    showDay();
}

void CalendarPage::refreshMonthList() {
    const QList<CalendarEventItem> items = calendarMonthEvents(m_byDay, m_month->month());
    m_monthEvents->setEvents(items);
    // The list keeps its height with one row or none: the hint sits on top.
    m_monthList->setVisible(!items.isEmpty());
    m_monthEmpty->setVisible(items.isEmpty());
}

void CalendarPage::showDay() {
    m_dayTitle->setText(m_selected.isValid() ? calendarDayTitle(m_selected)
                                             : u"Sélectionnez un jour"_s);
    const QList<CalendarEventItem> items = m_byDay.value(m_selected);
    m_day->setEvents(items);
    m_dayList->setVisible(!items.isEmpty());
    m_dayEmpty->setVisible(m_selected.isValid() && items.isEmpty());
    refreshCommands();
}

void CalendarPage::showMonth(const QDate& day) {
    m_month->setMonth(day);
    m_monthTitle->setText(calendarMonthTitle(m_month->month()));
    refreshMonthList();
    const QModelIndex selected = m_month->indexOf(m_selected);
    QSignalBlocker blocker(m_grid->selectionModel());
    if (selected.isValid())
        m_grid->selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
    else
        m_grid->selectionModel()->clear();
    m_grid->viewport()->update();
}

void CalendarPage::selectDay(const QDate& day) {
    if (!day.isValid())
        return;
    m_selected = day;
    // A day of the neighbouring months, chosen in the grid, brings its month.
    if (day.year() != m_month->month().year() || day.month() != m_month->month().month())
        showMonth(day);
    else
        showMonth(m_month->month());
    showDay();
}

void CalendarPage::refreshFilterBar() {
    const AppDatabase& db = m_store.session();
    const AppPreferences& prefs = db.preferences;
    while (QLayoutItem* item = m_filterFlow->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const CalendarFilter& filter :
         orderedCalendarFilters(calendarFilters(db.customCalendarTags), prefs.calendarFilterOrder,
                                prefs.calendarHiddenFilters)) {
        auto* chip = new QToolButton(m_filterBar);
        chip->setObjectName(u"calendarFilter_"_s + filter.id);
        chip->setText(filter.label);
        chip->setIcon(colorDot(QColor(filter.color)));
        chip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        chip->setCheckable(true);
        chip->setChecked(isCalendarFilterEnabled(prefs, filter.id));
        chip->setToolTip(u"Afficher ou masquer : "_s + filter.label);
        chip->setIconSize(QSize(12, 12));
        chip->setCursor(Qt::PointingHandCursor);
        chip->setAccessibleName(filter.label);
        theme::setRole(chip, "chip");
        fitCheckedText(chip);
        const QString id = filter.id;
        connect(chip, &QToolButton::toggled, this, [this, id](bool on) {
            m_store.edit([&](SessionEdit& edit) {
                setCalendarFilterEnabled(edit.preferences(), id, on);
                return Result<>();
            });
        });
        m_filterFlow->addWidget(chip);
    }
}

void CalendarPage::refreshSync() {
    if (!m_sync)
        return;
    const AppPreferences& prefs = m_store.session().preferences;
    QString text = calendarScreenSyncText(prefs);
    if (m_sync->state() == CalendarSyncService::State::syncing)
        text = u"Synchronisation en cours…"_s;
    else if (m_sync->state() == CalendarSyncService::State::creating)
        text = u"Création du calendrier en cours…"_s;
    m_syncButton->setText(text);
    m_syncButton->setToolTip(prefs.calendarSyncError ? u"Erreur : "_s + *prefs.calendarSyncError
                                                     : u"Synchronisation avec le calendrier "
                                                       u"système"_s);
}

std::optional<QUuid> CalendarPage::currentUserEvent() const {
    const CalendarEventItem* item = m_day->itemAt(m_dayList->currentIndex());
    if (!item || !item->customEventID)
        return std::nullopt;
    return item->customEventID;
}

void CalendarPage::newEvent() {
    const QDate day = m_selected.isValid() ? m_selected : today(m_store);
    auto* sheet =
        new CalendarEventFormSheet(m_store, CalendarEventForm(day, m_store.clock().now()), this);
    connect(sheet, &CalendarEventFormSheet::saved, this,
            [this, sheet] { selectDay(sheet->model().day); });
    sheet->open();
}

void CalendarPage::editEvent(const QUuid& eventID) {
    for (const CustomCalendarEvent& event : m_store.session().customCalendarEvents) {
        if (event.id != eventID)
            continue;
        auto* sheet = new CalendarEventFormSheet(m_store, CalendarEventForm(event), this);
        sheet->open();
        return;
    }
}

void CalendarPage::deleteEvent(const QUuid& eventID) {
    for (const CustomCalendarEvent& event : m_store.session().customCalendarEvents) {
        if (event.id != eventID)
            continue;
        if (!confirm(m_dialogs, this, calendarEventDeletionConfirmation(event.title)))
            return;
        m_store.edit([&](SessionEdit& edit) { return deleteCalendarEvent(edit, eventID); });
        return;
    }
}

void CalendarPage::openItem(const CalendarEventItem& item) {
    if (item.customEventID) {
        editEvent(*item.customEventID);
        return;
    }
    std::optional<QUuid> target = item.linkedDocumentID;
    if (item.linkedMenuKey == u"projects")
        target = item.linkedProjectID;
    else if (item.linkedMenuKey == u"accounting")
        target = item.recurringPurchaseID         ? item.recurringPurchaseID
                 : item.linkedURSSAFDeclarationID ? item.linkedURSSAFDeclarationID
                                                  : item.linkedPurchaseID;
    emit openRequested(item.linkedMenuKey, target.value_or(QUuid()));
}

bool CalendarPage::holds(const QUuid& id) const {
    const QList<CustomCalendarEvent>& events = m_store.session().customCalendarEvents;
    return std::any_of(events.cbegin(), events.cend(),
                       [&](const CustomCalendarEvent& e) { return e.id == id; });
}

void CalendarPage::reveal(const QUuid& id) {
    for (const CustomCalendarEvent& event : m_store.session().customCalendarEvents) {
        if (event.id != id)
            continue;
        selectDay(event.date.toLocalTime().date());
        for (int row = 0; row < m_day->rowCount(); ++row)
            if (m_day->events().at(row).customEventID == id)
                m_dayList->setCurrentIndex(m_day->index(row));
        return;
    }
}

} // namespace velmora::gui
