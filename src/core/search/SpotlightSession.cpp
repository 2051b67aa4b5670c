#include "core/search/SpotlightSession.h"

#include "core/accounting/UrssafPeriod.h"
#include "core/app/SidebarMenu.h"
#include "core/model/SectionDescriptor.h"
#include "core/stock/StockLevels.h"
#include "core/stock/StockListModel.h"
#include "core/stock/WishlistListModel.h"
#include "core/text/AmountParsing.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"

#include <QStringList>

namespace velmora {

namespace {

using C = SpotlightCategory;

constexpr std::size_t slot(SpotlightCategory category) {
    return static_cast<std::size_t>(category);
}

QList<SpotlightTag> poolTags(const QList<TagItem>& tags) {
    QList<SpotlightTag> pool;
    pool.reserve(tags.size());
    for (const TagItem& tag : tags)
        pool.append({tag.id, tag.name, tag.color});
    return pool;
}

QList<SpotlightTag> poolTags(const QList<StockSubTag>& tags) {
    QList<SpotlightTag> pool;
    pool.reserve(tags.size());
    for (const StockSubTag& tag : tags)
        pool.append({tag.id, tag.name, tag.color});
    return pool;
}

// A renamed classification level keeps its new name; a blank one its default.
QString labelOr(const QString& label, const QString& fallback) {
    const QString trimmed = label.trimmed();
    return trimmed.isEmpty() ? fallback : trimmed;
}

QString sidebarName(const AppDatabase& db, const QString& key) {
    for (const SidebarMenuItemConfig& item : effectiveSidebarItems(db.preferences))
        if (item.defaultKey == key && !item.displayName.trimmed().isEmpty())
            return item.displayName.trimmed();
    const SectionDescriptor* section = sectionDescriptor(key);
    return section ? section->name : key;
}

// The parts of a subtitle that hold something, joined; none when all are blank.
std::optional<QString> subtitleOf(const QStringList& parts) {
    QStringList kept;
    for (const QString& part : parts)
        if (const QString trimmed = part.trimmed(); !trimmed.isEmpty())
            kept << trimmed;
    if (kept.isEmpty())
        return std::nullopt;
    return kept.join(QStringLiteral("  ·  "));
}

QString orFallback(const QString& text, const QString& fallback) {
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? fallback : trimmed;
}

QString clientTitle(const ClientItem& client) {
    QStringList names;
    for (const QString* part : {&client.firstName, &client.lastName})
        if (const QString trimmed = part->trimmed(); !trimmed.isEmpty())
            names << trimmed;
    if (!names.isEmpty())
        return names.join(u' ');
    return orFallback(client.company, QStringLiteral("Client"));
}

// A catalogue price is text as typed; it shows as money only when it reads as one.
QString priceText(const QString& typed) {
    const std::optional<double> amount = parseAmount(typed);
    return amount ? formatMoney(*amount) : QString();
}

} // namespace

SpotlightSession::SpotlightSession(AppDatabase session) : m_db(std::move(session)) {
    m_clientNames.reserve(m_db.clients.size());
    for (const ClientItem& client : m_db.clients)
        m_clientNames.insert(client.id, clientDisplayName(client));
    m_stockTitles.reserve(m_db.stockItems.size());
    for (const StockItem& item : m_db.stockItems)
        m_stockTitles.insert(item.id, item.title.trimmed());

    for (std::size_t i = 0; i < spotlightCategoryCount; ++i)
        m_sectionNames[i] = sidebarName(m_db, spotlightSectionKey(static_cast<C>(i)));
    m_sectionNames[slot(C::wishlist)] = QStringLiteral("Liste d’achats");
    m_sectionNames[slot(C::accounting)] = QStringLiteral("Dépenses");
    m_sectionNames[slot(C::urssaf)] = QStringLiteral("URSSAF");
    m_sectionNames[slot(C::recurring)] = QStringLiteral("Abonnements");
    m_sectionNames[slot(C::tagsProjects)] = QStringLiteral("Tags et statuts des activités");
    m_sectionNames[slot(C::tagsDocuments)] = QStringLiteral("Statuts des documents");
    m_sectionNames[slot(C::tagsClients)] = QStringLiteral("Tags des clients");
    m_sectionNames[slot(C::tagsServices)] = QStringLiteral("Tags du catalogue");
    m_sectionNames[slot(C::tagsStock)] = QStringLiteral("Tags du stock");
    m_sectionNames[slot(C::tagsExternalTools)] = QStringLiteral("Tags des outils externes");

    m_tagPools[slot(C::tagsProjects)] = {
        {QStringLiteral("Tags"), poolTags(m_db.projectTags)},
        {QStringLiteral("Type Clients"), poolTags(m_db.clientProjectTags)},
        {QStringLiteral("Type Personnel"), poolTags(m_db.personalProjectTags)},
        {QStringLiteral("Statut"), poolTags(m_db.projectStatuses)},
    };
    m_tagPools[slot(C::tagsDocuments)] = {
        {QStringLiteral("Statut devis"), poolTags(m_db.quoteStatuses)},
        {QStringLiteral("Statut facture"), poolTags(m_db.invoiceStatuses)},
    };
    m_tagPools[slot(C::tagsClients)] = {
        {QStringLiteral("Tags clients"), poolTags(m_db.clientTags)}};
    m_tagPools[slot(C::tagsServices)] = {
        {QStringLiteral("Tags catalogue"), poolTags(m_db.serviceTags)}};
    const StockSettings& stock = m_db.stockSettings;
    m_tagPools[slot(C::tagsStock)] = {
        {labelOr(stock.labelTags, QStringLiteral("Tags")), poolTags(m_db.stockTags)},
        {labelOr(stock.labelSubTags, QStringLiteral("Sous-tags")), poolTags(m_db.stockSubTags)},
    };
    m_tagPools[slot(C::tagsExternalTools)] = {
        {QStringLiteral("Tags outils"), poolTags(m_db.externalToolTags)}};
}

QString SpotlightSession::clientName(const std::optional<QUuid>& id) const {
    return id ? m_clientNames.value(*id) : QString();
}

QString SpotlightSession::documentClient(const CommercialDocumentItem& document) const {
    return documentClientName(document, m_clientNames);
}

QString SpotlightSession::sectionName(SpotlightCategory category) const {
    return m_sectionNames[slot(category)];
}

const QList<SpotlightTagPool>& SpotlightSession::tagPools(SpotlightCategory category) const {
    return m_tagPools[slot(category)];
}

SpotlightHit SpotlightSession::hit(SpotlightCategory category, SpotlightRef ref,
                                   bool vaultLocked) const {
    const QList<SpotlightTagPool>& pools = tagPools(category);
    if (pools.isEmpty())
        return recordHit(category, ref.row, vaultLocked);
    const SpotlightTagPool& pool = pools[ref.pool];
    const SpotlightTag& tag = pool.tags[ref.row];
    return {tag.id,
            category,
            tag.name,
            pool.name,
            QStringLiteral("tag.fill"),
            std::nullopt,
            tag.color,
            spotlightAction(category, tag.id)};
}

SpotlightHit SpotlightSession::recordHit(SpotlightCategory category, qint32 row,
                                         bool vaultLocked) const {
    SpotlightHit hit;
    hit.category = category;
    switch (category) {
    case C::projects: {
        const ProjectItem& p = m_db.projects[row];
        hit.id = p.id;
        // "Activités" names an untitled one "Activité sans titre".
        hit.title =
            orFallback(p.title, sectionName(category).chopped(1) + QStringLiteral(" sans titre"));
        hit.subtitle = subtitleOf({clientName(p.linkedClientID), p.type});
        hit.systemIcon = QStringLiteral("folder.fill");
        if (!p.status.trimmed().isEmpty())
            hit.badge = p.status.trimmed();
        break;
    }
    case C::documents: {
        const CommercialDocumentItem& d = m_db.documents[row];
        const bool invoice = d.kind == CommercialDocumentKind::invoice;
        hit.id = d.id;
        hit.title = orFallback(d.number, QStringLiteral("Document"));
        hit.subtitle = subtitleOf({documentClient(d)});
        hit.systemIcon =
            invoice ? QStringLiteral("doc.text.fill") : QStringLiteral("doc.plaintext.fill");
        hit.badge = invoice ? QStringLiteral("Facture") : QStringLiteral("Devis");
        break;
    }
    case C::clients: {
        const ClientItem& c = m_db.clients[row];
        hit.id = c.id;
        hit.title = clientTitle(c);
        const QString company = c.company.trimmed();
        hit.subtitle = subtitleOf({company == hit.title ? QString() : company, c.email, c.phone});
        hit.systemIcon = c.kind == ClientKind::professionnel ? QStringLiteral("person.2.fill")
                                                             : QStringLiteral("person.fill");
        break;
    }
    case C::services: {
        const ServiceItem& s = m_db.services[row];
        hit.id = s.id;
        hit.title = orFallback(s.title, QStringLiteral("Élément du catalogue"));
        hit.subtitle = subtitleOf({QStringLiteral("Élément du catalogue"), priceText(s.priceTTC)});
        hit.systemIcon = QStringLiteral("wand.and.stars");
        break;
    }
    case C::stock: {
        const StockItem& s = m_db.stockItems[row];
        hit.id = s.id;
        hit.title = orFallback(s.title, QStringLiteral("Article"));
        hit.subtitle = subtitleOf({StockListModel::quantityText(s.quantity),
                                   stockLevelText(stockLevel(s, m_db.stockSettings))});
        hit.systemIcon = QStringLiteral("shippingbox.fill");
        break;
    }
    case C::wishlist: {
        const PurchaseWishlistItem& w = m_db.purchaseWishlistItems[row];
        hit.id = w.id;
        hit.title = orFallback(w.title, QStringLiteral("Article"));
        hit.subtitle =
            subtitleOf({QStringLiteral("Article à acheter"),
                        w.quantity ? StockListModel::quantityText(w.quantity) : QString(),
                        w.status == PurchaseWishlistStatus::bought ? wishlistStatusText(w.status)
                                                                   : QString()});
        hit.systemIcon = QStringLiteral("cart.fill");
        break;
    }
    case C::accounting: {
        const AccountingPurchaseItem& a = m_db.accountingPurchases[row];
        hit.id = a.id;
        // Named as the expense list names it: by its stock item when it has one.
        const QString stockTitle =
            a.linkedStockID ? m_stockTitles.value(*a.linkedStockID) : QString();
        hit.title = orFallback(stockTitle.isEmpty() ? a.customProductName : stockTitle,
                               QStringLiteral("Dépense"));
        hit.subtitle =
            subtitleOf({formatMoney(a.priceTTC), formatShortDate(a.purchaseDate), a.supplier});
        hit.systemIcon = QStringLiteral("creditcard.fill");
        break;
    }
    case C::urssaf: {
        const URSSAFDeclaration& u = m_db.urssafDeclarations[row];
        hit.id = u.id;
        hit.title = QStringLiteral("Déclaration URSSAF");
        const UrssafPeriod period{int(u.year), int(u.periodIndex), u.frequency};
        hit.subtitle =
            subtitleOf({urssafPeriodText(period), formatMoney(u.cotisationAmount + u.cfpAmount +
                                                              u.versementLiberatoireAmount)});
        hit.systemIcon = QStringLiteral("building.columns.fill");
        hit.badge = u.isPaid ? QStringLiteral("Payée") : QStringLiteral("À payer");
        break;
    }
    case C::recurring: {
        const RecurringPurchase& r = m_db.recurringPurchases[row];
        hit.id = r.id;
        hit.title = orFallback(r.name, QStringLiteral("Abonnement"));
        hit.subtitle = subtitleOf({formatMoney(r.amount), displayName(r.frequency)});
        hit.systemIcon = QStringLiteral("arrow.triangle.2.circlepath");
        if (!r.isActive)
            hit.badge = QStringLiteral("Inactif");
        break;
    }
    case C::externalTools: {
        const ExternalTool& t = m_db.externalTools[row];
        hit.id = t.id;
        hit.title = orFallback(t.name, QStringLiteral("Outil"));
        // A locked vault gives away nothing but the names of its tools.
        if (!vaultLocked)
            hit.subtitle = subtitleOf({t.login, t.websiteURL});
        hit.systemIcon = QStringLiteral("link");
        break;
    }
    case C::tagsProjects:
    case C::tagsDocuments:
    case C::tagsClients:
    case C::tagsServices:
    case C::tagsStock:
    case C::tagsExternalTools:
        break;
    }
    hit.action = spotlightAction(category, hit.id);
    return hit;
}

} // namespace velmora
