#include "gui/common/Dialogs.h"

namespace velmora::gui {

bool accepted(const Alert& alert, int answer) {
    if (answer < 0 || answer >= alert.buttons.size())
        return false;
    return alert.buttons[answer].role != AlertRole::cancel;
}

} // namespace velmora::gui
