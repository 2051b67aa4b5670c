#pragma once

#include "core/Alert.h"
#include "core/platform/UserDefaults.h"
#include "core/store/RecentEntry.h"

#include <QObject>
#include <QUrl>

#include <optional>

namespace velmora {

class AppDataStore;
class RecentFilesStore;
class SessionWizard;

// The launch screen: the list of recent sessions, the creation wizard, the
// loading of a chosen session and its lock screen, until the main window
// takes over. The main window uses the same opening for its own commands.
class LaunchPhase : public QObject {
    Q_OBJECT

public:
    enum class Phase { onboarding, loading, sessionPicker, lockScreen, sessionOpen };
    // Where a missing file is reported: the main window offers to locate it.
    enum class Place { launchScreen, mainWindow };

    struct Services {
        AppDataStore& store;
        RecentFilesStore& recentFiles;
        UserDefaults& userDefaults;
        SessionWizard& wizard;
    };

    static QString connectingText() { return QStringLiteral("Connexion en cours…"); }
    static QString disconnectingText() { return QStringLiteral("Déconnexion en cours…"); }
    static QString loadFailedText() {
        return QStringLiteral("Erreur lors du chargement de la session.");
    }
    static FilePanel openPanel();
    static Alert fileNotFoundAlert(const RecentEntry& entry, Place place);

    explicit LaunchPhase(Services services, QObject* parent = nullptr);

    Phase phase() const { return m_phase; }
    // What the loading screen says.
    const QString& statusText() const { return m_statusText; }
    // The failure shown on the session list; empty when none.
    const QString& error() const { return m_error; }
    // Why the file could not be read, as the file system or the decoder
    // said it; empty when none.
    const QString& errorReason() const { return m_errorReason; }
    // The notice of a failed opening, with its reason as details.
    Alert loadFailedAlert() const;

    QString title() const { return QStringLiteral("Bienvenue"); }
    QString subtitle() const;

    // The list when sessions are known and a first one was created or
    // opened; the wizard otherwise.
    void showInitialPhase();
    void startCreation();
    void showSessionList();

    // Nothing when the opening went on (see phase() and error()); the alert
    // when the entry's file cannot be found.
    std::optional<Alert> openRecent(const RecentEntry& entry, Place place = Place::launchScreen);
    // A file chosen in the open panel or given by the file manager.
    bool openChosenFile(const QUrl& url);
    // The new place of a listed session that was not found: it replaces the
    // old entry once it opens.
    bool relocate(const RecentEntry& entry, const QUrl& url);
    // Called by the lock screen once the right code was typed.
    void unlocked();
    // Shows the saving of the session being left.
    void showDisconnecting();
    // Back to the open session (a log-out whose save failed).
    void resumeSession();

signals:
    void phaseChanged();
    void errorChanged();

private:
    void setPhase(Phase phase, const QString& statusText = QString());
    void setError(const QString& message, const QString& reason = {});
    bool loadSession(const QUrl& url);
    void afterLoading();

    Services m_services;
    Phase m_phase = Phase::sessionPicker;
    QString m_statusText;
    QString m_error;
    QString m_errorReason;
};

} // namespace velmora
