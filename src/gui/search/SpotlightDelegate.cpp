#include "gui/search/SpotlightDelegate.h"

#include "core/search/SpotlightListModel.h"
#include "gui/common/Icons.h"
#include "gui/common/RowBackground.h"
#include "gui/common/Theme.h"

#include <QPainter>

namespace velmora::gui {

namespace {

constexpr int kPadding = 8;
constexpr int kIcon = 18;
constexpr int kTile = 30;

QColor tintOf(const QModelIndex& index) {
    const std::optional<TagColorOption> tag = enumFromRaw<TagColorOption>(
        index.data(SpotlightListModel::TintRole).toString().toStdString());
    return tag ? theme::tagColor(*tag) : theme::accent();
}

void paintHeading(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) {
    QFont small = option.font;
    small.setPointSizeF(option.font.pointSizeF() * 0.85);
    small.setWeight(QFont::DemiBold);
    const QRect line = option.rect.adjusted(kPadding + 4, 8, -(kPadding + 4), 0);
    painter->setPen(option.palette.color(QPalette::PlaceholderText));
    painter->setFont(small);
    const QString count = index.data(SpotlightListModel::CountRole).toString();
    painter->drawText(line, Qt::AlignRight | Qt::AlignVCenter, count);
    small.setCapitalization(QFont::AllUppercase);
    painter->setFont(small);
    const int room = line.width() - QFontMetrics(small).horizontalAdvance(count) - 12;
    painter->drawText(
        line, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(small).elidedText(index.data().toString(), Qt::ElideRight, room));
}

// The badge as a small rounded label; returns its left edge.
int paintBadge(QPainter* painter, const QStyleOptionViewItem& option, const QRect& area,
               const QString& badge, const QColor& tint) {
    QFont small = option.font;
    small.setPointSizeF(option.font.pointSizeF() * 0.85);
    small.setWeight(QFont::DemiBold);
    const QFontMetrics metrics(small);
    const int width = metrics.horizontalAdvance(badge) + 14;
    const int height = metrics.height() + 4;
    const QRectF pill(area.right() - kPadding - width, area.center().y() - height / 2.0 + 0.5,
                      width, height);
    QColor fill = tint;
    fill.setAlphaF(0.16f);
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    painter->drawRoundedRect(pill, height / 2.0, height / 2.0);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->setFont(small);
    painter->drawText(pill, Qt::AlignCenter, badge);
    return int(pill.left());
}

} // namespace

QSize SpotlightDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const QFontMetrics metrics(option.font);
    if (index.data(SpotlightListModel::IsHeadingRole).toBool())
        return QSize(300, metrics.height() + 16);
    return QSize(300, std::max(kTile + 12, metrics.height() * 2 + kPadding + 6));
}

void SpotlightDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (index.data(SpotlightListModel::IsHeadingRole).toBool()) {
        paintHeading(painter, option, index);
        painter->restore();
        return;
    }
    const QPalette& palette = option.palette;
    const QFontMetrics metrics(option.font);
    const QRect area = option.rect.adjusted(4, 1, -4, -1);
    paintRowBackground(painter, option, area);

    // The symbol on a tile of its tint, as launchers show a kind of result.
    const QColor tint = tintOf(index);
    const QRect tile(area.left() + kPadding, area.center().y() - kTile / 2 + 1, kTile, kTile);
    QColor tileFill = tint;
    tileFill.setAlphaF(0.14f);
    painter->setPen(Qt::NoPen);
    painter->setBrush(tileFill);
    painter->drawRoundedRect(tile, 7, 7);
    painter->drawPixmap(
        QRect(tile.center() - QPoint(kIcon / 2 - 1, kIcon / 2 - 1), QSize(kIcon, kIcon)),
        symbolPixmap(index.data(SpotlightListModel::IconRole).toString(), kIcon, tint));

    int right = area.right() - kPadding;
    const QString badge = index.data(SpotlightListModel::BadgeRole).toString();
    if (!badge.isEmpty())
        right = paintBadge(painter, option, area, badge, tint) - 8;

    const int left = tile.right() + 1 + 10;
    const QString subtitle = index.data(SpotlightListModel::SubtitleRole).toString();
    QFont bold = option.font;
    bold.setWeight(QFont::DemiBold);
    const int lines = subtitle.isEmpty() ? 1 : 2;
    const int top = area.center().y() - (metrics.height() * lines + (lines - 1) * 2) / 2;
    const QRect titleLine(left, top, right - left, metrics.height());
    painter->setFont(bold);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(
        titleLine, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, titleLine.width()));
    if (!subtitle.isEmpty()) {
        const QRect subtitleLine(left, titleLine.bottom() + 3, right - left, metrics.height());
        painter->setFont(option.font);
        painter->setPen(palette.color(QPalette::PlaceholderText));
        painter->drawText(subtitleLine, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(subtitle, Qt::ElideRight, subtitleLine.width()));
    }
    painter->restore();
}

} // namespace velmora::gui
