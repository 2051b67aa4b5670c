#include "core/search/SpotlightHit.h"

namespace velmora {

QString spotlightSectionKey(SpotlightCategory category) {
    using C = SpotlightCategory;
    switch (category) {
    case C::projects:
    case C::tagsProjects:
        return QStringLiteral("projects");
    case C::documents:
    case C::tagsDocuments:
        return QStringLiteral("documents");
    case C::clients:
    case C::tagsClients:
        return QStringLiteral("clients");
    case C::services:
    case C::tagsServices:
        return QStringLiteral("services");
    case C::stock:
    case C::wishlist:
    case C::tagsStock:
        return QStringLiteral("stock");
    case C::accounting:
    case C::urssaf:
    case C::recurring:
        return QStringLiteral("accounting");
    case C::externalTools:
    case C::tagsExternalTools:
        return QStringLiteral("externalTools");
    }
    return {};
}

SpotlightAction spotlightAction(SpotlightCategory category, const QUuid& id) {
    using C = SpotlightCategory;
    SpotlightPane pane = SpotlightPane::records;
    switch (category) {
    case C::wishlist:
        pane = SpotlightPane::wishlist;
        break;
    case C::accounting:
        pane = SpotlightPane::expenses;
        break;
    case C::urssaf:
        pane = SpotlightPane::urssaf;
        break;
    case C::recurring:
        pane = SpotlightPane::subscriptions;
        break;
    case C::tagsProjects:
    case C::tagsDocuments:
    case C::tagsClients:
    case C::tagsServices:
    case C::tagsStock:
    case C::tagsExternalTools:
        pane = SpotlightPane::tagSettings;
        break;
    case C::projects:
    case C::documents:
    case C::clients:
    case C::services:
    case C::stock:
    case C::externalTools:
        break;
    }
    return {spotlightSectionKey(category), pane, id};
}

} // namespace velmora
