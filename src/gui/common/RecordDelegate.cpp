#include "gui/common/RecordDelegate.h"

#include "core/lists/RecordListModelBase.h"
#include "gui/common/Theme.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace velmora::gui {

namespace {

constexpr int kPadding = 10;
constexpr int kDot = 8;

using Roles = RecordListModelBase;

} // namespace

QSize RecordDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QFontMetrics metrics(option.font);
    const bool twoLines = !index.data(Roles::SubtitleRole).toString().isEmpty();
    return QSize(200, kPadding * 2 + metrics.height() * (twoLines ? 2 : 1) + (twoLines ? 3 : 0));
}

void RecordDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const QRect area = option.rect.adjusted(4, 2, -4, -2);
    if (selected || (option.state & QStyle::State_MouseOver)) {
        QColor fill = palette.color(QPalette::Highlight);
        if (!selected)
            fill.setAlphaF(0.12f);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(area, 7, 7);
    }
    const QColor textColor =
        selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text);
    QColor secondary = selected ? textColor : palette.color(QPalette::PlaceholderText);
    if (selected)
        secondary.setAlphaF(0.8f);

    QRect content = area.adjusted(kPadding, kPadding - 2, -kPadding, -(kPadding - 2));
    QFont bold = option.font;
    bold.setWeight(QFont::DemiBold);
    const QFontMetrics boldMetrics(bold);
    const QFontMetrics metrics(option.font);

    // The badge takes its room first, at the end of the first line.
    const QString badge = index.data(Roles::BadgeRole).toString();
    if (!badge.isEmpty()) {
        const QVariant color = index.data(Roles::BadgeColorRole);
        const int width = metrics.horizontalAdvance(badge) + (color.isValid() ? 16 : 0);
        QRect pill(content.right() - width + 1, content.top(), width, metrics.height() + 2);
        if (color.isValid()) {
            QColor fill = theme::tagColor(TagColorOption(color.toInt()));
            painter->setPen(Qt::NoPen);
            fill.setAlphaF(selected ? 0.9f : 0.18f);
            painter->setBrush(selected ? QColor(255, 255, 255, 60) : fill);
            painter->drawRoundedRect(pill, pill.height() / 2.0, pill.height() / 2.0);
            painter->setPen(selected ? textColor : theme::tagColor(TagColorOption(color.toInt())));
        } else {
            painter->setPen(secondary);
        }
        painter->setFont(option.font);
        painter->drawText(pill, Qt::AlignCenter, badge);
        content.setRight(pill.left() - kPadding);
    }

    const QVariantList dots = index.data(Roles::TagColorsRole).toList();
    const int dotsWidth = dots.isEmpty() ? 0 : int(dots.size()) * (kDot + 3) + 4;
    const QRect titleRect(content.left(), content.top(), content.width() - dotsWidth,
                          boldMetrics.height());
    const QString title = boldMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                 Qt::ElideRight, titleRect.width());
    painter->setFont(bold);
    painter->setPen(textColor);
    painter->drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, title);
    int x = titleRect.left() + boldMetrics.horizontalAdvance(title) + 6;
    painter->setPen(selected ? QPen(textColor, 1) : Qt::NoPen);
    for (const QVariant& dot : dots) {
        painter->setBrush(theme::tagColor(TagColorOption(dot.toInt())));
        painter->drawEllipse(QRect(x, titleRect.center().y() - kDot / 2 + 1, kDot, kDot));
        x += kDot + 3;
    }

    const QString subtitle = index.data(Roles::SubtitleRole).toString();
    if (!subtitle.isEmpty()) {
        painter->setFont(option.font);
        painter->setPen(secondary);
        const QRect line(area.left() + kPadding, titleRect.bottom() + 4,
                         area.width() - 2 * kPadding, metrics.height());
        painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(subtitle, Qt::ElideRight, line.width()));
    }
    painter->restore();
}

} // namespace velmora::gui
