#pragma once

#include "core/Alert.h"
#include "core/model/SessionSettings.h"
#include "core/store/SessionEdit.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

class SessionEdit;

// The "Sauvegarde" settings: a folder of the user's choice that receives a
// copy of the session (database_backup.cdb) at every save.
class BackupSettingsForm {
public:
    static QString title() { return QStringLiteral("Sauvegarde"); }
    static QString intro() {
        return QStringLiteral("En plus des sauvegardes quotidiennes automatiques, une copie de "
                              "la session peut être écrite dans un dossier de votre choix "
                              "(un disque externe ou un dossier synchronisé) à chaque "
                              "enregistrement.");
    }
    static QString folderLabel() { return QStringLiteral("Dossier\u00a0:"); }
    static QString noFolderText() { return QStringLiteral("Aucun dossier choisi"); }
    static QString chooseFolderButton() { return QStringLiteral("Choisir un dossier…"); }
    static QString clearFolderButton() { return QStringLiteral("Retirer"); }
    static QString enabledCheckbox() {
        return QStringLiteral("Copier la session dans ce dossier à chaque enregistrement");
    }
    static QString fileNameHint() {
        return QStringLiteral("La copie s’appelle « database_backup.cdb » et remplace la "
                              "précédente.");
    }
    static QString noFolderMessage() {
        return QStringLiteral("Choisissez d’abord un dossier de sauvegarde.");
    }
    static QString notLocalMessage() {
        return QStringLiteral("Le dossier de sauvegarde doit se trouver sur cet ordinateur.");
    }
    static FilePanel folderPanel();

    BackupSettingsForm() = default;
    explicit BackupSettingsForm(const StoragePreferences& storage) { load(storage); }

    void load(const StoragePreferences& storage);

    const std::optional<QUrl>& folder() const { return m_folder; }
    bool isEnabled() const { return m_enabled; }
    void setFolder(const std::optional<QUrl>& folder) { m_folder = folder; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    // "Retirer": no folder, so no copy either.
    void clearFolder();
    // The folder's path as the user reads it, or "Aucun dossier choisi".
    QString folderText() const;

    bool hasChanges() const;
    // The first failing rule, or an empty text.
    QString validate() const;
    // Validates, writes `storagePreferences` and saves once. A save that
    // fails (the new folder may be the cause) leaves the session and its
    // files as they were.
    Result<> apply(SessionEdit& edit);

private:
    StoragePreferences edited() const;

    std::optional<QUrl> m_folder;
    bool m_enabled = false;
    StoragePreferences m_loaded;
};

} // namespace velmora
