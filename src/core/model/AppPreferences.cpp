#include "core/model/AppPreferences.h"

namespace velmora {

QList<SidebarMenuItemConfig> SidebarMenuItemConfig::defaults() {
    struct Entry {
        const char* systemName;
        const char* key;
        QString name;
    };
    const Entry entries[] = {
        {"square.grid.2x2", "dashboard", QStringLiteral("Tableau de bord")},
        {"person.2", "clients", QStringLiteral("Clients")},
        {"briefcase", "projects", QStringLiteral("Activités")},
        {"doc.text", "documents", QStringLiteral("Documents")},
        {"square.grid.2x2", "services", QStringLiteral("Catalogue")},
        {"shippingbox", "stock", QStringLiteral("Stock")},
        {"creditcard", "accounting", QStringLiteral("Comptabilité")},
        {"calendar", "calendar", QStringLiteral("Calendrier")},
        {"wrench.and.screwdriver", "externalTools", QStringLiteral("Outils externes")},
    };
    QList<SidebarMenuItemConfig> items;
    for (const Entry& e : entries) {
        items.append({QUuid::createUuid(), QString::fromLatin1(e.systemName),
                      QString::fromLatin1(e.key), e.name, true});
    }
    return items;
}

} // namespace velmora
