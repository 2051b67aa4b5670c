#include "desktop/DbusUserNotifications.h"

#include "desktop/AtomicFile.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

const QString service = u"org.freedesktop.Notifications"_s;
const QString objectPath = u"/org/freedesktop/Notifications"_s;
const QString interface = u"org.freedesktop.Notifications"_s;
// The base name of the installed desktop file and of the icon.
const QString desktopName = u"velmora"_s;
constexpr int answerTimeoutMs = 5000;
// A timer's clock stops while the machine sleeps, and a wait of weeks would
// not fit in it: the pending requests are looked at again at least this often.
constexpr qint64 longestWaitMs = 10 * 60 * 1000;
// How long a reminder that no server showed waits before it is tried again.
constexpr qint64 retryDelayMs = 5 * 60 * 1000;

QDBusMessage methodCall(const QString& method) {
    return QDBusMessage::createMethodCall(service, objectPath, interface, method);
}

QVariantMap hintsFor(const NotificationRequest& request) {
    QVariantMap hints{{u"urgency"_s, QVariant::fromValue(uchar(request.critical ? 2 : 1))},
                      {u"desktop-entry"_s, desktopName}};
    if (request.defaultSound)
        hints.insert(u"sound-name"_s,
                     request.critical ? u"dialog-warning"_s : u"message-new-instant"_s);
    else
        hints.insert(u"suppress-sound"_s, true);
    return hints;
}

int delayMs(const DelayTrigger& trigger) {
    const double ms = std::clamp(trigger.seconds * 1000, 0.0, double(INT_MAX));
    return int(std::lround(ms));
}

} // namespace

DbusUserNotifications::DbusUserNotifications(QDBusConnection bus, QString pendingFile,
                                             const Clock& clock, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_pendingFile(std::move(pendingFile)),
      m_clock(clock) {
    const QFileInfo info(m_pendingFile);
    AtomicFile::removeLeftovers(info.absolutePath(), info.fileName());
    if (QFile file(m_pendingFile); file.open(QIODevice::ReadOnly))
        m_pending = PendingNotifications::decode(file.readAll());
    m_pendingTimer.setSingleShot(true);
    connect(&m_pendingTimer, &QTimer::timeout, this, &DbusUserNotifications::postDue);
    // The reminders are replanned a dozen at a time: one write, with its
    // syncs, for all of them.
    m_saveTimer.setSingleShot(true);
    connect(&m_saveTimer, &QTimer::timeout, this, &DbusUserNotifications::save);
    m_bus.connect(service, objectPath, interface, u"ActionInvoked"_s, this,
                  SLOT(actionInvoked(uint, QString)));
    m_bus.connect(service, objectPath, interface, u"NotificationClosed"_s, this,
                  SLOT(notificationClosed(uint, uint)));
    rearm();
}

DbusUserNotifications::~DbusUserNotifications() {
    if (m_saveTimer.isActive())
        save();
}

void DbusUserNotifications::requestAuthorization(std::function<void(bool granted)> answer) {
    if (!answer)
        return;
    // A call on a closed connection never finishes.
    if (!m_bus.isConnected()) {
        QTimer::singleShot(0, this, [answer = std::move(answer)] { answer(false); });
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(methodCall(u"GetServerInformation"_s), answerTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [answer = std::move(answer)](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                answer(!call->isError());
            });
}

void DbusUserNotifications::add(const NotificationRequest& request) {
    delete m_delayed.take(request.identifier);
    const auto* delay = std::get_if<DelayTrigger>(&request.trigger);
    if (!delay) {
        m_pending.add(request, m_clock.now());
        changedPending();
        return;
    }
    if (m_pending.remove({request.identifier}))
        changedPending();
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, request, timer] {
        m_delayed.remove(request.identifier);
        timer->deleteLater();
        post(request);
    });
    m_delayed.insert(request.identifier, timer);
    timer->start(delayMs(*delay));
}

void DbusUserNotifications::removePendingAndDelivered(const QStringList& identifiers) {
    for (const QString& identifier : identifiers) {
        delete m_delayed.take(identifier);
        m_latestPost.remove(identifier);
        if (m_shown.contains(identifier))
            close(m_shown.take(identifier));
    }
    if (m_pending.remove(identifiers))
        changedPending();
}

void DbusUserNotifications::setActivationHandler(
    std::function<void(const QString& identifier)> activated) {
    m_activated = std::move(activated);
}

void DbusUserNotifications::actionInvoked(uint id, const QString& action) {
    if (action != "default"_L1 || !m_activated)
        return;
    for (auto it = m_shown.cbegin(); it != m_shown.cend(); ++it) {
        if (it.value() == id) {
            m_activated(it.key());
            return;
        }
    }
}

void DbusUserNotifications::notificationClosed(uint id, uint /*reason*/) {
    for (auto it = m_shown.begin(); it != m_shown.end();)
        it = it.value() == id ? m_shown.erase(it) : std::next(it);
}

void DbusUserNotifications::post(const NotificationRequest& request) {
    QDBusMessage message = methodCall(u"Notify"_s);
    message << u"Velmora Core"_s << m_shown.value(request.identifier) << desktopName
            << request.title << request.body << QStringList{u"default"_s, u"Ouvrir"_s}
            << hintsFor(request) << -1;
    const quint64 post = ++m_posts;
    m_latestPost.insert(request.identifier, post);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, answerTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request, post](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<uint> reply = *call;
                if (reply.isError()) {
                    qWarning("La notification %s n'a pas pu être affichée : %s",
                             qUtf8Printable(request.identifier),
                             qUtf8Printable(reply.error().message()));
                    // Unless it was removed or posted again meanwhile.
                    if (m_latestPost.value(request.identifier) == post) {
                        m_latestPost.remove(request.identifier);
                        retryLater(request);
                    }
                    return;
                }
                shown(request.identifier, post, reply.value());
            });
}

// A reminder due once is kept until a server shows it: none may be running
// yet (the desktop still starting) or it may be restarting. A repeating one
// waits for its next match.
void DbusUserNotifications::retryLater(const NotificationRequest& request) {
    const auto* calendar = std::get_if<CalendarTrigger>(&request.trigger);
    if (!calendar || calendar->repeats)
        return;
    if (m_pending.retry(request, m_clock.now().addMSecs(retryDelayMs)))
        changedPending();
}

void DbusUserNotifications::shown(const QString& identifier, quint64 post, uint id) {
    if (m_latestPost.value(identifier) != post) {
        close(id);
        return;
    }
    m_latestPost.remove(identifier);
    m_shown.insert(identifier, id);
}

void DbusUserNotifications::close(uint id) {
    m_bus.send(methodCall(u"CloseNotification"_s) << id);
}

void DbusUserNotifications::postDue() {
    const QList<NotificationRequest> due = m_pending.takeDue(m_clock.now());
    for (const NotificationRequest& request : due)
        post(request);
    if (due.isEmpty())
        rearm();
    else
        changedPending();
}

void DbusUserNotifications::changedPending() {
    m_saveTimer.start(0);
    rearm();
}

void DbusUserNotifications::rearm() {
    const std::optional<QDateTime> due = m_pending.nextDue();
    if (!due) {
        m_pendingTimer.stop();
        return;
    }
    m_pendingTimer.start(int(std::clamp(m_clock.now().msecsTo(*due), qint64(0), longestWaitMs)));
}

void DbusUserNotifications::save() {
    AtomicFile file(m_pendingFile);
    Result<> saved = file.open();
    if (saved) {
        const QByteArray bytes = m_pending.encode();
        saved = file.device().write(bytes) == bytes.size()
                    ? file.commit()
                    : Result<>::failure(file.device().errorString());
    }
    if (!saved)
        qWarning("Les notifications en attente n'ont pas pu être enregistrées : %s",
                 qUtf8Printable(saved.error()));
}

} // namespace velmora
