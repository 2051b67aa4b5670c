#pragma once

#include "gui/common/Dialogs.h"

namespace velmora::gui {

// Message boxes and file dialogs of the toolkit.
class WidgetDialogs : public Dialogs {
public:
    int ask(QWidget* parent, const Alert& alert) override;
    std::optional<QUrl> choose(QWidget* parent, const FilePanel& panel) override;
};

} // namespace velmora::gui
