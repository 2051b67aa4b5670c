// Every reason the decoder refuses a whole session file, with the French
// message that names where it failed.

#include "core/model/SessionDecoder.h"
#include "support/SessionJson.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmora {
namespace {

using namespace test;

const QString kPrefix = QStringLiteral("Fichier de session illisible : ");

QByteArray documentsWithLinePrice(const QJsonValue& price, int documentCount) {
    QJsonArray documents;
    for (int i = 0; i < documentCount; ++i)
        documents.append(minimalDocument(i + 1));
    QJsonObject last = documents.last().toObject();
    QJsonObject line = last[QStringLiteral("lines")].toArray().first().toObject();
    last[QStringLiteral("lines")] =
        QJsonArray{with(line, QStringLiteral("priceTTC"), price), minimalLine(9999)};
    documents.replace(documentCount - 1, last);
    return toBytes(rootWith(QStringLiteral("documents"), documents));
}

TEST(DecoderRefusalTest, MinimalRootIsAccepted) {
    // The control for every refusal below: without the fault, the file reads.
    const AppDatabase db = decodeOk(toBytes(minimalRoot()));
    EXPECT_TRUE(db.clients.isEmpty());
    EXPECT_EQ(db.companySettings.displayName, QStringLiteral("Atelier"));
}

TEST(DecoderRefusalTest, MalformedJson) {
    EXPECT_EQ(decodeError(""), kPrefix + QStringLiteral("le fichier est vide"));
    EXPECT_EQ(decodeError("{\"clients\": \"abc"), kPrefix + QStringLiteral("texte non terminé"));
    EXPECT_EQ(decodeError("{\"a\": \"\xC3\x28\"}"),
              kPrefix + QStringLiteral("texte UTF-8 invalide"));

    const QByteArray broken[] = {
        "{",
        "{\"clients\": [}",
        "{\"clients\": [1,]}",
        "{\"clients\": []} trailing",
        "{\"clients\": NaN}",
        "{'clients': []}",
    };
    for (const QByteArray& bytes : broken) {
        const QString message = decodeError(bytes);
        EXPECT_TRUE(message.startsWith(kPrefix)) << bytes.constData();
        EXPECT_GT(message.size(), kPrefix.size()) << bytes.constData();
    }
}

TEST(DecoderRefusalTest, RootThatIsNotAnObject) {
    EXPECT_EQ(decodeError("[]"), kPrefix + QStringLiteral("racine — objet attendu"));
    EXPECT_EQ(decodeError("null"), kPrefix + QStringLiteral("racine — objet attendu"));
}

TEST(DecoderRefusalTest, MissingRequiredRootKeys) {
    for (const char* key : {"projects",
                            "clients",
                            "services",
                            "documents",
                            "stockItems",
                            "purchaseWishlistItems",
                            "accountingPurchases",
                            "stockCategories",
                            "stockTags",
                            "stockSettings",
                            "projectTags",
                            "clientTags",
                            "serviceTags",
                            "quoteStatuses",
                            "invoiceStatuses",
                            "projectStatusOptions",
                            "projectTypeOptions",
                            "preferences",
                            "companySettings",
                            "storagePreferences",
                            "accountingRecipeSettings"}) {
        const QString name = QLatin1String(key);
        EXPECT_EQ(decodeError(toBytes(without(minimalRoot(), name))),
                  kPrefix + name + QStringLiteral(" — clé obligatoire absente"));
    }
}

TEST(DecoderRefusalTest, MissingRequiredKeysInsideRecords) {
    struct Case {
        QByteArray bytes;
        QString path;
    };
    const QJsonObject document = minimalDocument();
    const Case cases[] = {
        {toBytes(rootWithOne("clients", without(minimalClient(), "email"))), "clients[0].email"},
        {toBytes(rootWith("companySettings", without(minimalCompanySettings(), "tvaNote"))),
         "companySettings.tvaNote"},
        {toBytes(rootWith("notificationStates",
                          QJsonObject{{"n1", without(minimalNotificationState(), "neverShow")}})),
         "notificationStates[\"n1\"].neverShow"},
        {toBytes(rootWithOne(
             "documents", with(document, "lines", QJsonArray{without(minimalLine(), "priceTTC")}))),
         "documents[0].lines[0].priceTTC"},
        {toBytes(rootWithOne("documents", without(document, "lines"))), "documents[0].lines"},
        {toBytes(rootWithOne("documents", without(document, "dueDays"))), "documents[0].dueDays"},
        {toBytes(
             rootWithOne("documents", with(document, "encaissements",
                                           QJsonArray{without(minimalEncaissement(), "amount")}))),
         "documents[0].encaissements[0].amount"},
        {toBytes(rootWithOne("documents", with(document, "pdfSnapshot",
                                               with(minimalSnapshot(), "companySettings",
                                                    without(minimalCompanySettings(), "siret"))))),
         "documents[0].pdfSnapshot.companySettings.siret"},
        {toBytes(rootWithOne("quoteStatuses", without(minimalTag(), "color"))),
         "quoteStatuses[0].color"},
        {toBytes(rootWith("storagePreferences", QJsonObject())),
         "storagePreferences.backupAlwaysEnabled"},
        {toBytes(rootWith("accountingRecipeSettings",
                          without(minimalAccountingRecipeSettings(), "buttonTitle"))),
         "accountingRecipeSettings.buttonTitle"},
        {toBytes(rootWithOne("stockSubTags", without(minimalStockSubTag(), "name"))),
         "stockSubTags[0].name"},
        {toBytes(rootWithOne("customCalendarEvents", without(minimalCalendarEvent(), "date"))),
         "customCalendarEvents[0].date"},
        {toBytes(rootWithOne("externalTools", without(minimalExternalTool(), "createdAt"))),
         "externalTools[0].createdAt"},
        {toBytes(rootWithOne("purchaseWishlistItems",
                             without(minimalWishlistItem(), "characteristics"))),
         "purchaseWishlistItems[0].characteristics"},
        {toBytes(rootWith("preferences",
                          QJsonObject{{"searchSettings", QJsonObject{{"useAllFields", true}}}})),
         "preferences.searchSettings.enabledFields"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeError(c.bytes),
                  kPrefix + c.path + QStringLiteral(" — clé obligatoire absente"));
}

TEST(DecoderRefusalTest, RequiredKeyHoldingNullIsAWrongType) {
    // null stands for "absent" only where absence is allowed.
    EXPECT_EQ(decodeError(toBytes(
                  rootWithOne("clients", with(minimalClient(), "email", QJsonValue::Null)))),
              kPrefix + QStringLiteral("clients[0].email — texte attendu"));
    EXPECT_EQ(decodeError(toBytes(rootWith("clients", QJsonValue::Null))),
              kPrefix + QStringLiteral("clients — tableau attendu"));
}

TEST(DecoderRefusalTest, WrongTypes) {
    struct Case {
        QByteArray bytes;
        QString tail;
    };
    const Case cases[] = {
        {toBytes(rootWith("clients", QJsonObject())), "clients — tableau attendu"},
        {toBytes(rootWith("clients", QJsonArray{42})), "clients[0] — objet attendu"},
        {toBytes(rootWithOne("clients", with(minimalClient(), "firstName", 3))),
         "clients[0].firstName — texte attendu"},
        {toBytes(rootWithOne("clients", with(minimalClient(), "tagIDs", uuidText(1)))),
         "clients[0].tagIDs — tableau attendu"},
        {toBytes(rootWithOne("clients", with(minimalClient(), "tagIDs", QJsonArray{7}))),
         "clients[0].tagIDs[0] — identifiant attendu"},
        {toBytes(rootWithOne("documents", with(minimalDocument(), "dueDays", "30"))),
         "documents[0].dueDays — nombre entier attendu"},
        {toBytes(rootWithOne("documents", with(minimalDocument(), "issueDate", 1741000000))),
         "documents[0].issueDate — date attendue"},
        {toBytes(rootWithOne("services", with(minimalService(), "priceTTC", 12))),
         "services[0].priceTTC — texte attendu"},
        {toBytes(rootWith("storagePreferences", QJsonObject{{"backupAlwaysEnabled", "false"}})),
         "storagePreferences.backupAlwaysEnabled — booléen attendu"},
        {toBytes(rootWith("storagePreferences", QJsonObject{{"backupAlwaysEnabled", 0}})),
         "storagePreferences.backupAlwaysEnabled — booléen attendu"},
        {toBytes(rootWith("notificationStates", QJsonArray())),
         "notificationStates — objet attendu"},
        {toBytes(rootWith("embeddedMedia", QJsonObject{{"a.png", 12}})),
         "embeddedMedia[\"a.png\"] — données Base64 attendues"},
        {toBytes(rootWith("projectTypeOptions", QJsonArray{"Clients", true})),
         "projectTypeOptions[1] — texte attendu"},
        {toBytes(
             rootWith("companySettings", with(minimalCompanySettings(), "customPaymentMethodIcons",
                                              QJsonObject{{"Chèque", 1}}))),
         "companySettings.customPaymentMethodIcons[\"Chèque\"] — texte attendu"},
        {toBytes(rootWith("sessionName", QJsonArray())), "sessionName — texte attendu"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeError(c.bytes), kPrefix + c.tail);
}

TEST(DecoderRefusalTest, UnknownEnumerationCase) {
    EXPECT_EQ(
        decodeError(toBytes(rootWithOne("clientTags", with(minimalTag(), "color", "violet")))),
        kPrefix + QStringLiteral("clientTags[0].color — valeur inconnue « violet »"));
    EXPECT_EQ(
        decodeError(toBytes(rootWithOne("documents", with(minimalDocument(), "kind", "Quote")))),
        kPrefix + QStringLiteral("documents[0].kind — valeur inconnue « Quote »"));
    EXPECT_EQ(decodeError(toBytes(rootWithOne("documents", with(minimalDocument(), "kind", "")))),
              kPrefix + QStringLiteral("documents[0].kind — valeur inconnue «  »"));
    // An enumeration that has a fallback is still refused when its value is unknown.
    EXPECT_EQ(
        decodeError(toBytes(rootWith("preferences", QJsonObject{{"appearanceMode", "auto"}}))),
        kPrefix + QStringLiteral("preferences.appearanceMode — valeur inconnue « auto »"));
    EXPECT_EQ(decodeError(toBytes(rootWith(
                  "preferences",
                  QJsonObject{{"searchSettings",
                               QJsonObject{{"useAllFields", false},
                                           {"enabledFields", QJsonArray{"title", "x"}}}}}))),
              kPrefix + QStringLiteral(
                            "preferences.searchSettings.enabledFields[1] — valeur inconnue « x »"));
}

TEST(DecoderRefusalTest, LongUnknownValuesAreShortenedInTheMessage) {
    const QString value(200, QLatin1Char('x'));
    const QString message =
        decodeError(toBytes(rootWithOne("clientTags", with(minimalTag(), "color", value))));
    EXPECT_EQ(message, kPrefix + QStringLiteral("clientTags[0].color — valeur inconnue « ") +
                           QString(40, QLatin1Char('x')) + QStringLiteral("… »"));
}

TEST(DecoderRefusalTest, DatesNotInTheExactFormat) {
    const char* refused[] = {
        "2025-06-10T10:00:00.000Z", // fractional seconds
        "2025-06-10T10:00:00.5Z",
        "2025-06-10T10:00:00+02:00", // offset
        "2025-06-10T10:00:00+00:00",
        "2025-06-10T10:00:00", // no Z
        "2025-06-10T10:00:00z",
        "2025-06-10 10:00:00Z",
        "2025-06-10t10:00:00Z",
        "2025-02-30T10:00:00Z", // no such day
        "2023-02-29T10:00:00Z",
        "1900-02-29T10:00:00Z",
        "2025-04-31T10:00:00Z",
        "2025-13-01T10:00:00Z",
        "2025-00-10T10:00:00Z",
        "2025-06-00T10:00:00Z",
        "2025-06-10T24:00:00Z", // no such time
        "2025-06-10T23:60:00Z",
        "2025-06-10T23:59:60Z",
        "2025-6-10T10:00:00Z",
        "25-06-10T10:00:00Z",
        "+2025-06-10T10:00:00Z",
        "2025-06-10",
        "",
    };
    for (const char* text : refused) {
        EXPECT_EQ(decodeError(toBytes(
                      rootWithOne("documents", with(minimalDocument(), "issueDate", text)))),
                  kPrefix + QStringLiteral("documents[0].issueDate — date invalide « %1 » "
                                           "(format AAAA-MM-JJThh:mm:ssZ attendu)")
                                .arg(QLatin1String(text)));
    }
    // The same rule holds for optional dates and dates deep inside records.
    EXPECT_TRUE(
        decodeError(
            toBytes(rootWith("notificationStates",
                             QJsonObject{{"n", with(minimalNotificationState(), "snoozedUntil",
                                                    "2025-06-10T10:00:00.1Z")}})))
            .startsWith(kPrefix + QStringLiteral("notificationStates[\"n\"].snoozedUntil")));
}

TEST(DecoderRefusalTest, InvalidBase64) {
    const char* refused[] = {
        "Zm9v!A==",   // not in the alphabet
        "Zm9-",       // URL-safe alphabet
        "Zm9",        // missing padding
        "Zg",         // missing padding
        "Zg=",        // incomplete padding
        "Zm9v\n",     // line break
        "Zm 9v",      // space
        " Zm9v",      // leading space
        "Z===",       // too much padding
        "====",       // padding only
        "Zg==Zg==",   // padding inside
        "Zm=v",       // padding in the middle
        "\xC3\xA9==", // non-ASCII
    };
    for (const char* text : refused) {
        EXPECT_EQ(decodeError(toBytes(rootWith("sessionProfilePhotoData", text))),
                  kPrefix + QStringLiteral("sessionProfilePhotoData — données Base64 invalides"))
            << text;
        EXPECT_EQ(
            decodeError(toBytes(
                rootWith("embeddedMedia", QJsonObject{{"ok.png", "Zm9v"}, {"photo.png", text}}))),
            kPrefix + QStringLiteral("embeddedMedia[\"photo.png\"] — données Base64 invalides"))
            << text;
    }
}

TEST(DecoderRefusalTest, InvalidUuids) {
    const QString good = uuidText(5);
    const QString refused[] = {
        QLatin1Char('{') + good + QLatin1Char('}'),
        good.left(35),
        good + QLatin1Char('0'),
        QStringLiteral("00000000-0000-4000-8000-00000000000G"),
        QStringLiteral("000000000-000-4000-8000-000000000005"), // hyphen out of place
        QStringLiteral("00000000000040008000000000000005"),
        QStringLiteral("00000000-0000-4000-8000-00000000000 "),
        QString(),
    };
    for (const QString& text : refused) {
        EXPECT_EQ(decodeError(toBytes(rootWithOne("clients", with(minimalClient(), "id", text)))),
                  kPrefix +
                      QStringLiteral("clients[0].id — identifiant invalide « %1 »").arg(text));
    }
    EXPECT_TRUE(decodeError(toBytes(rootWith("sessionID", good.left(35))))
                    .startsWith(kPrefix + QStringLiteral("sessionID — identifiant invalide")));
}

TEST(DecoderRefusalTest, LowerCaseUuidsAreAccepted) {
    const QString lower = QStringLiteral("0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d");
    const AppDatabase db =
        decodeOk(toBytes(rootWithOne("clients", with(minimalClient(), "id", lower))));
    ASSERT_EQ(db.clients.size(), 1);
    EXPECT_EQ(db.clients[0].id, QUuid::fromString(lower.toUpper()));
    EXPECT_FALSE(db.clients[0].id.isNull());
}

TEST(DecoderRefusalTest, IntegerFieldsRefuseWhatIsNotAnExactInteger) {
    const QJsonObject root = rootWithOne("documents", with(minimalDocument(), "dueDays", "@N@"));
    struct Case {
        QByteArray raw;
        QString reason;
    };
    const Case cases[] = {
        {"1.5", "documents[0].dueDays — nombre entier attendu"},
        {"-0.25", "documents[0].dueDays — nombre entier attendu"},
        {"1e-3", "documents[0].dueDays — nombre entier attendu"},
        {"9223372036854775808", "documents[0].dueDays — entier hors limites"},
        {"18446744073709551615", "documents[0].dueDays — entier hors limites"},
        {"9.3e18", "documents[0].dueDays — entier hors limites"},
        {"-9.3e18", "documents[0].dueDays — entier hors limites"},
        {"9223372036854775807.0", "documents[0].dueDays — entier hors limites"},
        {"1e300", "documents[0].dueDays — entier hors limites"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeError(withRaw(root, "@N@", c.raw)), kPrefix + c.reason)
            << c.raw.constData();

    // Beyond what any 64-bit integer holds, the number itself is unreadable.
    EXPECT_EQ(decodeError(withRaw(root, "@N@", "-9223372036854775809")),
              kPrefix + QStringLiteral("documents — nombre invalide ou hors limites"));
    EXPECT_EQ(decodeError(withRaw(root, "@N@", "1e999")),
              kPrefix + QStringLiteral("documents — nombre invalide ou hors limites"));
    // An optional integer follows the same rule.
    EXPECT_EQ(
        decodeError(withRaw(rootWithOne("stockItems", with(minimalStockItem(), "quantity", "@N@")),
                            "@N@", "2.5")),
        kPrefix + QStringLiteral("stockItems[0].quantity — nombre entier attendu"));
}

TEST(DecoderRefusalTest, IntegralNumbersReadAsIntegers) {
    const QJsonObject root = rootWithOne("documents", with(minimalDocument(), "dueDays", "@N@"));
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

TEST(DecoderRefusalTest, ExactMessagesEndToEnd) {
    EXPECT_EQ(
        decodeError(documentsWithLinePrice("12", 13)),
        QStringLiteral(
            "Fichier de session illisible : documents[12].lines[0].priceTTC — nombre attendu"));
    EXPECT_EQ(
        decodeError(documentsWithLinePrice(QJsonValue::Null, 3)),
        QStringLiteral(
            "Fichier de session illisible : documents[2].lines[0].priceTTC — nombre attendu"));
    EXPECT_EQ(decodeError(toBytes(rootWith(
                  "notificationStates",
                  QJsonObject{{"ok", minimalNotificationState()},
                              {"x", with(minimalNotificationState(), "toastDismissed", "non")}}))),
              QStringLiteral("Fichier de session illisible : notificationStates[\"x\"]."
                             "toastDismissed — booléen attendu"));
    EXPECT_EQ(decodeError(toBytes(rootWithOne("clients", without(minimalClient(), "email")))),
              QStringLiteral("Fichier de session illisible : clients[0].email — clé obligatoire "
                             "absente"));
    EXPECT_EQ(decodeError(toBytes(rootWithOne(
                  "documents", with(minimalDocument(), "pdfSnapshot",
                                    with(minimalSnapshot(), "client",
                                         with(minimalClient(), "contacts",
                                              QJsonArray{QJsonObject{{"id", uuidText(3)}}})))))),
              QStringLiteral("Fichier de session illisible : documents[0].pdfSnapshot.client."
                             "contacts[0].firstName — clé obligatoire absente"));
}

TEST(DecoderRefusalTest, NumberFieldsRefuseText) {
    EXPECT_EQ(
        decodeError(toBytes(rootWith("urssafSettings", QJsonObject{{"microRateServices", "22"}}))),
        kPrefix + QStringLiteral("urssafSettings.microRateServices — nombre attendu"));
    EXPECT_EQ(
        decodeError(toBytes(rootWith("urssafSettings", QJsonObject{{"legacyVLRate", "1,7"}}))),
        kPrefix + QStringLiteral("urssafSettings.legacyVLRate — nombre attendu"));
}

TEST(DecoderRefusalTest, InvalidUrls) {
    EXPECT_EQ(decodeError(toBytes(rootWithOne("clients", with(minimalClient(), "photoURL", "")))),
              kPrefix + QStringLiteral("clients[0].photoURL — adresse invalide «  »"));
    EXPECT_TRUE(
        decodeError(toBytes(rootWithOne(
                        "clients", with(minimalClient(), "photoURL", "http://exa mple.fr/%zz"))))
            .startsWith(kPrefix + QStringLiteral("clients[0].photoURL — adresse invalide")));
}

} // namespace
} // namespace velmora
