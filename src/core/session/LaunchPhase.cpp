#include "core/session/LaunchPhase.h"

#include "core/session/SessionWizard.h"
#include "core/store/AppDataStore.h"
#include "core/store/RecentFilesStore.h"

namespace velmora {

FilePanel LaunchPhase::openPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::openFile;
    panel.title = QStringLiteral("Ouvrir une base de données");
    panel.prompt = QStringLiteral("Ouvrir");
    panel.extension = QStringLiteral("cdb");
    return panel;
}

Alert LaunchPhase::fileNotFoundAlert(const RecentEntry& entry, Place place) {
    Alert alert;
    alert.kind = Alert::Kind::warning;
    alert.title = QStringLiteral("Fichier introuvable");
    alert.message = QStringLiteral("Le fichier « ") + entry.displayName +
                    QStringLiteral(" » n'a pas pu être localisé. Il a peut-être été déplacé ou "
                                   "supprimé.");
    alert.buttons = {{place == Place::mainWindow ? QStringLiteral("Localiser le fichier")
                                                 : QStringLiteral("Choisir le nouvel emplacement"),
                      AlertRole::defaultAction},
                     {QStringLiteral("Annuler"), AlertRole::cancel}};
    return alert;
}

LaunchPhase::LaunchPhase(Services services, QObject* parent)
    : QObject(parent), m_services(services) {}

QString LaunchPhase::subtitle() const {
    return m_services.recentFiles.entries().isEmpty()
               ? QStringLiteral("Créez votre première session ou ouvrez un fichier existant")
               : QStringLiteral("Sélectionnez votre session ou créez-en une nouvelle");
}

void LaunchPhase::setPhase(Phase phase, const QString& statusText) {
    m_statusText = statusText;
    if (m_phase == phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

void LaunchPhase::setError(const QString& message, const QString& reason) {
    if (m_error == message && m_errorReason == reason)
        return;
    m_error = message;
    m_errorReason = reason;
    emit errorChanged();
}

Alert LaunchPhase::loadFailedAlert() const {
    Alert alert;
    alert.kind = Alert::Kind::error;
    alert.message = loadFailedText();
    alert.informativeText = m_errorReason;
    alert.buttons = {{QStringLiteral("OK"), AlertRole::defaultAction}};
    return alert;
}

void LaunchPhase::showInitialPhase() {
    const bool completed = m_services.userDefaults.value(SessionWizard::completedKey()).toBool();
    if (completed && !m_services.recentFiles.entries().isEmpty())
        showSessionList();
    else
        startCreation();
}

void LaunchPhase::startCreation() {
    setError({});
    m_services.wizard.start();
    setPhase(Phase::onboarding);
}

void LaunchPhase::showSessionList() {
    setPhase(Phase::sessionPicker);
}

void LaunchPhase::showDisconnecting() {
    setPhase(Phase::loading, disconnectingText());
}

std::optional<Alert> LaunchPhase::openRecent(const RecentEntry& entry, Place place) {
    const std::optional<QUrl> url = m_services.recentFiles.resolve(entry);
    if (!url)
        return fileNotFoundAlert(entry, place);

    setError({});
    setPhase(Phase::loading, connectingText());
    if (!loadSession(*url)) {
        setPhase(Phase::sessionPicker);
        return std::nullopt;
    }
    const AppDataStore& store = m_services.store;
    RecentFilesStore& recent = m_services.recentFiles;
    const QString name = store.sessionName().value_or(QString());
    const auto photo = store.sessionProfilePhotoData();
    const auto image = store.sessionProfileImageName();
    recent.updateIdentity(entry.urlString, name.isEmpty() ? std::nullopt : std::optional(name),
                          photo ? std::optional(photo->decoded()) : std::nullopt, image);
    if (!photo && !image)
        recent.clearPicture(entry.urlString);
    afterLoading();
    return std::nullopt;
}

bool LaunchPhase::openChosenFile(const QUrl& url) {
    setError({});
    setPhase(Phase::loading, connectingText());
    if (!loadSession(url)) {
        setPhase(m_services.wizard.inProgress() ? Phase::onboarding : Phase::sessionPicker);
        return false;
    }
    const AppDataStore& store = m_services.store;
    if (m_services.wizard.inProgress())
        m_services.wizard.abandon();
    const QString name = store.sessionName().value_or(QString());
    const auto photo = store.sessionProfilePhotoData();
    m_services.recentFiles.add(url, name.isEmpty() ? std::nullopt : std::optional(name),
                               photo ? std::optional(photo->decoded()) : std::nullopt,
                               store.sessionProfileImageName());
    afterLoading();
    return true;
}

bool LaunchPhase::relocate(const RecentEntry& entry, const QUrl& url) {
    if (!openChosenFile(url))
        return false;
    if (RecentFilesStore::urlText(url) != entry.urlString)
        m_services.recentFiles.remove(entry.urlString);
    return true;
}

// Read before it becomes the default file: a file that cannot be read changes
// neither the open session nor the file it is saved to. Once read, the working
// copy follows it; if that save fails the session is still open and the next
// save tries again.
bool LaunchPhase::loadSession(const QUrl& url) {
    AppDataStore& store = m_services.store;
    if (const Result<> loaded = store.applyFile(url); !loaded) {
        qWarning("Erreur chargement : %s", qUtf8Printable(loaded.error()));
        setError(loadFailedText(), loaded.error());
        return false;
    }
    store.setDefaultFile(url);
    if (const Result<> saved = store.save(); !saved.ok())
        qWarning("Erreur sauvegarde : %s", qUtf8Printable(saved.error()));
    return true;
}

// The file was read and decoded once, into the store: its preferences say
// whether a code protects it (none in an older file without the key).
void LaunchPhase::afterLoading() {
    m_services.userDefaults.setValue(SessionWizard::completedKey(), true);
    const bool isProtected = !m_services.store.preferences().appPassword.isEmpty();
    setPhase(isProtected ? Phase::lockScreen : Phase::sessionOpen);
}

void LaunchPhase::resumeSession() {
    setPhase(Phase::sessionOpen);
}

void LaunchPhase::unlocked() {
    if (m_phase == Phase::lockScreen)
        setPhase(Phase::sessionOpen);
}

} // namespace velmora
