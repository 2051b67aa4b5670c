#pragma once

#include "core/Alert.h"
#include "core/store/RecentEntry.h"

#include <QUrl>

#include <optional>

namespace velmora {

class AppDataStore;
class LaunchPhase;
class RecentFilesStore;
class SessionWizard;

// The session commands of the main window (open, switch, log out, export,
// save, and the rescue of a session that no longer fits on its disk). Each
// returns the alert to show; nothing means there is nothing to say.
class SessionFlows {
public:
    struct Services {
        AppDataStore& store;
        RecentFilesStore& recentFiles;
        SessionWizard& wizard;
        LaunchPhase& launch;
    };

    static Alert alreadyOpenAlert();
    static Alert abandonCreationAlert();
    static Alert switchSessionAlert();
    static Alert logOutAlert();
    static Alert quitDuringCreationAlert();
    static FilePanel exportPanel();
    static FilePanel rescueFolderPanel();
    // "Enregistrement impossible"; with a full disk it offers the rescue.
    static Alert saveFailedAlert(const QString& error);
    static bool isDiskFull(const QString& error);

    explicit SessionFlows(Services services) : m_services(services) {}

    // The listing text of the open session's file.
    QString currentSessionUrlString() const;

    // Asked before any opening of a file: the alert to confirm or to stop
    // on, or nothing when the file can be opened at once.
    std::optional<Alert> checkBeforeOpening(const QUrl& url) const;
    // After "Ouvrir cette session ?" was confirmed: the creation is dropped.
    bool openAbandoningCreation(const QUrl& url);

    // After "Changer de session ?" was confirmed: the session is saved, then
    // the other one opens through its lock screen. The alert of a failed save
    // (nothing is left unsaved) or of a missing file.
    std::optional<Alert> switchTo(const RecentEntry& entry);
    // After "Se déconnecter ?" was confirmed.
    std::optional<Alert> logOut();

    Alert exportTo(const QUrl& file);
    Alert save();
    // Copies the session into the folder and continues from that copy.
    Alert rescueTo(const QUrl& folder);

private:
    std::optional<Alert> saveBeforeLeaving();

    Services m_services;
};

} // namespace velmora
