#pragma once

#include "core/Result.h"

class QWidget;

namespace velmora::gui {

class Dialogs;

// What the user must hear after a settings page saved: nothing, the failure
// ("Enregistrement impossible"), or the warning that their own file lags
// behind. `rescue` tells whether they asked to move a session whose disk is
// full.
struct SaveFeedback {
    bool applied = false;
    bool rescue = false;
};

SaveFeedback reportSave(Dialogs& dialogs, QWidget* parent, const Result<>& result);

} // namespace velmora::gui
