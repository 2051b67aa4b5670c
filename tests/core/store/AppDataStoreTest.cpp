#include "core/activities/ProjectStatusSettings.h"
#include "core/model/NewSession.h"
#include "support/Mapped.h"
#include "support/SessionChange.h"
#include "support/StoreFixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using namespace Qt::StringLiterals;
using velmora::test::FaultyFileSystem;
using velmora::test::StoreFixture;

namespace {

ClientItem client(const QString& lastName, std::optional<QUrl> photo = std::nullopt) {
    ClientItem c;
    c.id = QUuid::createUuid();
    c.lastName = lastName;
    c.photoURL = std::move(photo);
    return c;
}

AppDatabase sessionWithClients(std::initializer_list<QString> names) {
    AppDatabase db = newSessionContents();
    for (const QString& name : names)
        db.clients.append(client(name));
    return db;
}

StoragePreferences alwaysBackUp(std::optional<QUrl> folder) {
    StoragePreferences storage;
    storage.backupAlwaysEnabled = true;
    storage.backupFolderURL = std::move(folder);
    return storage;
}

QStringList namesOf(const QList<TagItem>& tags) {
    return test::mapped(tags, &TagItem::name);
}

// A store started on an empty folder.
class StartedStore : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        store = startStore();
    }
    std::unique_ptr<AppDataStore> store;
};

class StartUp : public StoreFixture {
protected:
    // The user's file as the last session left it, by its path alone.
    void rememberPath(const QString& name) {
        m_defaults.remove(DefaultFileBookmark::bookmarkKey());
        m_defaults.setValue(DefaultFileBookmark::pathKey(),
                            QUrl::fromLocalFile(path(name)).toString());
    }
};

TEST_F(StartUp, WithNothingAnywhereSeedsDocumentStatusesAndWritesTheWorkingCopy) {
    auto store = startStore();
    EXPECT_EQ(namesOf(store->quoteStatuses()),
              (QStringList{u"Brouillon"_s, u"Envoyé"_s, u"Validé"_s, u"Refusé"_s}));
    EXPECT_EQ(namesOf(store->invoiceStatuses()),
              (QStringList{u"Brouillon"_s, u"Envoyé"_s, u"Payé"_s}));
    EXPECT_EQ(store->protectedQuoteStatusIDs().size(), 4);
    EXPECT_EQ(store->protectedInvoiceStatusIDs().size(), 3);

    const AppDatabase written = readSession(workingCopy());
    EXPECT_EQ(written.quoteStatuses, store->quoteStatuses());
    EXPECT_EQ(written.invoiceStatuses, store->invoiceStatuses());
    EXPECT_EQ(written.sessionID, store->sessionID());
    EXPECT_FALSE(QDir(root() + u"/Backups"_s).exists())
        << "a session just seeded needs no backup yet";
}

TEST_F(StartUp, LoadsTheWorkingCopyAndTakesTheDailyBackup) {
    const AppDatabase db = sessionWithClients({u"Martin"_s});
    writeSession(workingCopy(), db);
    auto store = startStore();
    EXPECT_EQ(store->clients(), db.clients);
    EXPECT_EQ(store->sessionID(), *db.sessionID);
    EXPECT_EQ(readBytes(root() + u"/Backups/database-2025-06-10.cdb"_s), readBytes(workingCopy()));
}

TEST_F(StartUp, ALegacyDatabaseJsonIsRenamedAndLoaded) {
    const AppDatabase db = sessionWithClients({u"Legacy"_s});
    writeSession(root() + u"/database.json"_s, db);
    auto store = startStore();
    EXPECT_EQ(store->clients(), db.clients);
    EXPECT_TRUE(QFile::exists(workingCopy()));
    EXPECT_FALSE(QFile::exists(root() + u"/database.json"_s));
}

TEST_F(StartUp, AnUnreadableWorkingCopyIsSetAsideBeforeAnySave) {
    writeBytes(workingCopy(), "{ pas du JSON");
    auto store = startStore();
    EXPECT_TRUE(store->clients().isEmpty());
    EXPECT_EQ(readBytes(workingCopy()), QByteArray("{ pas du JSON"));
    const QString aside = root() + u"/Backups/illisible-2025-06-10-database.cdb"_s;
    EXPECT_EQ(readBytes(aside), QByteArray("{ pas du JSON"));

    test::changeSession(*store, [](SessionEdit& e) { e.clients() = {client(u"Nouveau"_s)}; });
    EXPECT_EQ(readBytes(aside), QByteArray("{ pas du JSON")) << "the copy outlives the save";
    EXPECT_TRUE(QFile::exists(root() + u"/Backups/database-2025-06-10.cdb"_s));
}

// The user's file wins over the working copy while it can be read; a damaged
// one is set aside.
TEST_F(StartUp, TheUsersFileWinsOverTheWorkingCopyWhileItReads) {
    const AppDatabase mine = sessionWithClients({u"Path"_s});
    const AppDatabase working = sessionWithClients({u"Working"_s});
    writeSession(path(u"mine.cdb"_s), mine);
    writeSession(workingCopy(), working);
    writeBytes(path(u"Compta.cdb"_s), "{\"clients\": tronqué");
    rememberPath(u"mine.cdb"_s);
    EXPECT_EQ(startStore()->clients(), mine.clients);
    rememberPath(u"gone.cdb"_s);
    EXPECT_EQ(startStore()->clients(), working.clients);
    rememberPath(u"Compta.cdb"_s);
    EXPECT_EQ(startStore()->clients(), working.clients)
        << "a damaged user file never empties the session";
    EXPECT_EQ(readBytes(root() + u"/Backups/illisible-2025-06-10-Compta.cdb"_s),
              QByteArray("{\"clients\": tronqué"));
}

TEST_F(StartUp, TheDefaultFileComesFromTheBookmarkBeforeThePath) {
    const AppDatabase mine = sessionWithClients({u"Bookmark"_s});
    const AppDatabase other = sessionWithClients({u"Path"_s});
    writeSession(path(u"mine.cdb"_s), mine);
    writeSession(path(u"other.cdb"_s), other);
    rememberPath(u"other.cdb"_s);
    m_defaults.setValue(DefaultFileBookmark::bookmarkKey(), path(u"mine.cdb"_s).toUtf8());

    auto store = startStore();
    ASSERT_TRUE(store->defaultCDBFileURL().has_value());
    EXPECT_EQ(store->defaultCDBFileURL()->toLocalFile(), path(u"mine.cdb"_s));
    EXPECT_EQ(store->clients(), mine.clients);
    EXPECT_FALSE(QFile::exists(workingCopy()))
        << "start-up reads the user's file; nothing is written until a save";
}

using Saving = StartedStore;

TEST_F(Saving, WritesTheWorkingCopyTheMirrorAndTheBackupCopy) {
    const QUrl mine = QUrl::fromLocalFile(path(u"Compta.cdb"_s));
    store->setDefaultFile(mine);
    const Result<> saved = store->edit([&](SessionEdit& e) {
        e.storagePreferences() = alwaysBackUp(QUrl::fromLocalFile(path(u"Sauvegardes/Compta"_s)));
        e.clients() = {client(u"Durand"_s)};
        return Result<>();
    });
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    EXPECT_TRUE(saved.warning().isEmpty());
    const QByteArray bytes = readBytes(workingCopy());
    EXPECT_EQ(readBytes(mine.toLocalFile()), bytes);
    EXPECT_EQ(readBytes(path(u"Sauvegardes/Compta/database_backup.cdb"_s)), bytes);
    EXPECT_EQ(readSession(workingCopy()).clients, store->clients());
}

TEST_F(Saving, BackupAlwaysEnabledWithoutAFolderWritesNoCopyAndSucceeds) {
    EXPECT_TRUE(store
                    ->edit([](SessionEdit& e) {
                        e.storagePreferences() = alwaysBackUp(std::nullopt);
                        return Result<>();
                    })
                    .ok());
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), 2) << "seeding save, then this one";
}

TEST_F(Saving, AnUnreachableUserFileStillSavesAndWarns) {
    store->setDefaultFile(QUrl::fromLocalFile(path(u"absent/dossier/Compta.cdb"_s)));
    const Result<> saved = store->edit([](SessionEdit& e) {
        e.clients() = {client(u"Durand"_s)};
        return Result<>();
    });
    EXPECT_TRUE(saved.ok());
    EXPECT_TRUE(
        saved.warning().startsWith(u"Le fichier « Compta.cdb » n'a pas pu être mis à jour : "_s))
        << saved.warning().toStdString();
    EXPECT_EQ(readSession(workingCopy()).clients, store->clients());
}

// A save that cannot write the working copy, or the backup copy, fails with
// the system's error; a working copy that could not be written is as it was.
TEST_F(Saving, AFailedWriteFailsTheSaveWithTheSystemError) {
    const QByteArray before = readBytes(workingCopy());
    m_fs.failOn(FaultyFileSystem::Op::Write, u"No space left on device"_s);
    Result<> saved = store->edit([](SessionEdit& e) {
        e.clients() = {client(u"Durand"_s)};
        return Result<>();
    });
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(u"No space left on device"_s));
    EXPECT_EQ(readBytes(workingCopy()), before);

    m_fs.heal();
    m_fs.failOn(FaultyFileSystem::Op::CreateDirectories, u"Permission denied"_s);
    saved = store->edit([&](SessionEdit& e) {
        e.storagePreferences() = alwaysBackUp(QUrl::fromLocalFile(path(u"Sauvegardes"_s)));
        return Result<>();
    });
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(u"Permission denied"_s));
}

TEST_F(Saving, BackgroundSavesLandInOrderAndTheLastOneWins) {
    SessionStorage storage(m_fs, m_clock, StoreFolder::locate(m_dir.path()));
    AppDatabase db = store->session();
    int finished = 0;
    for (int i = 0; i < 20; ++i) {
        db.sessionName = u"État %1"_s.arg(i);
        storage.writeInBackground(db, std::nullopt, [&](const Result<>&) { ++finished; });
    }
    storage.waitForWriter();
    EXPECT_EQ(readSession(workingCopy()).sessionName, u"État 19"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return finished == 20; }, 2000));

    // A synchronous save after background ones is never overtaken by them.
    db.sessionName = u"Bg"_s;
    storage.writeInBackground(db, std::nullopt, [](const Result<>&) {});
    db.sessionName = u"Sync"_s;
    ASSERT_TRUE(storage.write(db, std::nullopt).ok());
    storage.waitForWriter();
    EXPECT_EQ(readSession(workingCopy()).sessionName, u"Sync"_s);
}

TEST_F(Saving, ReloadAppliesTheWorkingCopyOnTheCallingThread) {
    const AppDatabase other = sessionWithClients({u"Rechargé"_s});
    writeSession(workingCopy(), other);
    QSignalSpy done(store.get(), &AppDataStore::reloadFinished);
    QSignalSpy changed(store.get(), &AppDataStore::sessionChanged);
    store->reload();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(done.first().first().value<Result<>>().ok());
    EXPECT_EQ(store->clients(), other.clients);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_TRUE(changed.first().first().value<SessionFields>().contains(SessionField::clients));
}

using Sessions = StartedStore;

TEST_F(Sessions, OpenFileAppliesItMakesItTheDefaultAndSavesIt) {
    const AppDatabase chosen = sessionWithClients({u"Choisi"_s});
    const QUrl url = QUrl::fromLocalFile(path(u"Choisi.cdb"_s));
    writeSession(url.toLocalFile(), chosen);

    ASSERT_TRUE(store->openFile(url).ok());
    EXPECT_EQ(store->clients(), chosen.clients);
    EXPECT_EQ(store->defaultCDBFileURL(), url);
    EXPECT_EQ(m_defaults.value(DefaultFileBookmark::pathKey()).toString(), url.toString());
    EXPECT_FALSE(m_defaults.value(DefaultFileBookmark::bookmarkKey()).toByteArray().isEmpty());
    EXPECT_EQ(readSession(workingCopy()).clients, chosen.clients);
}

TEST_F(Sessions, AFileThatDoesNotDecodeChangesNothing) {
    test::changeSession(*store, [](SessionEdit& e) { e.clients() = {client(u"Actuel"_s)}; });
    const QList<ClientItem> before = store->clients();
    writeBytes(path(u"cassé.cdb"_s), "{\"projects\": 12}");
    const Result<> opened = store->openFile(QUrl::fromLocalFile(path(u"cassé.cdb"_s)));
    EXPECT_FALSE(opened.ok());
    EXPECT_TRUE(opened.error().startsWith(u"Fichier de session illisible : "_s));
    EXPECT_EQ(store->clients(), before);
    EXPECT_FALSE(store->defaultCDBFileURL().has_value());
}

TEST_F(Sessions, ExportIsPrettySortedAndLeavesTheDefaultFile) {
    const QUrl mine = QUrl::fromLocalFile(path(u"Compta.cdb"_s));
    store->setDefaultFile(mine);
    const QUrl out = QUrl::fromLocalFile(path(u"Export.cdb"_s));
    ASSERT_TRUE(store->exportTo(out).ok());
    const QByteArray bytes = readBytes(out.toLocalFile());
    EXPECT_TRUE(bytes.startsWith("{\n  \"accountingPurchases\": ["));
    EXPECT_EQ(readSession(out.toLocalFile()).quoteStatuses, store->quoteStatuses());
    EXPECT_EQ(store->defaultCDBFileURL(), mine);
}

TEST_F(Sessions, NewSessionReplacesEverythingAndForgetsTheDefaultFile) {
    store->setDefaultFile(QUrl::fromLocalFile(path(u"Compta.cdb"_s)));
    test::changeSession(*store, [](SessionEdit& e) { e.clients() = {client(u"Ancien"_s)}; });
    const QUuid before = store->sessionID();
    store->newSession();
    EXPECT_TRUE(store->clients().isEmpty());
    EXPECT_NE(store->sessionID(), before);
    EXPECT_EQ(store->projectStatuses().size(), 4);
    EXPECT_EQ(store->preferences().sidebarMenuItems.size(), 9);
    EXPECT_FALSE(store->defaultCDBFileURL().has_value());
    EXPECT_FALSE(m_defaults.value(DefaultFileBookmark::pathKey()).isValid());
    EXPECT_EQ(readSession(workingCopy()).sessionID, store->sessionID());
}

TEST_F(Sessions, AnEditAnnouncesAPartOnlyWhenItChanges) {
    QSignalSpy spy(store.get(), &AppDataStore::sessionChanged);
    const QList<ClientItem> clients{client(u"A"_s)};
    test::changeSession(*store, [&](SessionEdit& e) { e.clients() = clients; });
    test::changeSession(*store, [&](SessionEdit& e) { e.clients() = clients; });
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.first().first().value<SessionFields>(), SessionFields{SessionField::clients});
}

using Edits = StartedStore;

TEST_F(Edits, TouchedListsAreSavedOnceThenAnnounced) {
    QSignalSpy changed(store.get(), &AppDataStore::sessionChanged);
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    const Result<QString> r = store->edit([&](SessionEdit& e) {
        e.clients().append(client(u"Durand"_s));
        EXPECT_TRUE(e.session().services.isEmpty());
        EXPECT_TRUE(store->clients().isEmpty()) << "nothing is published before the save";
        return Result<QString>(u"fait"_s);
    });
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(r.value(), u"fait");
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), writes + 1);
    EXPECT_EQ(readSession(workingCopy()).clients, store->clients());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().value<SessionFields>(), SessionFields{SessionField::clients})
        << "services read, not touched";
}

TEST_F(Edits, AFailedSavePutsEveryTouchedListBackAndAnnouncesNothing) {
    test::changeSession(*store, [](SessionEdit& e) { e.clients() = {client(u"Martin"_s)}; });
    const AppDatabase before = store->session();
    QSignalSpy changed(store.get(), &AppDataStore::sessionChanged);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> r = store->edit([](SessionEdit& e) {
        e.clients().removeFirst();
        e.preferences().appearanceMode = AppAppearanceMode::light;
        return Result<>();
    });
    EXPECT_EQ(r.kind(), ResultKind::notSaved);
    EXPECT_TRUE(r.error().contains(u"No space left on device"_s));
    EXPECT_EQ(store->session(), before);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(Edits, ARefusedOrEmptyChangeWritesNothing) {
    const AppDatabase before = store->session();
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    const QList<Result<>> outcomes{Result<>::invalid(u"Refusé."_s), Result<>::unchanged(),
                                   Result<>()};
    for (const Result<>& outcome : outcomes) {
        const bool touches = !outcome.ok();
        const Result<> r = store->edit([&](SessionEdit& e) {
            if (touches)
                e.clients().append(client(u"Jamais"_s));
            return outcome;
        });
        EXPECT_EQ(r.kind(), outcome.kind());
        EXPECT_EQ(r.error(), outcome.error());
    }
    EXPECT_EQ(store->session(), before);
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), writes);
}

using ProjectStatuses = StoreFixture;

TEST_F(ProjectStatuses, RebuildsFromNamesRenamesFiniAndRecomputesTheSets) {
    AppDatabase db = newSessionContents();
    db.projectStatuses.clear();
    db.projectStatusOptions = {u"En cours"_s, u" Fini "_s, u"En cours "_s, u"Annulé"_s, u"Pause"_s};
    ProjectItem project;
    project.id = QUuid::createUuid();
    project.status = u"Fini"_s;
    db.projects = {project};
    writeSession(workingCopy(), db);

    auto store = startStore();
    EXPECT_EQ(namesOf(store->projectStatuses()),
              (QStringList{u"En cours"_s, u"Terminé"_s, u"Annulé"_s, u"Pause"_s}));
    EXPECT_EQ(store->projectStatusOptions(), namesOf(store->projectStatuses()));
    EXPECT_EQ(store->projects().first().status, u"Terminé"_s);
    EXPECT_EQ(store->projectStatuses()[1].color, TagColorOption::green);
    EXPECT_EQ(store->projectStatuses()[3].color, TagColorOption::gray);
    const ProjectStatusLocks locks = ProjectStatusLocks::of(store->session());
    EXPECT_EQ(locks.protectedIds,
              (IdSet{store->projectStatuses()[0].id, store->projectStatuses()[1].id,
                     store->projectStatuses()[2].id}));
    EXPECT_EQ(locks.nameLockedIds,
              (IdSet{store->projectStatuses()[1].id, store->projectStatuses()[2].id}));
}

TEST_F(ProjectStatuses, KeepsTheIdsAndColoursOfExistingStatuses) {
    AppDatabase db = newSessionContents();
    db.projectStatuses[0].color = TagColorOption::purple;
    writeSession(workingCopy(), db);
    auto store = startStore();
    EXPECT_EQ(store->projectStatuses(), db.projectStatuses);
    EXPECT_EQ(store->protectedProjectStatusIDs().size(), 4);
}

} // namespace
