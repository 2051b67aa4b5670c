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
#include <optional>
#include <string>
#include <vector>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;

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
            setErrorString(u"Plus de place sur le disque"_s);
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
    client.firstName = u"Jeanne"_s;
    db.clients.append(client);
    CommercialDocumentItem doc;
    doc.id = uuid(2);
    doc.number = u"F-001"_s;
    doc.issueDate = utc(2025, 3, 1, 10);
    CommercialDocumentLine line;
    line.id = uuid(3);
    doc.lines.append(line);
    doc.encaissements.append(
        {uuid(4), 10, utc(2025, 3, 2), u"Chèque"_s, false, utc(2025, 3, 2), false});
    db.documents.append(doc);
    ProjectItem project;
    project.id = uuid(5);
    db.projects.append(project);
    db.notificationStates.insert(u"facture-en-retard"_s, NotificationState{});
    return db;
}

// The text with every string emptied: what is left is the JSON structure.
QByteArray outsideStrings(const QByteArray& text) {
    static const QRegularExpression string(QStringLiteral(R"("(?:[^"\\]++|\\.)*+")"));
    return QString::fromUtf8(text).replace(string, u"\"\""_s).toUtf8();
}

// Where a null value stands, if any, with what precedes it.
QByteArray firstNull(const QByteArray& text) {
    const QByteArray outside = outsideStrings(text);
    const qsizetype at = outside.indexOf("null");
    return at < 0 ? QByteArray() : outside.mid(std::max<qsizetype>(0, at - 80), 84);
}

// Reads the pretty export as it is laid out, one key or value a line,
// indented by two spaces a level: reports every line indented otherwise and
// every key out of order in its object.
QStringList prettyLayoutProblems(const QByteArray& pretty, int& objects) {
    QStringList problems;
    struct Level {
        bool isObject;
        std::optional<std::string> lastKey;
    };
    std::vector<Level> open;
    const QList<QByteArray> lines = pretty.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray content = lines[n].trimmed();
        if (content.isEmpty())
            continue;
        if ((content.startsWith('}') || content.startsWith(']')) && !open.empty())
            open.pop_back();
        if (lines[n] != QByteArray(2 * qsizetype(open.size()), ' ') + content)
            problems.append(u"ligne %1 : mal indentée"_s.arg(n + 1));
        const qsizetype colon = content.indexOf("\": ");
        if (content.startsWith('"') && colon > 0 && !open.empty() && open.back().isObject) {
            const std::string key = QJsonDocument::fromJson("[" + content.left(colon + 1) + "]")[0]
                                        .toString()
                                        .toStdString();
            const std::optional<std::string>& last = open.back().lastKey;
            if (last && !(*last < key))
                problems.append(u"ligne %1 : « %2 » après « %3 »"_s.arg(n + 1).arg(
                    QString::fromStdString(key), QString::fromStdString(*last)));
            open.back().lastKey = key;
        }
        if (content.endsWith('{') || content.endsWith('[')) {
            objects += content.endsWith('{');
            open.push_back({content.endsWith('{'), std::nullopt});
        }
    }
    return problems;
}

AppDatabase richSession() {
    AppDatabase db = bench::generateSession(bench::smallSize(), 7);
    // Maps with keys that need escaping or sort beyond ASCII.
    db.notificationStates.insert(u"zèbre"_s, NotificationState{});
    db.notificationStates.insert(u"Zebre \"citée\""_s, NotificationState{});
    db.notificationStates.insert(u"a\tb"_s, NotificationState{});
    db.companySettings.customPaymentMethodIcons.insert(u"Virement"_s, u"building.columns"_s);
    db.companySettings.customPaymentMethodIcons.insert(u"Chèque"_s, u"doc"_s);
    db.companySettings.customPaymentMethodIcons.insert(u"Espèces"_s, u"banknote"_s);
    db.urssafSettings.summaryCardCustomTitles.insert(u"net"_s, u"Net"_s);
    db.urssafSettings.summaryCardCustomTitles.insert(u"ca"_s, u"CA"_s);
    return db;
}

TEST(EncoderTest, AbsentOptionalsAreOmittedNeverNull) {
    const AppDatabase db = sessionWithOneOfEach();
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const QByteArray bytes = encodeSession(db, format);
        EXPECT_EQ(firstNull(bytes), QByteArray());
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
    EXPECT_EQ(firstNull(encodeSession(richSession(), SessionFormat::PrettySorted)), QByteArray());
}

TEST(EncoderTest, PresentOptionalsAreWritten) {
    AppDatabase db = sessionWithOneOfEach();
    db.projects[0].endDate = utc(2025, 12, 31, 18);
    db.projects[0].completionState = ProjectCompletionState::delivered;
    db.documents[0].clientID = uuid(1);
    db.sessionName = QString();
    const QJsonObject root = parseObject(encodeSession(db, SessionFormat::Compact));
    const QJsonObject project = root["projects"].toArray().first().toObject();
    EXPECT_EQ(project["endDate"].toString(), u"2025-12-31T18:00:00Z"_s);
    EXPECT_EQ(project["completionState"].toString(), u"delivered"_s);
    EXPECT_EQ(root["documents"].toArray().first().toObject()["clientID"].toString(), uuidText(1));
    // An empty text is a value, not an absence.
    EXPECT_EQ(root["sessionName"], QJsonValue(QString()));
}

TEST(EncoderTest, UuidsAreUpperCaseCanonical) {
    AppDatabase db = newSessionContents();
    const QString lower = u"0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d"_s;
    ClientItem client;
    client.id = QUuid::fromString(lower);
    db.clients.append(client);
    const QByteArray bytes = encodeSession(db, SessionFormat::Compact);
    EXPECT_TRUE(bytes.contains("\"id\":\"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D\""));
    EXPECT_FALSE(bytes.contains(lower.toLatin1()));

    const QRegularExpression canonical(
        u"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"_s);
    const QJsonObject root = parseObject(bytes);
    EXPECT_TRUE(canonical.match(root["sessionID"].toString()).hasMatch())
        << root["sessionID"].toString().toStdString();
    for (const QJsonValue id : root["protectedQuoteStatusIDs"].toArray())
        EXPECT_TRUE(canonical.match(id.toString()).hasMatch()) << id.toString().toStdString();
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
    const QString accented = u"Zoé Müller — « café » 😀 € "_s;
    db.clients[0].notes = accented;
    db.clients[0].company = QString::fromUtf16(u"a\u0001b\tc\nd\"e\\f\u001fg\rh\u007f/");
    db.clients[0].phone = QString(QChar(0)) + u"x"_s;
    db.clients[0].email = u"ligne\u2028suivante"_s;

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

TEST(EncoderTest, PrettyExportSortsKeysAndIndentsByTwoSpaces) {
    const AppDatabase db = richSession();
    const QByteArray pretty = encodeSession(db, SessionFormat::PrettySorted);
    int objects = 0;
    EXPECT_EQ(prettyLayoutProblems(pretty, objects), QStringList());
    EXPECT_GT(objects, 100);
    EXPECT_TRUE(pretty.startsWith("{\n  \""));
    EXPECT_TRUE(pretty.endsWith("\n}") || pretty.endsWith("\n}\n"));
    EXPECT_FALSE(pretty.contains('\t'));
    // Empty containers stay on one line.
    EXPECT_TRUE(pretty.contains(": []") || pretty.contains(": {}"));

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

    // The compact form keeps declaration order instead, with no white space
    // outside strings.
    EXPECT_TRUE(compact.startsWith("{\"projects\":["));
    EXPECT_LT(compact.indexOf("\"projects\":"), compact.indexOf("\"clients\":"));
    const QByteArray structure = outsideStrings(compact);
    for (const char space : {' ', '\n', '\r', '\t'})
        EXPECT_FALSE(structure.contains(space)) << int(space);
    EXPECT_GT(compact.size(), 1000);
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
    db.documents[0].lines[0].title = u"Changé « ici »"_s;
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

    // The export is sorted and indented: the compact cache never takes part.
    QByteArray pretty;
    encodeSession(reread.value(), SessionFormat::PrettySorted, pretty, &cache);
    EXPECT_EQ(pretty, encodeSession(reread.value(), SessionFormat::PrettySorted));
}

TEST(EncoderTest, StreamingReportsAFailedWrite) {
    AppDatabase db = richSession();
    // Large enough to be written straight through, past the writer's buffer.
    db.embeddedMedia.insert(u"grand.bin"_s,
                            Base64Data::fromBytes(QByteArray(3 * 1024 * 1024, 'v')));
    db.embeddedMedia.insert(u"petit.bin"_s, Base64Data::fromBytes("abc"));
    const QByteArray full = encodeSession(db, SessionFormat::Compact);
    const qsizetype mediaStart = full.indexOf("dnZ2dnZ2");
    ASSERT_GT(mediaStart, 0);

    for (qint64 capacity :
         {qint64(0), qint64(100), qint64(mediaStart + 10), qint64(full.size() - 1)}) {
        FailingDevice device(capacity);
        QString error;
        EXPECT_FALSE(encodeSession(db, SessionFormat::Compact, device, &error)) << capacity;
        EXPECT_EQ(error, u"Plus de place sur le disque"_s) << capacity;
        EXPECT_LE(device.written.size(), capacity);
        EXPECT_TRUE(full.startsWith(device.written));
    }
    // Streamed whole, both forms are what the in-memory encoder writes.
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        FailingDevice device(format == SessionFormat::Compact ? full.size()
                                                              : std::numeric_limits<qint64>::max());
        QString error;
        EXPECT_TRUE(encodeSession(db, format, device, &error));
        EXPECT_EQ(error, QString());
        EXPECT_EQ(device.written, encodeSession(db, format));
    }
}

TEST(SessionFileTest, WritesAndReadsBackBothFormats) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const AppDatabase db = richSession();
    for (SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const QString path = dir.filePath(u"séance.cdb"_s);
        const Result<> written = writeSessionFile(db, format, path);
        ASSERT_TRUE(written.ok()) << written.error().toStdString();
        const auto bytes = readSessionBytes(path);
        ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
        EXPECT_EQ(bytes.value(), encodeSession(db, format));
        EXPECT_EQ(decodeOk(bytes.value()), db);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"séance.cdb"});
}

TEST(SessionFileTest, FailuresNameTheFile) {
    QTemporaryDir dir;
    const auto bytes = readSessionBytes(dir.filePath(u"absent.cdb"_s));
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error(), u"Le fichier « absent.cdb » est introuvable."_s);

    const QString cannotWrite = u"Le fichier « s.cdb » n'a pas pu être enregistré : "_s;
    const Result<> status = writeSessionFile(newSessionContents(), SessionFormat::Compact,
                                             dir.filePath(u"nulle-part/s.cdb"_s));
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().startsWith(cannotWrite)) << status.error().toStdString();
    EXPECT_GT(status.error().size(), cannotWrite.size());
}

#if defined(Q_OS_UNIX)
// A disk that fills up in the middle of a save.
TEST(SessionFileTest, WriteFailingMidwayLeavesTheFileUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"session.cdb"_s);
    const AppDatabase original = sessionWithOneOfEach();
    ASSERT_TRUE(writeSessionFile(original, SessionFormat::Compact, path).ok());

    AppDatabase bigger = original;
    bigger.embeddedMedia.insert(u"photo.jpg"_s,
                                Base64Data::fromBytes(QByteArray(2 * 1024 * 1024, 'p')));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 256 * 1024;
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Result<> status = writeSessionFile(bigger, SessionFormat::Compact, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(
        status.error().startsWith(u"Le fichier « session.cdb » n'a pas pu être enregistré : "_s))
        << status.error().toStdString();
    const auto bytes = readSessionBytes(path);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(decodeOk(bytes.value()), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"session.cdb"});
}
#endif

} // namespace
} // namespace velmora
