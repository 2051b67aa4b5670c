#pragma once

#include <QLabel>
#include <QPushButton>

namespace velmora::gui {

// A line of text that never widens its window: without the room, it is drawn
// shortened with "…" and its whole text is the tooltip. text() stays whole,
// for the accessibility tree as for the code.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);

    void setText(const QString& text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode m_mode;
};

// A push button whose text is shortened the same way: a long client name
// does not push the card's other buttons out of view.
class ElidedButton : public QPushButton {
    Q_OBJECT

public:
    ElidedButton(const QString& text, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora::gui
