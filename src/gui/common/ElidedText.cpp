#include "gui/common/ElidedText.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmora::gui {

namespace {

// Room for a few letters and the ellipsis.
int shortestWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QStringLiteral("Mmmm…"));
}

} // namespace

ElidedLabel::ElidedLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), m_mode(mode) {
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString& text) {
    QLabel::setText(text);
    setToolTip(text);
}

QSize ElidedLabel::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    return {shortestWidth(fontMetrics()) + margins.left() + margins.right(),
            QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), m_mode, room.width());
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

ElidedButton::ElidedButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    // A push button never shrinks below its text, which is the point here.
    setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
    setToolTip(text);
}

QSize ElidedButton::minimumSizeHint() const {
    return {shortestWidth(fontMetrics()), QPushButton::minimumSizeHint().height()};
}

void ElidedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    option.text = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace velmora::gui
