#include "gui/notifications/NotificationDelegate.h"

#include "core/notifications/NotificationListModel.h"
#include "gui/common/Icons.h"
#include "gui/common/RowBackground.h"
#include "gui/common/Theme.h"

#include <QPainter>

namespace velmora::gui {

namespace {

constexpr int kPadding = 8;
constexpr int kIcon = 20;
constexpr int kMenu = 28;

NotificationSeverity severityOf(const QModelIndex& index) {
    return enumFromRaw<NotificationSeverity>(
               index.data(NotificationListModel::SeverityRole).toString().toStdString())
        .value_or(NotificationSeverity::info);
}

} // namespace

QColor severityColor(NotificationSeverity severity) {
    switch (severity) {
    case NotificationSeverity::critical:
        return theme::tagColor(TagColorOption::red);
    case NotificationSeverity::warning:
        return theme::tagColor(TagColorOption::orange);
    case NotificationSeverity::info:
        break;
    }
    return theme::accent();
}

QRect NotificationDelegate::menuArea(const QRect& row) {
    return QRect(row.right() - kMenu - 4, row.top(), kMenu, row.height());
}

QSize NotificationDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const QFontMetrics metrics(option.font);
    if (index.data(NotificationListModel::IsHeadingRole).toBool())
        return QSize(300, metrics.height() + 14);
    return QSize(300, kPadding * 2 + metrics.height() * 2 + 4);
}

void NotificationDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const QFontMetrics metrics(option.font);
    if (index.data(NotificationListModel::IsHeadingRole).toBool()) {
        QFont small = option.font;
        small.setPointSizeF(option.font.pointSizeF() * 0.85);
        small.setWeight(QFont::DemiBold);
        small.setCapitalization(QFont::AllUppercase);
        painter->setFont(small);
        painter->setPen(palette.color(QPalette::PlaceholderText));
        painter->drawText(option.rect.adjusted(kPadding + 4, 6, -kPadding, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
        painter->restore();
        return;
    }
    const QRect area = option.rect.adjusted(4, 2, -4, -2);
    paintRowBackground(painter, option, area);
    const QRect icon(area.left() + kPadding, area.top() + kPadding, kIcon, kIcon);
    painter->drawPixmap(icon, symbolPixmap(index.data(NotificationListModel::IconRole).toString(),
                                           kIcon, severityColor(severityOf(index))));

    const bool reactions = option.state & (QStyle::State_MouseOver | QStyle::State_Selected);
    QRect content = area.adjusted(kPadding * 2 + kIcon, kPadding - 2, -kPadding, -(kPadding - 2));
    content.setRight(menuArea(option.rect).left() - 4);
    QRect titleLine(content.left(), content.top(), content.width(), metrics.height());
    const QString when = index.data(NotificationListModel::WhenRole).toString();
    painter->setFont(option.font);
    if (!when.isEmpty()) {
        painter->setPen(palette.color(QPalette::PlaceholderText));
        painter->drawText(titleLine, Qt::AlignRight | Qt::AlignVCenter, when);
        titleLine.setRight(titleLine.right() - metrics.horizontalAdvance(when) - 8);
    }
    QFont bold = option.font;
    bold.setWeight(QFont::DemiBold);
    painter->setFont(bold);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(
        titleLine, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, titleLine.width()));
    painter->setFont(option.font);
    painter->setPen(palette.color(QPalette::PlaceholderText));
    const QRect messageLine(content.left(), titleLine.bottom() + 4, content.width(),
                            metrics.height());
    painter->drawText(messageLine, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(index.data(NotificationListModel::MessageRole).toString(),
                                         Qt::ElideRight, messageLine.width()));
    if (reactions) {
        const QRect menu = menuArea(option.rect);
        painter->drawPixmap(
            QRect(menu.center() - QPoint(8, 8), QSize(16, 16)),
            symbolPixmap(QStringLiteral("ellipsis"), 16, palette.color(QPalette::PlaceholderText)));
    }
    painter->restore();
}

} // namespace velmora::gui
