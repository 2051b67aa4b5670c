#include "gui/notifications/NotificationCentre.h"

#include "core/notifications/NotificationReactions.h"
#include "core/notifications/NotificationRules.h"
#include "core/notifications/NotificationTargets.h"
#include "core/platform/Clock.h"
#include "core/platform/UserNotifications.h"
#include "core/store/AppDataStore.h"
#include "core/store/SessionEdit.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>

#include <algorithm>

namespace velmora::gui {

namespace {

// A machine that slept past a wake-up finds the list right within this.
constexpr qint64 kLongestWaitMs = 3'600'000;

const NotificationItem* findItem(const QList<NotificationItem>& items, const QString& id) {
    const auto found = std::find_if(items.cbegin(), items.cend(),
                                    [&](const NotificationItem& item) { return item.id == id; });
    return found == items.cend() ? nullptr : &*found;
}

} // namespace

NotificationCentre::NotificationCentre(AppDataStore& store, UserNotifications& desktop, Open open,
                                       QObject* parent)
    : SessionService(parent), m_store(store), m_desktop(desktop), m_open(std::move(open)) {
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &NotificationCentre::evaluate);
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, &NotificationCentre::evaluate);
    connect(&m_store, &AppDataStore::sessionChanged, this, [this] {
        if (m_active)
            m_pending.start();
    });
    m_desktop.setActivationHandler([this](const QString& id) {
        bringWindowForward();
        if (m_active)
            perform(id);
    });
}

void NotificationCentre::start() {
    m_active = true;
    if (!m_authorised)
        m_desktop.requestAuthorization([centre = QPointer(this)](bool granted) {
            if (!centre)
                return;
            centre->m_authorised = granted;
            // What was toasted while the desktop had not answered yet.
            if (granted)
                for (const NotificationItem& toast : std::as_const(centre->m_toasts))
                    centre->post(toast);
            emit centre->itemsChanged();
        });
    evaluate();
}

void NotificationCentre::stop() {
    m_active = false;
    m_pending.stop();
    m_wake.stop();
    qDeleteAll(m_toastTimers);
    m_toastTimers.clear();
    m_toasts.clear();
    m_toasted.clear();
    m_items.clear();
    emit toastsChanged();
    emit itemsChanged();
}

QDateTime NotificationCentre::now() const {
    return m_store.clock().now();
}

void NotificationCentre::evaluate() {
    if (!m_active)
        return;
    const QDateTime now = m_store.clock().now();
    QList<NotificationItem> items = visibleNotifications(m_store.session(), now);
    const bool changed = items != m_items;
    m_items = std::move(items);
    // A toast follows its item, and goes with it.
    bool toastsChanged = false;
    QStringList gone;
    for (NotificationItem& toast : m_toasts) {
        const NotificationItem* item = findItem(m_items, toast.id);
        if (!item) {
            gone << toast.id;
        } else if (*item != toast) {
            toast = *item;
            toastsChanged = true;
        }
    }
    for (const QString& id : std::as_const(gone))
        hideToast(id);
    scheduleWake();
    if (changed)
        emit itemsChanged();
    if (toastsChanged)
        emit this->toastsChanged();
    toastNew();
}

void NotificationCentre::toastNew() {
    const NotificationStateMap& states = m_store.session().notificationStates;
    QStringList due;
    for (const NotificationItem& item : std::as_const(m_items))
        if (!m_toasted.contains(item.id) && isNotificationToastDue(states, item.id))
            due << item.id;
    if (due.isEmpty())
        return;
    // Beyond the free places, a new item counts as toasted: it waits in the
    // centre rather than in a queue of toasts that would run for minutes.
    const QDateTime now = m_store.clock().now();
    qsizetype free = maxToasts - m_toasts.size();
    for (const NotificationItem& item : std::as_const(m_items)) {
        if (!due.contains(item.id))
            continue;
        m_toasted.insert(item.id);
        if (free-- <= 0)
            continue;
        m_toasts << item;
        auto*& timer = m_toastTimers[item.id];
        delete timer;
        timer = new QTimer(this);
        timer->setSingleShot(true);
        const QString id = item.id;
        connect(timer, &QTimer::timeout, this, [this, id] { hideToast(id); });
        timer->start(toastMs);
        if (m_authorised.value_or(false))
            post(item);
    }
    emit toastsChanged();
    m_store.edit([&](SessionEdit& edit) { return markNotificationsToasted(edit, due, now); });
}

void NotificationCentre::post(const NotificationItem& item) {
    m_desktop.add({.identifier = item.id,
                   .title = item.title,
                   .body = item.message,
                   .defaultSound = true,
                   .trigger = DelayTrigger{1},
                   .critical = item.severity == NotificationSeverity::critical});
}

void NotificationCentre::hideToast(const QString& id) {
    const qsizetype removed =
        m_toasts.removeIf([&](const NotificationItem& toast) { return toast.id == id; });
    delete m_toastTimers.take(id);
    if (removed)
        emit toastsChanged();
}

void NotificationCentre::scheduleWake() {
    const QDateTime now = m_store.clock().now();
    m_nextChange = nextNotificationChange(m_store.session().notificationStates, now);
    m_wake.start(int(std::clamp<qint64>(now.msecsTo(m_nextChange) + 1, 0, kLongestWaitMs)));
}

void NotificationCentre::perform(const QString& id) {
    const NotificationItem* item = findItem(m_items, id);
    if (!item)
        return;
    const std::optional<NotificationTarget> target = notificationTarget(item->action);
    hideToast(id);
    if (target && m_open)
        m_open(target->sectionKey, target->recordID);
}

void NotificationCentre::snooze(const QString& id, qint64 seconds) {
    const QDateTime now = m_store.clock().now();
    m_store.edit([&](SessionEdit& edit) { return snoozeNotification(edit, id, seconds, now); });
}

void NotificationCentre::neverShow(const QString& id) {
    m_store.edit([&](SessionEdit& edit) { return neverShowNotification(edit, id); });
}

void NotificationCentre::dismissToast(const QString& id) {
    hideToast(id);
    m_store.edit([&](SessionEdit& edit) { return dismissNotificationToast(edit, id); });
}

void NotificationCentre::bringWindowForward() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow*>(widget) || !widget->isVisible())
            continue;
        if (widget->isMinimized())
            widget->showNormal();
        widget->raise();
        widget->activateWindow();
    }
}

} // namespace velmora::gui
