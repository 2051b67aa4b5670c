#include "core/documents/DocumentStatus.h"

#include "core/activities/ActivityStatuses.h"

namespace velmora {
QList<TagItem> seededQuoteStatuses() {
    return freshTags({{QStringLiteral("Brouillon"), TagColorOption::gray},
                      {QStringLiteral("Envoyé"), TagColorOption::blue},
                      {QStringLiteral("Validé"), TagColorOption::green},
                      {QStringLiteral("Refusé"), TagColorOption::red}});
}

QList<TagItem> seededInvoiceStatuses() {
    return freshTags({{QStringLiteral("Brouillon"), TagColorOption::gray},
                      {QStringLiteral("Envoyé"), TagColorOption::blue},
                      {QStringLiteral("Payé"), TagColorOption::green}});
}

void seedDocumentStatuses(AppDatabase& db) {
    db.quoteStatuses = seededQuoteStatuses();
    db.invoiceStatuses = seededInvoiceStatuses();
    const auto sortedIdsOf = [](const QList<TagItem>& tags) {
        QList<QUuid> ids;
        for (const TagItem& tag : tags)
            ids.append(tag.id);
        return sortedIds(ids);
    };
    db.protectedQuoteStatusIDs = sortedIdsOf(db.quoteStatuses);
    db.protectedInvoiceStatusIDs = sortedIdsOf(db.invoiceStatuses);
}

// QString::trimmed() removes the Unicode white-space-and-newline set and
// toLower() is the locale-independent Unicode mapping.
QString normalizedStatusName(const QString& name) {
    return name.trimmed().toLower();
}

QString statusKeyOf(const std::optional<QUuid>& statusID, CommercialDocumentKind kind,
                    const StatusLists& lists) {
    if (statusID) {
        for (const TagItem& status : lists.of(kind)) {
            if (status.id == *statusID)
                return normalizedStatusName(status.name);
        }
    }
    return normalizedStatusName(noStatusName());
}

QString statusKey(const CommercialDocumentItem& document, const StatusLists& lists) {
    return statusKeyOf(document.statusID, document.kind, lists);
}

std::optional<QUuid> firstStatusWithKey(const QList<TagItem>& statuses, const QStringList& keys) {
    for (const TagItem& status : statuses) {
        if (keys.contains(normalizedStatusName(status.name)))
            return status.id;
    }
    return std::nullopt;
}

const TagItem* statusOf(const CommercialDocumentItem& document, const StatusLists& lists) {
    if (document.statusID)
        for (const TagItem& tag : lists.of(document.kind))
            if (tag.id == *document.statusID)
                return &tag;
    return nullptr;
}

QString documentLinkText(const CommercialDocumentItem& document, const StatusLists& lists) {
    const TagItem* status = statusOf(document, lists);
    return QStringLiteral("%1 %2 · %3")
        .arg(displayName(document.kind), document.number, status ? status->name : noStatusName());
}

} // namespace velmora
