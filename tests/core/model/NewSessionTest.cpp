// The contents of a brand-new session, and the partial read of the launch
// screen.

#include "core/model/NewSession.h"
#include "core/documents/DocumentStatus.h"
#include "core/model/SectionDescriptor.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "support/SessionDiff.h"
#include "support/SessionJson.h"

#include <gtest/gtest.h>

#include <QSet>

namespace velmora {
namespace {

using namespace test;
using namespace Qt::StringLiterals;

struct Seed {
    const char* name;
    TagColorOption color;
};

void expectSeeds(const QList<TagItem>& tags, std::initializer_list<Seed> seeds) {
    ASSERT_EQ(tags.size(), qsizetype(seeds.size()));
    qsizetype i = 0;
    for (const Seed& seed : seeds) {
        EXPECT_EQ(tags[i].name, QString::fromUtf8(seed.name)) << i;
        EXPECT_EQ(tags[i].color, seed.color) << seed.name;
        EXPECT_FALSE(tags[i].id.isNull()) << seed.name;
        ++i;
    }
}

QList<QUuid> idsOf(const QList<TagItem>& tags) {
    QList<QUuid> ids;
    for (const TagItem& t : tags)
        ids.append(t.id);
    return ids;
}

TEST(NewSessionTest, SeededStatuses) {
    const AppDatabase db = newSessionContents();
    expectSeeds(db.quoteStatuses, {{"Brouillon", TagColorOption::gray},
                                   {"Envoyé", TagColorOption::blue},
                                   {"Validé", TagColorOption::green},
                                   {"Refusé", TagColorOption::red}});
    expectSeeds(db.invoiceStatuses, {{"Brouillon", TagColorOption::gray},
                                     {"Envoyé", TagColorOption::blue},
                                     {"Payé", TagColorOption::green}});
    expectSeeds(db.projectStatuses, {{"En cours", TagColorOption::blue},
                                     {"À venir", TagColorOption::orange},
                                     {"Terminé", TagColorOption::green},
                                     {"Annulé", TagColorOption::red}});
    EXPECT_EQ(db.protectedQuoteStatusIDs, idsOf(db.quoteStatuses));
    EXPECT_EQ(db.protectedInvoiceStatusIDs, idsOf(db.invoiceStatuses));
    EXPECT_EQ(db.protectedProjectStatusIDs, idsOf(db.projectStatuses));
    EXPECT_EQ(db.projectStatusOptions,
              (QList<QString>{"En cours", "À venir", "Terminé", "Annulé"}));
    EXPECT_EQ(db.projectTypeOptions, (QList<QString>{"Clients", "Autre"}));

    // Every seeded id is distinct, across all three lists.
    QSet<QUuid> all;
    for (const auto* list : {&db.quoteStatuses, &db.invoiceStatuses, &db.projectStatuses})
        for (const TagItem& t : *list)
            all.insert(t.id);
    EXPECT_EQ(all.size(), 11);
}

TEST(NewSessionTest, SidebarItemsAreTheSectionsInOrderEnabledWithFreshIds) {
    const QList<SidebarMenuItemConfig> items = newSessionContents().preferences.sidebarMenuItems;
    const QList<SectionDescriptor>& sections = sectionDescriptors();
    ASSERT_EQ(items.size(), sections.size());
    QSet<QUuid> ids;
    for (qsizetype i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].defaultKey, sections[i].key) << i;
        EXPECT_EQ(items[i].displayName, sections[i].name) << i;
        EXPECT_EQ(items[i].systemName, sections[i].symbol) << i;
        EXPECT_TRUE(items[i].isEnabled) << i;
        ids.insert(items[i].id);
    }
    EXPECT_EQ(ids.size(), items.size());
    EXPECT_FALSE(ids.contains(QUuid()));
}

TEST(NewSessionTest, SettingsDefaults) {
    const AppDatabase db = newSessionContents();
    const CompanySettings& c = db.companySettings;
    EXPECT_EQ(c.displayName, QString());
    EXPECT_EQ(c.siret, QString());
    EXPECT_EQ(c.tvaNote, u"TVA non applicable, art. 293 B du CGI"_s);
    EXPECT_EQ(c.latePenaltyText,
              u"Pénalités de retard exigibles au taux légal en vigueur à compter du "
              "jour suivant la date d'échéance. Indemnité forfaitaire pour frais de "
              "recouvrement de 40 € (art. L441-10 et D441-5 du Code de commerce)."_s);
    EXPECT_EQ(c.additionalLegalText, QString());
    EXPECT_EQ(c.legalTextOrder, (QList<QString>{"latePenalty", "additional"}));
    EXPECT_EQ(c.lateChargeLineTitle, u"Frais de retard"_s);
    EXPECT_EQ(c.lateChargeLineDescription, u"Pénalités de retard de paiement"_s);
    EXPECT_TRUE(c.acceptedPaymentMethods.isEmpty());

    EXPECT_EQ(db.accountingRecipeSettings.title, u"Livre des recettes"_s);
    EXPECT_EQ(db.accountingRecipeSettings.buttonTitle, u"Télécharger le livre de recettes"_s);
    EXPECT_EQ(db.accountingRecipeSettings.companyName, QString());

    const URSSAFSettings& u = db.urssafSettings;
    EXPECT_EQ(u.regime, URSSAFRegime::microEntrepreneur);
    EXPECT_EQ(u.microRateServices, 22.0);
    EXPECT_EQ(u.microRateSales, 12.3);
    EXPECT_EQ(u.cfpRate, 0.2);
    EXPECT_EQ(u.versementLiberatoireBICRate, 1.0);
    EXPECT_EQ(u.versementLiberatoireBNCRate, 2.2);
    EXPECT_EQ(u.bncRate, 21.1);
    EXPECT_EQ(u.bicRate, 25.0);
    EXPECT_EQ(u.microRateBICServices, 21.2);
    EXPECT_EQ(u.declarationFrequency, URSSAFDeclarationFrequency::trimestrial);
    EXPECT_EQ(u.recurringBadgeMonthlyColorKey, u"blue"_s);
    EXPECT_EQ(u.recurringBadgeYearlyColorKey, u"pink"_s);
    EXPECT_EQ(u.declarationDayOfMonth, 1);
    EXPECT_TRUE(u.reminderEnabled);
    EXPECT_FALSE(u.versementLiberatoire);
    for (bool shown : {u.summaryShowCA, u.summaryShowPurchases, u.summaryShowCotisations,
                       u.summaryShowNet, u.summaryShowCATotalBrut, u.summaryShowCARecipes,
                       u.summaryShowNetEncaisse, u.summaryShowBestClient})
        EXPECT_TRUE(shown);
    EXPECT_TRUE(u.summaryCardCustomTitles.isEmpty());

    const StockSettings& s = db.stockSettings;
    EXPECT_EQ(s.lowStockThreshold, 2);
    EXPECT_EQ(s.outOfStockThreshold, 0);
    EXPECT_EQ(s.labelCategories, u"Catégories"_s);
    EXPECT_EQ(s.labelSubCategories, u"Sous-catégories"_s);
    EXPECT_EQ(s.labelTags, u"Tags"_s);
    EXPECT_EQ(s.labelSubTags, u"Sous-tags"_s);

    const AppPreferences& p = db.preferences;
    EXPECT_EQ(p.appearanceMode, AppAppearanceMode::dark);
    EXPECT_EQ(p.appPassword, QString());
    EXPECT_FALSE(p.tutorialShouldShowIntro);
    EXPECT_FALSE(p.tutorialNeverShow);
    EXPECT_EQ(p.externalToolsAccessCode, QString());
    EXPECT_FALSE(p.searchSettings.useAllFields);
    EXPECT_EQ(p.searchSettings.enabledFields, QList<SearchScopeField>{SearchScopeField::title});

    EXPECT_FALSE(db.storagePreferences.backupFolderURL.has_value());
    EXPECT_FALSE(db.storagePreferences.backupAlwaysEnabled);
    // Nothing else is seeded.
    for (bool empty :
         {db.clients.isEmpty(), db.documents.isEmpty(), db.projects.isEmpty(),
          db.clientTags.isEmpty(), db.stockSubTags.isEmpty(), db.notificationStates.isEmpty(),
          db.embeddedMedia.isEmpty(), db.securityQuestions.isEmpty(), !db.sessionName.has_value(),
          !db.sessionProfilePhotoData.has_value()})
        EXPECT_TRUE(empty);
}

TEST(NewSessionTest, FreshIdsOnEveryCall) {
    const AppDatabase a = newSessionContents();
    const AppDatabase b = newSessionContents();
    ASSERT_TRUE(a.sessionID.has_value());
    EXPECT_FALSE(a.sessionID->isNull());
    EXPECT_NE(seededInvoiceStatuses()[2].id, seededInvoiceStatuses()[2].id);
    // Apart from ids (the sidebar's among the preferences), two new sessions are the same.
    EXPECT_EQ(differingKeys(a, b),
              (QStringList{"quoteStatuses", "invoiceStatuses", "projectStatuses",
                           "protectedProjectStatusIDs", "protectedQuoteStatusIDs",
                           "protectedInvoiceStatusIDs", "preferences", "sessionID"}));
    AppPreferences preferences = b.preferences;
    preferences.sidebarMenuItems = a.preferences.sidebarMenuItems;
    EXPECT_EQ(preferences, a.preferences);
}

Result<CDBPreview> preview(const QJsonObject& root) {
    return decodePreview(toBytes(root));
}

TEST(PreviewDecodeTest, TellsWhetherTheSessionIsProtected) {
    AppDatabase db = newSessionContents();
    const auto open = decodePreview(encodeSession(db, SessionFormat::Compact));
    ASSERT_TRUE(open.ok()) << open.error().toStdString();
    EXPECT_FALSE(open->isProtected());

    db.preferences.appPassword = u"1234"_s;
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const auto locked = decodePreview(encodeSession(db, format));
        ASSERT_TRUE(locked.ok()) << locked.error().toStdString();
        EXPECT_TRUE(locked->isProtected());
        EXPECT_EQ(locked->preferences.appPassword, u"1234"_s);
    }

    // Only preferences.appPassword matters: the rest may be anything.
    const auto minimal =
        preview(QJsonObject{{"preferences", QJsonObject{{"appPassword", "x"}}}, {"clients", 3}});
    ASSERT_TRUE(minimal.ok()) << minimal.error().toStdString();
    EXPECT_TRUE(minimal->isProtected());
}

TEST(PreviewDecodeTest, RefusesWhatItCannotRead) {
    // Without appPassword the preview fails, while the full read takes the
    // empty fallback.
    const QJsonObject noPassword =
        rootWith("preferences", QJsonObject{{"tutorialNeverShow", true}});
    const AppDatabase full = decodeOk(toBytes(noPassword));
    EXPECT_EQ(full.preferences.appPassword, QString());
    EXPECT_TRUE(full.preferences.tutorialNeverShow);

    const std::pair<QByteArray, QString> cases[] = {
        {toBytes(noPassword), "preferences.appPassword — clé obligatoire absente"},
        {toBytes(without(minimalRoot(), "preferences")), "preferences — clé obligatoire absente"},
        {toBytes(rootWith("preferences", QJsonObject{{"appPassword", 1234}})),
         "preferences.appPassword — texte attendu"},
        {toBytes(rootWith("preferences", QJsonObject{{"appPassword", QJsonValue::Null}})),
         "preferences.appPassword — texte attendu"},
        {withRaw(rootWith("preferences", QJsonObject{{"appPassword", "1"}, {"plusTard", "@N@"}}),
                 "@N@", "[0, 1e999]"),
         "preferences.plusTard[1] — nombre invalide ou hors limites"},
        {QByteArray(), "le fichier est vide"},
    };
    for (const auto& [bytes, reason] : cases) {
        const auto refused = decodePreview(bytes);
        ASSERT_FALSE(refused.ok()) << bytes.constData();
        EXPECT_EQ(refused.error(), u"Fichier de session illisible : "_s + reason);
    }
    EXPECT_FALSE(decodePreview("{\"preferences\": {\"appPassword\": \"12").ok());
}

} // namespace
} // namespace velmora
