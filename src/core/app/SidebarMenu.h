#pragma once

#include "core/model/AppPreferences.h"

namespace velmora {

// The list with every section it lacks: a missing dashboard at the top
// (every session opens on it), the others after the user's own order, in
// the order of a new session. Sessions written before a section existed
// thus show it; the file is not rewritten for that.
QList<SidebarMenuItemConfig> withMissingSections(QList<SidebarMenuItemConfig> items);

// The sections the main window lists, in the user's order: the session's own
// items, completed as above, or the default ones when it has none (older
// files, or a list emptied by hand). Ids stay those of the session so that
// edits find them.
QList<SidebarMenuItemConfig> effectiveSidebarItems(const AppPreferences& preferences);

// The section every session opens on and returns to when it is locked; it
// cannot be switched off.
inline QString dashboardKey() {
    return QStringLiteral("dashboard");
}

} // namespace velmora
