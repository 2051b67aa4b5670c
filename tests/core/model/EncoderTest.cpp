// The form of what the writer produces: omitted optionals, ids, dates,
// numbers, text escaping, the sorted export, and failures of the medium.

#include "SessionGenerator.h"
#include "core/model/NewSession.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "core/model/SessionFile.h"
#include "support/SessionJson.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/resource.h>
#endif

namespace velmora {
namespace {

using namespace test;

// A medium that takes a fixed number of bytes, then refuses every write.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity) : m_left(capacity) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    QByteArray written;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (size > m_left) {
            setErrorString(QStringLiteral("Plus de place sur le disque"));
            return -1;
        }
        m_left -= size;
        written.append(data, size);
        return size;
    }

private:
    qint64 m_left;
};

AppDatabase sessionWithOneOfEach() {
    AppDatabase db = newSessionContents();
    ClientItem client;
    client.id = uuid(1);
    client.firstName = QStringLiteral("Jeanne");
    db.clients.append(client);
    CommercialDocumentItem doc;
    doc.id = uuid(2);
    doc.number = QStringLiteral("F-001");
    doc.issueDate = utc(2025, 3, 1, 10);
    CommercialDocumentLine line;
    line.id = uuid(3);
    doc.lines.append(line);
    doc.encaissements.append(
        {uuid(4), 10, utc(2025, 3, 2), QStringLiteral("Chèque"), false, utc(2025, 3, 2), false});
    db.documents.append(doc);
    ProjectItem project;
    project.id = uuid(5);
    db.projects.append(project);
    db.notificationStates.insert(QStringLiteral("facture-en-retard"), NotificationState{});
    return db;
}

// Every value of a parsed document, depth first.
void collectNulls(const QJsonValue& value, const QString& path, QStringList& nulls) {
    if (value.isNull())
        nulls.append(path);
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            collectNulls(it.value(), path + QLatin1Char('.') + it.key(), nulls);
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            collectNulls(array[i], path + QStringLiteral("[%1]").arg(i), nulls);
    }
}

QStringList nullsIn(const QByteArray& bytes) {
    QStringList nulls;
    collectNulls(parseObject(bytes), QStringLiteral("racine"), nulls);
    return nulls;
}

bool isJsonSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// A small reader of the raw text: checks that the keys of every object are in
// increasing order and reports where they are not.
class KeyOrderChecker {
public:
    explicit KeyOrderChecker(const QByteArray& text) : m_text(text) {}

    QStringList problems() {
        skipSpace();
        value(QStringLiteral("racine"));
        return m_problems;
    }
    int objectsSeen() const { return m_objects; }

private:
    void skipSpace() {
        while (m_pos < m_text.size() && isJsonSpace(m_text[m_pos]))
            ++m_pos;
    }
    std::string string() {
        std::string raw;
        ++m_pos; // opening quote
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            if (m_text[m_pos] == '\\')
                raw += m_text[m_pos++];
            raw += m_text[m_pos++];
        }
        ++m_pos;
        // Decoded through a one-element array so that escapes compare by meaning.
        const QJsonDocument doc =
            QJsonDocument::fromJson("[\"" + QByteArray::fromStdString(raw) + "\"]");
        return doc.array().first().toString().toStdString();
    }
    void value(const QString& path) {
        skipSpace();
        if (m_pos >= m_text.size())
            return;
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_objects;
            ++m_pos;
            std::vector<std::string> keys;
            skipSpace();
            while (m_pos < m_text.size() && m_text[m_pos] != '}') {
                keys.push_back(string());
                skipSpace();
                ++m_pos; // colon
                value(path + QLatin1Char('.') + QString::fromStdString(keys.back()));
                skipSpace();
                if (m_text[m_pos] == ',')
                    ++m_pos;
                skipSpace();
            }
            ++m_pos;
            for (std::size_t i = 1; i < keys.size(); ++i) {
                if (!(keys[i - 1] < keys[i]))
                    m_problems.append(path + QStringLiteral(" : « %1 » avant « %2 »")
                                                 .arg(QString::fromStdString(keys[i - 1]),
                                                      QString::fromStdString(keys[i])));
            }
        } else if (c == '[') {
            ++m_pos;
            int index = 0;
            skipSpace();
            while (m_pos < m_text.size() && m_text[m_pos] != ']') {
                value(path + QStringLiteral("[%1]").arg(index++));
                skipSpace();
                if (m_text[m_pos] == ',')
                    ++m_pos;
                skipSpace();
            }
            ++m_pos;
        } else if (c == '"') {
            string();
        } else {
            while (m_pos < m_text.size() && !isJsonSpace(m_text[m_pos]) && m_text[m_pos] != ',' &&
                   m_text[m_pos] != ']' && m_text[m_pos] != '}')
                ++m_pos;
        }
    }

    const QByteArray& m_text;
    qsizetype m_pos = 0;
    QStringList m_problems;
    int m_objects = 0;
};

// Walks the text outside strings; calls f(byte, depth, insideString).
template <class F> void walk(const QByteArray& text, F f) {
    bool inString = false;
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
                continue;
            }
            if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '{' || c == '[')
            ++depth;
        else if (c == '}' || c == ']')
            --depth;
        f(i, depth);
    }
}

AppDatabase richSession() {
    AppDatabase db = bench::generateSession(bench::smallSize(), 7);
    // Maps with keys that need escaping or sort beyond ASCII.
    db.notificationStates.insert(QStringLiteral("zèbre"), NotificationState{});
    db.notificationStates.insert(QStringLiteral("Zebre \"citée\""), NotificationState{});
    db.notificationStates.insert(QStringLiteral("a\tb"), NotificationState{});
    db.companySettings.customPaymentMethodIcons.insert(QStringLiteral("Virement"),
                                                       QStringLiteral("building.columns"));
    db.companySettings.customPaymentMethodIcons.insert(QStringLiteral("Chèque"),
                                                       QStringLiteral("doc"));
    db.companySettings.customPaymentMethodIcons.insert(QStringLiteral("Espèces"),
                                                       QStringLiteral("banknote"));
    db.urssafSettings.summaryCardCustomTitles.insert(QStringLiteral("net"), QStringLiteral("Net"));
    db.urssafSettings.summaryCardCustomTitles.insert(QStringLiteral("ca"), QStringLiteral("CA"));
    return db;
}

TEST(EncoderTest, AbsentOptionalsAreOmittedNeverNull) {
    const AppDatabase db = sessionWithOneOfEach();
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const QByteArray bytes = encodeSession(db, format);
        EXPECT_EQ(nullsIn(bytes), QStringList());
        const QJsonObject root = parseObject(bytes);
        for (const char* key :
             {"sessionName", "sessionProfilePhotoData", "sessionProfileImageName"})
            EXPECT_FALSE(root.contains(QLatin1String(key))) << key;
        EXPECT_TRUE(root.contains("sessionID"));
        const QJsonObject client = root["clients"].toArray().first().toObject();
        EXPECT_FALSE(client.contains("photoURL"));
        EXPECT_TRUE(client.contains("siret"));
        const QJsonObject doc = root["documents"].toArray().first().toObject();
        for (const char* key :
             {"statusID", "validityDate", "encaissementDate", "clientID", "linkedQuoteID",
              "linkedQuotePDFURL", "importedPDFURL", "paymentMethod", "pdfSnapshot",
              "preCancelStatusID", "acompteRefundStatus"})
            EXPECT_FALSE(doc.contains(QLatin1String(key))) << key;
        const QJsonObject line = doc["lines"].toArray().first().toObject();
        EXPECT_FALSE(line.contains("linkedServiceID"));
        EXPECT_FALSE(line.contains("discountLinkedLineID"));
        EXPECT_EQ(line["quantity"].toDouble(), 1.0);
        const QJsonObject project = root["projects"].toArray().first().toObject();
        for (const char* key : {"linkedClientID", "endDate", "completionState", "cancelledAt",
                                "startDate", "photoURL", "iconName", "preCancelStatus"})
            EXPECT_FALSE(project.contains(QLatin1String(key))) << key;
        const QJsonObject state =
            root["notificationStates"].toObject()["facture-en-retard"].toObject();
        EXPECT_EQ(state.keys(), (QStringList{"neverShow", "toastDismissed"}));
        // Optional collections are always written, even empty.
        EXPECT_TRUE(root["externalTools"].isArray());
        EXPECT_TRUE(root["embeddedMedia"].isObject());
        const QJsonObject storage = root["storagePreferences"].toObject();
        EXPECT_EQ(storage.keys(), QStringList{"backupAlwaysEnabled"});
    }

    // A generated session uses every optional somewhere: none is ever null.
    EXPECT_EQ(nullsIn(encodeSession(richSession(), SessionFormat::PrettySorted)), QStringList());
}

TEST(EncoderTest, PresentOptionalsAreWritten) {
    AppDatabase db = sessionWithOneOfEach();
    db.projects[0].endDate = utc(2025, 12, 31, 18);
    db.projects[0].completionState = ProjectCompletionState::delivered;
    db.documents[0].clientID = uuid(1);
    db.sessionName = QString();
    const QJsonObject root = parseObject(encodeSession(db, SessionFormat::Compact));
    const QJsonObject project = root["projects"].toArray().first().toObject();
    EXPECT_EQ(project["endDate"].toString(), QStringLiteral("2025-12-31T18:00:00Z"));
    EXPECT_EQ(project["completionState"].toString(), QStringLiteral("delivered"));
    EXPECT_EQ(root["documents"].toArray().first().toObject()["clientID"].toString(), uuidText(1));
    // An empty text is a value, not an absence.
    EXPECT_EQ(root["sessionName"], QJsonValue(QString()));
}

TEST(EncoderTest, UuidsAreUpperCaseCanonical) {
    AppDatabase db = newSessionContents();
    const QString lower = QStringLiteral("0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d");
    ClientItem client;
    client.id = QUuid::fromString(lower);
    db.clients.append(client);
    const QByteArray bytes = encodeSession(db, SessionFormat::Compact);
    EXPECT_TRUE(bytes.contains("\"id\":\"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D\""));
    EXPECT_FALSE(bytes.contains(lower.toLatin1()));

    const QRegularExpression canonical(
        QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    const QJsonObject root = parseObject(bytes);
    EXPECT_TRUE(canonical.match(root["sessionID"].toString()).hasMatch())
        << root["sessionID"].toString().toStdString();
    for (const QJsonValue id : root["protectedQuoteStatusIDs"].toArray())
        EXPECT_TRUE(canonical.match(id.toString()).hasMatch()) << id.toString().toStdString();
}

TEST(EncoderTest, DatesAreUtcWithWholeSeconds) {
    AppDatabase db = sessionWithOneOfEach();
    const QTimeZone paris("Europe/Paris");
    ASSERT_TRUE(paris.isValid());
    db.documents[0].issueDate = utc(2025, 3, 1, 10, 20, 30, 999);
    db.documents[0].validityDate = QDateTime(QDate(2025, 7, 1), QTime(12, 0), paris);
    db.documents[0].encaissementDate = QDateTime(QDate(2025, 1, 1), QTime(0, 30), paris);
    db.projects[0].startDate = utc(1999, 12, 31, 23, 59, 59);
    const QJsonObject root = parseObject(encodeSession(db, SessionFormat::Compact));
    const QJsonObject doc = root["documents"].toArray().first().toObject();
    EXPECT_EQ(doc["issueDate"].toString(), QStringLiteral("2025-03-01T10:20:30Z"));
    EXPECT_EQ(doc["validityDate"].toString(), QStringLiteral("2025-07-01T10:00:00Z"));
    EXPECT_EQ(doc["encaissementDate"].toString(), QStringLiteral("2024-12-31T23:30:00Z"));
    EXPECT_EQ(root["projects"].toArray().first().toObject()["startDate"].toString(),
              QStringLiteral("1999-12-31T23:59:59Z"));
}

TEST(EncoderTest, DoublesAreShortestAndReadBackExactly) {
    const double values[] = {0.1,
                             1e-7,
                             123456.789,
                             -0.0,
                             1e300,
                             -1e300,
                             1.0 / 3.0,
                             0.1 + 0.2,
                             5e-324,
                             std::numeric_limits<double>::max(),
                             9007199254740993.0,
                             1e18,
                             2.3456789012345678e19,
                             -9.876543210987654e18,
                             1.2345678901234567e20,
                             123456789012345678901234.0};
    AppDatabase db = sessionWithOneOfEach();
    CommercialDocumentLine line = db.documents[0].lines[0];
    db.documents[0].lines.clear();
    for (double v : values) {
        line.priceTTC = v;
        line.id = QUuid::createUuid();
        db.documents[0].lines.append(line);
    }
    const QByteArray bytes = encodeSession(db, SessionFormat::Compact);
    for (const char* text : {"\"priceTTC\":0.1,", "\"priceTTC\":123456.789,",
                             "\"priceTTC\":0.30000000000000004,", "\"quantity\":1,"})
        EXPECT_TRUE(bytes.contains(text)) << text;

    const FixedClock clock(decodeMoment());
    const auto read = decodeSession(bytes, clock);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    ASSERT_EQ(read->documents.size(), 1);
    ASSERT_EQ(read->documents[0].lines.size(), qsizetype(std::size(values)));
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(read->documents[0].lines[qsizetype(i)].priceTTC, values[i]) << values[i];

    // The standard JSON reader agrees on every value.
    const QJsonArray lines = parseObject(bytes).value("documents")[0]["lines"].toArray();
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(lines[qsizetype(i)]["priceTTC"].toDouble(), values[i]) << values[i];
}

TEST(EncoderTest, NonFiniteAmountsNeverMakeTheFileUnreadable) {
    AppDatabase db = sessionWithOneOfEach();
    db.documents[0].lines[0].priceTTC = std::numeric_limits<double>::quiet_NaN();
    db.documents[0].lines[0].tvaRate = std::numeric_limits<double>::infinity();
    db.documents[0].encaissements[0].amount = -std::numeric_limits<double>::infinity();
    const AppDatabase read = decodeOk(encodeSession(db, SessionFormat::Compact));
    ASSERT_EQ(read.documents.size(), 1);
    EXPECT_EQ(read.documents[0].lines[0].priceTTC, 0.0);
    EXPECT_EQ(read.documents[0].lines[0].tvaRate, 0.0);
    EXPECT_EQ(read.documents[0].encaissements[0].amount, 0.0);
}

TEST(EncoderTest, TextIsUtf8WithOnlyRequiredEscapes) {
    AppDatabase db = sessionWithOneOfEach();
    const QString accented = QStringLiteral("Zoé Müller — « café » 😀 € ");
    db.clients[0].notes = accented;
    db.clients[0].company = QString::fromUtf16(u"a\u0001b\tc\nd\"e\\f\u001fg\rh\u007f/");
    db.clients[0].phone = QString(QChar(0)) + QStringLiteral("x");
    db.clients[0].email = QStringLiteral("ligne\u2028suivante");

    const QByteArray bytes = encodeSession(db, SessionFormat::Compact);
    EXPECT_TRUE(bytes.contains("\"notes\":\"" + accented.toUtf8() + "\""));
    EXPECT_TRUE(bytes.contains("\"company\":\"a\\u0001b\\tc\\nd\\\"e\\\\f\\u001fg\\rh\x7f/\""));
    EXPECT_TRUE(bytes.contains("\"phone\":\"\\u0000x\""));
    EXPECT_TRUE(bytes.contains("\"email\":\"ligne\xE2\x80\xA8suivante\""));
    EXPECT_FALSE(bytes.contains("\\u00e9"));
    EXPECT_FALSE(bytes.contains("\\ud83d"));

    const QJsonObject client = parseObject(bytes).value("clients")[0].toObject();
    EXPECT_EQ(client["notes"].toString(), accented);
    EXPECT_EQ(client["company"].toString(), db.clients[0].company);
    EXPECT_EQ(client["phone"].toString(), db.clients[0].phone);
}

TEST(EncoderTest, PrettyExportSortsKeysAtEveryLevel) {
    const AppDatabase db = richSession();
    const QByteArray pretty = encodeSession(db, SessionFormat::PrettySorted);
    KeyOrderChecker checker(pretty);
    EXPECT_EQ(checker.problems(), QStringList());
    EXPECT_GT(checker.objectsSeen(), 100);

    // Same content as the compact form.
    const QByteArray compact = encodeSession(db, SessionFormat::Compact);
    EXPECT_EQ(QJsonDocument::fromJson(pretty), QJsonDocument::fromJson(compact));
    EXPECT_NE(pretty, compact);

    // Raw order of a few known neighbours, root and nested.
    const auto before = [&](const char* a, const char* b) {
        const qsizetype i = pretty.indexOf(a);
        const qsizetype j = pretty.indexOf(b);
        EXPECT_GE(i, 0) << a;
        EXPECT_LT(i, j) << a << " / " << b;
    };
    before("\n  \"accountingPurchases\": ", "\n  \"accountingRecipeSettings\": ");
    before("\n  \"accountingRecipeSettings\": ", "\n  \"clientProjectTags\": ");
    before("\n  \"urssafDeclarations\": ", "\n  \"urssafSettings\": ");
    before("\"Chèque\": ", "\"Espèces\": ");
    before("\"Espèces\": ", "\"Virement\": ");
    before("\"Zebre \\\"citée\\\"\": ", "\"a\\tb\": ");
    before("\"a\\tb\": ", "\"zèbre\": ");

    // The compact form keeps declaration order instead.
    EXPECT_LT(compact.indexOf("\"projects\":"), compact.indexOf("\"clients\":"));
    EXPECT_TRUE(compact.startsWith("{\"projects\":["));
}

TEST(EncoderTest, PrettyExportIndentsByTwoSpaces) {
    const QByteArray pretty = encodeSession(richSession(), SessionFormat::PrettySorted);
    ASSERT_TRUE(pretty.startsWith("{\n  \""));
    EXPECT_TRUE(pretty.endsWith("\n}") || pretty.endsWith("\n}\n"));
    int badLines = 0;
    int lines = 0;
    walk(pretty, [&](qsizetype i, int depth) {
        if (pretty[i] != '\n')
            return;
        ++lines;
        qsizetype spaces = 0;
        while (i + 1 + spaces < pretty.size() && pretty[i + 1 + spaces] == ' ')
            ++spaces;
        if (i + 1 + spaces >= pretty.size())
            return;
        const char next = pretty[i + 1 + spaces];
        const int expected = (next == '}' || next == ']') ? depth - 1 : depth;
        if (spaces != 2 * expected || pretty[i + 1 + spaces] == '\t')
            ++badLines;
    });
    EXPECT_GT(lines, 100);
    EXPECT_EQ(badLines, 0);
    EXPECT_FALSE(pretty.contains('\t'));
    EXPECT_TRUE(pretty.contains("\"clients\": ["));
    // Empty containers stay on one line.
    EXPECT_TRUE(pretty.contains(": []") || pretty.contains(": {}"));
}

TEST(EncoderTest, CompactHasNoWhitespaceOutsideStrings) {
    const QByteArray compact = encodeSession(richSession(), SessionFormat::Compact);
    qsizetype whitespace = 0;
    walk(compact, [&](qsizetype i, int) {
        if (isJsonSpace(compact[i]))
            ++whitespace;
    });
    EXPECT_EQ(whitespace, 0);
    EXPECT_GT(compact.size(), 1000);
}

TEST(EncoderTest, StreamingWritesWhatTheInMemoryEncoderWrites) {
    const AppDatabase db = richSession();
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const QByteArray expected = encodeSession(db, format);
        FailingDevice device(std::numeric_limits<qint64>::max());
        QString error;
        EXPECT_TRUE(encodeSession(db, format, device, &error));
        EXPECT_EQ(error, QString());
        EXPECT_EQ(device.written, expected);
    }
}

// The store encodes every save through a cache of unchanged lists: what it
// writes must be exactly what a full encoding writes, whatever changed.
TEST(EncoderTest, CachedListsWriteWhatAFullEncodingWrites) {
    AppDatabase db = bench::generateSession(bench::smallSize(), 7);
    EncodedListCache cache;
    QByteArray cached;
    encodeSession(db, SessionFormat::Compact, cached, &cache);
    EXPECT_EQ(cached, encodeSession(db, SessionFormat::Compact));
    EXPECT_EQ(cache.reusedInLastSave(), 0);

    // Nothing changed: every list comes from the cache, bytes unchanged.
    encodeSession(db, SessionFormat::Compact, cached, &cache);
    EXPECT_EQ(cached, encodeSession(db, SessionFormat::Compact));
    const int allLists = cache.reusedInLastSave();
    EXPECT_GT(allLists, 20);

    // One field deep inside one document: only that list is encoded again.
    ASSERT_FALSE(db.documents.isEmpty());
    ASSERT_FALSE(db.documents[0].lines.isEmpty());
    db.documents[0].lines[0].title = QStringLiteral("Changé « ici »");
    encodeSession(db, SessionFormat::Compact, cached, &cache);
    EXPECT_EQ(cached, encodeSession(db, SessionFormat::Compact));
    EXPECT_EQ(cache.reusedInLastSave(), allLists - 1);
    EXPECT_TRUE(cached.contains("Changé « ici »"));

    // A list emptied, another replaced by a copy of itself with one more item.
    db.clients.clear();
    db.services.append(db.services.isEmpty() ? ServiceItem{} : db.services.first());
    encodeSession(db, SessionFormat::Compact, cached, &cache);
    EXPECT_EQ(cached, encodeSession(db, SessionFormat::Compact));

    // A session read afresh shares nothing with the remembered lists.
    const auto reread = decodeSession(cached, FixedClock(QDateTime::currentDateTimeUtc()));
    ASSERT_TRUE(reread.ok()) << reread.error().toStdString();
    encodeSession(reread.value(), SessionFormat::Compact, cached, &cache);
    EXPECT_EQ(cached, encodeSession(reread.value(), SessionFormat::Compact));
}

// The export is sorted and indented: the compact cache never takes part.
TEST(EncoderTest, PrettyEncodingIgnoresTheCache) {
    const AppDatabase db = bench::generateSession(bench::smallSize(), 8);
    EncodedListCache cache;
    QByteArray compact;
    encodeSession(db, SessionFormat::Compact, compact, &cache);
    QByteArray pretty;
    encodeSession(db, SessionFormat::PrettySorted, pretty, &cache);
    EXPECT_EQ(pretty, encodeSession(db, SessionFormat::PrettySorted));
}

TEST(EncoderTest, StreamingReportsAFailedWrite) {
    AppDatabase db = sessionWithOneOfEach();
    // Large enough to be written straight through, past the writer's buffer.
    db.embeddedMedia.insert(QStringLiteral("grand.bin"),
                            Base64Data::fromBytes(QByteArray(3 * 1024 * 1024, 'v')));
    db.embeddedMedia.insert(QStringLiteral("petit.bin"), Base64Data::fromBytes("abc"));
    const QByteArray full = encodeSession(db, SessionFormat::Compact);
    const qsizetype mediaStart = full.indexOf("dnZ2dnZ2");
    ASSERT_GT(mediaStart, 0);

    for (qint64 capacity :
         {qint64(0), qint64(100), qint64(mediaStart + 10), qint64(full.size() - 1)}) {
        FailingDevice device(capacity);
        QString error;
        EXPECT_FALSE(encodeSession(db, SessionFormat::Compact, device, &error)) << capacity;
        EXPECT_EQ(error, QStringLiteral("Plus de place sur le disque")) << capacity;
        EXPECT_LE(device.written.size(), capacity);
        EXPECT_TRUE(full.startsWith(device.written));
    }
    FailingDevice exact(full.size());
    EXPECT_TRUE(encodeSession(db, SessionFormat::Compact, exact));
    EXPECT_EQ(exact.written, full);
}

TEST(SessionFileTest, WritesAndReadsBackBothFormats) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const AppDatabase db = richSession();
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const QString path = dir.filePath(QStringLiteral("séance.cdb"));
        const Status written = writeSessionFile(db, format, path);
        ASSERT_TRUE(written.ok()) << written.error().toStdString();
        const auto bytes = readSessionBytes(path);
        ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
        EXPECT_EQ(bytes.value(), encodeSession(db, format));
        EXPECT_EQ(decodeOk(bytes.value()), db);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"séance.cdb"});
}

TEST(SessionFileTest, MissingFileMessage) {
    QTemporaryDir dir;
    const auto bytes = readSessionBytes(dir.filePath(QStringLiteral("absent.cdb")));
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error(), QStringLiteral("Le fichier « absent.cdb » est introuvable."));
}

TEST(SessionFileTest, WritingIntoAMissingFolderFails) {
    QTemporaryDir dir;
    const Status status = writeSessionFile(newSessionContents(), SessionFormat::Compact,
                                           dir.filePath(QStringLiteral("nulle-part/s.cdb")));
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().startsWith(
        QStringLiteral("Le fichier « s.cdb » n'a pas pu être enregistré : ")))
        << status.error().toStdString();
    EXPECT_GT(status.error().size(),
              QStringLiteral("Le fichier « s.cdb » n'a pas pu être enregistré : ").size());
}

TEST(SessionFileTest, UnwritableFolderLeavesTheFileUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("session.cdb"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("contenu précédent");
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(dir.filePath(QStringLiteral("sonde")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "folder permissions do not apply to this user";
    }
    const Status status = writeSessionFile(newSessionContents(), SessionFormat::Compact, path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().startsWith(
        QStringLiteral("Le fichier « session.cdb » n'a pas pu être enregistré : ")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("contenu précédent"));
}

#if defined(Q_OS_UNIX)
// A disk that fills up in the middle of a save, which folder permissions
// cannot simulate for a privileged user.
TEST(SessionFileTest, WriteFailingMidwayLeavesTheFileUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("session.cdb"));
    const AppDatabase original = sessionWithOneOfEach();
    ASSERT_TRUE(writeSessionFile(original, SessionFormat::Compact, path).ok());

    AppDatabase bigger = original;
    bigger.embeddedMedia.insert(QStringLiteral("photo.jpg"),
                                Base64Data::fromBytes(QByteArray(2 * 1024 * 1024, 'p')));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 256 * 1024;
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Status status = writeSessionFile(bigger, SessionFormat::Compact, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().startsWith(
        QStringLiteral("Le fichier « session.cdb » n'a pas pu être enregistré : ")))
        << status.error().toStdString();
    const auto bytes = readSessionBytes(path);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(decodeOk(bytes.value()), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"session.cdb"});
}
#endif

} // namespace
} // namespace velmora
