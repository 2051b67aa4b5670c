#include "gui/launch/WizardModulesStep.h"

#include "core/model/SectionDescriptor.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace velmora::gui {

namespace {

// An on/off switch: a pill with a knob that slides to the on side.
class ModuleSwitch : public QAbstractButton {
public:
    explicit ModuleSwitch(QWidget* parent) : QAbstractButton(parent) {
        setCheckable(true);
        setCursor(Qt::PointingHandCursor);
        setFixedSize(42, 24);
        connect(this, &QAbstractButton::toggled, this, [this](bool) { update(); });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
        p.setPen(Qt::NoPen);
        p.setBrush(isChecked() ? theme::accent() : palette().color(QPalette::Mid));
        p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
        const qreal knob = track.height() - 4;
        const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
        if (hasFocus() && m_keyboardFocus) {
            QColor ring = theme::accent();
            ring.setAlphaF(0.5);
            p.setPen(QPen(ring, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 11, 11);
        }
    }
    // The ring is for the keyboard: a click already shows where focus is.
    void focusInEvent(QFocusEvent* event) override {
        m_keyboardFocus =
            event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
        QAbstractButton::focusInEvent(event);
    }

private:
    bool m_keyboardFocus = false;
};

// A card that also toggles its switch when clicked anywhere.
class ModuleCard : public QFrame {
public:
    ModuleCard(QAbstractButton* toggle, QWidget* parent) : QFrame(parent), m_toggle(toggle) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            m_toggle->click();
    }

private:
    QAbstractButton* m_toggle;
};

QPixmap badge(const QString& symbol, const QColor& color) {
    constexpr int size = 38;
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap out(QSize(size, size) * ratio);
    out.setDevicePixelRatio(ratio);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    QColor tint = color;
    tint.setAlphaF(0.16);
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawRoundedRect(QRectF(0, 0, size, size), 10, 10);
    const QPixmap icon = symbolPixmap(symbol, 20, color);
    if (!icon.isNull())
        p.drawPixmap(QPointF((size - 20) / 2.0, (size - 20) / 2.0), icon);
    return out;
}

} // namespace

QColor WizardModulesStep::moduleColor(const QString& id) {
    const SectionDescriptor* section = sectionDescriptor(id);
    if (!section || !section->wizard)
        return theme::accent();
    return QColor::fromRgb(section->wizard->rgb);
}

WizardModulesStep::WizardModulesStep(SessionWizard& flow, QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::modules, parent) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    const QList<LaunchModuleCard> modules = flow.modules();
    for (int i = 0; i < modules.size(); ++i) {
        const LaunchModuleCard& module = modules[i];
        auto* toggle = new ModuleSwitch(this);
        toggle->setObjectName(QStringLiteral("moduleSwitch_") + module.id);
        toggle->setAccessibleName(module.displayName);
        auto* card = new ModuleCard(toggle, this);
        card->setObjectName(QStringLiteral("moduleCard_") + module.id);
        theme::setRole(card, "card");
        auto* row = new QHBoxLayout(card);
        row->setContentsMargins(12, 10, 14, 10);
        row->setSpacing(12);
        auto* icon = new QLabel(card);
        icon->setFixedSize(38, 38);
        icon->setPixmap(badge(module.icon, moduleColor(module.id)));
        row->addWidget(icon);
        QLabel* name = theme::label(module.displayName, "", card);
        name->setWordWrap(false);
        QFont font = name->font();
        font.setWeight(QFont::DemiBold);
        name->setFont(font);
        row->addWidget(name, 1);
        toggle->setParent(card);
        row->addWidget(toggle);
        grid->addWidget(card, i / 2, i % 2);
        m_switches.insert(module.id, toggle);

        const QString id = module.id;
        connect(toggle, &QAbstractButton::toggled, this,
                [this, id](bool enabled) { this->wizard().setModuleEnabled(id, enabled); });
    }
    content()->addLayout(grid);
    content()->addStretch(1);
}

void WizardModulesStep::refresh() {
    for (const LaunchModuleCard& module : wizard().modules()) {
        if (QAbstractButton* toggle = m_switches.value(module.id)) {
            const QSignalBlocker quiet(toggle);
            toggle->setChecked(module.isEnabled);
            toggle->update();
        }
    }
}

void WizardModulesStep::proceed() {
    wizard().continueFromModules();
}

} // namespace velmora::gui
