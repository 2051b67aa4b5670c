#include "gui/common/Theme.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace velmora::gui::theme {

namespace {

AppAppearanceMode g_mode = AppAppearanceMode::dark;

struct Colours {
    QColor window, surface, raised, text, secondary, border, error, success;
};

Colours coloursOf(AppAppearanceMode mode) {
    if (mode == AppAppearanceMode::dark)
        return {QColor(0x1c, 0x1d, 0x22), QColor(0x26, 0x27, 0x2e), QColor(0x31, 0x32, 0x3a),
                QColor(0xec, 0xec, 0xf1), QColor(0x9d, 0x9e, 0xab), QColor(0x3a, 0x3b, 0x45),
                QColor(0xff, 0x6b, 0x6b), QColor(0x4c, 0xd1, 0x8a)};
    return {QColor(0xf4, 0xf4, 0xf7), QColor(0xff, 0xff, 0xff), QColor(0xee, 0xee, 0xf3),
            QColor(0x1d, 0x1d, 0x24), QColor(0x6b, 0x6c, 0x78), QColor(0xdc, 0xdc, 0xe4),
            QColor(0xd0, 0x31, 0x31), QColor(0x1e, 0x8e, 0x54)};
}

// Fusion, with check boxes of the house: Fusion's own fade into the dark
// background. The style sheet cannot draw them: a tick needs an image per
// appearance, which the field arrows have.
class HouseStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_IndicatorCheckBox || element == PE_IndicatorItemViewItemCheck)
            return drawCheckBox(painter, *option);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    static void drawCheckBox(QPainter* painter, const QStyleOption& option) {
        const bool on = option.state & State_On;
        const bool partly = option.state & State_NoChange;
        const int side = qMin(option.rect.width(), option.rect.height());
        const QRectF box =
            QRectF(QRect(QPoint(), QSize(side, side)))
                .translated(option.rect.center() - QPointF(side, side) / 2.0 + QPointF(0.5, 0.5))
                .adjusted(0.75, 0.75, -0.75, -0.75);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (!(option.state & State_Enabled))
            painter->setOpacity(0.45);
        if (on || partly) {
            // Outlined in the field colour, it still shows on a selected row.
            painter->setPen(QPen(option.palette.color(QPalette::Base), 1));
            painter->setBrush(accent());
        } else {
            const bool hovered = option.state & State_MouseOver;
            painter->setPen(
                QPen(hovered ? accent() : option.palette.color(QPalette::PlaceholderText), 1.5));
            painter->setBrush(option.palette.color(QPalette::Base));
        }
        painter->drawRoundedRect(box, 3.5, 3.5);
        if (on || partly) {
            painter->setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->setBrush(Qt::NoBrush);
            const qreal w = box.width();
            QPainterPath mark;
            if (partly) {
                mark.moveTo(box.left() + w * 0.27, box.center().y());
                mark.lineTo(box.right() - w * 0.27, box.center().y());
            } else {
                mark.moveTo(box.left() + w * 0.24, box.top() + w * 0.52);
                mark.lineTo(box.left() + w * 0.43, box.top() + w * 0.70);
                mark.lineTo(box.left() + w * 0.77, box.top() + w * 0.32);
            }
            painter->drawPath(mark);
        }
        painter->restore();
    }
};

QPalette paletteOf(AppAppearanceMode mode) {
    const Colours c = coloursOf(mode);
    QPalette p;
    p.setColor(QPalette::Window, c.window);
    p.setColor(QPalette::WindowText, c.text);
    p.setColor(QPalette::Base, c.surface);
    p.setColor(QPalette::AlternateBase, c.raised);
    p.setColor(QPalette::Text, c.text);
    p.setColor(QPalette::Button, c.raised);
    p.setColor(QPalette::ButtonText, c.text);
    p.setColor(QPalette::ToolTipBase, c.raised);
    p.setColor(QPalette::ToolTipText, c.text);
    p.setColor(QPalette::PlaceholderText, c.secondary);
    p.setColor(QPalette::Highlight, accent());
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent());
    p.setColor(QPalette::Mid, c.border);
    p.setColor(QPalette::Dark, c.border.darker(130));
    p.setColor(QPalette::Light, c.raised.lighter(110));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c.secondary);
    return p;
}

QString styleSheetOf(AppAppearanceMode mode) {
    const Colours c = coloursOf(mode);
    const QString accentName = accent().name();
    return QStringLiteral(R"(
QLabel[role="title"] { font-size: 22pt; font-weight: 600; }
QLabel[role="cardTitle"] { font-size: 17pt; font-weight: 600; }
QLabel[role="subtitle"] { font-size: 12pt; color: %2; }
QLabel[role="section"] { font-size: 13pt; font-weight: 600; }
QLabel[role="hint"] { color: %2; }
QLabel[role="error"] { color: %6; }
QLabel[role="success"] { color: %7; }
QFrame[role="card"] { background: %1; border: 1px solid %3; border-radius: 12px; }
QFrame[role="sidebar"] { background: %1; border: none; border-right: 1px solid %3; }
QFrame[role="banner"] { background: %4; border-radius: 8px; }
QFrame[role="banner"] QLabel { color: white; }
QPushButton { padding: 6px 14px; border-radius: 7px; border: 1px solid %3; background: %5; }
QPushButton:hover, QPushButton:default, QPushButton:focus { border-color: %4; }
QPushButton:disabled { color: %2; }
QPushButton[role="primary"] { background: %4; color: white; border: none; font-weight: 600; }
QPushButton[role="primary"]:disabled { background: %3; color: %2; }
QPushButton[role="destructive"] { color: %6; }
QPushButton[role="link"] { background: transparent; border: none; color: %4; padding: 2px; }
QPushButton[role="link"]:hover { text-decoration: underline; }
QLineEdit, QPlainTextEdit, QComboBox, QAbstractSpinBox { padding: 5px 8px; border: 1px solid %3; border-radius: 6px; background: %1; }
QLineEdit:focus, QPlainTextEdit:focus, QComboBox:focus, QAbstractSpinBox:focus { border-color: %4; }
QComboBox::drop-down, QAbstractSpinBox::drop-down { subcontrol-origin: padding; subcontrol-position: center right; width: 24px; border: none; background: transparent; }
QComboBox::down-arrow, QAbstractSpinBox::down-arrow { image: url(:/icons/fields/chevron.down.%9.svg); width: 11px; height: 11px; }
QComboBox::down-arrow:disabled, QAbstractSpinBox::down-arrow:disabled, QAbstractSpinBox::up-arrow:disabled { image: none; }
QAbstractSpinBox::up-button, QAbstractSpinBox::down-button { subcontrol-origin: border; width: 22px; border: none; background: transparent; }
QAbstractSpinBox::up-button { subcontrol-position: top right; margin-top: 3px; }
QAbstractSpinBox::down-button { subcontrol-position: bottom right; margin-bottom: 3px; }
QAbstractSpinBox::up-arrow { image: url(:/icons/fields/chevron.up.%9.svg); width: 9px; height: 9px; }
QAbstractSpinBox::down-arrow { width: 9px; height: 9px; }
QComboBox QAbstractItemView { background: %1; color: %8; border: 1px solid %3; selection-background-color: %4; selection-color: white; outline: none; }
QComboBox::item { color: %8; background: %1; }
QComboBox::item:selected { background: %4; color: white; }
QLineEdit[refused="true"], QLineEdit[refused="true"]:focus { border-color: %6; color: %6; }
QListWidget { border: none; background: transparent; outline: none; }
QListWidget::item { padding: 7px 10px; border-radius: 7px; }
QListWidget::item:selected { background: %4; color: white; }
QStatusBar { color: %2; }
QToolBar { background: %1; border: none; border-bottom: 1px solid %3; padding: 2px; spacing: 6px; }
QToolBar QToolButton { border: none; border-radius: 7px; padding: 4px 6px; background: transparent; }
QToolBar QToolButton:hover, QToolBar QToolButton:focus { background: %5; }
QToolButton[role="sessionCard"] { background: %1; border: 1px solid %3; border-radius: 14px; padding: 12px 8px 10px 8px; font-weight: 600; }
QToolButton[role="sessionCard"]:hover, QToolButton[role="sessionCard"]:focus { border: 2px solid %4; }
QToolButton[role="sidebarButton"] { background: transparent; border: none; border-radius: 7px; padding: 6px 8px; text-align: left; }
QToolButton[role="sidebarButton"]:hover { background: %5; }
QToolButton[role="sidebarButton"]::menu-indicator { image: none; width: 0; }
QToolButton[role="chip"] { background: %1; border: 1px solid %3; border-radius: 11px; padding: 2px 9px; }
QToolButton[role="chip"]:hover { border-color: %4; }
QToolButton[role="chip"]:checked { background: %5; border: 1px solid %4; font-weight: 600; }
QListView[role="records"] { border: none; background: transparent; outline: none; }
QRadioButton { spacing: 8px; }
QRadioButton::indicator { width: 12px; height: 12px; border: 2px solid %2; border-radius: 8px; background: %1; }
QRadioButton::indicator:hover { border-color: %4; }
QRadioButton::indicator:checked { border-color: %4; background: qradialgradient(cx: 0.5, cy: 0.5, fx: 0.5, fy: 0.5, radius: 0.5, stop: 0 %4, stop: 0.5 %4, stop: 0.62 %1, stop: 1 %1); }
QRadioButton::indicator:disabled { border-color: %3; }
QScrollBar:vertical { background: transparent; width: 12px; margin: 0; }
QScrollBar:horizontal { background: transparent; height: 12px; margin: 0; }
QScrollBar::handle { background: %2; border-radius: 4px; margin: 2px; }
QScrollBar::handle:vertical { min-height: 32px; }
QScrollBar::handle:horizontal { min-width: 32px; }
QScrollBar::handle:hover, QScrollBar::handle:pressed { background: %8; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QTabWidget::pane { border: none; border-top: 1px solid %3; top: -1px; }
QTabBar::tab { background: transparent; border: none; border-bottom: 2px solid transparent; padding: 7px 14px; margin-right: 4px; color: %2; font-weight: 600; }
QTabBar::tab:hover { color: %8; }
QTabBar::tab:selected { color: %8; border-bottom-color: %4; }
QTableView { background: %1; alternate-background-color: %5; border: 1px solid %3; border-radius: 8px; outline: none; selection-background-color: %4; selection-color: white; }
QTableView::item { border: none; padding-left: 10px; padding-right: 10px; }
QHeaderView { background: transparent; }
QHeaderView::section { background: %1; color: %2; border: none; border-bottom: 1px solid %3; padding: 7px 13px; font-weight: 600; }
)")
        .arg(c.surface.name(), c.secondary.name(), c.border.name(), accentName, c.raised.name(),
             c.error.name(), c.success.name(), c.text.name(),
             mode == AppAppearanceMode::dark ? QStringLiteral("dark") : QStringLiteral("light"));
}

} // namespace

QColor accent() {
    return QColor(0x6c, 0x5c, 0xe7);
}
QColor tagColor(TagColorOption color) {
    switch (color) {
    case TagColorOption::red:
        return QColor(0xe5, 0x48, 0x4d);
    case TagColorOption::orange:
        return QColor(0xf0, 0x8c, 0x2e);
    case TagColorOption::yellow:
        return QColor(0xd9, 0xb1, 0x1a);
    case TagColorOption::green:
        return QColor(0x34, 0xa8, 0x5a);
    case TagColorOption::mint:
        return QColor(0x2b, 0xb5, 0xa3);
    case TagColorOption::blue:
        return QColor(0x3b, 0x82, 0xf0);
    case TagColorOption::purple:
        return QColor(0x9b, 0x5d, 0xe5);
    case TagColorOption::pink:
        return QColor(0xe8, 0x5a, 0xa0);
    case TagColorOption::brown:
        return QColor(0x9c, 0x6b, 0x43);
    case TagColorOption::gray:
        return QColor(0x8e, 0x8e, 0x98);
    }
    return QColor(0x8e, 0x8e, 0x98);
}
QColor background(AppAppearanceMode mode) {
    return coloursOf(mode).window;
}
QColor surface(AppAppearanceMode mode) {
    return coloursOf(mode).surface;
}
QColor text(AppAppearanceMode mode) {
    return coloursOf(mode).text;
}
QColor secondaryText(AppAppearanceMode mode) {
    return coloursOf(mode).secondary;
}
QColor border(AppAppearanceMode mode) {
    return coloursOf(mode).border;
}

void apply(QApplication& app, AppAppearanceMode mode) {
    g_mode = mode;
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(new HouseStyle(fusion));
    app.setPalette(paletteOf(mode));
    app.setStyleSheet(styleSheetOf(mode));
}

AppAppearanceMode current() {
    return g_mode;
}

void setRole(QWidget* widget, const char* role) {
    widget->setProperty("role", QString::fromLatin1(role));
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

QLabel* label(const QString& text, const char* role, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setProperty("role", QString::fromLatin1(role));
    l->setWordWrap(true);
    return l;
}

QPushButton* button(const QString& text, const char* role, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setProperty("role", QString::fromLatin1(role));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

} // namespace velmora::gui::theme
