#pragma once

#include <QFrame>

namespace velmora::gui {

// A panel over the window under the control that opens it (the notification
// centre, the global search): a card with its shadow, kept over the toasts,
// placed again when the window is resized, closed by Escape or by a press
// anywhere else in the window, the focus going back to its control.
class OverlayPanel : public QFrame {
    Q_OBJECT

public:
    void open();
    void close();
    void toggle();

    // Puts the open panels of `window` back over what was just raised there.
    static void raiseOpenPanels(QWidget& window);

signals:
    void shownChanged(bool shown);

protected:
    OverlayPanel(QWidget& window, QWidget& anchor);

    QWidget& host() const { return m_host; }
    QWidget& anchor() const { return m_anchor; }
    // Before it shows: the content brought up to date.
    virtual void aboutToOpen() {}
    // Its geometry in the window, for its content.
    virtual void place() = 0;
    // Shown (or asked again while shown): where the focus goes.
    virtual void opened() = 0;
    // Subclasses handle their own keys and clicks first, then call this.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isPressOutside(QObject* watched, const QEvent* event) const;

    QWidget& m_host;
    QWidget& m_anchor;
};

} // namespace velmora::gui
