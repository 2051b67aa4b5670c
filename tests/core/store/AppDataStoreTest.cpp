#include "core/model/NewSession.h"
#include "support/StoreFixture.h"

#include <QSignalSpy>

using namespace velmora;
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

QStringList namesOf(const QList<TagItem>& tags) {
    QStringList names;
    for (const TagItem& t : tags)
        names.append(t.name);
    return names;
}

using StartUp = StoreFixture;

TEST_F(StartUp, WithNothingAnywhereSeedsDocumentStatusesAndWritesTheWorkingCopy) {
    auto store = startStore();
    EXPECT_EQ(namesOf(store->quoteStatuses()),
              (QStringList{QStringLiteral("Brouillon"), QStringLiteral("Envoyé"),
                           QStringLiteral("Validé"), QStringLiteral("Refusé")}));
    EXPECT_EQ(namesOf(store->invoiceStatuses()),
              (QStringList{QStringLiteral("Brouillon"), QStringLiteral("Envoyé"),
                           QStringLiteral("Payé")}));
    EXPECT_EQ(store->protectedQuoteStatusIDs().size(), 4);
    EXPECT_EQ(store->protectedInvoiceStatusIDs().size(), 3);

    const AppDatabase written = readSession(workingCopy());
    EXPECT_EQ(written.quoteStatuses, store->quoteStatuses());
    EXPECT_EQ(written.invoiceStatuses, store->invoiceStatuses());
    EXPECT_EQ(written.sessionID, store->sessionID());
    EXPECT_FALSE(QDir(root() + QStringLiteral("/Backups")).exists())
        << "a session just seeded needs no backup yet";
}

TEST_F(StartUp, LoadsTheWorkingCopyAndTakesTheDailyBackup) {
    const AppDatabase db = sessionWithClients({QStringLiteral("Martin")});
    writeSession(workingCopy(), db);
    auto store = startStore();
    EXPECT_EQ(store->clients(), db.clients);
    EXPECT_EQ(store->sessionID(), *db.sessionID);
    EXPECT_EQ(readBytes(root() + QStringLiteral("/Backups/database-2025-06-10.cdb")),
              readBytes(workingCopy()));
}

TEST_F(StartUp, ALegacyDatabaseJsonIsRenamedAndLoaded) {
    const AppDatabase db = sessionWithClients({QStringLiteral("Legacy")});
    writeSession(root() + QStringLiteral("/database.json"), db);
    auto store = startStore();
    EXPECT_EQ(store->clients(), db.clients);
    EXPECT_TRUE(QFile::exists(workingCopy()));
    EXPECT_FALSE(QFile::exists(root() + QStringLiteral("/database.json")));
}

TEST_F(StartUp, AnUnreadableWorkingCopyIsSetAsideBeforeAnySave) {
    writeBytes(workingCopy(), "{ pas du JSON");
    auto store = startStore();
    EXPECT_TRUE(store->clients().isEmpty());
    EXPECT_EQ(readBytes(workingCopy()), QByteArray("{ pas du JSON"));
    const QString aside = root() + QStringLiteral("/Backups/illisible-2025-06-10-database.cdb");
    EXPECT_EQ(readBytes(aside), QByteArray("{ pas du JSON"));

    store->setClients({client(QStringLiteral("Nouveau"))});
    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(readBytes(aside), QByteArray("{ pas du JSON")) << "the copy outlives the save";
    EXPECT_TRUE(QFile::exists(root() + QStringLiteral("/Backups/database-2025-06-10.cdb")));
}

TEST_F(StartUp, AnUnreadableUserFileFallsBackToTheWorkingCopy) {
    const AppDatabase working = sessionWithClients({QStringLiteral("Sauvé")});
    writeSession(workingCopy(), working);
    writeBytes(path(QStringLiteral("Compta.cdb")), "{\"clients\": tronqué");
    m_defaults.setValue(AppDataStore::pathKey(),
                        QUrl::fromLocalFile(path(QStringLiteral("Compta.cdb"))).toString());

    auto store = startStore();
    EXPECT_EQ(store->clients(), working.clients) << "a damaged user file never empties the session";
    EXPECT_EQ(readBytes(root() + QStringLiteral("/Backups/illisible-2025-06-10-Compta.cdb")),
              QByteArray("{\"clients\": tronqué"));
}

TEST_F(StartUp, TheDefaultFileComesFromTheBookmarkBeforeThePath) {
    const AppDatabase mine = sessionWithClients({QStringLiteral("Bookmark")});
    const AppDatabase other = sessionWithClients({QStringLiteral("Path")});
    writeSession(path(QStringLiteral("mine.cdb")), mine);
    writeSession(path(QStringLiteral("other.cdb")), other);
    m_defaults.setValue(AppDataStore::bookmarkKey(), path(QStringLiteral("mine.cdb")).toUtf8());
    m_defaults.setValue(AppDataStore::pathKey(),
                        QUrl::fromLocalFile(path(QStringLiteral("other.cdb"))).toString());

    auto store = startStore();
    ASSERT_TRUE(store->defaultCDBFileURL().has_value());
    EXPECT_EQ(store->defaultCDBFileURL()->toLocalFile(), path(QStringLiteral("mine.cdb")));
    EXPECT_EQ(store->clients(), mine.clients);
    EXPECT_FALSE(QFile::exists(workingCopy()))
        << "start-up reads the user's file; nothing is written until a save";
}

TEST_F(StartUp, WithoutBookmarkThePathIsUsedAndPreferredOverTheWorkingCopy) {
    const AppDatabase mine = sessionWithClients({QStringLiteral("Path")});
    writeSession(path(QStringLiteral("mine.cdb")), mine);
    writeSession(workingCopy(), sessionWithClients({QStringLiteral("Working")}));
    m_defaults.setValue(AppDataStore::pathKey(),
                        QUrl::fromLocalFile(path(QStringLiteral("mine.cdb"))).toString());
    auto store = startStore();
    EXPECT_EQ(store->clients(), mine.clients);
}

TEST_F(StartUp, AMissingDefaultFileFallsBackToTheWorkingCopy) {
    const AppDatabase working = sessionWithClients({QStringLiteral("Working")});
    writeSession(workingCopy(), working);
    m_defaults.setValue(AppDataStore::pathKey(),
                        QUrl::fromLocalFile(path(QStringLiteral("gone.cdb"))).toString());
    auto store = startStore();
    EXPECT_EQ(store->clients(), working.clients);
}

using Saving = StoreFixture;

TEST_F(Saving, WritesTheWorkingCopyTheMirrorAndTheBackupCopy) {
    auto store = startStore();
    const QUrl mine = QUrl::fromLocalFile(path(QStringLiteral("Compta.cdb")));
    store->setDefaultFile(mine);
    StoragePreferences storage;
    storage.backupAlwaysEnabled = true;
    storage.backupFolderURL = QUrl::fromLocalFile(path(QStringLiteral("Sauvegardes/Compta")));
    store->setStoragePreferences(storage);
    store->setClients({client(QStringLiteral("Durand"))});

    const Result<> saved = store->save();
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    EXPECT_TRUE(saved.warning().isEmpty());
    const QByteArray bytes = readBytes(workingCopy());
    EXPECT_EQ(readBytes(mine.toLocalFile()), bytes);
    EXPECT_EQ(readBytes(path(QStringLiteral("Sauvegardes/Compta/database_backup.cdb"))), bytes);
    EXPECT_EQ(readSession(workingCopy()).clients, store->clients());
}

TEST_F(Saving, BackupAlwaysEnabledWithoutAFolderWritesNoCopyAndSucceeds) {
    auto store = startStore();
    StoragePreferences storage;
    storage.backupAlwaysEnabled = true;
    store->setStoragePreferences(storage);
    EXPECT_TRUE(store->save().ok());
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), 2) << "seeding save, then this one";
}

TEST_F(Saving, AnUnreachableUserFileStillSavesAndWarns) {
    auto store = startStore();
    store->setDefaultFile(QUrl::fromLocalFile(path(QStringLiteral("absent/dossier/Compta.cdb"))));
    store->setClients({client(QStringLiteral("Durand"))});
    const Result<> saved = store->save();
    EXPECT_TRUE(saved.ok());
    EXPECT_TRUE(saved.warning().startsWith(
        QStringLiteral("Le fichier « Compta.cdb » n'a pas pu être mis à jour : ")))
        << saved.warning().toStdString();
    EXPECT_EQ(readSession(workingCopy()).clients, store->clients());
}

TEST_F(Saving, AFullDiskReportsTheSystemErrorAndLeavesTheWorkingCopyAsItWas) {
    auto store = startStore();
    const QByteArray before = readBytes(workingCopy());
    store->setClients({client(QStringLiteral("Durand"))});
    m_fs.failOn(FaultyFileSystem::Op::Write, QStringLiteral("No space left on device"));
    const Result<> saved = store->save();
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(readBytes(workingCopy()), before);
}

TEST_F(Saving, AFailingBackupCopyFailsTheSave) {
    auto store = startStore();
    StoragePreferences storage;
    storage.backupAlwaysEnabled = true;
    storage.backupFolderURL = QUrl::fromLocalFile(path(QStringLiteral("Sauvegardes")));
    store->setStoragePreferences(storage);
    m_fs.failOn(FaultyFileSystem::Op::CreateDirectories, QStringLiteral("Permission denied"));
    const Result<> saved = store->save();
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error().contains(QStringLiteral("Permission denied")));
}

TEST_F(Saving, BackgroundSavesLandInOrderAndTheLastOneWins) {
    auto store = startStore();
    QSignalSpy finished(store.get(), &AppDataStore::backgroundSaveFinished);
    for (int i = 0; i < 20; ++i) {
        store->setSessionName(QStringLiteral("État %1").arg(i));
        store->saveInBackground();
    }
    store->waitForBackgroundSaves();
    EXPECT_EQ(readSession(workingCopy()).sessionName, QStringLiteral("État 19"));
    EXPECT_TRUE(finished.wait(2000) || finished.count() > 0);

    // A synchronous save after background ones is never overtaken by them.
    store->setSessionName(QStringLiteral("Bg"));
    store->saveInBackground();
    store->setSessionName(QStringLiteral("Sync"));
    ASSERT_TRUE(store->save().ok());
    store->waitForBackgroundSaves();
    EXPECT_EQ(readSession(workingCopy()).sessionName, QStringLiteral("Sync"));
}

TEST_F(Saving, ReloadAppliesTheWorkingCopyOnTheCallingThread) {
    auto store = startStore();
    const AppDatabase other = sessionWithClients({QStringLiteral("Rechargé")});
    writeSession(workingCopy(), other);
    QSignalSpy done(store.get(), &AppDataStore::reloadFinished);
    QSignalSpy clients(store.get(), &AppDataStore::clientsChanged);
    store->reload();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(done.first().first().value<Result<>>().ok());
    EXPECT_EQ(store->clients(), other.clients);
    EXPECT_EQ(clients.count(), 1);
}

using Sessions = StoreFixture;

TEST_F(Sessions, OpenFileAppliesItMakesItTheDefaultAndSavesIt) {
    auto store = startStore();
    const AppDatabase chosen = sessionWithClients({QStringLiteral("Choisi")});
    const QUrl url = QUrl::fromLocalFile(path(QStringLiteral("Choisi.cdb")));
    writeSession(url.toLocalFile(), chosen);

    ASSERT_TRUE(store->openFile(url).ok());
    EXPECT_EQ(store->clients(), chosen.clients);
    EXPECT_EQ(store->defaultCDBFileURL(), url);
    EXPECT_EQ(m_defaults.value(AppDataStore::pathKey()).toString(), url.toString());
    EXPECT_FALSE(m_defaults.value(AppDataStore::bookmarkKey()).toByteArray().isEmpty());
    EXPECT_EQ(readSession(workingCopy()).clients, chosen.clients);
}

TEST_F(Sessions, AFileThatDoesNotDecodeChangesNothing) {
    auto store = startStore();
    store->setClients({client(QStringLiteral("Actuel"))});
    const QList<ClientItem> before = store->clients();
    writeBytes(path(QStringLiteral("cassé.cdb")), "{\"projects\": 12}");
    const Result<> opened = store->openFile(QUrl::fromLocalFile(path(QStringLiteral("cassé.cdb"))));
    EXPECT_FALSE(opened.ok());
    EXPECT_TRUE(opened.error().startsWith(QStringLiteral("Fichier de session illisible : ")));
    EXPECT_EQ(store->clients(), before);
    EXPECT_FALSE(store->defaultCDBFileURL().has_value());
}

TEST_F(Sessions, ExportIsPrettySortedAndLeavesTheDefaultFile) {
    auto store = startStore();
    const QUrl mine = QUrl::fromLocalFile(path(QStringLiteral("Compta.cdb")));
    store->setDefaultFile(mine);
    const QUrl out = QUrl::fromLocalFile(path(QStringLiteral("Export.cdb")));
    ASSERT_TRUE(store->exportTo(out).ok());
    const QByteArray bytes = readBytes(out.toLocalFile());
    EXPECT_TRUE(bytes.startsWith("{\n  \"accountingPurchases\": ["));
    EXPECT_EQ(readSession(out.toLocalFile()).quoteStatuses, store->quoteStatuses());
    EXPECT_EQ(store->defaultCDBFileURL(), mine);
}

TEST_F(Sessions, NewSessionReplacesEverythingAndForgetsTheDefaultFile) {
    auto store = startStore();
    store->setDefaultFile(QUrl::fromLocalFile(path(QStringLiteral("Compta.cdb"))));
    store->setClients({client(QStringLiteral("Ancien"))});
    const QUuid before = store->sessionID();
    store->newSession();
    EXPECT_TRUE(store->clients().isEmpty());
    EXPECT_NE(store->sessionID(), before);
    EXPECT_EQ(store->projectStatuses().size(), 4);
    EXPECT_EQ(store->preferences().sidebarMenuItems.size(), 9);
    EXPECT_FALSE(store->defaultCDBFileURL().has_value());
    EXPECT_FALSE(m_defaults.value(AppDataStore::pathKey()).isValid());
    EXPECT_EQ(readSession(workingCopy()).sessionID, store->sessionID());
}

TEST_F(Sessions, SettingAPropertyAnnouncesItOnlyWhenItChanges) {
    auto store = makeStore();
    QSignalSpy spy(store.get(), &AppDataStore::clientsChanged);
    const QList<ClientItem> clients{client(QStringLiteral("A"))};
    store->setClients(clients);
    store->setClients(clients);
    EXPECT_EQ(spy.count(), 1);
}

using Edits = StoreFixture;

TEST_F(Edits, TouchedListsAreSavedOnceThenAnnounced) {
    auto store = startStore();
    QSignalSpy clients(store.get(), &AppDataStore::clientsChanged);
    QSignalSpy services(store.get(), &AppDataStore::servicesChanged);
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    const Result<QString> r = store->edit([&](SessionEdit& e) {
        e.clients().append(client(QStringLiteral("Durand")));
        EXPECT_TRUE(e.session().services.isEmpty());
        EXPECT_TRUE(store->clients().isEmpty()) << "nothing is published before the save";
        return Result<QString>(QStringLiteral("fait"));
    });
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(r.value(), u"fait");
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), writes + 1);
    EXPECT_EQ(readSession(workingCopy()).clients, store->clients());
    EXPECT_EQ(clients.count(), 1);
    EXPECT_EQ(services.count(), 0) << "read, not touched";
}

TEST_F(Edits, AFailedSavePutsEveryTouchedListBackAndAnnouncesNothing) {
    auto store = startStore();
    store->setClients({client(QStringLiteral("Martin"))});
    const AppDatabase before = store->session();
    QSignalSpy clients(store.get(), &AppDataStore::clientsChanged);
    QSignalSpy preferences(store.get(), &AppDataStore::preferencesChanged);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> r = store->edit([](SessionEdit& e) {
        e.clients().removeFirst();
        e.preferences().appearanceMode = AppAppearanceMode::light;
        return Result<>();
    });
    EXPECT_EQ(r.kind(), ResultKind::notSaved);
    EXPECT_TRUE(r.error().contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(store->session(), before);
    EXPECT_EQ(clients.count() + preferences.count(), 0);
}

TEST_F(Edits, ARefusedOrEmptyChangeWritesNothing) {
    auto store = startStore();
    const AppDatabase before = store->session();
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    const QList<Result<>> outcomes{Result<>::invalid(QStringLiteral("Refusé.")),
                                   Result<>::unchanged(), Result<>()};
    for (const Result<>& outcome : outcomes) {
        const bool touches = !outcome.ok();
        const Result<> r = store->edit([&](SessionEdit& e) {
            if (touches)
                e.clients().append(client(QStringLiteral("Jamais")));
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
    db.projectStatusOptions = {QStringLiteral("En cours"), QStringLiteral(" Fini "),
                               QStringLiteral("En cours "), QStringLiteral("Annulé"),
                               QStringLiteral("Pause")};
    ProjectItem project;
    project.id = QUuid::createUuid();
    project.status = QStringLiteral("Fini");
    db.projects = {project};
    writeSession(workingCopy(), db);

    auto store = startStore();
    EXPECT_EQ(namesOf(store->projectStatuses()),
              (QStringList{QStringLiteral("En cours"), QStringLiteral("Terminé"),
                           QStringLiteral("Annulé"), QStringLiteral("Pause")}));
    EXPECT_EQ(store->projectStatusOptions(), namesOf(store->projectStatuses()));
    EXPECT_EQ(store->projects().first().status, QStringLiteral("Terminé"));
    EXPECT_EQ(store->projectStatuses()[1].color, TagColorOption::green);
    EXPECT_EQ(store->projectStatuses()[3].color, TagColorOption::gray);
    EXPECT_EQ(store->protectedProjectStatusIDs(),
              (IdSet{store->projectStatuses()[0].id, store->projectStatuses()[1].id,
                     store->projectStatuses()[2].id}));
    EXPECT_EQ(store->nameLockedProjectStatusIDs(),
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
