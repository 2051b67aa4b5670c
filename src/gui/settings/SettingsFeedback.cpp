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

SaveFeedback reportSave(Dialogs& dialogs, QWidget* parent, const SettingsResult& result) {
    switch (result.kind) {
    case SettingsResult::Kind::invalid:
        return {};
    case SettingsResult::Kind::notSaved:
        return {false, showSaveAlert(dialogs, parent, result.message)};
    case SettingsResult::Kind::applied:
        break;
    }
    if (!result.warning.isEmpty())
        return {true, showSaveAlert(dialogs, parent, result.warning)};
    return {true, false};
}

SaveFeedback reportSave(Dialogs& dialogs, QWidget* parent, const SecurityResult& result) {
    SettingsResult same;
    switch (result.kind) {
    case SecurityResult::Kind::applied:
        same = SettingsResult::applied(result.warning);
        break;
    case SecurityResult::Kind::invalid:
        same = SettingsResult::invalid(result.message);
        break;
    case SecurityResult::Kind::notSaved:
        same = SettingsResult::notSaved(result.message);
        break;
    }
    return reportSave(dialogs, parent, same);
}

} // namespace velmora::gui
