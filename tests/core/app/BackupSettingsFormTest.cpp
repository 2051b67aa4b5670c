#include "core/app/BackupSettingsForm.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"
#include "support/SessionChange.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

class BackupSettingsFormTest : public MirroredStoreFixture {
protected:
    QUrl folder(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    QString backupIn(const QString& name) const { return path(name) + u"/database_backup.cdb"_s; }
};

} // namespace

TEST(BackupSettingsTexts, FolderPanelAndFolderText) {
    const FilePanel panel = BackupSettingsForm::folderPanel();
    EXPECT_EQ(panel.mode, FilePanel::Mode::chooseFolder);
    EXPECT_TRUE(panel.canCreateFolders);
    EXPECT_TRUE(panel.extension.isEmpty());

    BackupSettingsForm form;
    EXPECT_EQ(form.folderText(), u"Aucun dossier choisi"_s);
    form.setFolder(QUrl::fromLocalFile(u"/media/clé/Sauvegardes"_s));
    EXPECT_EQ(form.folderText(), u"/media/clé/Sauvegardes"_s);
}

TEST_F(BackupSettingsFormTest, EnablingWithoutAFolderIsRefused) {
    BackupSettingsForm form(store->storagePreferences());
    const QByteArray fileBefore = readBytes(workingCopy());
    form.setEnabled(true);
    const QString message = u"Choisissez d’abord un dossier de sauvegarde."_s;
    EXPECT_EQ(form.validate(), message);
    const Result<> result = test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::invalid);
    EXPECT_EQ(result.error(), message);
    EXPECT_FALSE(store->storagePreferences().backupAlwaysEnabled);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);

    form.setFolder(QUrl(u"https://example.com/dav/"_s));
    EXPECT_EQ(form.validate(), u"Le dossier de sauvegarde doit se trouver sur cet ordinateur."_s);
    form.setFolder(QUrl());
    EXPECT_EQ(form.validate(), message);
}

TEST_F(BackupSettingsFormTest, EveryLaterSaveWritesTheCopy) {
    BackupSettingsForm form(store->storagePreferences());
    form.setFolder(folder(u"Clé USB/Sauvegardes"_s));
    // A folder without the switch is remembered but receives nothing.
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_EQ(onDisk().storagePreferences.backupFolderURL, folder(u"Clé USB/Sauvegardes"_s));
    EXPECT_FALSE(onDisk().storagePreferences.backupAlwaysEnabled);
    EXPECT_FALSE(QFile::exists(backupIn(u"Clé USB/Sauvegardes"_s)));

    form.setEnabled(true);
    EXPECT_TRUE(form.hasChanges());
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_FALSE(form.hasChanges());
    EXPECT_TRUE(onDisk().storagePreferences.backupAlwaysEnabled);
    // The save that switched it on already wrote the copy, with the setting.
    EXPECT_EQ(readBytes(backupIn(u"Clé USB/Sauvegardes"_s)), readBytes(workingCopy()));

    test::changeSession(*store, [&](SessionEdit& e) { e.sessionName() = u"Après"_s; });
    ASSERT_TRUE(store->save().ok());
    EXPECT_EQ(readSession(backupIn(u"Clé USB/Sauvegardes"_s)).sessionName, u"Après"_s);
}

TEST_F(BackupSettingsFormTest, RemovingTheFolderSwitchesTheCopyOff) {
    StoragePreferences storage;
    storage.backupFolderURL = folder(u"Sauvegardes"_s);
    storage.backupAlwaysEnabled = true;
    test::changeSession(*store, [&](SessionEdit& e) { e.storagePreferences() = storage; });
    ASSERT_TRUE(store->save().ok());

    BackupSettingsForm form(store->storagePreferences());
    EXPECT_EQ(form.folderText(), path(u"Sauvegardes"_s));
    form.clearFolder();
    EXPECT_FALSE(form.isEnabled());
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_EQ(onDisk().storagePreferences, StoragePreferences());
}

TEST_F(BackupSettingsFormTest, AFolderThatCannotBeWrittenLeavesTheSessionAsItWas) {
    const StoragePreferences before = store->storagePreferences();
    // A file where the folder should be: the copy cannot be written.
    writeBytes(path(u"occupé"_s), "not a folder");
    BackupSettingsForm form(before);
    form.setFolder(folder(u"occupé"_s));
    form.setEnabled(true);
    const Result<> result = test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(store->storagePreferences(), before);
    // Neither the working copy nor the user's file names the failing folder.
    EXPECT_EQ(onDisk().storagePreferences, before);
    // The session still saves.
    EXPECT_TRUE(store->save().ok());
}
