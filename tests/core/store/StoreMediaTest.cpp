#include "core/model/NewSession.h"
#include "support/StoreFixture.h"

using namespace velmora;
using velmora::test::StoreFixture;

namespace {

class StoreMedia : public StoreFixture {
protected:
    // A session written elsewhere: its records name files of another machine.
    AppDatabase sessionWithPhoto(const QString& key, const QByteArray& bytes) {
        AppDatabase db = newSessionContents();
        ClientItem c;
        c.id = QUuid::createUuid();
        c.lastName = QStringLiteral("Photo");
        c.photoURL = QUrl::fromLocalFile(QStringLiteral("/Users/autre/Media/") + key);
        db.clients = {c};
        db.embeddedMedia.insert(key, Base64Data::fromBytes(bytes));
        return db;
    }
    QString media(const AppDataStore& store, const QString& name) const {
        return store.mediaFolder() + QLatin1Char('/') + name;
    }
};

TEST_F(StoreMedia, LoadingExtractsMediaAndPointsRecordsAtThem) {
    const AppDatabase db = sessionWithPhoto(QStringLiteral("portrait.png"), "PNGDATA");
    writeSession(workingCopy(), db);
    auto store = startStore();
    const QString expected = root() + QStringLiteral("/Sessions/") +
                             db.sessionID->toString(QUuid::WithoutBraces).toUpper() +
                             QStringLiteral("/Media/portrait.png");
    EXPECT_EQ(store->mediaFolder() + QStringLiteral("/portrait.png"), expected);
    EXPECT_EQ(readBytes(expected), QByteArray("PNGDATA"));
    EXPECT_EQ(store->clients().first().photoURL, QUrl::fromLocalFile(expected));
    EXPECT_TRUE(store->embeddedMediaCache().contains(QStringLiteral("portrait.png")));

    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(readSession(workingCopy()).embeddedMedia, db.embeddedMedia);
}

TEST_F(StoreMedia, AnExistingFileIsKept) {
    const AppDatabase db = sessionWithPhoto(QStringLiteral("portrait.png"), "FROMFILE");
    const QString target = root() + QStringLiteral("/Sessions/") +
                           db.sessionID->toString(QUuid::WithoutBraces).toUpper() +
                           QStringLiteral("/Media/portrait.png");
    writeBytes(target, "ALREADYHERE");
    writeSession(workingCopy(), db);
    startStore();
    EXPECT_EQ(readBytes(target), QByteArray("ALREADYHERE"));
}

TEST_F(StoreMedia, KeysThatCouldEscapeTheMediaFolderAreNeverWritten) {
    AppDatabase db = sessionWithPhoto(QStringLiteral("ok.png"), "OK");
    for (const char* key : {"../evil.txt", "../../Velmora Core/database.cdb", "/tmp/abs.txt",
                            "a\\b.txt", "", "sub/../../x.txt", "./x.txt"})
        db.embeddedMedia.insert(QString::fromLatin1(key), Base64Data::fromBytes("EVIL"));
    writeSession(workingCopy(), db);
    const QByteArray workingBefore = readBytes(workingCopy());

    auto store = startStore();
    EXPECT_EQ(store->clients(), QList<ClientItem>{store->clients().first()});
    EXPECT_EQ(store->clients().first().lastName, QStringLiteral("Photo"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("evil.txt"))));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/abs.txt")) &&
                 readBytes(QStringLiteral("/tmp/abs.txt")) == "EVIL");
    const QString sessionFolder = store->mediaFolder().section(QLatin1Char('/'), 0, -2);
    EXPECT_FALSE(QFile::exists(sessionFolder + QStringLiteral("/evil.txt")));
    EXPECT_FALSE(QFile::exists(sessionFolder + QStringLiteral("/x.txt")));
    EXPECT_EQ(readBytes(workingCopy()), workingBefore) << "the working copy was not replaced";
    EXPECT_EQ(readBytes(media(*store, QStringLiteral("ok.png"))), QByteArray("OK"));
    EXPECT_EQ(store->embeddedMediaCache().size(), 1);
}

TEST_F(StoreMedia, UnreferencedMediaAreDroppedOnTheNextSave) {
    writeSession(workingCopy(), sessionWithPhoto(QStringLiteral("portrait.png"), "PNGDATA"));
    auto store = startStore();
    QList<ClientItem> clients = store->clients();
    clients.first().photoURL.reset();
    store->setClients(clients);
    ASSERT_TRUE(store->save().ok());
    EXPECT_TRUE(readSession(workingCopy()).embeddedMedia.isEmpty());
    EXPECT_TRUE(store->embeddedMediaCache().isEmpty());
}

TEST_F(StoreMedia, ImportingTheSamePictureTwiceGivesTwoFiles) {
    auto store = startStore();
    writeBytes(path(QStringLiteral("photo.jpg")), "JPEG");
    const QUrl source = QUrl::fromLocalFile(path(QStringLiteral("photo.jpg")));
    const auto first = store->importMediaFile(source, false, QStringLiteral("client"));
    const auto second = store->importMediaFile(source, false, QStringLiteral("client"));
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    const QString name = QFileInfo(first->toLocalFile()).fileName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("client_")));
    EXPECT_TRUE(name.endsWith(QStringLiteral(".jpg")));
    EXPECT_EQ(name.size(), QStringLiteral("client_").size() + 36 + 4);
    EXPECT_EQ(readBytes(second->toLocalFile()), QByteArray("JPEG"));

    QList<ClientItem> clients{ClientItem{}};
    clients.first().id = QUuid::createUuid();
    clients.first().photoURL = *first;
    store->setClients(clients);
    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(readSession(workingCopy()).embeddedMedia.keys(), QStringList{name});
}

TEST_F(StoreMedia, ImportKeepingTheNameReplacesTheFile) {
    auto store = startStore();
    writeBytes(path(QStringLiteral("a/logo.png")), "ONE");
    writeBytes(path(QStringLiteral("b/logo.png")), "TWO");
    store->importMediaFile(QUrl::fromLocalFile(path(QStringLiteral("a/logo.png"))), true);
    const auto url =
        store->importMediaFile(QUrl::fromLocalFile(path(QStringLiteral("b/logo.png"))), true);
    ASSERT_TRUE(url);
    EXPECT_EQ(QFileInfo(url->toLocalFile()).fileName(), QStringLiteral("logo.png"));
    EXPECT_EQ(readBytes(url->toLocalFile()), QByteArray("TWO"));
    EXPECT_EQ(store->embeddedMediaCache().value(QStringLiteral("logo.png")).decoded(),
              QByteArray("TWO"));
}

TEST_F(StoreMedia, AFailedImportReturnsNothing) {
    auto store = startStore();
    EXPECT_FALSE(store->importMediaFile(QUrl::fromLocalFile(path(QStringLiteral("absent.png"))),
                                        false, QStringLiteral("x")));
}

TEST_F(StoreMedia, RemovingAMediaFileDeletesItAndForgetsIt) {
    auto store = startStore();
    writeBytes(path(QStringLiteral("photo.jpg")), "JPEG");
    const auto url =
        store->importMediaFile(QUrl::fromLocalFile(path(QStringLiteral("photo.jpg"))), true);
    ASSERT_TRUE(url);
    store->removeMediaFile(*url);
    EXPECT_FALSE(QFile::exists(url->toLocalFile()));
    EXPECT_TRUE(store->embeddedMediaCache().isEmpty());
}

// A file named by a record is read only from a folder of ours: a session
// received from anyone must not pull the user's other files into itself.
TEST_F(StoreMedia, OnlyFilesOfOurOwnFoldersAreBroughtIn) {
    writeBytes(path(QStringLiteral("Bureau/secret.txt")), "SECRET");
    QDir().mkpath(root() + QStringLiteral("/Sessions/AUTRE/Media"));
    QFile::link(path(QStringLiteral("Bureau/secret.txt")),
                root() + QStringLiteral("/Sessions/AUTRE/Media/lien.txt"));
    const struct {
        const char* relative;
        bool broughtIn;
    } cases[] = {
        {"Velmora Core/Sessions/AUTRE/Media/devis.pdf", true},
        {"Velmora Manager/Sessions/ANCIEN/Media/facture.pdf", true},
        {"Bureau/secret.txt", false},
        {"Velmora Core/Sessions/AUTRE/Media/lien.txt", false},
        {"Velmora Core/database.cdb.txt", false},
    };
    AppDatabase db = newSessionContents();
    for (const auto& c : cases) {
        const QString file = path(QString::fromUtf8(c.relative));
        if (!QFileInfo(file).isSymLink())
            writeBytes(file, c.broughtIn ? QByteArray("PDF") : QByteArray("SECRET"));
        CommercialDocumentItem doc;
        doc.id = QUuid::createUuid();
        doc.importedPDFURL = QUrl::fromLocalFile(file);
        db.documents.append(doc);
    }
    writeSession(workingCopy(), db);

    auto store = startStore();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QUrl url = *store->documents()[qsizetype(i)].importedPDFURL;
        const QString name = QFileInfo(QString::fromUtf8(cases[i].relative)).fileName();
        EXPECT_EQ(url.toLocalFile(), cases[i].broughtIn
                                         ? media(*store, name)
                                         : path(QString::fromUtf8(cases[i].relative)))
            << cases[i].relative;
    }
    ASSERT_TRUE(store->save().ok());
    EXPECT_FALSE(readBytes(workingCopy()).contains(QByteArray("SECRET").toBase64()));
    const AppDatabase saved = readSession(workingCopy());
    EXPECT_EQ(saved.embeddedMedia.keys(),
              (QStringList{QStringLiteral("devis.pdf"), QStringLiteral("facture.pdf")}));
}

TEST_F(StoreMedia, TheBackupFolderIsNotAMediaFile) {
    QDir().mkpath(path(QStringLiteral("Sauvegardes")));
    AppDatabase db = newSessionContents();
    db.storagePreferences.backupFolderURL =
        QUrl::fromLocalFile(path(QStringLiteral("Sauvegardes")));
    writeSession(workingCopy(), db);
    auto store = startStore();
    EXPECT_EQ(store->storagePreferences().backupFolderURL, db.storagePreferences.backupFolderURL);
}

} // namespace
