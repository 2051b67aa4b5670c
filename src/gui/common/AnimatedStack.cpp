#include "gui/common/AnimatedStack.h"

#include <QGraphicsOpacityEffect>
#include <QLayout>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

#include <algorithm>

namespace velmora::gui {

namespace {

bool g_animationsEnabled = true;

QPropertyAnimation* animation(QObject* target, const QByteArray& property, const QVariant& from,
                              const QVariant& to, int durationMs) {
    auto* a = new QPropertyAnimation(target, property);
    a->setStartValue(from);
    a->setEndValue(to);
    a->setDuration(durationMs);
    a->setEasingCurve(QEasingCurve::InOutQuad);
    return a;
}

} // namespace

AnimatedStack::AnimatedStack(QWidget* parent) : QStackedWidget(parent) {}

void AnimatedStack::setAnimationsEnabled(bool enabled) {
    g_animationsEnabled = enabled;
}

bool AnimatedStack::animationsEnabled() {
    return g_animationsEnabled;
}

void AnimatedStack::setSlideFraction(qreal fraction) {
    m_slideFraction = std::clamp(fraction, 0.0, 1.0);
}

bool AnimatedStack::isAnimating() const {
    return m_group != nullptr;
}

void AnimatedStack::setCurrentIndex(int index) {
    finishAnimation();
    QStackedWidget::setCurrentIndex(index);
}

void AnimatedStack::setCurrentWidget(QWidget* page) {
    setCurrentIndex(indexOf(page));
}

void AnimatedStack::slideTo(QWidget* page, int durationMs, bool backwards) {
    slideTo(indexOf(page), durationMs, backwards);
}

void AnimatedStack::slideTo(int index, int durationMs, bool backwards) {
    finishAnimation();
    if (index < 0 || index >= count() || index == currentIndex())
        return;
    QWidget* from = currentWidget();
    // Nothing to see: a hidden stack or a first page changes at once.
    if (!g_animationsEnabled || durationMs <= 0 || !isVisible() || from == nullptr) {
        QStackedWidget::setCurrentIndex(index);
        emit transitionFinished(index);
        return;
    }

    QWidget* to = widget(index);
    m_from = from;
    m_to = to;
    m_target = index;
    m_area = from->geometry();
    const int distance = qRound(m_area.width() * m_slideFraction) * (backwards ? -1 : 1);
    const QPoint home = m_area.topLeft();

    to->setGeometry(m_area.translated(distance, 0));
    to->show();
    to->raise();
    auto* fromFade = new QGraphicsOpacityEffect(from);
    fromFade->setOpacity(1.0);
    from->setGraphicsEffect(fromFade);
    auto* toFade = new QGraphicsOpacityEffect(to);
    toFade->setOpacity(0.0);
    to->setGraphicsEffect(toFade);

    auto* group = new QParallelAnimationGroup(this);
    group->addAnimation(animation(from, "pos", home, home - QPoint(distance, 0), durationMs));
    group->addAnimation(animation(to, "pos", home + QPoint(distance, 0), home, durationMs));
    // The old page is gone before the new one is fully there, which keeps
    // the two texts from reading on top of each other.
    group->addAnimation(animation(fromFade, "opacity", 1.0, 0.0, durationMs * 2 / 3));
    group->addAnimation(animation(toFade, "opacity", 0.0, 1.0, durationMs));
    connect(group, &QParallelAnimationGroup::finished, this, &AnimatedStack::complete);
    m_group = group;
    group->start();
}

void AnimatedStack::finishAnimation() {
    if (!m_group)
        return;
    QParallelAnimationGroup* group = m_group;
    // Stopping does not announce the end: complete() is called here instead.
    group->disconnect(this);
    group->setCurrentTime(group->totalDuration());
    group->stop();
    complete();
}

void AnimatedStack::complete() {
    if (m_target < 0)
        return;
    const int target = m_target;
    m_target = -1;
    // Deleted later: complete() may run inside the group's own signal.
    if (m_group) {
        m_group->disconnect(this);
        m_group->deleteLater();
        m_group = nullptr;
    }
    QStackedWidget::setCurrentIndex(target);
    // The layout placed every page once; the pages that moved go back to
    // its area, which a resize during the change may have moved.
    const QRect area = layout() && layout()->geometry().isValid() ? layout()->geometry() : m_area;
    for (QWidget* page : {m_from.data(), m_to.data()}) {
        if (page) {
            page->setGraphicsEffect(nullptr);
            page->setGeometry(area);
        }
    }
    m_from = nullptr;
    m_to = nullptr;
    emit transitionFinished(target);
}

} // namespace velmora::gui
