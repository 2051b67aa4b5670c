#pragma once

#include <QPointer>
#include <QStackedWidget>

class QParallelAnimationGroup;

namespace velmora::gui {

// A stack of pages whose changes can slide and fade: the old page leaves
// towards one side while the new one comes in from the other. Only one
// change runs at a time: asking for another first completes the running one,
// so the stack never shows two pages once a change is over.
class AnimatedStack : public QStackedWidget {
    Q_OBJECT

public:
    explicit AnimatedStack(QWidget* parent = nullptr);

    // Off in tests and headless runs: every change is then immediate and
    // synchronous. On by default.
    static void setAnimationsEnabled(bool enabled);
    static bool animationsEnabled();

    // Moves to the page at `index` over `durationMs` (ease in and out); the
    // new page comes from the right, or from the left when `backwards`. An
    // index out of range is ignored.
    void slideTo(int index, int durationMs, bool backwards = false);
    void slideTo(QWidget* page, int durationMs, bool backwards = false);

    // Immediate changes; a running animation is completed first.
    void setCurrentIndex(int index);
    void setCurrentWidget(QWidget* page);

    bool isAnimating() const;
    // Jumps to the end of the running change, if any.
    void finishAnimation();

    // How far the pages travel, as a part of the stack's width (0 to 1).
    qreal slideFraction() const { return m_slideFraction; }
    void setSlideFraction(qreal fraction);

signals:
    // The page at `index` is the current one and stands alone.
    void transitionFinished(int index);

private:
    void complete();

    QPointer<QParallelAnimationGroup> m_group;
    QPointer<QWidget> m_from;
    QPointer<QWidget> m_to;
    QRect m_area;
    int m_target = -1;
    qreal m_slideFraction = 0.3;
};

} // namespace velmora::gui
