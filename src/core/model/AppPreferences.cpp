#include "core/model/AppPreferences.h"

#include "core/model/SectionDescriptor.h"

namespace velmora {

QList<SidebarMenuItemConfig> SidebarMenuItemConfig::defaults() {
    QList<SidebarMenuItemConfig> items;
    for (const SectionDescriptor& section : sectionDescriptors())
        items.append({QUuid::createUuid(), section.symbol, section.key, section.name, true});
    return items;
}

} // namespace velmora
