#include "gui/notifications/NotificationToasts.h"

#include "core/notifications/NotificationReactions.h"
#include "gui/common/Icons.h"
#include "gui/common/OverlayPanel.h"
#include "gui/common/Theme.h"
#include "gui/notifications/NotificationCentre.h"
#include "gui/notifications/NotificationDelegate.h"

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int kWidth = 340;
constexpr int kMargin = 16;
constexpr char kIdProperty[] = "notificationID";

} // namespace

NotificationToasts::NotificationToasts(NotificationCentre& centre, QWidget& window)
    : QWidget(&window), m_centre(centre), m_window(window) {
    setObjectName(QStringLiteral("notificationToasts"));
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    connect(&m_centre, &NotificationCentre::toastsChanged, this, &NotificationToasts::refresh);
    m_window.installEventFilter(this);
    hide();
}

QWidget* NotificationToasts::makeToast(const QString& id) {
    auto* toast = new QFrame(this);
    toast->setObjectName(QStringLiteral("notificationToast"));
    toast->setProperty(kIdProperty, id);
    theme::setRole(toast, "card");
    toast->setFocusPolicy(Qt::NoFocus);
    toast->setCursor(Qt::PointingHandCursor);
    toast->installEventFilter(this);
    auto* row = new QHBoxLayout(toast);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(10);
    auto* icon = new QLabel(toast);
    icon->setObjectName(QStringLiteral("notificationToastIcon"));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* title = new QLabel(toast);
    title->setStyleSheet(QStringLiteral("font-weight: 600;"));
    title->setObjectName(QStringLiteral("notificationToastTitle"));
    texts->addWidget(title);
    auto* message = new QLabel(toast);
    message->setObjectName(QStringLiteral("notificationToastMessage"));
    message->setWordWrap(true);
    texts->addWidget(message);
    auto* dismiss = theme::button(dismissToastLabel(), "link", toast);
    dismiss->setObjectName(QStringLiteral("notificationToastDismiss"));
    dismiss->setFocusPolicy(Qt::NoFocus);
    texts->addWidget(dismiss, 0, Qt::AlignLeft);
    row->addLayout(texts, 1);
    connect(dismiss, &QPushButton::clicked, this, [this, id] { m_centre.dismissToast(id); });
    // Coming in, it fades from nothing, easing out.
    auto* fade = new QGraphicsOpacityEffect(toast);
    toast->setGraphicsEffect(fade);
    auto* animation = new QPropertyAnimation(fade, "opacity", toast);
    animation->setDuration(250);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return toast;
}

void NotificationToasts::refresh() {
    QSet<QString> wanted;
    auto* column = static_cast<QVBoxLayout*>(layout());
    for (const NotificationItem& item : m_centre.toasts()) {
        wanted.insert(item.id);
        QWidget*& toast = m_shown[item.id];
        if (!toast) {
            toast = makeToast(item.id);
            column->addWidget(toast);
        }
        toast->findChild<QLabel*>(QStringLiteral("notificationToastIcon"))
            ->setPixmap(symbolPixmap(item.systemIcon, 22, severityColor(item.severity)));
        toast->findChild<QLabel*>(QStringLiteral("notificationToastTitle"))->setText(item.title);
        toast->findChild<QLabel*>(QStringLiteral("notificationToastMessage"))
            ->setText(item.message);
        toast->setAccessibleName(item.title + QStringLiteral(", ") + item.message);
    }
    for (auto it = m_shown.begin(); it != m_shown.end();) {
        if (wanted.contains(it.key())) {
            ++it;
            continue;
        }
        delete it.value();
        it = m_shown.erase(it);
    }
    setVisible(!m_shown.isEmpty());
    place();
    // Once the new toasts are laid out, their height is known for sure.
    QTimer::singleShot(0, this, &NotificationToasts::place);
}

void NotificationToasts::place() {
    if (m_shown.isEmpty())
        return;
    // Wrapped messages take the height the toast's width gives them, in
    // the fonts of the style sheet.
    ensurePolished();
    layout()->invalidate();
    layout()->activate();
    const int height = layout()->totalHeightForWidth(kWidth);
    setGeometry(m_window.width() - kWidth - kMargin, m_window.height() - height - kMargin - 24,
                kWidth, height);
    raise();
    OverlayPanel::raiseOpenPanels(m_window);
}

bool NotificationToasts::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Resize)
        place();
    if (event->type() == QEvent::MouseButtonRelease) {
        const QString id = watched->property(kIdProperty).toString();
        if (!id.isEmpty() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_centre.perform(id);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velmora::gui
