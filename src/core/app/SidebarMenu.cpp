#include "core/app/SidebarMenu.h"

#include "core/model/SectionDescriptor.h"

namespace velmora {

namespace {

// The same id at every reading, so that an entry the session lacks is found
// again until the user's editing writes it.
QUuid addedSectionID(const QString& key) {
    static const QUuid space(0x5c1d6a0e, 0x8a4b, 0x4f5e, 0x9d, 0x41, 0x3e, 0x0b, 0x7a, 0x52, 0xc8,
                             0x19);
    return QUuid::createUuidV5(space, key);
}

} // namespace

QList<SidebarMenuItemConfig> withMissingSections(QList<SidebarMenuItemConfig> items) {
    const auto has = [&items](const QString& key) {
        for (const SidebarMenuItemConfig& item : items)
            if (item.defaultKey == key)
                return true;
        return false;
    };
    for (const SectionDescriptor& section : sectionDescriptors()) {
        if (has(section.key))
            continue;
        const SidebarMenuItemConfig added{addedSectionID(section.key), section.symbol, section.key,
                                          section.name, true};
        if (section.key == dashboardKey())
            items.prepend(added);
        else
            items.append(added);
    }
    return items;
}

QList<SidebarMenuItemConfig> effectiveSidebarItems(const AppPreferences& preferences) {
    if (!preferences.sidebarMenuItems.isEmpty())
        return withMissingSections(preferences.sidebarMenuItems);
    return SidebarMenuItemConfig::defaults();
}

} // namespace velmora
