// Every reason the decoder refuses a whole session file, with the French
// message that names where it failed.

#include "core/model/SessionDecoder.h"
#include "support/SessionJson.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

using namespace test;

const QString kPrefix = u"Fichier de session illisible : "_s;

// A file and the end of its refusal: where, then why.
struct Refusal {
    Refusal(const QByteArray& raw, const QString& where) : bytes(raw), where(where) {}
    Refusal(const QJsonObject& root, const QString& where) : bytes(toBytes(root)), where(where) {}
    QByteArray bytes;
    QString where;
};

void expectRefusals(const std::vector<Refusal>& cases) {
    for (const Refusal& c : cases)
        EXPECT_EQ(decodeError(c.bytes), kPrefix + c.where) << c.bytes.left(300).constData();
}

QJsonObject documentWith(const QString& key, const QJsonValue& value) {
    return rootWithOne("documents", with(minimalDocument(), key, value));
}

QJsonObject clientWith(const QString& key, const QJsonValue& value) {
    return rootWithOne("clients", with(minimalClient(), key, value));
}

QJsonObject documentsWithLinePrice(const QJsonValue& price, int documentCount) {
    QJsonArray documents;
    for (int i = 0; i < documentCount; ++i)
        documents.append(minimalDocument(i + 1));
    QJsonObject last = documents.last().toObject();
    QJsonObject line = last[u"lines"_s].toArray().first().toObject();
    last[u"lines"_s] = QJsonArray{with(line, u"priceTTC"_s, price), minimalLine(9999)};
    documents.replace(documentCount - 1, last);
    return rootWith(u"documents"_s, documents);
}

// The exact reasons are pinned by the files of HostileFilesTest; here, that
// any malformed text is refused with one.
TEST(DecoderRefusalTest, MalformedJson) {
    for (const char* bytes :
         {"{", "{\"clients\": [}", "{\"clients\": [1,]}", "{\"clients\": []} trailing",
          "{\"clients\": NaN}", "{'clients': []}"}) {
        const QString message = decodeError(bytes);
        EXPECT_TRUE(message.startsWith(kPrefix)) << bytes;
        EXPECT_GT(message.size(), kPrefix.size()) << bytes;
    }
}

TEST(DecoderRefusalTest, MissingRequiredKeys) {
    std::vector<Refusal> cases;
    for (const QString& key :
         u"projects clients services documents stockItems purchaseWishlistItems "
         "accountingPurchases stockCategories stockTags stockSettings projectTags "
         "clientTags serviceTags quoteStatuses invoiceStatuses projectStatusOptions "
         "projectTypeOptions preferences companySettings storagePreferences "
         "accountingRecipeSettings"_s.split(QLatin1Char(' ')))
        cases.push_back({without(minimalRoot(), key), key});
    const QJsonObject document = minimalDocument();
    const std::vector<Refusal> inside = {
        {rootWithOne("clients", without(minimalClient(), "email")), "clients[0].email"},
        {rootWith("companySettings", without(minimalCompanySettings(), "tvaNote")),
         "companySettings.tvaNote"},
        {rootWith("notificationStates",
                  QJsonObject{{"n1", without(minimalNotificationState(), "neverShow")}}),
         "notificationStates[\"n1\"].neverShow"},
        {documentWith("lines", QJsonArray{without(minimalLine(), "priceTTC")}),
         "documents[0].lines[0].priceTTC"},
        {rootWithOne("documents", without(document, "lines")), "documents[0].lines"},
        {rootWithOne("documents", without(document, "dueDays")), "documents[0].dueDays"},
        {documentWith("encaissements", QJsonArray{without(minimalEncaissement(), "amount")}),
         "documents[0].encaissements[0].amount"},
        {documentWith("pdfSnapshot", with(minimalSnapshot(), "companySettings",
                                          without(minimalCompanySettings(), "siret"))),
         "documents[0].pdfSnapshot.companySettings.siret"},
        {documentWith("pdfSnapshot", with(minimalSnapshot(), "client",
                                          with(minimalClient(), "contacts",
                                               QJsonArray{QJsonObject{{"id", uuidText(3)}}}))),
         "documents[0].pdfSnapshot.client.contacts[0].firstName"},
        {rootWithOne("quoteStatuses", without(minimalTag(), "color")), "quoteStatuses[0].color"},
        {rootWith("storagePreferences", QJsonObject()), "storagePreferences.backupAlwaysEnabled"},
        {rootWith("accountingRecipeSettings",
                  without(minimalAccountingRecipeSettings(), "buttonTitle")),
         "accountingRecipeSettings.buttonTitle"},
        {rootWithOne("stockSubTags", without(minimalStockSubTag(), "name")),
         "stockSubTags[0].name"},
        {rootWithOne("customCalendarEvents", without(minimalCalendarEvent(), "date")),
         "customCalendarEvents[0].date"},
        {rootWithOne("externalTools", without(minimalExternalTool(), "createdAt")),
         "externalTools[0].createdAt"},
        {rootWithOne("purchaseWishlistItems", without(minimalWishlistItem(), "characteristics")),
         "purchaseWishlistItems[0].characteristics"},
        {rootWith("preferences",
                  QJsonObject{{"searchSettings", QJsonObject{{"useAllFields", true}}}}),
         "preferences.searchSettings.enabledFields"},
    };
    cases.insert(cases.end(), inside.begin(), inside.end());
    for (Refusal& c : cases)
        c.where += u" — clé obligatoire absente"_s;
    expectRefusals(cases);
}

TEST(DecoderRefusalTest, WrongTypes) {
    expectRefusals({
        // null stands for "absent" only where absence is allowed.
        {clientWith("email", QJsonValue::Null), "clients[0].email — texte attendu"},
        {rootWith("clients", QJsonValue::Null), "clients — tableau attendu"},
        {rootWith("clients", QJsonObject()), "clients — tableau attendu"},
        {rootWith("clients", QJsonArray{42}), "clients[0] — objet attendu"},
        {clientWith("firstName", 3), "clients[0].firstName — texte attendu"},
        {clientWith("tagIDs", uuidText(1)), "clients[0].tagIDs — tableau attendu"},
        {clientWith("tagIDs", QJsonArray{7}), "clients[0].tagIDs[0] — identifiant attendu"},
        {documentWith("dueDays", "30"), "documents[0].dueDays — nombre entier attendu"},
        {documentWith("issueDate", 1741000000), "documents[0].issueDate — date attendue"},
        {rootWithOne("services", with(minimalService(), "priceTTC", 12)),
         "services[0].priceTTC — texte attendu"},
        {rootWith("storagePreferences", QJsonObject{{"backupAlwaysEnabled", "false"}}),
         "storagePreferences.backupAlwaysEnabled — booléen attendu"},
        {rootWith("storagePreferences", QJsonObject{{"backupAlwaysEnabled", 0}}),
         "storagePreferences.backupAlwaysEnabled — booléen attendu"},
        {rootWith("notificationStates", QJsonArray()), "notificationStates — objet attendu"},
        {rootWith("notificationStates",
                  QJsonObject{{"ok", minimalNotificationState()},
                              {"x", with(minimalNotificationState(), "toastDismissed", "non")}}),
         "notificationStates[\"x\"].toastDismissed — booléen attendu"},
        {rootWith("embeddedMedia", QJsonObject{{"a.png", 12}}),
         "embeddedMedia[\"a.png\"] — données Base64 attendues"},
        {rootWith("projectTypeOptions", QJsonArray{"Clients", true}),
         "projectTypeOptions[1] — texte attendu"},
        {rootWith("companySettings", with(minimalCompanySettings(), "customPaymentMethodIcons",
                                          QJsonObject{{"Chèque", 1}})),
         "companySettings.customPaymentMethodIcons[\"Chèque\"] — texte attendu"},
        {rootWith("sessionName", QJsonArray()), "sessionName — texte attendu"},
        {rootWith("urssafSettings", QJsonObject{{"microRateServices", "22"}}),
         "urssafSettings.microRateServices — nombre attendu"},
        {rootWith("urssafSettings", QJsonObject{{"legacyVLRate", "1,7"}}),
         "urssafSettings.legacyVLRate — nombre attendu"},
        {documentsWithLinePrice("12", 13), "documents[12].lines[0].priceTTC — nombre attendu"},
        {documentsWithLinePrice(QJsonValue::Null, 3),
         "documents[2].lines[0].priceTTC — nombre attendu"},
    });
}

TEST(DecoderRefusalTest, UnknownValuesUrlsAndIds) {
    std::vector<Refusal> cases = {
        {rootWithOne("clientTags", with(minimalTag(), "color", "violet")),
         "clientTags[0].color — valeur inconnue « violet »"},
        {documentWith("kind", "Quote"), "documents[0].kind — valeur inconnue « Quote »"},
        {documentWith("kind", ""), "documents[0].kind — valeur inconnue «  »"},
        // An enumeration that has a fallback is still refused when its value is unknown.
        {rootWith("preferences", QJsonObject{{"appearanceMode", "auto"}}),
         "preferences.appearanceMode — valeur inconnue « auto »"},
        {rootWith("preferences",
                  QJsonObject{{"searchSettings",
                               QJsonObject{{"useAllFields", false},
                                           {"enabledFields", QJsonArray{"title", "x"}}}}}),
         "preferences.searchSettings.enabledFields[1] — valeur inconnue « x »"},
        // Long values are shortened in the message.
        {rootWithOne("clientTags", with(minimalTag(), "color", QString(200, QLatin1Char('x')))),
         u"clientTags[0].color — valeur inconnue « %1… »"_s.arg(QString(40, QLatin1Char('x')))},
        {clientWith("photoURL", ""), "clients[0].photoURL — adresse invalide «  »"},
        {clientWith("photoURL", "http://exa mple.fr/%zz"),
         "clients[0].photoURL — adresse invalide « http://exa mple.fr/%zz »"},
        {documentWith("linkedProjectID", "pas-un-id"),
         "documents[0].linkedProjectID — identifiant invalide « pas-un-id »"},
        {rootWith("sessionID", uuidText(5).left(35)),
         u"sessionID — identifiant invalide « %1 »"_s.arg(uuidText(5).left(35))},
    };
    const QString good = uuidText(5);
    for (const QString& text :
         {QLatin1Char('{') + good + QLatin1Char('}'), good.left(35), good + QLatin1Char('0'),
          u"00000000-0000-4000-8000-00000000000G"_s, u"000000000-000-4000-8000-000000000005"_s,
          u"00000000000040008000000000000005"_s, u"00000000-0000-4000-8000-00000000000 "_s,
          QString()})
        cases.push_back(
            {clientWith("id", text), u"clients[0].id — identifiant invalide « %1 »"_s.arg(text)});
    expectRefusals(cases);
}

TEST(DecoderRefusalTest, LowerCaseUuidsAreAccepted) {
    const QString lower = u"0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d"_s;
    const AppDatabase db = decodeOk(toBytes(clientWith("id", lower)));
    ASSERT_EQ(db.clients.size(), 1);
    EXPECT_EQ(db.clients[0].id, QUuid::fromString(lower.toUpper()));
    EXPECT_FALSE(db.clients[0].id.isNull());
}

// The date and Base64 rules themselves are those of IsoDateTest and
// Base64DataTest; here, that every place applies them and says so.
TEST(DecoderRefusalTest, DatesAndBase64NotInTheExactForm) {
    std::vector<Refusal> cases;
    const QString dateReason = u" — date invalide « %1 » (format AAAA-MM-JJThh:mm:ssZ attendu)"_s;
    for (const char* text : {"2025-06-10T10:00:00.000Z", "2025-06-10T10:00:00+02:00",
                             "2025-02-30T10:00:00Z", "2025-06-10", ""})
        cases.push_back({documentWith("issueDate", text),
                         "documents[0].issueDate" + dateReason.arg(QLatin1String(text))});
    cases.push_back(
        {rootWith("notificationStates",
                  QJsonObject{{"n", with(minimalNotificationState(), "snoozedUntil",
                                         "2025-06-10T10:00:00.1Z")}}),
         "notificationStates[\"n\"].snoozedUntil" + dateReason.arg(u"2025-06-10T10:00:00.1Z"_s)});
    for (const char* text : {"Zm9v!A==", "Zm9", "Zm9v\n", "\xC3\xA9=="}) {
        cases.push_back({rootWith("sessionProfilePhotoData", text),
                         "sessionProfilePhotoData — données Base64 invalides"});
        cases.push_back(
            {rootWith("embeddedMedia", QJsonObject{{"ok.png", "Zm9v"}, {"photo.png", text}}),
             "embeddedMedia[\"photo.png\"] — données Base64 invalides"});
    }
    expectRefusals(cases);
}

TEST(DecoderRefusalTest, IntegerFieldsRefuseWhatIsNotAnExactInteger) {
    const QJsonObject root = documentWith("dueDays", "@N@");
    std::vector<Refusal> cases;
    for (const char* raw : {"1.5", "-0.25", "1e-3"})
        cases.push_back(
            {withRaw(root, "@N@", raw), "documents[0].dueDays — nombre entier attendu"});
    for (const char* raw : {"9223372036854775808", "18446744073709551615", "9.3e18", "-9.3e18",
                            "9223372036854775807.0", "1e300"})
        cases.push_back({withRaw(root, "@N@", raw), "documents[0].dueDays — entier hors limites"});
    // Beyond what any 64-bit integer holds, the number itself is unreadable.
    for (const char* raw : {"-9223372036854775809", "1e999"})
        cases.push_back(
            {withRaw(root, "@N@", raw), "documents[0].dueDays — nombre invalide ou hors limites"});
    // An optional integer follows the same rule.
    cases.push_back({withRaw(rootWithOne("stockItems", with(minimalStockItem(), "quantity", "@N@")),
                             "@N@", "2.5"),
                     "stockItems[0].quantity — nombre entier attendu"});
    expectRefusals(cases);
}

TEST(DecoderRefusalTest, IntegralNumbersReadAsIntegers) {
    const QJsonObject root = documentWith("dueDays", "@N@");
    const std::pair<QByteArray, qint64> cases[] = {
        {"2.0", 2},
        {"1e3", 1000},
        {"1E3", 1000},
        {"-0", 0},
        {"-0.0", 0},
        {"-45", -45},
        {"9223372036854775807", std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", std::numeric_limits<qint64>::min()},
        {"-9.223372036854775808e18", std::numeric_limits<qint64>::min()},
    };
    for (const auto& [raw, expected] : cases) {
        const AppDatabase db = decodeOk(withRaw(root, "@N@", raw));
        ASSERT_EQ(db.documents.size(), 1) << raw.constData();
        EXPECT_EQ(db.documents[0].dueDays, expected) << raw.constData();
    }
}

// What the parser itself refuses (numbers out of range, bad escapes, broken
// literals) is named by element and key as well, in maps, unknown keys and
// legacy keys alike.
TEST(DecoderRefusalTest, ParserFaultsNameTheElementAndKey) {
    const QString number = u" — nombre invalide ou hors limites"_s;
    expectRefusals({
        {withRaw(rootWithOne("stockItems", with(minimalStockItem(), "quantity", "@N@")), "@N@",
                 "1e999"),
         "stockItems[0].quantity" + number},
        {withRaw(documentsWithLinePrice("@N@", 2), "@N@", "012"),
         "documents[1].lines[0].priceTTC" + number},
        {withRaw(documentWith("encaissements",
                              QJsonArray{minimalEncaissement(),
                                         with(minimalEncaissement(), "amount", "@N@")}),
                 "@N@", "-1e400"),
         "documents[0].encaissements[1].amount" + number},
        {withRaw(clientWith("extra", QJsonObject{{"deep", QJsonArray{1, "@N@"}}}), "@N@", "1e999"),
         "clients[0].extra.deep[1]" + number},
        {withRaw(rootWith("notificationStates",
                          QJsonObject{{"n", with(minimalNotificationState(), "neverShow", "@N@")}}),
                 "@N@", "tru"),
         "notificationStates[\"n\"].neverShow — JSON mal formé"},
        {withRaw(
             rootWith("companySettings", with(minimalCompanySettings(), "customPaymentMethodIcons",
                                              QJsonObject{{"Chèque", "@N@"}})),
             "@N@", "\"\\q\""),
         "companySettings.customPaymentMethodIcons[\"Chèque\"] — texte mal formé"},
        {withRaw(documentWith("linkedProjectID", "@N@"), "@N@", "\"\\ud800\""),
         "documents[0].linkedProjectID — texte mal formé"},
        {withRaw(rootWith("embeddedMedia", QJsonObject{{"a.png", "Zm9v"}, {"b.png", "@N@"}}), "@N@",
                 "\"Zm\\u00\""),
         "embeddedMedia[\"b.png\"] — texte mal formé"},
        {withRaw(rootWith("sessionName", "@N@"), "@N@", "\"\\ud800\""),
         "sessionName — texte mal formé"},
    });
}

} // namespace
} // namespace velmora
