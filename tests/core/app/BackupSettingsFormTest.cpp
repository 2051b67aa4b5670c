#include "core/app/BackupSettingsForm.h"
#include "SettingsStoreFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

class BackupSettingsFormTest : public SettingsStoreFixture {
protected:
    QUrl folder(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    QString backupIn(const QString& name) const {
        return path(name) + QStringLiteral("/database_backup.cdb");
    }
};

} // namespace

TEST(BackupSettingsTexts, FolderPanelAndFolderText) {
    const FilePanel panel = BackupSettingsForm::folderPanel();
    EXPECT_EQ(panel.mode, FilePanel::Mode::chooseFolder);
    EXPECT_TRUE(panel.canCreateFolders);
    EXPECT_TRUE(panel.extension.isEmpty());

    BackupSettingsForm form;
    EXPECT_EQ(form.folderText(), QStringLiteral("Aucun dossier choisi"));
    form.setFolder(QUrl::fromLocalFile(QStringLiteral("/media/clé/Sauvegardes")));
    EXPECT_EQ(form.folderText(), QStringLiteral("/media/clé/Sauvegardes"));
}

TEST_F(BackupSettingsFormTest, EnablingWithoutAFolderIsRefused) {
    BackupSettingsForm form(store->storagePreferences());
    const QByteArray fileBefore = readBytes(workingCopy());
    form.setEnabled(true);
    const QString message = QStringLiteral("Choisissez d’abord un dossier de sauvegarde.");
    EXPECT_EQ(form.validate(), message);
    const Result<> result = form.apply(*store);
    EXPECT_EQ(result.kind(), ResultKind::invalid);
    EXPECT_EQ(result.error(), message);
    EXPECT_FALSE(store->storagePreferences().backupAlwaysEnabled);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);

    form.setFolder(QUrl(QStringLiteral("https://example.com/dav/")));
    EXPECT_EQ(form.validate(),
              QStringLiteral("Le dossier de sauvegarde doit se trouver sur cet ordinateur."));
    form.setFolder(QUrl());
    EXPECT_EQ(form.validate(), message);
}

TEST_F(BackupSettingsFormTest, EveryLaterSaveWritesTheCopy) {
    BackupSettingsForm form(store->storagePreferences());
    form.setFolder(folder(QStringLiteral("Clé USB/Sauvegardes")));
    // A folder without the switch is remembered but receives nothing.
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_EQ(onDisk().storagePreferences.backupFolderURL,
              folder(QStringLiteral("Clé USB/Sauvegardes")));
    EXPECT_FALSE(onDisk().storagePreferences.backupAlwaysEnabled);
    EXPECT_FALSE(QFile::exists(backupIn(QStringLiteral("Clé USB/Sauvegardes"))));

    form.setEnabled(true);
    EXPECT_TRUE(form.hasChanges());
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_FALSE(form.hasChanges());
    EXPECT_TRUE(onDisk().storagePreferences.backupAlwaysEnabled);
    // The save that switched it on already wrote the copy, with the setting.
    EXPECT_EQ(readBytes(backupIn(QStringLiteral("Clé USB/Sauvegardes"))), readBytes(workingCopy()));

    store->setSessionName(QStringLiteral("Après"));
    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(readSession(backupIn(QStringLiteral("Clé USB/Sauvegardes"))).sessionName,
              QStringLiteral("Après"));
}

TEST_F(BackupSettingsFormTest, RemovingTheFolderSwitchesTheCopyOff) {
    StoragePreferences storage;
    storage.backupFolderURL = folder(QStringLiteral("Sauvegardes"));
    storage.backupAlwaysEnabled = true;
    store->setStoragePreferences(storage);
    ASSERT_TRUE(store->save().ok());

    BackupSettingsForm form(store->storagePreferences());
    EXPECT_EQ(form.folderText(), path(QStringLiteral("Sauvegardes")));
    form.clearFolder();
    EXPECT_FALSE(form.isEnabled());
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_EQ(onDisk().storagePreferences, StoragePreferences());
}

TEST_F(BackupSettingsFormTest, AFolderThatCannotBeWrittenLeavesTheSessionAsItWas) {
    const StoragePreferences before = store->storagePreferences();
    // A file where the folder should be: the copy cannot be written.
    writeBytes(path(QStringLiteral("occupé")), "not a folder");
    BackupSettingsForm form(before);
    form.setFolder(folder(QStringLiteral("occupé")));
    form.setEnabled(true);
    const Result<> result = form.apply(*store);
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(store->storagePreferences(), before);
    // Neither the working copy nor the user's file names the failing folder.
    EXPECT_EQ(onDisk().storagePreferences, before);
    // The session still saves.
    EXPECT_TRUE(store->save().ok());
}
