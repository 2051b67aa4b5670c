#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/store/SessionEdit.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The statuses of quotes and of invoices every session starts with, each
// call with fresh ids.
QList<TagItem> seededQuoteStatuses();
QList<TagItem> seededInvoiceStatuses();
// A first session's quote and invoice statuses, all protected.
void seedDocumentStatuses(AppDatabase& db);

// The meaning of a status is carried by its name, trimmed and lower-cased;
// accents must match.
namespace StatusKeys {
inline QString draft() {
    return QStringLiteral("brouillon");
}
inline QString sent() {
    return QStringLiteral("envoyé");
}
inline QString validated() {
    return QStringLiteral("validé");
}
inline QString accepted() {
    return QStringLiteral("accepté");
}
inline QString refused() {
    return QStringLiteral("refusé");
}
inline QString paid() {
    return QStringLiteral("payé");
}
inline QString cancelled() {
    return QStringLiteral("annulé");
}
} // namespace StatusKeys

// The message of a flow whose document is no longer in the session.
inline QString documentNotFoundMessage() {
    return QStringLiteral("Ce document n'existe plus.");
}

// What a document without a known status is called.
inline QString noStatusName() {
    return QStringLiteral("Sans statut");
}

QString normalizedStatusName(const QString& name);

// The two status lists of the session, one per document kind.
struct StatusLists {
    QList<TagItem> quotes;
    QList<TagItem> invoices;

    const QList<TagItem>& of(CommercialDocumentKind kind) const {
        return kind == CommercialDocumentKind::invoice ? invoices : quotes;
    }
    static StatusLists of(const AppDatabase& db) { return {db.quoteStatuses, db.invoiceStatuses}; }
};

// The document's status record, or null when it has none or it no longer exists.
const TagItem* statusOf(const CommercialDocumentItem& document, const StatusLists& lists);
// How a document is named in another record's card: "Facture F-2025-001 · Envoyé".
QString documentLinkText(const CommercialDocumentItem& document, const StatusLists& lists);

// The normalised name of a status of the given kind; "sans statut" when there
// is none or it no longer exists.
QString statusKeyOf(const std::optional<QUuid>& statusID, CommercialDocumentKind kind,
                    const StatusLists& lists);
QString statusKey(const CommercialDocumentItem& document, const StatusLists& lists);

// The first status of the list whose normalised name is one of the keys.
std::optional<QUuid> firstStatusWithKey(const QList<TagItem>& statuses, const QStringList& keys);

} // namespace velmora
