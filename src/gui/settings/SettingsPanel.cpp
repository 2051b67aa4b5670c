#include "gui/settings/SettingsPanel.h"

#include "gui/settings/SettingsFeedback.h"

namespace velmora::gui {

SettingsPanel::SettingsPanel(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs) {}

bool SettingsPanel::report(const SettingsResult& result) {
    const SaveFeedback feedback = reportSave(m_dialogs, this, result);
    if (feedback.rescue)
        emit saveRescueRequested();
    return feedback.applied;
}

} // namespace velmora::gui
