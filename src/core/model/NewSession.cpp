#include "core/model/NewSession.h"

#include "core/activities/ActivityStatuses.h"
#include "core/documents/DocumentStatus.h"

namespace velmora {
namespace {

QList<QUuid> idsOf(const QList<TagItem>& items) {
    QList<QUuid> ids;
    for (const TagItem& item : items)
        ids.append(item.id);
    return ids;
}

} // namespace

AppDatabase newSessionContents() {
    AppDatabase db;
    db.quoteStatuses = seededQuoteStatuses();
    db.protectedQuoteStatusIDs = idsOf(db.quoteStatuses);
    db.invoiceStatuses = seededInvoiceStatuses();
    db.protectedInvoiceStatusIDs = idsOf(db.invoiceStatuses);
    db.projectStatuses = seededProjectStatuses();
    db.protectedProjectStatusIDs = idsOf(db.projectStatuses);
    for (const TagItem& status : db.projectStatuses)
        db.projectStatusOptions.append(status.name);
    db.projectTypeOptions = {QStringLiteral("Clients"), QStringLiteral("Autre")};
    db.preferences.sidebarMenuItems = SidebarMenuItemConfig::defaults();
    db.sessionID = QUuid::createUuid();
    return db;
}

} // namespace velmora
