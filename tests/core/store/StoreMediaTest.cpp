#include "core/model/NewSession.h"
#include "support/SessionChange.h"
#include "support/StoreFixture.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using velmora::test::FaultyFileSystem;
using velmora::test::StoreFixture;

namespace {

class StoreMedia : public StoreFixture {
protected:
    // A session written elsewhere: its records name files of another machine.
    AppDatabase sessionWithPhoto(const QString& key, const QByteArray& bytes) {
        AppDatabase db = newSessionContents();
        ClientItem c;
        c.id = QUuid::createUuid();
        c.lastName = u"Photo"_s;
        c.photoURL = QUrl::fromLocalFile(u"/Users/autre/Media/"_s + key);
        db.clients = {c};
        db.embeddedMedia.insert(key, Base64Data::fromBytes(bytes));
        return db;
    }
    // Where the media of that session are extracted.
    QString mediaOf(const AppDatabase& db, const QString& name) const {
        return root() + u"/Sessions/"_s + db.sessionID->toString(QUuid::WithoutBraces).toUpper() +
               u"/Media/"_s + name;
    }
    QString media(const AppDataStore& store, const QString& name) const {
        return store.mediaFolder() + QLatin1Char('/') + name;
    }
};

TEST_F(StoreMedia, LoadingExtractsMediaAndPointsRecordsAtThem) {
    const AppDatabase db = sessionWithPhoto(u"portrait.png"_s, "PNGDATA");
    writeSession(workingCopy(), db);
    auto store = startStore();
    const QString expected = mediaOf(db, u"portrait.png"_s);
    EXPECT_EQ(store->mediaFolder() + u"/portrait.png"_s, expected);
    EXPECT_EQ(readBytes(expected), QByteArray("PNGDATA"));
    EXPECT_EQ(store->clients().first().photoURL, QUrl::fromLocalFile(expected));
    EXPECT_TRUE(store->media().cache().contains(u"portrait.png"_s));

    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(readSession(workingCopy()).embeddedMedia, db.embeddedMedia);
}

TEST_F(StoreMedia, AnExistingFileIsKept) {
    const AppDatabase db = sessionWithPhoto(u"portrait.png"_s, "FROMFILE");
    const QString target = mediaOf(db, u"portrait.png"_s);
    writeBytes(target, "ALREADYHERE");
    writeSession(workingCopy(), db);
    startStore();
    EXPECT_EQ(readBytes(target), QByteArray("ALREADYHERE"));
}

TEST_F(StoreMedia, KeysThatCouldEscapeTheMediaFolderAreNeverWritten) {
    AppDatabase db = sessionWithPhoto(u"ok.png"_s, "OK");
    for (const char* key : {"../evil.txt", "../../Velmora Core/database.cdb", "/tmp/abs.txt",
                            "a\\b.txt", "", "sub/../../x.txt", "./x.txt"})
        db.embeddedMedia.insert(QString::fromLatin1(key), Base64Data::fromBytes("EVIL"));
    writeSession(workingCopy(), db);
    const QByteArray workingBefore = readBytes(workingCopy());

    auto store = startStore();
    EXPECT_EQ(store->clients(), QList<ClientItem>{store->clients().first()});
    EXPECT_EQ(store->clients().first().lastName, u"Photo"_s);
    EXPECT_FALSE(QFile::exists(path(u"evil.txt"_s)));
    EXPECT_FALSE(QFile::exists(u"/tmp/abs.txt"_s) && readBytes(u"/tmp/abs.txt"_s) == "EVIL");
    const QString sessionFolder = store->mediaFolder().section(QLatin1Char('/'), 0, -2);
    EXPECT_FALSE(QFile::exists(sessionFolder + u"/evil.txt"_s));
    EXPECT_FALSE(QFile::exists(sessionFolder + u"/x.txt"_s));
    EXPECT_EQ(readBytes(workingCopy()), workingBefore) << "the working copy was not replaced";
    EXPECT_EQ(readBytes(media(*store, u"ok.png"_s)), QByteArray("OK"));
    EXPECT_EQ(store->media().cache().size(), 1);
}

TEST_F(StoreMedia, UnreferencedMediaAreDroppedOnTheNextSave) {
    writeSession(workingCopy(), sessionWithPhoto(u"portrait.png"_s, "PNGDATA"));
    auto store = startStore();
    test::changeSession(*store, [](SessionEdit& e) { e.clients().first().photoURL.reset(); });
    EXPECT_TRUE(readSession(workingCopy()).embeddedMedia.isEmpty());
    EXPECT_TRUE(store->media().cache().isEmpty());
}

TEST_F(StoreMedia, ImportingTheSamePictureTwiceGivesTwoFiles) {
    auto store = startStore();
    writeBytes(path(u"photo.jpg"_s), "JPEG");
    const QUrl source = QUrl::fromLocalFile(path(u"photo.jpg"_s));
    QString name;
    test::changeSession(*store, [&](SessionEdit& e) {
        const Result<QUrl> first = e.importMedia(source, false, u"client"_s);
        const Result<QUrl> second = e.importMedia(source, false, u"client"_s);
        ASSERT_TRUE(first && second);
        EXPECT_NE(first.value(), second.value());
        name = QFileInfo(first->toLocalFile()).fileName();
        EXPECT_TRUE(name.startsWith(u"client_"_s));
        EXPECT_TRUE(name.endsWith(u".jpg"_s));
        EXPECT_EQ(name.size(), u"client_"_s.size() + 36 + 4);
        EXPECT_EQ(readBytes(second->toLocalFile()), QByteArray("JPEG"));
        ClientItem client;
        client.id = QUuid::createUuid();
        client.photoURL = first.value();
        e.clients() = {client};
    });
    EXPECT_EQ(readSession(workingCopy()).embeddedMedia.keys(), QStringList{name});
}

TEST_F(StoreMedia, ImportKeepingTheNameReplacesTheFileAndReleasingRemovesItOnceSaved) {
    auto store = startStore();
    writeBytes(path(u"a/logo.png"_s), "ONE");
    writeBytes(path(u"b/logo.png"_s), "TWO");
    QUrl url;
    test::changeSession(*store, [&](SessionEdit& e) {
        ASSERT_TRUE(e.importMedia(QUrl::fromLocalFile(path(u"a/logo.png"_s)), true));
        url = e.importMedia(QUrl::fromLocalFile(path(u"b/logo.png"_s)), true).value();
        e.preferences().invoiceLogoURL = url;
    });
    EXPECT_EQ(QFileInfo(url.toLocalFile()).fileName(), u"logo.png"_s);
    EXPECT_EQ(readBytes(url.toLocalFile()), QByteArray("TWO"));
    EXPECT_EQ(store->media().cache().value(u"logo.png"_s).decoded(), QByteArray("TWO"));

    const auto release = [&] {
        return store->edit([&](SessionEdit& e) {
            e.releaseMedia(url);
            e.preferences().invoiceLogoURL.reset();
            return Result<>();
        });
    };
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(release().kind(), ResultKind::notSaved);
    EXPECT_TRUE(QFile::exists(url.toLocalFile())) << "the saved session still names it";
    m_fs.heal();
    ASSERT_TRUE(release().ok());
    EXPECT_FALSE(QFile::exists(url.toLocalFile()));
    EXPECT_TRUE(store->media().cache().isEmpty());
}

TEST_F(StoreMedia, WhatAnEditStagedGoesWhenItFailsOrIsNotSaved) {
    auto store = startStore();
    writeBytes(path(u"scan.pdf"_s), "PDF");
    const QUrl source = QUrl::fromLocalFile(path(u"scan.pdf"_s));
    const auto staging = [&](Result<> outcome) {
        QUrl copy;
        const Result<> r = store->edit([&](SessionEdit& e) {
            copy = e.importMedia(source, false, u"document"_s).value();
            e.preferences().invoiceLogoURL = copy;
            return outcome;
        });
        EXPECT_FALSE(QFile::exists(copy.toLocalFile())) << copy.toString().toStdString();
        EXPECT_TRUE(store->media().cache().isEmpty());
        return r.kind();
    };
    EXPECT_EQ(staging(Result<>::invalid(u"Refusé."_s)), ResultKind::invalid);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(staging(Result<>()), ResultKind::notSaved);
    m_fs.heal();

    const Result<> missing = store->edit([&](SessionEdit& e) {
        return Result<>(e.importMedia(QUrl::fromLocalFile(path(u"absent.png"_s)), false, u"x"_s));
    });
    EXPECT_EQ(missing.kind(), ResultKind::failed);
    EXPECT_FALSE(missing.error().isEmpty()) << "a failed import says why";
}

// A file named by a record is read only from a folder of ours: a session
// received from anyone must not pull the user's other files into itself.
TEST_F(StoreMedia, OnlyFilesOfOurOwnFoldersAreBroughtIn) {
    writeBytes(path(u"Bureau/secret.txt"_s), "SECRET");
    QDir().mkpath(root() + u"/Sessions/AUTRE/Media"_s);
    QFile::link(path(u"Bureau/secret.txt"_s), root() + u"/Sessions/AUTRE/Media/lien.txt"_s);
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
    EXPECT_EQ(saved.embeddedMedia.keys(), (QStringList{u"devis.pdf"_s, u"facture.pdf"_s}));
}

TEST_F(StoreMedia, TheBackupFolderIsNotAMediaFile) {
    QDir().mkpath(path(u"Sauvegardes"_s));
    AppDatabase db = newSessionContents();
    db.storagePreferences.backupFolderURL = QUrl::fromLocalFile(path(u"Sauvegardes"_s));
    writeSession(workingCopy(), db);
    auto store = startStore();
    EXPECT_EQ(store->storagePreferences().backupFolderURL, db.storagePreferences.backupFolderURL);
}

} // namespace
