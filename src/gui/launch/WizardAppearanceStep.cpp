#include "gui/launch/WizardAppearanceStep.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace velmora::gui {

// A large choice that shows a small window drawn in the colours of its
// appearance, whatever the appearance around it.
class AppearanceOption : public QAbstractButton {
public:
    AppearanceOption(AppAppearanceMode mode, const QString& name, QWidget* parent)
        : QAbstractButton(parent), m_mode(mode) {
        setText(name);
        setCheckable(true);
        setAutoExclusive(true);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(220, 200);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    AppAppearanceMode mode() const { return m_mode; }
    QSize sizeHint() const override { return {250, 208}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPalette& pal = palette();
        const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        const bool on = isChecked();

        p.setPen(QPen(on ? theme::accent() : pal.color(QPalette::Mid), on ? 3 : 1));
        p.setBrush(pal.color(QPalette::Base));
        p.drawRoundedRect(frame, 14, 14);

        // The miniature window.
        const QRectF shot(frame.left() + 16, frame.top() + 16, frame.width() - 32, 124);
        p.setPen(QPen(
            theme::secondaryText(m_mode).darker(m_mode == AppAppearanceMode::dark ? 250 : 100), 1));
        p.setBrush(theme::background(m_mode));
        p.drawRoundedRect(shot, 9, 9);
        QPainterPath clip;
        clip.addRoundedRect(shot, 9, 9);
        p.save();
        p.setClipPath(clip);
        const QRectF side(shot.left(), shot.top(), shot.width() * 0.28, shot.height());
        p.fillRect(side, theme::surface(m_mode));
        p.setPen(Qt::NoPen);
        p.setBrush(theme::accent());
        p.drawRoundedRect(QRectF(side.left() + 8, side.top() + 14, side.width() - 16, 9), 4, 4);
        p.setBrush(theme::secondaryText(m_mode));
        for (int i = 1; i < 5; ++i)
            p.drawRoundedRect(
                QRectF(side.left() + 8, side.top() + 14 + i * 18, side.width() * 0.62, 7), 3, 3);
        const qreal left = side.right() + 12;
        p.setBrush(theme::text(m_mode));
        p.drawRoundedRect(QRectF(left, shot.top() + 14, shot.width() * 0.34, 10), 4, 4);
        p.setBrush(theme::surface(m_mode));
        const qreal cardWidth = (shot.right() - left - 20) / 2;
        for (int i = 0; i < 2; ++i)
            p.drawRoundedRect(QRectF(left + i * (cardWidth + 8), shot.top() + 36, cardWidth, 40), 6,
                              6);
        p.drawRoundedRect(QRectF(left, shot.top() + 84, shot.right() - left - 12, 28), 6, 6);
        p.restore();

        // Name under the miniature, with a round check mark when chosen.
        QFont font = p.font();
        font.setPointSizeF(font.pointSizeF() * 1.15);
        font.setWeight(QFont::DemiBold);
        p.setFont(font);
        const QRectF caption(frame.left() + 16, shot.bottom() + 12, frame.width() - 32,
                             frame.bottom() - shot.bottom() - 24);
        const qreal dot = 18;
        const QRectF mark(caption.left(), caption.center().y() - dot / 2, dot, dot);
        p.setPen(QPen(on ? theme::accent() : pal.color(QPalette::Mid), 1.5));
        p.setBrush(on ? theme::accent() : Qt::transparent);
        p.drawEllipse(mark);
        if (on) {
            p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath tick;
            tick.moveTo(mark.left() + 5, mark.center().y());
            tick.lineTo(mark.left() + 8, mark.center().y() + 3);
            tick.lineTo(mark.right() - 4.5, mark.center().y() - 3.5);
            p.drawPath(tick);
        }
        p.setPen(pal.color(QPalette::Text));
        p.drawText(caption.adjusted(dot + 10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text());

        // Keyboard focus on the other option: its border takes the accent.
        if (hasFocus() && !on) {
            p.setPen(QPen(theme::accent(), 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(frame, 14, 14);
        }
    }

private:
    AppAppearanceMode m_mode;
};

WizardAppearanceStep::WizardAppearanceStep(SessionWizard& flow, AppDataStore& store,
                                           QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::appearance, parent), m_store(store) {
    auto* row = new QHBoxLayout;
    row->setSpacing(24);
    m_dark = new AppearanceOption(AppAppearanceMode::dark, QStringLiteral("Sombre"), this);
    m_dark->setObjectName(QStringLiteral("wizardAppearanceDark"));
    m_light = new AppearanceOption(AppAppearanceMode::light, QStringLiteral("Claire"), this);
    m_light->setObjectName(QStringLiteral("wizardAppearanceLight"));
    for (AppearanceOption* option : {m_dark, m_light}) {
        row->addWidget(option);
        connect(option, &QAbstractButton::clicked, this,
                [this, option] { choose(option->mode()); });
    }
    content()->addLayout(row);
    content()->addStretch(1);
}

void WizardAppearanceStep::refresh() {
    const AppAppearanceMode mode = m_store.preferences().appearanceMode;
    (mode == AppAppearanceMode::dark ? m_dark : m_light)->setChecked(true);
}

void WizardAppearanceStep::reset() {
    refresh();
}

// A new session starts in its own appearance, and the screen shows it, so
// the chosen option and what the user sees agree.
void WizardAppearanceStep::showOnScreen() {
    const AppAppearanceMode mode = m_store.preferences().appearanceMode;
    if (theme::current() != mode)
        theme::apply(*qApp, mode);
    refresh();
}

void WizardAppearanceStep::choose(AppAppearanceMode mode) {
    wizard().setAppearance(mode);
    if (theme::current() != mode)
        theme::apply(*qApp, mode);
    refresh();
}

void WizardAppearanceStep::proceed() {
    wizard().continueFromAppearance();
}

} // namespace velmora::gui
