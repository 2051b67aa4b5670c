// Writing a session and reading it back loses nothing but sub-second parts.

#include "SessionGenerator.h"
#include "core/model/NewSession.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"
#include "support/SessionDiff.h"
#include "support/SessionJson.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

using namespace test;

constexpr SessionFormat kFormats[] = {SessionFormat::Compact, SessionFormat::PrettySorted};

AppDatabase roundTrip(const AppDatabase& db, SessionFormat format) {
    return decodeOk(encodeSession(db, format));
}

TEST(RoundTripTest, GeneratedAndNewSessionsInBothFormats) {
    for (quint32 seed : {1u, 2u, 42u}) {
        const AppDatabase db =
            bench::generateSession(bench::smallSize(), seed, u"/Sauvegardes « Velmora »"_s);
        ASSERT_FALSE(db.documents.isEmpty());
        ASSERT_FALSE(db.embeddedMedia.isEmpty());
        for (SessionFormat format : kFormats) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", format " << int(format));
            const QByteArray bytes = encodeSession(db, format);
            const AppDatabase read = decodeOk(bytes);
            EXPECT_EQ(differingKeys(read, db), QStringList());
            // A second write is byte for byte the first.
            EXPECT_EQ(encodeSession(read, format), bytes);
        }
    }
    const AppDatabase fresh = newSessionContents();
    for (SessionFormat format : kFormats)
        EXPECT_EQ(differingKeys(roundTrip(fresh, format), fresh), QStringList());
}

TEST(RoundTripTest, DatesKeepWholeSecondsOnly) {
    AppDatabase db = newSessionContents();
    CommercialDocumentItem doc;
    doc.id = uuid(1);
    doc.issueDate = utc(2025, 3, 1, 10, 20, 30, 999);
    doc.validityDate = utc(2025, 3, 31, 23, 59, 59, 1);
    doc.encaissements.append({uuid(2), 1, utc(2024, 2, 29, 12, 0, 0, 500), u"CB"_s, false,
                              utc(2024, 2, 29, 12, 0, 1, 250), false});
    db.documents.append(doc);
    db.preferences.calendarLastSyncDate = utc(2025, 12, 31, 23, 59, 59, 999);

    for (SessionFormat format : kFormats) {
        const AppDatabase read = roundTrip(db, format);
        ASSERT_EQ(read.documents.size(), 1);
        EXPECT_EQ(read.documents[0].issueDate, utc(2025, 3, 1, 10, 20, 30));
        EXPECT_EQ(read.documents[0].validityDate, utc(2025, 3, 31, 23, 59, 59));
        ASSERT_EQ(read.documents[0].encaissements.size(), 1);
        EXPECT_EQ(read.documents[0].encaissements[0].date, utc(2024, 2, 29, 12));
        EXPECT_EQ(read.documents[0].encaissements[0].createdAt, utc(2024, 2, 29, 12, 0, 1));
        EXPECT_EQ(read.preferences.calendarLastSyncDate, utc(2025, 12, 31, 23, 59, 59));
        EXPECT_EQ(read.documents[0].issueDate.timeSpec(), Qt::UTC);
    }
}

TEST(RoundTripTest, MediaOutlivesTheBytesItWasReadFrom) {
    AppDatabase db = newSessionContents();
    const QByteArray photo(100 * 1024, 'k');
    db.embeddedMedia.insert(u"photo.jpg"_s, Base64Data::fromBytes(photo));
    db.sessionProfilePhotoData = Base64Data::fromBytes("profil");
    // With and without the spare bytes that let the decoder read in place.
    for (qsizetype spare : {qsizetype(0), kDecodePadding}) {
        AppDatabase read;
        {
            QByteArray bytes = encodeSession(db, SessionFormat::Compact);
            bytes.reserve(bytes.size() + spare);
            read = decodeOk(bytes);
            // The caller reuses its buffer once the session is read.
            bytes.fill('#');
        }
        EXPECT_EQ(read.embeddedMedia.value(u"photo.jpg"_s).decoded(), photo) << spare;
        ASSERT_TRUE(read.sessionProfilePhotoData.has_value());
        EXPECT_EQ(read.sessionProfilePhotoData->decoded(), QByteArray("profil"));
        EXPECT_EQ(read, db);
    }
}

// Values at the edges of what a file holds: text that needs escaping, local
// and web addresses, every byte value, odd media keys, extreme numbers.
TEST(RoundTripTest, EdgeValues) {
    AppDatabase db = newSessionContents();
    ClientItem client;
    client.id = uuid(1);
    client.kind = ClientKind::professionnel;
    client.company = u"L'Atelier « Zoé » & Cie 😀"_s;
    client.notes =
        QString::fromUtf16(u"ligne 1\nligne 2\r\n\ttab \"cité\" \\ \u0000 \u2028 \u001f");
    const QString photo = u"/tmp/Médias de session/photo 1#2.png"_s;
    client.photoURL = QUrl::fromLocalFile(photo);
    db.clients.append(client);
    ProjectItem project;
    project.id = uuid(2);
    project.photoURL = QUrl(u"https://exemple.fr/a%20b?q=é&r=1#frag"_s);
    project.preCancelStatus = QString();
    db.projects.append(project);
    db.companySettings.customPaymentMethodIcons.insert(u"Espèces \"cash\""_s, u"banknote"_s);

    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte.append(char(i));
    db.sessionProfilePhotoData = Base64Data::fromBytes(everyByte);
    // Each key gets its own content: n bytes of value n.
    int n = 0;
    for (const QString& key :
         {u"photo été « 1 ».jpg"_s, u"guillemets \"doubles\" et \\barre"_s, u"tab\tligne\nfin"_s,
          u"文件.pdf"_s, u"😀.png"_s, QString(), u"vide.bin"_s}) {
        ++n;
        db.embeddedMedia.insert(key, Base64Data::fromBytes(QByteArray(n == 7 ? 0 : n, char(n))));
    }

    db.stockSettings.lowStockThreshold = std::numeric_limits<qint64>::max();
    db.stockSettings.outOfStockThreshold = std::numeric_limits<qint64>::min();
    db.urssafSettings.microRateServices = 1e-300;
    db.urssafSettings.bncRate = -123456789.125;
    db.urssafSettings.cfpRate = 4.9406564584124654e-324;
    StockItem item;
    item.id = uuid(3);
    item.quantity = -1;
    db.stockItems.append(item);

    for (SessionFormat format : kFormats) {
        const AppDatabase read = roundTrip(db, format);
        EXPECT_EQ(differingKeys(read, db), QStringList());
        ASSERT_EQ(read.clients.size(), 1);
        EXPECT_EQ(read.clients[0].photoURL->toLocalFile(), photo);
        ASSERT_TRUE(read.sessionProfilePhotoData.has_value());
        EXPECT_EQ(read.sessionProfilePhotoData->decoded(), everyByte);
        EXPECT_EQ(read.embeddedMedia.value(u"tab\tligne\nfin"_s).decoded(), QByteArray(3, char(3)));
        EXPECT_TRUE(read.embeddedMedia.value(u"vide.bin"_s).decoded().isEmpty());
    }
}

} // namespace
} // namespace velmora
