#include "core/model/NewSession.h"

namespace velmora {
namespace {

QList<TagItem> tags(std::initializer_list<std::pair<QString, TagColorOption>> seeds) {
    QList<TagItem> result;
    for (const auto& [name, color] : seeds)
        result.append({QUuid::createUuid(), name, color});
    return result;
}

QList<QUuid> idsOf(const QList<TagItem>& items) {
    QList<QUuid> ids;
    for (const TagItem& item : items)
        ids.append(item.id);
    return ids;
}

} // namespace

QList<TagItem> seededQuoteStatuses() {
    return tags({{QStringLiteral("Brouillon"), TagColorOption::gray},
                 {QStringLiteral("Envoyé"), TagColorOption::blue},
                 {QStringLiteral("Validé"), TagColorOption::green},
                 {QStringLiteral("Refusé"), TagColorOption::red}});
}

QList<TagItem> seededInvoiceStatuses() {
    return tags({{QStringLiteral("Brouillon"), TagColorOption::gray},
                 {QStringLiteral("Envoyé"), TagColorOption::blue},
                 {QStringLiteral("Payé"), TagColorOption::green}});
}

QList<TagItem> seededProjectStatuses() {
    return tags({{QStringLiteral("En cours"), TagColorOption::blue},
                 {QStringLiteral("À venir"), TagColorOption::orange},
                 {QStringLiteral("Terminé"), TagColorOption::green},
                 {QStringLiteral("Annulé"), TagColorOption::red}});
}

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
