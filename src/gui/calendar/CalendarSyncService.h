#pragma once

#include "core/calendar/CalendarSync.h"
#include "gui/common/SectionServices.h"

#include <QFutureWatcher>
#include <QTimer>

#include <functional>
#include <optional>

namespace velmora {
class AppDataStore;
class UserDefaults;
} // namespace velmora

namespace velmora::gui {

// Copies the calendar into the system calendar store (a vdir folder) while a
// session is on screen: when the user connects or asks, and 1.5 s after the
// last change of the events or their filters once connected. The session is
// taken on the interface thread (a shared copy, so taking it costs nothing);
// the events are built, mapped and written on a worker thread; the outcome
// comes back to the interface thread, where the preferences are saved.
class CalendarSyncService : public SessionService {
    Q_OBJECT

public:
    static constexpr int debounceMs = 1500;
    enum class State { idle, creating, syncing };
    using Done = std::function<void(const CalendarSyncOutcome&)>;

    // The user setting that names the store's folder.
    static QString folderSetting() { return QStringLiteral("calendarStoreFolder"); }

    // Without user defaults (tests), the folder is the default one.
    CalendarSyncService(AppDataStore& store, UserDefaults* defaults, QObject* parent = nullptr);
    ~CalendarSyncService() override;

    void start() override;
    void stop() override;

    State state() const { return m_state; }
    bool isConnected() const;
    // The vdir root the calendar lives in; the user may move it.
    QString storeFolder() const;
    void setStoreFolder(const QString& folder);
    // The title of the application's calendar in the store, when it is there.
    std::optional<QString> calendarTitle() const;
    // What the last run of this session did; none before the first.
    const std::optional<CalendarSyncOutcome>& lastOutcome() const { return m_last; }

    // Finds or creates the calendar and writes the events; `done` receives
    // the outcome, for the message a user's own request shows.
    void synchroniseNow(Done done = {});

signals:
    void stateChanged();

private:
    struct Job {
        QString target; // the folder and calendar written to
        QList<CalendarStoreEvent> events;
        std::optional<CalendarSyncOutcome> outcome; // none: skipped, nothing changed
    };
    void run(bool requested, Done done);
    void finish();

    AppDataStore& m_store;
    UserDefaults* m_defaults;
    QTimer m_timer;
    QFutureWatcher<Job> m_watcher;
    State m_state = State::idle;
    bool m_active = false;
    // A change came while a run was going: one more run follows it.
    bool m_again = false;
    bool m_againRequested = false;
    Done m_againDone;
    // What the last completed run wrote, and where: an automatic run with
    // the same leaves the store alone.
    QList<CalendarStoreEvent> m_written;
    QString m_writtenTo;
    std::optional<CalendarSyncOutcome> m_last;
    Done m_done;
    // Bumped when the session leaves the screen: a run still going then
    // belongs to it, and its outcome is not applied to the next one.
    int m_generation = 0;
    int m_runGeneration = 0;
};

} // namespace velmora::gui
