// What reading gives for keys that older files lack, legacy keys, null values,
// unknown and repeated keys; and what the next write makes of them.

#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "support/SessionDiff.h"
#include "support/SessionJson.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace test;
using namespace Qt::StringLiterals;

const QDateTime kMomentTruncated = utc(2025, 6, 10, 9, 0, 0);

QJsonObject reencoded(const AppDatabase& db) {
    return parseObject(encodeSession(db, SessionFormat::Compact));
}

QJsonObject firstOf(const QJsonObject& root, const QString& collection) {
    return root[collection].toArray().first().toObject();
}

// Records reduced to their required keys read with the records' own
// defaults, but for fresh ids and the moment of reading where they lack them.
TEST(DecoderFallbackTest, RecordsWithOnlyTheirRequiredKeys) {
    QJsonObject root = with(minimalRoot(), "clients", QJsonArray{minimalClient()});
    root = with(root, "services", QJsonArray{minimalService()});
    root = with(root, "accountingPurchases", QJsonArray{minimalPurchase()});
    root = with(root, "urssafDeclarations", QJsonArray{QJsonObject()});
    root = with(root, "recurringPurchases", QJsonArray{QJsonObject()});
    const AppDatabase db = decodeOk(root);
    ASSERT_EQ(db.clients.size() + db.services.size() + db.accountingPurchases.size(), 3);
    ASSERT_EQ(db.urssafDeclarations.size() + db.recurringPurchases.size(), 2);

    ClientItem client;
    client.id = uuid(1);
    client.kind = ClientKind::particulier;
    client.firstName = u"Jeanne"_s;
    client.lastName = u"Dupré"_s;
    client.email = u"jeanne@exemple.fr"_s;
    client.phone = u"0600000000"_s;
    EXPECT_EQ(db.clients[0], client);
    ServiceItem service;
    service.id = uuid(1);
    service.title = u"Audit"_s;
    service.description = u"Une journée"_s;
    EXPECT_EQ(db.services[0], service);
    EXPECT_EQ(service.prestationType, ServicePrestationType::prestationsLiberalesBNC);
    AccountingPurchaseItem purchase;
    purchase.id = uuid(1);
    purchase.purchaseDate = kMomentTruncated;
    EXPECT_EQ(db.accountingPurchases[0], purchase);

    URSSAFDeclaration declaration;
    declaration.id = db.urssafDeclarations[0].id;
    declaration.year = 2025;
    declaration.periodIndex = 1;
    declaration.frequency = URSSAFDeclarationFrequency::trimestrial;
    declaration.createdAt = kMomentTruncated;
    EXPECT_EQ(db.urssafDeclarations[0], declaration);
    RecurringPurchase recurring;
    recurring.id = db.recurringPurchases[0].id;
    recurring.nextDueDate = recurring.startDate = recurring.createdAt = kMomentTruncated;
    recurring.isActive = true;
    recurring.frequency = RecurringFrequency::monthly;
    EXPECT_EQ(db.recurringPurchases[0], recurring);

    // Fresh ids, different on every read.
    const AppDatabase again = decodeOk(root);
    for (const auto& [first, second] :
         {std::pair{declaration.id, again.urssafDeclarations.value(0).id},
          std::pair{recurring.id, again.recurringPurchases.value(0).id}}) {
        EXPECT_FALSE(first.isNull());
        EXPECT_NE(first, second);
    }
}

TEST(DecoderFallbackTest, LineWithoutQuantityOrKind) {
    const CommercialDocumentItem doc =
        only(decodeOk(rootWithOne("documents", minimalDocument())).documents);
    const CommercialDocumentLine line = only(doc.lines);
    EXPECT_EQ(line.quantity, 1.0);
    EXPECT_EQ(line.kind, CommercialDocumentLineKind::service);
    EXPECT_EQ(line.priceTTC, 120.5);
    EXPECT_EQ(line.tvaRate, 0.0);
    EXPECT_EQ(line.lineDiscountValue, 0.0);
    EXPECT_FALSE(line.discountIsPercent);
    EXPECT_FALSE(line.lineDiscountEnabled);
    EXPECT_EQ(line.prestationType, ServicePrestationType::prestationsLiberalesBNC);

    EXPECT_EQ(doc.sourceKind, CommercialDocumentSourceKind::editor);
    EXPECT_EQ(doc.paymentTerms, QString());
    EXPECT_TRUE(doc.encaissements.isEmpty());
    EXPECT_TRUE(doc.linkedProjectIDs.isEmpty());
    EXPECT_EQ(doc.issueDate, utc(2025, 3, 1, 10));
    EXPECT_EQ(doc.dueDays, 30);

    // Present values win over the fallbacks.
    const QJsonObject line2 = with(with(minimalLine(), "quantity", 2.5), "kind", "discount");
    const QJsonObject document = with(minimalDocument(), "lines", QJsonArray{line2});
    const CommercialDocumentLine present =
        only(only(decodeOk(rootWithOne("documents", document)).documents).lines);
    EXPECT_EQ(present.quantity, 2.5);
    EXPECT_EQ(present.kind, CommercialDocumentLineKind::discount);
    const QJsonObject sales = with(minimalService(), "prestationType", "ventesMarchandises");
    EXPECT_EQ(only(decodeOk(rootWithOne("services", sales)).services).prestationType,
              ServicePrestationType::ventesMarchandises);
}

TEST(DecoderFallbackTest, EncaissementWithoutIdOrCreationDate) {
    const QByteArray bytes = toBytes(
        rootWithOne("documents", with(minimalDocument(), "encaissements",
                                      QJsonArray{minimalEncaissement(), minimalEncaissement()})));
    const AppDatabase first = decodeOk(bytes);
    const QList<Encaissement> read = only(first.documents).encaissements;
    const QList<Encaissement> second = only(decodeOk(bytes).documents).encaissements;
    ASSERT_EQ(read.size(), 2);
    ASSERT_EQ(second.size(), 2);
    const Encaissement& a = read[0];
    EXPECT_FALSE(a.id.isNull());
    EXPECT_NE(a.id, read[1].id);
    EXPECT_NE(a.id, second[0].id);
    EXPECT_EQ(a.createdAt, kMomentTruncated);
    EXPECT_EQ(a.createdAt.time().msec(), 0);
    EXPECT_FALSE(a.isAcompte);
    EXPECT_FALSE(a.isRefunded);
    EXPECT_EQ(a.amount, 50.0);
    EXPECT_EQ(a.date, utc(2025, 3, 5));

    // Once written, the id stays.
    EXPECT_EQ(only(decodeOk(encodeSession(first, SessionFormat::Compact)).documents).encaissements,
              read);
}

// A file with only the required keys reads as the records' own defaults,
// which are those of a new session (NewSessionTest), but for what it holds.
TEST(DecoderFallbackTest, MinimalFileReadsAsTheDefaults) {
    const AppDatabase db = decodeOk(minimalRoot());
    AppDatabase expected;
    // Required keys keep the file's value, never a default.
    for (QString CompanySettings::*key :
         {&CompanySettings::displayName, &CompanySettings::ownerName, &CompanySettings::legalStatus,
          &CompanySettings::siret, &CompanySettings::addressLine1, &CompanySettings::addressLine2,
          &CompanySettings::tvaNote, &CompanySettings::latePenaltyText,
          &CompanySettings::additionalLegalText})
        expected.companySettings.*key = db.companySettings.*key;
    expected.accountingRecipeSettings = db.accountingRecipeSettings;
    EXPECT_EQ(differingKeys(db, expected), QStringList());
    EXPECT_EQ(db.companySettings.latePenaltyText, u"Pénalités"_s);
    EXPECT_EQ(db.accountingRecipeSettings.companyName, u"Atelier"_s);

    // An empty or null settings object is read as a missing one; one key
    // present leaves the others at their defaults.
    for (const QJsonValue& urssaf : {QJsonValue(QJsonObject()), QJsonValue(QJsonValue::Null)})
        EXPECT_EQ(decodeOk(rootWith("urssafSettings", urssaf)).urssafSettings, URSSAFSettings{});
    URSSAFSettings one;
    one.summaryShowNet = false;
    EXPECT_EQ(
        decodeOk(rootWith("urssafSettings", QJsonObject{{"summaryShowNet", false}})).urssafSettings,
        one);

    // Present values win over the fallbacks.
    const AppDatabase light = decodeOk(rootWith(
        "preferences", QJsonObject{{"appearanceMode", "light"},
                                   {"searchSettings",
                                    QJsonObject{{"useAllFields", true},
                                                {"enabledFields", QJsonArray{"notes", "status"}}}},
                                   {"sidebarMenuItems", QJsonArray()}}));
    EXPECT_EQ(light.preferences.appearanceMode, AppAppearanceMode::light);
    EXPECT_TRUE(light.preferences.searchSettings.useAllFields);
    EXPECT_EQ(light.preferences.searchSettings.enabledFields,
              (QList<SearchScopeField>{SearchScopeField::notes, SearchScopeField::status}));
}

TEST(DecoderFallbackTest, UrssafSettingsLegacyRate) {
    const AppDatabase db = decodeOk(rootWith("urssafSettings", QJsonObject{{"legacyVLRate", 1.7}}));
    EXPECT_EQ(db.urssafSettings.versementLiberatoireBNCRate, 1.7);
    EXPECT_EQ(db.urssafSettings.versementLiberatoireBICRate, 1.0);

    const QJsonObject written = reencoded(db)["urssafSettings"].toObject();
    EXPECT_EQ(written["versementLiberatoireBNCRate"].toDouble(), 1.7);
    EXPECT_FALSE(written.contains("legacyVLRate"));

    const AppDatabase both =
        decodeOk(rootWith("urssafSettings", QJsonObject{{"legacyVLRate", 1.7},
                                                        {"versementLiberatoireBNCRate", 2.5}}));
    EXPECT_EQ(both.urssafSettings.versementLiberatoireBNCRate, 2.5);
}

TEST(DecoderFallbackTest, UrssafDeclarationLegacyTurnover) {
    const QJsonObject legacy{{"year", 2023}, {"legacyCaAmount", 1000}};
    const auto read = [](const QJsonObject& declaration) {
        return decodeOk(rootWithOne("urssafDeclarations", declaration));
    };
    const AppDatabase alone = read(legacy);
    EXPECT_EQ(only(alone.urssafDeclarations).caPrestationsServicesBNC, 1000.0);
    EXPECT_EQ(only(alone.urssafDeclarations).caVenteMarchandises, 0.0);
    const URSSAFDeclaration withSales =
        only(read(with(legacy, "caVenteMarchandises", 300)).urssafDeclarations);
    EXPECT_EQ(withSales.caPrestationsServicesBNC, 0.0);
    EXPECT_EQ(withSales.caVenteMarchandises, 300.0);
    EXPECT_EQ(only(read(with(legacy, "caPrestationsServicesBNC", 450)).urssafDeclarations)
                  .caPrestationsServicesBNC,
              450.0);

    const QJsonObject written = firstOf(reencoded(alone), "urssafDeclarations");
    EXPECT_EQ(written["caPrestationsServicesBNC"].toDouble(), 1000.0);
    EXPECT_FALSE(written.contains("legacyCaAmount"));
}

TEST(DecoderFallbackTest, MissingYearIsTheParisYearAtTheMomentOfReading) {
    const QByteArray bytes = toBytes(rootWithOne("urssafDeclarations", QJsonObject()));
    const std::pair<QDateTime, qint64> cases[] = {
        {utc(2024, 12, 31, 22, 59, 59), 2024}, // 23:59:59 in Paris
        {utc(2024, 12, 31, 23, 0, 0), 2025},   // midnight in Paris, still 2024 in UTC
        {utc(2024, 12, 31, 23, 30, 0), 2025},
        {utc(2025, 1, 1, 0, 30, 0), 2025},
    };
    for (const auto& [now, year] : cases)
        EXPECT_EQ(only(decodeOk(bytes, now).urssafDeclarations).year, year)
            << now.toString(Qt::ISODate).toStdString();
}

TEST(DecoderFallbackTest, RecurringPurchaseDates) {
    const auto read = [](const QJsonObject& purchase) {
        return only(decodeOk(rootWithOne("recurringPurchases", purchase)).recurringPurchases);
    };
    // Without a start date, the next due date is the start.
    const RecurringPurchase onlyNext = read({{"nextDueDate", "2025-07-05T00:00:00Z"}});
    EXPECT_EQ(onlyNext.nextDueDate, utc(2025, 7, 5));
    EXPECT_EQ(onlyNext.startDate, utc(2025, 7, 5));
    EXPECT_EQ(read({{"nextDueDate", "2025-07-05T00:00:00Z"}, {"startDate", "2024-01-05T00:00:00Z"}})
                  .startDate,
              utc(2024, 1, 5));
    // Key order in the file does not matter.
    const RecurringPurchase reversed = read({{"startDate", "2024-01-05T00:00:00Z"},
                                             {"amount", 9.99},
                                             {"nextDueDate", "2025-07-05T00:00:00Z"}});
    EXPECT_EQ(reversed.startDate, utc(2024, 1, 5));
    EXPECT_EQ(reversed.nextDueDate, utc(2025, 7, 5));
}

// Older files held a single id where there is now a list. The single id is
// read into the list; the list wins when both are there, even empty; a null
// list falls back to the single id; the next write has the list only.
TEST(DecoderFallbackTest, LegacySingleIdsBecomeLists) {
    using Read = QList<QUuid> (*)(const AppDatabase&);
    const struct {
        const char* collection;
        QJsonObject record;
        const char* key;
        const char* legacyKey;
        Read read;
    } cases[] = {
        {"documents", minimalDocument(), "linkedProjectIDs", "linkedProjectID",
         [](const AppDatabase& db) { return db.documents.value(0).linkedProjectIDs; }},
        {"stockSubTags", minimalStockSubTag(), "parentTagIDs", "parentTagID",
         [](const AppDatabase& db) { return db.stockSubTags.value(0).parentTagIDs; }},
        {"stockSubCategories", QJsonObject(), "categoryIDs", "legacyCategoryID",
         [](const AppDatabase& db) { return db.stockSubCategories.value(0).categoryIDs; }},
        {"customCalendarEvents", minimalCalendarEvent(), "linkedClientIDs", "linkedClientID",
         [](const AppDatabase& db) { return db.customCalendarEvents.value(0).linkedClientIDs; }},
        {"customCalendarEvents", minimalCalendarEvent(), "linkedProjectIDs", "linkedProjectID",
         [](const AppDatabase& db) { return db.customCalendarEvents.value(0).linkedProjectIDs; }},
        {"customCalendarEvents", minimalCalendarEvent(), "linkedDocumentIDs", "linkedDocumentID",
         [](const AppDatabase& db) { return db.customCalendarEvents.value(0).linkedDocumentIDs; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.legacyKey);
        const auto read = [&](const QJsonObject& record) {
            return c.read(decodeOk(rootWithOne(c.collection, record)));
        };
        const QJsonObject legacy = with(c.record, c.legacyKey, uuidText(77));
        EXPECT_EQ(read(legacy), QList<QUuid>{uuid(77)});
        EXPECT_EQ(read(with(legacy, c.key, QJsonArray{uuidText(5), uuidText(6)})),
                  (QList<QUuid>{uuid(5), uuid(6)}));
        EXPECT_TRUE(read(with(legacy, c.key, QJsonArray())).isEmpty());
        EXPECT_EQ(read(with(legacy, c.key, QJsonValue::Null)), QList<QUuid>{uuid(77)});
        EXPECT_TRUE(read(c.record).isEmpty());

        const QJsonObject written =
            firstOf(reencoded(decodeOk(rootWithOne(c.collection, legacy))), c.collection);
        EXPECT_FALSE(written.contains(QLatin1String(c.legacyKey)));
        EXPECT_EQ(written[QLatin1String(c.key)].toArray(), QJsonArray{uuidText(77)});
    }
}

TEST(DecoderFallbackTest, StockSubTagsSubCategoriesAndEventsWithoutLaterKeys) {
    const AppDatabase db = decodeOk(with(
        with(with(minimalRoot(), "stockSubTags",
                  QJsonArray{minimalStockSubTag(1), with(minimalStockSubTag(3), "color", "pink")}),
             "stockSubCategories", QJsonArray{QJsonObject(), QJsonObject()}),
        "customCalendarEvents", QJsonArray{minimalCalendarEvent()}));
    ASSERT_EQ(db.stockSubTags.size(), 2);
    EXPECT_EQ(db.stockSubTags[0].color, TagColorOption::blue);
    EXPECT_EQ(db.stockSubTags[1].color, TagColorOption::pink);
    EXPECT_EQ(firstOf(reencoded(db), "stockSubTags")["color"].toString(), u"blue"_s);

    ASSERT_EQ(db.stockSubCategories.size(), 2);
    EXPECT_FALSE(db.stockSubCategories[0].id.isNull());
    EXPECT_NE(db.stockSubCategories[0].id, db.stockSubCategories[1].id);
    EXPECT_EQ(db.stockSubCategories[1].name, QString());

    const CustomCalendarEvent e = only(db.customCalendarEvents);
    EXPECT_FALSE(e.id.isNull());
    EXPECT_EQ(e.createdAt, kMomentTruncated);
    EXPECT_FALSE(e.isAllDay);
    EXPECT_EQ(e.location, QString());
    EXPECT_FALSE(e.alertMinutes.has_value());
}

TEST(DecoderFallbackTest, NullCountsAsAbsent) {
    const QJsonValue null = QJsonValue::Null;
    const QJsonObject client =
        with(with(with(minimalClient(), "photoURL", null), "siret", null), "tagIDs", null);
    const QJsonObject line = with(with(minimalLine(), "quantity", null), "kind", null);
    const QJsonObject document =
        with(with(with(minimalDocument(), "lines", QJsonArray{line}), "clientID", null),
             "encaissements", null);
    QJsonObject root =
        with(with(minimalRoot(), "clients", QJsonArray{client}), "documents", QJsonArray{document});
    root = with(with(with(root, "sessionID", null), "embeddedMedia", null), "stockSubTags", null);
    root = with(root, "preferences",
                QJsonObject{{"appearanceMode", null}, {"calendarLastSyncDate", null}});
    root = with(root, "urssafDeclarations",
                QJsonArray{QJsonObject{{"id", null}, {"year", null}, {"createdAt", null}}});

    const AppDatabase db = decodeOk(root);
    EXPECT_FALSE(only(db.clients).photoURL.has_value());
    EXPECT_EQ(only(db.clients).siret, QString());
    EXPECT_TRUE(only(db.clients).tagIDs.isEmpty());
    EXPECT_EQ(only(only(db.documents).lines).quantity, 1.0);
    EXPECT_EQ(only(only(db.documents).lines).kind, CommercialDocumentLineKind::service);
    EXPECT_FALSE(only(db.documents).clientID.has_value());
    EXPECT_FALSE(db.sessionID.has_value());
    EXPECT_TRUE(db.embeddedMedia.isEmpty());
    EXPECT_EQ(db.preferences.appearanceMode, AppAppearanceMode::dark);
    EXPECT_FALSE(db.preferences.calendarLastSyncDate.has_value());
    const URSSAFDeclaration declaration = only(db.urssafDeclarations);
    EXPECT_FALSE(declaration.id.isNull());
    EXPECT_EQ(declaration.year, 2025);
    EXPECT_EQ(declaration.createdAt, kMomentTruncated);
}

TEST(DecoderFallbackTest, UnknownKeysAreIgnoredAndDropped) {
    QJsonObject root = with(minimalRoot(), "futureCollection", QJsonArray{1, 2, 3});
    root = with(root, "clients",
                QJsonArray{with(with(minimalClient(), "favouriteColour", "vert"), "nested",
                                QJsonObject{{"deep", QJsonArray{QJsonValue::Null}}})});
    root = with(root, "preferences", QJsonObject{{"unknownPreference", true}});
    const AppDatabase db = decodeOk(root);
    EXPECT_EQ(only(db.clients).firstName, u"Jeanne"_s);

    const QJsonObject written = reencoded(db);
    EXPECT_FALSE(written.contains("futureCollection"));
    EXPECT_FALSE(firstOf(written, "clients").contains("favouriteColour"));
    EXPECT_FALSE(firstOf(written, "clients").contains("nested"));
    EXPECT_FALSE(written["preferences"].toObject().contains("unknownPreference"));
}

TEST(DecoderFallbackTest, RepeatedKeysFirstOneWins) {
    // The second copy stands where a reader that searches onwards from its
    // last find would meet it first, then at the very end.
    const QByteArray id = "\"id\":\"" + uuidText(1).toLatin1() + "\",";
    const QByteArray names =
        "\"kind\":\"particulier\",\"firstName\":\"A\",\"lastName\":\"B\",\"company\":\"\",";
    for (const QByteArray& client :
         {"{\"email\":\"premier@exemple.fr\"," + id + names +
              "\"email\":\"second@exemple.fr\",\"phone\":\"\",\"notes\":\"\"}",
          "{" + id + names +
              "\"email\":\"premier@exemple.fr\",\"phone\":\"\",\"notes\":\"\","
              "\"email\":\"second@exemple.fr\"}"}) {
        const QByteArray bytes = withRaw(rootWith("clients", QJsonArray{"@C@"}), "@C@", client);
        EXPECT_EQ(only(decodeOk(bytes).clients).email, u"premier@exemple.fr"_s);
    }

    const AppDatabase db =
        decodeOk(withRaw(rootWith("notificationStates", "@M@"), "@M@",
                         "{\"n\":{\"toastDismissed\":true,\"neverShow\":false},"
                         "\"n\":{\"toastDismissed\":false,\"neverShow\":true}}"));
    ASSERT_EQ(db.notificationStates.size(), 1);
    EXPECT_TRUE(db.notificationStates.value("n").toastDismissed);
    EXPECT_FALSE(db.notificationStates.value("n").neverShow);
}

} // namespace
} // namespace velmora
