// Replays damaged, strange and oversized session files. Each one is either
// refused with a French message or read with the values it holds; none may
// crash or be half-read. Dropping a file into tests/data/hostile/ adds a case,
// which fails until the table below says what it must give.

#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "core/model/SessionFile.h"
#include "support/SessionJson.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::only;

namespace {

const QString kHostileDir = QStringLiteral(VELMORA_TEST_DATA "/hostile");

const FixedClock& testClock() {
    static const FixedClock clock(QDateTime(QDate(2025, 6, 10), QTime(9, 0), Qt::UTC));
    return clock;
}

QString refusal(const QString& reason) {
    return u"Fichier de session illisible : "_s + reason;
}

// What decoding one file must give: the whole message when it is refused,
// and what must have been read when it is read.
struct Expectation {
    std::optional<QString> sessionRefusal;
    std::optional<QString> previewRefusal;
    std::function<void(const AppDatabase&)> check;
};

Expectation refused(const QString& reason) {
    return {refusal(reason), refusal(reason), {}};
}

// Refused by the full reader, but the launch screen's preview, which looks at
// preferences.appPassword only, still reads it.
Expectation refusedButPreviewed(const QString& reason) {
    return {refusal(reason), std::nullopt, {}};
}

Expectation read(std::function<void(const AppDatabase&)> check) {
    return {std::nullopt, std::nullopt, std::move(check)};
}

std::string toStd(const QString& s) {
    return s.toStdString();
}

Result<AppDatabase> decodeFile(const QString& path) {
    auto bytes = readSessionBytes(path);
    if (!bytes)
        return Result<AppDatabase>::failure(bytes.error());
    return decodeSession(bytes.value(), testClock());
}

const AppDatabase& referenceSession() {
    static const AppDatabase db = [] {
        auto result = decodeFile(kHostileDir + u"/reference-session.cdb"_s);
        if (!result)
            ADD_FAILURE() << "reference session: " << toStd(result.error());
        return result ? result.value() : AppDatabase{};
    }();
    return db;
}

double paidAmount(const AppDatabase& db) {
    return only(only(db.documents).encaissements).amount;
}

const std::map<std::string, Expectation>& expectations() {
    const QString kAmount = u"documents[0].encaissements[0].amount — "_s;
    static const std::map<std::string, Expectation> table = {
        // A small but complete session; the others are variations of it.
        {"reference-session.cdb", read([](const AppDatabase& db) {
             EXPECT_EQ(db.sessionName, u"Atelier"_s);
             EXPECT_EQ(db.sessionID, QUuid(u"6B7C8D9E-0F1A-4B2C-9D3E-4F5A6B7C8D9E"_s));
             EXPECT_EQ(only(db.clients).firstName, u"Jeanne"_s);
             EXPECT_EQ(db.companySettings.ownerName, u"Léa Morel"_s);
             EXPECT_EQ(paidAmount(db), 120.5);
         })},

        // Not a session at all.
        {"empty.cdb", refused(u"le fichier est vide"_s)},
        {"whitespace-only.cdb", refused(u"le fichier est vide"_s)},
        {"png-header.cdb", refused(u"texte UTF-8 invalide"_s)},
        {"plain-text.cdb", refused(u"ce n'est pas un document JSON valide"_s)},
        {"utf16-le.cdb", refused(u"texte mal formé"_s)},
        // Strict JSON has no byte-order mark; the file is refused, not misread.
        // Some text editors add a byte-order mark; it is not part of the data.
        {"bom-prefixed.cdb",
         read([](const AppDatabase& db) { EXPECT_FALSE(db.clients.isEmpty()); })},
        {"comment.cdb", refused(u"ce n'est pas un document JSON valide"_s)},
        {"root-array.cdb", refused(u"racine — objet attendu"_s)},
        {"root-string.cdb", refused(u"racine — objet attendu"_s)},
        {"root-null.cdb", refused(u"racine — objet attendu"_s)},
        {"root-number.cdb", refused(u"racine — objet attendu"_s)},
        {"two-documents.cdb", refused(u"ce n'est pas un document JSON valide"_s)},

        // Damaged JSON.
        {"truncated-mid-document.cdb",
         refused(u"fichier tronqué (le document s'arrête avant sa fin)"_s)},
        {"truncated-inside-string.cdb", refused(u"texte non terminé"_s)},
        {"trailing-comma.cdb", refused(u"ce n'est pas un document JSON valide"_s)},
        {"invalid-utf8-in-name.cdb", refused(u"texte UTF-8 invalide"_s)},
        {"overlong-utf8-in-notes.cdb", refused(u"texte UTF-8 invalide"_s)},
        {"lone-surrogate-escape.cdb", refusedButPreviewed(u"sessionName — texte mal formé"_s)},
        {"control-char-in-string.cdb", refused(u"texte mal formé"_s)},
        {"nul-raw-in-string.cdb", refused(u"texte mal formé"_s)},
        {"nul-after-document.cdb", refused(u"ce n'est pas un document JSON valide"_s)},
        {"nul-escaped-in-string.cdb", read([](const AppDatabase& db) {
             const QChar nul(0);
             EXPECT_EQ(db.sessionName, u"Ate"_s + nul + u"lier"_s);
         })},

        // Numbers: out of range is refused, underflow and negative zero are zero.
        {"amount-1e400.cdb", refusedButPreviewed(kAmount + u"nombre invalide ou hors limites"_s)},
        {"amount-minus-1e400.cdb",
         refusedButPreviewed(kAmount + u"nombre invalide ou hors limites"_s)},
        {"amount-leading-zero.cdb",
         refusedButPreviewed(kAmount + u"nombre invalide ou hors limites"_s)},
        {"amount-nan-literal.cdb", refusedButPreviewed(kAmount + u"JSON mal formé"_s)},
        {"amount-as-text.cdb", refusedButPreviewed(kAmount + u"nombre attendu"_s)},
        {"amount-minus-zero.cdb",
         read([](const AppDatabase& db) { EXPECT_EQ(paidAmount(db), 0.0); })},
        {"amount-1e-400.cdb", read([](const AppDatabase& db) { EXPECT_EQ(paidAmount(db), 0.0); })},
        {"due-days-huge.cdb", refusedButPreviewed(u"documents[0].dueDays — entier hors limites"_s)},
        {"due-days-1e20.cdb", refusedButPreviewed(u"documents[0].dueDays — entier hors limites"_s)},
        {"due-days-fraction.cdb",
         refusedButPreviewed(u"documents[0].dueDays — nombre entier attendu"_s)},
        {"due-days-as-float.cdb",
         read([](const AppDatabase& db) { EXPECT_EQ(only(db.documents).dueDays, 30); })},

        // Well-formed JSON that does not fit the records.
        {"missing-clients.cdb", refusedButPreviewed(u"clients — clé obligatoire absente"_s)},
        {"clients-is-object.cdb", refusedButPreviewed(u"clients — tableau attendu"_s)},
        {"clients-is-null.cdb", refusedButPreviewed(u"clients — tableau attendu"_s)},
        {"date-with-fraction.cdb",
         refusedButPreviewed(u"documents[0].issueDate — date invalide « 2025-05-02T08:00:00.250Z » "
                             "(format AAAA-MM-JJThh:mm:ssZ attendu)"_s)},
        {"date-impossible.cdb",
         refusedButPreviewed(u"documents[0].issueDate — date invalide « 2025-02-30T08:00:00Z » "
                             "(format AAAA-MM-JJThh:mm:ssZ attendu)"_s)},
        {"unknown-enum-case.cdb",
         refusedButPreviewed(u"documents[0].kind — valeur inconnue « facture »"_s)},
        {"bad-uuid.cdb",
         refusedButPreviewed(
             u"documents[0].id — identifiant invalide « 1C2D3E4F5A6B4C7D8E9F0A1B2C3D4E5F »"_s)},
        {"bad-base64-media.cdb",
         refusedButPreviewed(u"embeddedMedia[\"logo.png\"] — données Base64 invalides"_s)},
        {"preferences-without-password.cdb",
         {std::nullopt, refusal(u"preferences.appPassword — clé obligatoire absente"_s),
          [](const AppDatabase& db) { EXPECT_EQ(db.preferences.appPassword, QString()); }}},

        // Odd but valid.
        {"duplicate-keys.cdb", read([](const AppDatabase& db) {
             // The first of two equal keys wins.
             EXPECT_EQ(db.sessionName, u"Premier"_s);
         })},
        // Which of two far-apart equal keys wins is not settled; the file must
        // read with one of them and write back whole.
        {"duplicate-keys-apart.cdb", read([](const AppDatabase& db) {
             ASSERT_TRUE(db.sessionName.has_value());
             EXPECT_TRUE(*db.sessionName == u"Premier"_s || *db.sessionName == u"Second"_s)
                 << db.sessionName->toStdString();
         })},
        {"unknown-keys-everywhere.cdb",
         read([](const AppDatabase& db) { EXPECT_EQ(db, referenceSession()); })},
        {"deep-unknown-key-500.cdb",
         read([](const AppDatabase& db) { EXPECT_EQ(db, referenceSession()); })},
        {"deep-unknown-key-2000.cdb", refusedButPreviewed(u"extra — imbrication trop profonde"_s)},
        {"legacy-linked-project.cdb", read([](const AppDatabase& db) {
             EXPECT_EQ(only(db.documents).linkedProjectIDs,
                       QList<QUuid>{QUuid(u"7C8D9E0F-1A2B-4C3D-8E4F-5A6B7C8D9E0F"_s)});
         })},
        {"good-media.cdb", read([](const AppDatabase& db) {
             ASSERT_EQ(db.embeddedMedia.size(), 2);
             EXPECT_EQ(db.embeddedMedia.value(u"logo.png"_s).decoded(),
                       QByteArray("\x89PNG\r\n\x1a\n"));
             EXPECT_TRUE(db.embeddedMedia.contains(u"vide.bin"_s));
             EXPECT_EQ(db.embeddedMedia.value(u"vide.bin"_s).decodedSize(), 0);
         })},
    };
    return table;
}

std::vector<std::string> hostileFiles() {
    std::vector<std::string> names;
    const QStringList entries = QDir(kHostileDir).entryList(QDir::Files, QDir::Name);
    for (const QString& name : entries)
        names.push_back(name.toStdString());
    return names;
}

std::string caseName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

// A session that reads must survive being written and read again, in both
// formats, with nothing lost and nothing unknown carried along.
void expectRoundTrip(const AppDatabase& db) {
    for (const SessionFormat format : {SessionFormat::Compact, SessionFormat::PrettySorted}) {
        const QByteArray written = encodeSession(db, format);
        const auto again = decodeSession(written, testClock());
        ASSERT_TRUE(again.ok()) << toStd(again.error());
        EXPECT_EQ(again.value(), db);
        EXPECT_FALSE(written.contains("surnom"));
        EXPECT_FALSE(written.contains("\"linkedProjectID\""));
    }
}

class HostileFile : public testing::TestWithParam<std::string> {};

TEST_P(HostileFile, IsReadOrRefusedAsTheTableSays) {
    const std::string& name = GetParam();
    const auto it = expectations().find(name);
    ASSERT_NE(it, expectations().end())
        << name << " has no expectation: add it to the table of HostileFilesTest.cpp";
    const Expectation& expected = it->second;

    const auto bytes =
        readSessionBytes(kHostileDir + QLatin1Char('/') + QString::fromStdString(name));
    ASSERT_TRUE(bytes.ok()) << toStd(bytes.error());
    // readSessionBytes leaves room for in-place parsing; a plain copy has none
    // and takes the decoder's copying road. Both must agree.
    const QByteArray tight(bytes.value().constData(), bytes.value().size());

    for (const QByteArray& input : {bytes.value(), tight}) {
        const auto db = decodeSession(input, testClock());
        if (expected.sessionRefusal) {
            EXPECT_FALSE(db.ok()) << name << " was read";
            EXPECT_EQ(db.error(), *expected.sessionRefusal);
        } else {
            ASSERT_TRUE(db.ok()) << toStd(db.error());
            expected.check(db.value());
            expectRoundTrip(db.value());
        }

        const auto preview = decodePreview(input);
        if (expected.previewRefusal) {
            EXPECT_FALSE(preview.ok()) << name << " was previewed";
            EXPECT_EQ(preview.error(), *expected.previewRefusal);
        } else {
            ASSERT_TRUE(preview.ok()) << toStd(preview.error());
            EXPECT_FALSE(preview->isProtected());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileFile, testing::ValuesIn(hostileFiles()), caseName);

TEST(HostileFileTable, NamesOnlyFilesOfTheCorpus) {
    const std::vector<std::string> files = hostileFiles();
    for (const auto& [name, expectation] : expectations())
        EXPECT_NE(std::find(files.begin(), files.end(), name), files.end())
            << name << " is in the table but not in tests/data/hostile/";
}

// Files too large to keep in the repository are made from the reference
// session at run time, and read from disk as the application reads them.
class LargeHostileFile : public testing::Test {
protected:
    // The reference session (or bytes) with `from` replaced once by `to`.
    static QByteArray referenceWith(const QByteArray& from, const QByteArray& to,
                                    QByteArray bytes = QByteArray()) {
        QFile file(kHostileDir + u"/reference-session.cdb"_s);
        if (bytes.isEmpty() && file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        const qsizetype at = bytes.indexOf(from);
        EXPECT_GE(at, 0) << from.constData();
        return bytes.replace(at, from.size(), to);
    }

    Result<AppDatabase> decodeWritten(const QByteArray& bytes) {
        const QString path = m_dir.filePath(u"large.cdb"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            return Result<AppDatabase>::failure(u"cannot write "_s + path);
        file.close();
        return decodeFile(path);
    }

    QTemporaryDir m_dir;
};

QByteArray tenMegabytesOfMedia() {
    QByteArray media(10 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < media.size(); ++i)
        media[i] = char((i * 7919) >> 3);
    return media;
}

TEST_F(LargeHostileFile, AreRefusedWithTheirPlace) {
    const QByteArray nested = QByteArray(100'000, '[') + QByteArray(100'000, ']');
    QByteArray badMedia = tenMegabytesOfMedia().toBase64();
    badMedia[badMedia.size() - 5] = '*';
    const std::pair<QByteArray, QString> cases[] = {
        {nested, "racine — objet attendu"},
        {referenceWith("\"projects\":[]", "\"projects\":" + nested),
         "projects — imbrication trop profonde"},
        {referenceWith("\"sessionName\"", "\"plusTard\":" + nested + ",\"sessionName\""),
         "plusTard — imbrication trop profonde"},
        // One bad byte at the end of ten megabytes of text or media.
        {referenceWith("\"notes\":\"\"",
                       "\"notes\":\"" + QByteArray(10 * 1024 * 1024, 'a') + "\xff\""),
         "texte UTF-8 invalide"},
        {referenceWith("\"sessionName\"",
                       "\"embeddedMedia\":{\"plan.bin\":\"" + badMedia + "\"},\"sessionName\""),
         "embeddedMedia[\"plan.bin\"] — données Base64 invalides"},
    };
    for (const auto& [bytes, reason] : cases) {
        const auto db = decodeWritten(bytes);
        EXPECT_FALSE(db.ok());
        EXPECT_EQ(db.error(), refusal(reason));
    }
    EXPECT_FALSE(decodePreview(nested).ok());
}

TEST_F(LargeHostileFile, TenMegabyteTextAndMediaAreReadWholeAndWrittenBack) {
    // Accents, escaped quotes and line breaks all along, not only at the start.
    const QString piece = u"Réunion « chantier » \"n°7\"\nà 9 h\t— ok. "_s;
    const QByteArray escapedPiece = "Réunion « chantier » \\\"n°7\\\"\\nà 9 h\\t— ok. ";
    const int repeats = 10 * 1024 * 1024 / int(escapedPiece.size()) + 1;
    const QByteArray media = tenMegabytesOfMedia();
    const QByteArray bytes = referenceWith(
        "\"sessionName\"",
        "\"embeddedMedia\":{\"plan.bin\":\"" + media.toBase64() + "\"},\"sessionName\"",
        referenceWith("\"notes\":\"\"", "\"notes\":\"" + escapedPiece.repeated(repeats) + '"'));
    const auto db = decodeWritten(bytes);
    ASSERT_TRUE(db.ok()) << toStd(db.error());
    const QString notes = only(db->clients).notes;
    EXPECT_EQ(notes.size(), piece.size() * repeats);
    EXPECT_EQ(notes, piece.repeated(repeats));
    ASSERT_EQ(db->embeddedMedia.size(), 1);
    EXPECT_EQ(db->embeddedMedia.first().decodedSize(), media.size());
    EXPECT_EQ(db->embeddedMedia.first().decoded(), media);
    expectRoundTrip(db.value());
}

} // namespace
