#pragma once

#include "core/model/AppPreferences.h"

namespace velmora {

// The sections the main window lists, in the user's order: the session's own
// items, or the nine default ones when it has none (older files, or a list
// emptied by hand). Ids stay those of the session so that edits find them.
QList<SidebarMenuItemConfig> effectiveSidebarItems(const AppPreferences& preferences);

// The section every session opens on and returns to when it is locked; it
// cannot be switched off.
inline QString dashboardKey() {
    return QStringLiteral("dashboard");
}

} // namespace velmora
