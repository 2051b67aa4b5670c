#include "core/search/SpotlightIndex.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

QUuid id(int n) {
    return QUuid(QStringLiteral("00000000-0000-0000-0000-%1").arg(n, 12, 10, QLatin1Char('0')));
}

// A small session whose texts each case below aims at.
AppDatabase sampleSession() {
    AppDatabase db;
    ClientItem school;
    school.id = id(1);
    school.kind = ClientKind::professionnel;
    school.company = u"École Dupont"_s;
    school.addressLine1 = u"12 rue des Lilas"_s;
    ClientItem person;
    person.id = id(2);
    person.firstName = u"Jean"_s;
    person.lastName = u"Martin"_s;
    person.company = u"Studio Nord"_s;
    person.email = u"jean@nord.fr"_s;
    db.clients = {school, person};

    ProjectItem garden;
    garden.id = id(3);
    garden.title = u"Jardin partagé"_s;
    garden.notes = u"Plans du jardin"_s;
    garden.status = u"En cours"_s;
    garden.tagIDs = {id(9)};
    ProjectItem untitled;
    untitled.id = id(4);
    untitled.info = u"Kermesse"_s;
    db.projects = {garden, untitled};

    CommercialDocumentItem numberless;
    numberless.id = id(5);
    numberless.kind = CommercialDocumentKind::quote;
    numberless.clientID = school.id;
    CommercialDocumentLine line;
    line.title = u"Peinture"_s;
    numberless.lines = {line};
    // Issued before the client was renamed: found by the name it was issued to.
    CommercialDocumentItem issued;
    issued.id = id(8);
    issued.kind = CommercialDocumentKind::invoice;
    issued.number = u"F-1"_s;
    issued.clientID = school.id;
    issued.pdfSnapshot = DocumentSnapshot{};
    issued.pdfSnapshot->client = school;
    issued.pdfSnapshot->client->company = u"Atelier Ancien"_s;
    db.documents = {numberless, issued};

    ExternalTool tool;
    tool.id = id(6);
    tool.name = u"Gandi"_s;
    tool.login = u"admin@nord.fr"_s;
    tool.password = u"motdepasse"_s;
    db.externalTools = {tool};

    db.clientProjectTags = {{id(9), u"Urgentissime"_s, TagColorOption::red}};
    db.invoiceStatuses = {{id(10), u"Payé"_s, TagColorOption::green}};
    return db;
}

// "category|title|subtitle|badge" per hit, in order; "-" for no text.
QStringList lines(const SpotlightResult& result) {
    QStringList out;
    for (const SpotlightSection& section : result.sections) {
        EXPECT_EQ(section.count, section.hits.size());
        for (const SpotlightHit& hit : section.hits)
            out << QString::fromLatin1(rawName(section.category)) + u'|' + hit.title + u'|' +
                       hit.subtitle.value_or(u"-"_s) + u'|' + hit.badge.value_or(u"-"_s);
    }
    return out;
}

TEST(SpotlightIndexTest, FindsEachRecordOnceByItsFoldedFields) {
    const SpotlightIndex index(sampleSession());
    const struct {
        QString query;
        bool locked;
        QStringList hits;
    } cases[] = {
        {u"ecole"_s,
         false,
         {u"documents|Document|École Dupont|Devis"_s, u"clients|École Dupont|-|-"_s}},
        {u"  ÉCOLE\n"_s,
         false,
         {u"documents|Document|École Dupont|Devis"_s, u"clients|École Dupont|-|-"_s}},
        // Title and notes both match: one hit.
        {u"jardin"_s, false, {u"projects|Jardin partagé|-|En cours"_s}},
        {u"ancien"_s, false, {u"documents|F-1|Atelier Ancien|Facture"_s}},
        {u"kermesse"_s, false, {u"projects|Activité sans titre|-|-"_s}},
        {u"martin"_s, false, {u"clients|Jean Martin|Studio Nord  ·  jean@nord.fr|-"_s}},
        // The tag alone matches, not the activity that carries it.
        {u"urgent"_s, false, {u"tagsProjects|Urgentissime|Type Clients|-"_s}},
        {u"paye"_s, false, {u"tagsDocuments|Payé|Statut facture|-"_s}},
        {u"admin"_s, false, {u"externalTools|Gandi|admin@nord.fr|-"_s}},
        // A locked vault is searched and shown by tool name only.
        {u"admin"_s, true, {}},
        {u"gandi"_s, true, {u"externalTools|Gandi|-|-"_s}},
        // Never searched: passwords, addresses, document lines; nor a match
        // across two fields.
        {u"motdepasse"_s, false, {}},
        {u"lilas"_s, false, {}},
        {u"peinture"_s, false, {}},
        {u"jeanmartin"_s, false, {}},
    };
    for (const auto& c : cases) {
        const SpotlightResult result = index.search(c.query, {.vaultLocked = c.locked});
        EXPECT_EQ(lines(result), c.hits) << c.query.toStdString();
        EXPECT_EQ(result.emptyText.has_value(), c.hits.isEmpty()) << c.query.toStdString();
    }
}

TEST(SpotlightIndexTest, BlankQueryShowsNothingAndNoMatchSaysSo) {
    const SpotlightIndex index(sampleSession());
    EXPECT_EQ(index.search(u" \t\n "_s), SpotlightResult{});
    EXPECT_EQ(index.search(u" zzz "_s).emptyText, u"Aucun résultat pour «\u00a0zzz\u00a0»"_s);
}

TEST(SpotlightIndexTest, SectionsNamedAndLimitedWithTheirFullCount) {
    AppDatabase db = sampleSession();
    db.preferences.sidebarMenuItems = SidebarMenuItemConfig::defaults();
    for (SidebarMenuItemConfig& item : db.preferences.sidebarMenuItems)
        if (item.defaultKey == u"projects"_s)
            item.displayName = u"Missions"_s;
    ProjectItem other = db.projects[0];
    other.id = id(7);
    db.projects.append(other);
    const SpotlightResult result = SpotlightIndex(db).search(u"e"_s, {.hitLimit = 1});
    ASSERT_FALSE(result.sections.isEmpty());
    const SpotlightSection& projects = result.sections[0];
    EXPECT_EQ(projects.name, u"Missions"_s);
    EXPECT_EQ(projects.count, 3);
    ASSERT_EQ(projects.hits.size(), 1);
    EXPECT_EQ(SpotlightIndex(db).search(u"kermesse"_s).sections[0].hits[0].title,
              u"Mission sans titre"_s);
}

TEST(SpotlightIndexTest, ChoosingAHitOpensItsSectionAndList) {
    const struct {
        SpotlightCategory category;
        QString section;
        SpotlightPane pane;
    } cases[] = {
        {SpotlightCategory::documents, u"documents"_s, SpotlightPane::records},
        {SpotlightCategory::wishlist, u"stock"_s, SpotlightPane::wishlist},
        {SpotlightCategory::urssaf, u"accounting"_s, SpotlightPane::urssaf},
        {SpotlightCategory::recurring, u"accounting"_s, SpotlightPane::subscriptions},
        {SpotlightCategory::tagsDocuments, u"documents"_s, SpotlightPane::tagSettings},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spotlightAction(c.category, id(1)), (SpotlightAction{c.section, c.pane, id(1)}))
            << rawName(c.category);
    const SpotlightHit hit =
        SpotlightIndex(sampleSession()).search(u"urgent"_s).sections[0].hits[0];
    EXPECT_EQ(hit.customTint, TagColorOption::red);
    EXPECT_EQ(hit.action, (SpotlightAction{u"projects"_s, SpotlightPane::tagSettings, id(9)}));
}

} // namespace
} // namespace velmora
