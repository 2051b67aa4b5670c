#include "gui/calendar/CalendarSyncService.h"

#include "core/calendar/CalendarEvents.h"
#include "core/calendar/CalendarSources.h"
#include "core/calendar/CalendarSyncMapping.h"
#include "core/platform/Clock.h"
#include "core/platform/UserDefaults.h"
#include "core/store/AppDataStore.h"
#include "desktop/VdirCalendarStore.h"

#include <QtConcurrent/QtConcurrentRun>
#include <QtDebug>

namespace velmora::gui {

using namespace Qt::StringLiterals;

namespace {

QString targetOf(const QString& folder, const QString& calendarId) {
    return folder + u'\n' + calendarId;
}

} // namespace

CalendarSyncService::CalendarSyncService(AppDataStore& store, UserDefaults* defaults,
                                         QObject* parent)
    : SessionService(parent), m_store(store), m_defaults(defaults) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { run(false, {}); });
    connect(&m_store, &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (m_active && isConnected() && fields.intersects(calendarSources()))
            m_timer.start(debounceMs);
    });
    connect(&m_watcher, &QFutureWatcher<Job>::finished, this, &CalendarSyncService::finish);
}

// The run writes a folder of the user's: it is finished rather than left
// to the thread pool once the window is gone.
CalendarSyncService::~CalendarSyncService() {
    m_watcher.waitForFinished();
}

void CalendarSyncService::start() {
    m_active = true;
    // The calendar is found again, or created again, as the session appears.
    if (isConnected())
        m_timer.start(0);
}

void CalendarSyncService::stop() {
    m_active = false;
    m_timer.stop();
    ++m_generation;
    m_again = false;
    m_againDone = {};
    m_written.clear();
    m_writtenTo.clear();
    m_last.reset();
}

bool CalendarSyncService::isConnected() const {
    return m_store.session().preferences.calendarICloudCalendarID.has_value();
}

QString CalendarSyncService::storeFolder() const {
    const QString chosen = m_defaults ? m_defaults->value(folderSetting()).toString() : QString();
    return chosen.isEmpty() ? VdirCalendarStore::defaultRoot() : chosen;
}

void CalendarSyncService::setStoreFolder(const QString& folder) {
    if (!m_defaults || folder.isEmpty() || folder == storeFolder())
        return;
    m_defaults->setValue(folderSetting(), folder);
    emit stateChanged();
    if (m_active && isConnected())
        m_timer.start(0);
}

std::optional<QString> CalendarSyncService::calendarTitle() const {
    const std::optional<QString>& id = m_store.session().preferences.calendarICloudCalendarID;
    if (!id)
        return std::nullopt;
    const FixedClock clock(m_store.clock().now());
    const std::optional<CalendarInfo> info = VdirCalendarStore(storeFolder(), clock).calendar(*id);
    return info ? std::optional(info->title) : std::nullopt;
}

void CalendarSyncService::synchroniseNow(Done done) {
    m_timer.stop();
    run(true, std::move(done));
}

void CalendarSyncService::run(bool requested, Done done) {
    if (m_state != State::idle) {
        // Changes made during a run are written by the next one rather than
        // dropped.
        m_again = true;
        m_againRequested = m_againRequested || requested;
        if (done)
            m_againDone = std::move(done);
        return;
    }
    if (!m_active || (!requested && !isConnected()))
        return;
    const AppDatabase session = m_store.session();
    const QDateTime now = m_store.clock().now();
    const std::optional<QString> stored = session.preferences.calendarICloudCalendarID;
    const QString folder = storeFolder();
    std::optional<QList<CalendarStoreEvent>> previous;
    if (!requested && stored && m_writtenTo == targetOf(folder, *stored))
        previous = m_written;
    m_state = stored ? State::syncing : State::creating;
    m_done = std::move(done);
    m_runGeneration = m_generation;
    emit stateChanged();
    m_watcher.setFuture(QtConcurrent::run([session, now, stored, folder, previous] {
        Job job;
        job.events = calendarStoreEvents(buildCalendarEvents(session, now), session, now);
        const FixedClock clock(now);
        VdirCalendarStore store(folder, clock);
        if (previous && *previous == job.events && store.calendar(*stored))
            return job;
        job.outcome = synchroniseCalendar(store, job.events, stored, now);
        if (job.outcome->calendarId)
            job.target = targetOf(folder, *job.outcome->calendarId);
        return job;
    }));
}

void CalendarSyncService::finish() {
    const Job job = m_watcher.result();
    m_state = State::idle;
    const Done done = std::exchange(m_done, {});
    if (m_runGeneration == m_generation && job.outcome) {
        const CalendarSyncOutcome& outcome = *job.outcome;
        if (outcome.completed) {
            m_written = job.events;
            m_writtenTo = job.target;
        }
        m_last = outcome;
        const QDateTime now = m_store.clock().now();
        const Result<> saved = m_store.edit(
            [&](SessionEdit& edit) { return applyCalendarSyncOutcome(edit, outcome, now); });
        if (!saved && saved.kind() != ResultKind::unchanged)
            qWarning("Synchronisation du calendrier non enregistrée : %s",
                     qUtf8Printable(saved.error()));
    }
    emit stateChanged();
    if (done && job.outcome)
        done(*job.outcome);
    if (m_again && m_active) {
        m_again = false;
        const bool requested = std::exchange(m_againRequested, false);
        run(requested, std::exchange(m_againDone, {}));
    }
}

} // namespace velmora::gui
