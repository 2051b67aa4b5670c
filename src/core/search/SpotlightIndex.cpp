#include "core/search/SpotlightIndex.h"

#include "core/search/SpotlightTexts.h"
#include "core/text/SearchFolding.h"

#include <QStringMatcher>

#include <algorithm>

namespace velmora {

namespace {

using C = SpotlightCategory;

// Whether the two name the client alike: a company by its name, a person
// by first and last names.
bool sameName(const ClientItem& a, const ClientItem& b) {
    if (a.kind != b.kind)
        return false;
    if (a.kind == ClientKind::professionnel)
        return a.company == b.company;
    return a.lastName == b.lastName && a.firstName == b.firstName;
}

} // namespace

void SpotlightIndex::FoldedRecords::add(SpotlightRef ref,
                                        std::initializer_list<const QString*> fields,
                                        const QString& folded) {
    const qint32 record = qint32(records.size());
    for (const QString* field : fields) {
        appendFoldedForSearch(text, *field);
        endField(record);
    }
    text += folded;
    endField(record);
    recordEnds.append(text.size());
    records.append(ref);
}

// An empty field is no field: nothing of it can match.
void SpotlightIndex::FoldedRecords::endField(qint32 record) {
    if (text.size() == (fieldEnds.isEmpty() ? 0 : fieldEnds.last()))
        return;
    fieldEnds.append(text.size());
    fieldRecords.append(record);
}

QList<SpotlightRef> SpotlightIndex::FoldedRecords::matching(const QString& folded) const {
    QList<SpotlightRef> found;
    const QStringMatcher matcher(folded);
    const QStringView haystack(text);
    auto field = fieldEnds.cbegin();
    qsizetype from = 0;
    while (true) {
        const qsizetype at = matcher.indexIn(haystack, from);
        if (at < 0)
            break;
        // The field the match starts in: the first one ending after it.
        field = std::upper_bound(field, fieldEnds.cend(), at);
        if (at + folded.size() > *field) {
            from = at + 1;
            continue;
        }
        // One hit per record: go on after its last field.
        const qint32 record = fieldRecords[field - fieldEnds.cbegin()];
        found.append(records[record]);
        from = recordEnds[record];
    }
    return found;
}

SpotlightIndex::SpotlightIndex(AppDatabase session) : m_session(std::move(session)) {
    fold(m_session.db());
}

void SpotlightIndex::fold(const AppDatabase& db) {
    const auto at = [this](C category) -> FoldedRecords& {
        return m_folded[static_cast<std::size_t>(category)];
    };
    // Each client's name folded once: most documents name their client as
    // the record still does.
    QHash<QUuid, std::pair<const ClientItem*, QString>> clients;
    clients.reserve(db.clients.size());
    for (const ClientItem& c : db.clients)
        clients.insert(c.id, {&c, foldedForSearch(m_session.clientName(c.id))});
    const auto foldedClient = [&](const std::optional<QUuid>& id) {
        return id ? clients.value(*id).second : QString();
    };

    // Each list of fields is the one the search looks through, in order.
    // Passwords, addresses and document lines are never among them.
    qint32 row = 0;
    for (const ProjectItem& p : db.projects)
        at(C::projects)
            .add({0, row++}, {&p.title, &p.info, &p.notes, &p.type, &p.status},
                 foldedClient(p.linkedClientID));
    row = 0;
    for (const CommercialDocumentItem& d : db.documents) {
        const ClientItem* issued =
            d.pdfSnapshot && d.pdfSnapshot->client ? &*d.pdfSnapshot->client : nullptr;
        const std::optional<QUuid> clientID = issued ? std::optional(issued->id) : d.clientID;
        const auto live = clientID ? clients.constFind(*clientID) : clients.cend();
        const bool asRecorded =
            !issued || (live != clients.cend() && sameName(*issued, *live->first));
        at(C::documents)
            .add({0, row++}, {&d.number, &d.notes, &d.paymentTerms},
                 asRecorded ? foldedClient(clientID)
                            : foldedForSearch(m_session.documentClient(d)));
    }
    row = 0;
    for (const ClientItem& c : db.clients)
        at(C::clients)
            .add({0, row++}, {&c.firstName, &c.lastName, &c.company, &c.email, &c.phone, &c.notes});
    row = 0;
    for (const ServiceItem& s : db.services)
        at(C::services).add({0, row++}, {&s.title, &s.description, &s.notes});
    row = 0;
    for (const StockItem& s : db.stockItems)
        at(C::stock).add({0, row++}, {&s.title, &s.notes});
    row = 0;
    for (const PurchaseWishlistItem& w : db.purchaseWishlistItems)
        at(C::wishlist).add({0, row++}, {&w.title, &w.notes});
    row = 0;
    for (const AccountingPurchaseItem& a : db.accountingPurchases)
        at(C::accounting).add({0, row++}, {&a.customProductName, &a.supplier, &a.notes});
    row = 0;
    for (const URSSAFDeclaration& u : db.urssafDeclarations)
        at(C::urssaf).add({0, row++}, {&u.notes});
    row = 0;
    for (const RecurringPurchase& r : db.recurringPurchases)
        at(C::recurring).add({0, row++}, {&r.name, &r.description, &r.websiteURL, &r.notes});
    row = 0;
    for (const ExternalTool& t : db.externalTools) {
        at(C::externalTools).add({0, row}, {&t.name, &t.login, &t.websiteURL, &t.notes});
        m_toolNames.add({0, row++}, {&t.name});
    }
    for (std::size_t i = 0; i < spotlightCategoryCount; ++i) {
        const QList<SpotlightTagPool>& pools = m_session.tagPools(static_cast<C>(i));
        for (qint32 pool = 0; pool < pools.size(); ++pool) {
            row = 0;
            for (const SpotlightTag& tag : pools[pool].tags)
                m_folded[i].add({pool, row++}, {&tag.name});
        }
    }
}

const SpotlightIndex::FoldedRecords& SpotlightIndex::folded(SpotlightCategory category,
                                                            bool vaultLocked) const {
    if (category == C::externalTools && vaultLocked)
        return m_toolNames;
    return m_folded[static_cast<std::size_t>(category)];
}

SpotlightResult SpotlightIndex::search(const QString& query,
                                       const SpotlightOptions& options) const {
    SpotlightResult result;
    const QString typed = query.trimmed();
    if (typed.isEmpty())
        return result;
    // A query folding to nothing (marks alone) matches nothing rather than all.
    const QString folded = foldedForSearch(typed);
    for (std::size_t i = 0; i < spotlightCategoryCount && !folded.isEmpty(); ++i) {
        const C category = static_cast<C>(i);
        const QList<SpotlightRef> refs =
            this->folded(category, options.vaultLocked).matching(folded);
        if (refs.isEmpty())
            continue;
        SpotlightSection section{category, m_session.sectionName(category), refs.size(), {}};
        const qsizetype listed =
            options.hitLimit < 0 ? refs.size() : std::min(options.hitLimit, refs.size());
        section.hits.reserve(listed);
        for (qsizetype k = 0; k < listed; ++k)
            section.hits.append(m_session.hit(category, refs[k], options.vaultLocked));
        result.sections.append(std::move(section));
    }
    if (result.sections.isEmpty())
        result.emptyText = SpotlightTexts::emptyResult(typed);
    return result;
}

} // namespace velmora
