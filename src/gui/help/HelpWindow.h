#pragma once

#include <QWidget>

namespace velmora::gui {

// "Aide Velmora Core": the short guide that ships with the application.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace velmora::gui
