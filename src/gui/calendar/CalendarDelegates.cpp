#include "gui/calendar/CalendarDelegates.h"

#include "core/calendar/CalendarEventListModel.h"
#include "core/calendar/CalendarMonthModel.h"
#include "gui/common/RowBackground.h"

#include <QPainter>

namespace velmora::gui {

using namespace Qt::StringLiterals;

namespace {

constexpr int kPadding = 8;

} // namespace

void CalendarDayDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const QRect area = option.rect.adjusted(2, 2, -2, -2);
    paintRowBackground(painter, option, area);

    const QFontMetrics metrics(option.font);
    const int line = metrics.height();
    const bool inMonth = index.data(CalendarMonthModel::InMonthRole).toBool();
    QRect number(area.left() + 4, area.top() + 3, line + 6, line + 2);
    if (index.data(CalendarMonthModel::TodayRole).toBool()) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette.color(QPalette::Highlight));
        painter->drawRoundedRect(number, number.height() / 2.0, number.height() / 2.0);
        painter->setPen(palette.color(QPalette::HighlightedText));
    } else {
        painter->setPen(inMonth ? palette.color(QPalette::Text)
                                : palette.color(QPalette::PlaceholderText));
    }
    QFont bold = option.font;
    bold.setWeight(QFont::DemiBold);
    painter->setFont(bold);
    painter->drawText(number, Qt::AlignCenter, index.data().toString());

    const QStringList titles = index.data(CalendarMonthModel::TitlesRole).toStringList();
    const QStringList colors = index.data(CalendarMonthModel::ColorsRole).toStringList();
    QFont small = option.font;
    small.setPointSizeF(option.font.pointSizeF() * 0.85);
    painter->setFont(small);
    const QFontMetrics smallMetrics(small);
    const int chipHeight = smallMetrics.height() + 2;
    int top = number.bottom() + 3;
    const int bottom = area.bottom() - 2;
    const int fits = std::max(0, (bottom - top + 2) / (chipHeight + 2));
    // With more items than room, the last line counts the rest.
    const qsizetype shown = titles.size() <= fits ? titles.size() : std::max(0, fits - 1);
    for (qsizetype i = 0; i < shown; ++i) {
        const QRect chip(area.left() + 3, top, area.width() - 6, chipHeight);
        QColor color(colors.value(i));
        QColor fill = color;
        fill.setAlphaF(inMonth ? 0.25f : 0.12f);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(chip, 4, 4);
        painter->setBrush(color);
        painter->drawRoundedRect(QRect(chip.left(), chip.top(), 3, chip.height()), 1.5, 1.5);
        painter->setPen(inMonth ? palette.color(QPalette::Text)
                                : palette.color(QPalette::PlaceholderText));
        const QRect text = chip.adjusted(6, 0, -3, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          smallMetrics.elidedText(titles.at(i), Qt::ElideRight, text.width()));
        top += chipHeight + 2;
    }
    if (shown < titles.size()) {
        painter->setPen(palette.color(QPalette::PlaceholderText));
        painter->drawText(QRect(area.left() + 6, top, area.width() - 9, chipHeight),
                          Qt::AlignLeft | Qt::AlignVCenter, u"+%1"_s.arg(titles.size() - shown));
    }
    painter->restore();
}

QSize CalendarEventDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex&) const {
    const QFontMetrics metrics(option.font);
    return QSize(220, kPadding * 2 + metrics.height() * 2 + 3);
}

void CalendarEventDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = option.palette;
    const QRect area = option.rect.adjusted(4, 2, -4, -2);
    paintRowBackground(painter, option, area);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(index.data(CalendarEventListModel::ColorRole).toString()));
    painter->drawRoundedRect(QRect(area.left() + 6, area.top() + 6, 4, area.height() - 12), 2, 2);

    const QRect content = area.adjusted(kPadding + 10, kPadding - 2, -kPadding, -(kPadding - 2));
    const QFontMetrics metrics(option.font);
    QFont bold = option.font;
    bold.setWeight(QFont::DemiBold);
    const QString amount = index.data(CalendarEventListModel::AmountRole).toString();
    QRect titleLine(content.left(), content.top(), content.width(), metrics.height());
    if (!amount.isEmpty()) {
        const int width = metrics.horizontalAdvance(amount);
        painter->setFont(option.font);
        painter->setPen(palette.color(QPalette::Text));
        painter->drawText(titleLine, Qt::AlignRight | Qt::AlignVCenter, amount);
        titleLine.setRight(titleLine.right() - width - 8);
    }
    painter->setFont(bold);
    painter->setPen(palette.color(QPalette::Text));
    painter->drawText(
        titleLine, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, titleLine.width()));
    QString second = index.data(CalendarEventListModel::WhenRole).toString();
    const QString subtitle = index.data(CalendarEventListModel::SubtitleRole).toString();
    if (!subtitle.isEmpty())
        second += u"  ·  "_s + subtitle.simplified();
    painter->setFont(option.font);
    painter->setPen(palette.color(QPalette::PlaceholderText));
    const QRect secondLine(content.left(), titleLine.bottom() + 3, content.width(),
                           metrics.height());
    painter->drawText(secondLine, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(second, Qt::ElideRight, secondLine.width()));
    painter->restore();
}

} // namespace velmora::gui
