#include "core/app/BackupSettingsForm.h"

#include "core/store/SessionEdit.h"

#include <QDir>

namespace velmora {

FilePanel BackupSettingsForm::folderPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::chooseFolder;
    panel.title = QStringLiteral("Choisir le dossier de sauvegarde");
    panel.prompt = QStringLiteral("Choisir");
    panel.message =
        QStringLiteral("La session y sera copiée à chaque enregistrement (database_backup.cdb).");
    panel.canCreateFolders = true;
    return panel;
}

void BackupSettingsForm::load(const StoragePreferences& storage) {
    m_loaded = storage;
    m_folder = storage.backupFolderURL;
    m_enabled = storage.backupAlwaysEnabled;
}

void BackupSettingsForm::clearFolder() {
    m_folder.reset();
    m_enabled = false;
}

QString BackupSettingsForm::folderText() const {
    if (!m_folder || m_folder->isEmpty())
        return noFolderText();
    if (m_folder->isLocalFile())
        return QDir::toNativeSeparators(m_folder->toLocalFile());
    return m_folder->toString();
}

bool BackupSettingsForm::hasChanges() const {
    return edited() != m_loaded;
}

QString BackupSettingsForm::validate() const {
    if (m_folder && !m_folder->isEmpty() && !m_folder->isLocalFile())
        return notLocalMessage();
    if (m_enabled && (!m_folder || m_folder->isEmpty()))
        return noFolderMessage();
    return {};
}

StoragePreferences BackupSettingsForm::edited() const {
    StoragePreferences storage;
    if (m_folder && !m_folder->isEmpty())
        storage.backupFolderURL = m_folder;
    storage.backupAlwaysEnabled = m_enabled;
    return storage;
}

Result<> BackupSettingsForm::apply(SessionEdit& edit) {
    if (const QString message = validate(); !message.isEmpty())
        return Result<>::invalid(message);
    edit.storagePreferences() = edited();
    edit.whenSaved([this, &edit] { load(edit.session().storagePreferences); });
    return Result<>();
}

} // namespace velmora
