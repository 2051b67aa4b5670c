#include "gui/settings/SettingsFeedback.h"

#include "core/session/SessionFlows.h"
#include "gui/common/Dialogs.h"

namespace velmora::gui {

namespace {

// Shows the alert of a failed or incomplete save; true when the user chose
// to copy the session to a place with room.
bool showSaveAlert(Dialogs& dialogs, QWidget* parent, const QString& error) {
    const bool accepted = confirm(dialogs, parent, SessionFlows::saveFailedAlert(error));
    return accepted && SessionFlows::isDiskFull(error);
}

} // namespace

SaveFeedback reportSave(Dialogs& dialogs, QWidget* parent, const Result<>& result) {
    if (result.kind() == ResultKind::invalid)
        return {};
    if (!result)
        return {false, showSaveAlert(dialogs, parent, result.error())};
    if (!result.warning().isEmpty())
        return {true, showSaveAlert(dialogs, parent, result.warning())};
    return {true, false};
}

} // namespace velmora::gui
