#include "support/SessionJson.h"

#include "core/model/SessionDecoder.h"
#include "core/platform/Clock.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <gtest/gtest.h>

namespace velmora::test {

using namespace Qt::StringLiterals;

QDateTime decodeMoment() {
    return utc(2025, 6, 10, 9, 0, 0, 750);
}

QDateTime utc(int year, int month, int day, int hour, int minute, int second, int msec) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), Qt::UTC);
}

QString uuidText(int n) {
    return u"00000000-0000-4000-8000-%1"_s.arg(n, 12, 10, QLatin1Char('0'));
}

QUuid uuid(int n) {
    return QUuid::fromString(uuidText(n));
}

QJsonObject minimalRoot() {
    QJsonObject root;
    for (const char* key :
         {"projects", "clients", "services", "documents", "stockItems", "purchaseWishlistItems",
          "accountingPurchases", "stockCategories", "stockTags", "projectTags", "clientTags",
          "serviceTags", "quoteStatuses", "invoiceStatuses", "projectStatusOptions",
          "projectTypeOptions"})
        root.insert(QLatin1String(key), QJsonArray());
    root.insert(u"stockSettings"_s, QJsonObject());
    root.insert(u"preferences"_s, QJsonObject());
    root.insert(u"companySettings"_s, minimalCompanySettings());
    root.insert(u"storagePreferences"_s, QJsonObject{{"backupAlwaysEnabled", false}});
    root.insert(u"accountingRecipeSettings"_s, minimalAccountingRecipeSettings());
    return root;
}

QJsonObject minimalTag(int n) {
    return {{"id", uuidText(n)}, {"name", u"Tag %1"_s.arg(n)}, {"color", "green"}};
}

QJsonObject minimalClient(int n) {
    return {{"id", uuidText(n)},     {"kind", "particulier"},
            {"firstName", "Jeanne"}, {"lastName", "Dupré"},
            {"company", ""},         {"email", "jeanne@exemple.fr"},
            {"phone", "0600000000"}, {"notes", ""}};
}

QJsonObject minimalService(int n) {
    return {{"id", uuidText(n)}, {"title", "Audit"}, {"description", "Une journée"}};
}

QJsonObject minimalLine(int n) {
    return {{"id", uuidText(n)},
            {"title", "Prestation"},
            {"details", ""},
            {"priceTTC", 120.5},
            {"isOffered", false}};
}

QJsonObject minimalDocument(int n) {
    return {{"id", uuidText(n)},
            {"kind", "quote"},
            {"number", u"D-%1"_s.arg(n)},
            {"issueDate", "2025-03-01T10:00:00Z"},
            {"dueDays", 30},
            {"notes", ""},
            {"lines", QJsonArray{minimalLine(1000 + n)}}};
}

QJsonObject minimalEncaissement() {
    return {{"amount", 50.0}, {"date", "2025-03-05T00:00:00Z"}, {"paymentMethod", "Virement"}};
}

QJsonObject minimalSnapshot() {
    return {{"capturedAt", "2025-03-01T10:00:00Z"}, {"companySettings", minimalCompanySettings()}};
}

QJsonObject minimalCompanySettings() {
    return {{"displayName", "Atelier"},
            {"ownerName", "Jeanne Dupré"},
            {"legalStatus", "EI"},
            {"siret", "12345678900011"},
            {"addressLine1", "1 rue de la Paix"},
            {"addressLine2", "75002 Paris"},
            {"tvaNote", "TVA non applicable, art. 293 B du CGI"},
            {"latePenaltyText", "Pénalités"},
            {"additionalLegalText", ""}};
}

QJsonObject minimalAccountingRecipeSettings() {
    return {{"companyName", "Atelier"},
            {"ownerName", "Jeanne Dupré"},
            {"legalStatus", "EI"},
            {"siret", "12345678900011"},
            {"addressLine1", ""},
            {"addressLine2", ""},
            {"title", "Livre des recettes"},
            {"buttonTitle", "Télécharger le livre de recettes"}};
}

QJsonObject minimalNotificationState() {
    return {{"toastDismissed", false}, {"neverShow", false}};
}

QJsonObject minimalStockItem(int n) {
    return {{"id", uuidText(n)}, {"title", "Câble"}};
}

QJsonObject minimalWishlistItem(int n) {
    return {{"id", uuidText(n)},
            {"title", "Écran"},
            {"categoryIDs", QJsonArray()},
            {"tagIDs", QJsonArray()},
            {"status", "toBuy"},
            {"orderURL", ""},
            {"notes", ""},
            {"characteristics", QJsonArray()}};
}

QJsonObject minimalPurchase(int n) {
    return {{"id", uuidText(n)}};
}

QJsonObject minimalStockSubTag(int n) {
    return {{"id", uuidText(n)}, {"name", "Petit"}};
}

QJsonObject minimalCalendarEvent() {
    return {{"title", "Salon"}, {"date", "2025-09-12T08:00:00Z"}};
}

QJsonObject minimalExternalTool(int n) {
    return {{"id", uuidText(n)},      {"name", "Banque"},
            {"login", "jeanne"},      {"password", "secret"},
            {"websiteURL", ""},       {"notes", ""},
            {"tagIDs", QJsonArray()}, {"createdAt", "2025-01-01T00:00:00Z"}};
}

QJsonObject with(QJsonObject object, const QString& key, const QJsonValue& value) {
    object.insert(key, value);
    return object;
}

QJsonObject without(QJsonObject object, const QString& key) {
    EXPECT_TRUE(object.contains(key)) << "no key " << key.toStdString() << " to remove";
    object.remove(key);
    return object;
}

QJsonObject without(QJsonObject object, std::initializer_list<QString> keys) {
    for (const QString& key : keys)
        object = without(std::move(object), key);
    return object;
}

QJsonObject rootWith(const QString& key, const QJsonValue& value) {
    return with(minimalRoot(), key, value);
}

QJsonObject rootWithOne(const QString& collection, const QJsonObject& record) {
    return rootWith(collection, QJsonArray{record});
}

QByteArray toBytes(const QJsonObject& root) {
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QByteArray withRaw(const QJsonObject& root, const QString& marker, const QByteArray& raw) {
    QByteArray bytes = toBytes(root);
    const QByteArray quoted = '"' + marker.toUtf8() + '"';
    EXPECT_EQ(bytes.count(quoted), 1) << "marker " << marker.toStdString();
    return bytes.replace(quoted, raw);
}

AppDatabase decodeOk(const QByteArray& bytes, const QDateTime& now) {
    const FixedClock clock(now);
    auto result = decodeSession(bytes, clock);
    if (!result) {
        ADD_FAILURE() << "decode failed: " << result.error().toStdString();
        return AppDatabase{};
    }
    return std::move(result).value();
}

AppDatabase decodeOk(const QJsonObject& root, const QDateTime& now) {
    return decodeOk(toBytes(root), now);
}

QString decodeError(const QByteArray& bytes, const QDateTime& now) {
    const FixedClock clock(now);
    const auto result = decodeSession(bytes, clock);
    if (result) {
        ADD_FAILURE() << "decode succeeded where a refusal was expected";
        return {};
    }
    return result.error();
}

QJsonObject parseObject(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        ADD_FAILURE() << "not a JSON object: " << error.errorString().toStdString();
        return {};
    }
    return doc.object();
}

} // namespace velmora::test
