#include "gui/notifications/NotificationBell.h"

#include "core/notifications/NotificationTexts.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"
#include "gui/notifications/NotificationCentre.h"
#include "gui/notifications/NotificationPanel.h"
#include "gui/notifications/NotificationToasts.h"

#include <QApplication>
#include <QPainter>

namespace velmora::gui {

namespace {

constexpr int kIcon = 22;

// The bell with, when some items are visible, their count on a red badge.
QIcon bellIcon(qsizetype count, const QColor& color) {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(kIcon + 10, kIcon) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(QRect(2, 0, kIcon, kIcon),
                       symbolPixmap(QStringLiteral("bell"), kIcon, color));
    if (count > 0) {
        const QString text = count > 99 ? QStringLiteral("99+") : QString::number(count);
        QFont font = qApp->font();
        font.setPixelSize(9);
        font.setWeight(QFont::Bold);
        painter.setFont(font);
        const int width = std::max(13, QFontMetrics(font).horizontalAdvance(text) + 6);
        const QRectF badge(kIcon + 10 - width, 0, width, 13);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::tagColor(TagColorOption::red));
        painter.drawRoundedRect(badge, 6.5, 6.5);
        painter.setPen(Qt::white);
        painter.drawText(badge, Qt::AlignCenter, text);
    }
    return QIcon(pixmap);
}

} // namespace

NotificationBell::NotificationBell(NotificationCentre& centre, QWidget& window)
    : QToolButton(&window), m_centre(centre) {
    setObjectName(QStringLiteral("notificationBell"));
    setAutoRaise(true);
    setIconSize(QSize(kIcon + 10, kIcon));
    setFocusPolicy(Qt::StrongFocus);
    setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    m_panel = new NotificationPanel(centre, window, *this);
    new NotificationToasts(centre, window);
    connect(this, &QToolButton::clicked, m_panel, &NotificationPanel::toggle);
    connect(&m_centre, &NotificationCentre::itemsChanged, this, &NotificationBell::refresh);
    refresh();
}

void NotificationBell::refresh() {
    const qsizetype count = m_centre.items().size();
    setIcon(bellIcon(count, palette().color(QPalette::ButtonText)));
    const QString text = notificationBellText(count);
    setAccessibleName(text);
    setToolTip(text + QStringLiteral(" (Ctrl+Maj+N)"));
}

} // namespace velmora::gui
