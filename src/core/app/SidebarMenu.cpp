#include "core/app/SidebarMenu.h"

namespace velmora {

QList<SidebarMenuItemConfig> effectiveSidebarItems(const AppPreferences& preferences) {
    if (!preferences.sidebarMenuItems.isEmpty())
        return preferences.sidebarMenuItems;
    return SidebarMenuItemConfig::defaults();
}

} // namespace velmora
