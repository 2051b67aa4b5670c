#include "core/session/SessionFlows.h"

#include "core/platform/FileErrors.h"

#include "core/session/LaunchPhase.h"
#include "core/session/SessionWizard.h"
#include "core/store/AppDataStore.h"
#include "core/store/RecentFilesStore.h"

#include <QDir>
#include <QFileInfo>

#include <system_error>

namespace velmora {
namespace {

AlertButton ok() {
    return {QStringLiteral("OK"), AlertRole::defaultAction};
}
AlertButton cancel() {
    return {QStringLiteral("Annuler"), AlertRole::cancel};
}

Alert notice(Alert::Kind kind, QString title, QString message) {
    return {kind, std::move(title), std::move(message), {ok()}};
}

QString displayPath(const QUrl& url) {
    return QDir::toNativeSeparators(url.toLocalFile());
}

} // namespace

Alert SessionFlows::alreadyOpenAlert() {
    return notice(Alert::Kind::information, QStringLiteral("Session déjà ouverte"),
                  QStringLiteral("Ce fichier correspond à la session actuellement active."));
}

Alert SessionFlows::abandonCreationAlert() {
    return {Alert::Kind::warning,
            QStringLiteral("Ouvrir cette session ?"),
            QStringLiteral("Une création de session est en cours. Voulez-vous l'abandonner et "
                           "ouvrir ce fichier ? La progression non enregistrée sera perdue."),
            {{QStringLiteral("Ouvrir"), AlertRole::destructive}, cancel()}};
}

Alert SessionFlows::switchSessionAlert() {
    return {Alert::Kind::information,
            QStringLiteral("Changer de session ?"),
            QStringLiteral("La session actuelle sera sauvegardée automatiquement. Vous serez "
                           "redirigé vers l'écran de déverrouillage de l'autre session."),
            {{QStringLiteral("Changer de session"), AlertRole::defaultAction}, cancel()}};
}

Alert SessionFlows::logOutAlert() {
    return {Alert::Kind::information,
            QStringLiteral("Se déconnecter ?"),
            QStringLiteral("La session actuelle sera sauvegardée automatiquement. Vous reviendrez "
                           "à l'écran de sélection des sessions."),
            {{QStringLiteral("Se déconnecter"), AlertRole::defaultAction}, cancel()}};
}

Alert SessionFlows::quitDuringCreationAlert() {
    return {Alert::Kind::warning,
            QStringLiteral("Quitter la création de session ?"),
            QStringLiteral("Une nouvelle session est en cours de création. Si vous fermez "
                           "maintenant, votre progression ne sera pas enregistrée."),
            {{QStringLiteral("Quitter quand même"), AlertRole::destructive},
             {QStringLiteral("Continuer"), AlertRole::cancel}}};
}

FilePanel SessionFlows::exportPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::saveFile;
    panel.title = QStringLiteral("Exporter la base de données");
    panel.prompt = QStringLiteral("Exporter");
    panel.proposedName = QStringLiteral("Session sans titre.cdb");
    panel.extension = QStringLiteral("cdb");
    panel.canCreateFolders = true;
    return panel;
}

FilePanel SessionFlows::rescueFolderPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::chooseFolder;
    panel.title = QStringLiteral("Choisir l'emplacement de sauvegarde");
    panel.prompt = QStringLiteral("Enregistrer");
    panel.message =
        QStringLiteral("Choisissez un dossier disposant de suffisamment d'espace disque.");
    panel.canCreateFolders = true;
    return panel;
}

bool SessionFlows::isDiskFull(const QString& error) {
    return saysDiskIsFull(error);
}

Alert SessionFlows::saveFailedAlert(const QString& error) {
    const QString title = QStringLiteral("Enregistrement impossible");
    if (!isDiskFull(error))
        return notice(Alert::Kind::error, title, error);
    return {Alert::Kind::error,
            title,
            error + QStringLiteral("\n\nVoulez-vous copier votre base de données vers un "
                                   "emplacement disposant de plus d'espace, puis continuer à "
                                   "travailler depuis ce fichier ?"),
            {{QStringLiteral("Choisir un emplacement…"), AlertRole::defaultAction}, cancel()}};
}

QString SessionFlows::currentSessionUrlString() const {
    const AppDataStore& store = m_services.store;
    return RecentFilesStore::urlText(
        store.defaultCDBFileURL().value_or(QUrl::fromLocalFile(store.folder().workingCopy())));
}

std::optional<Alert> SessionFlows::checkBeforeOpening(const QUrl& url) const {
    if (m_services.wizard.inProgress())
        return abandonCreationAlert();
    if (RecentFilesStore::urlText(url) == currentSessionUrlString())
        return alreadyOpenAlert();
    return std::nullopt;
}

bool SessionFlows::openAbandoningCreation(const QUrl& url) {
    return m_services.launch.openChosenFile(url);
}

std::optional<Alert> SessionFlows::saveBeforeLeaving() {
    const Result<> saved = m_services.store.save();
    if (!saved.ok())
        return saveFailedAlert(saved.error());
    if (!saved.warning().isEmpty())
        return saveFailedAlert(saved.warning());
    return std::nullopt;
}

std::optional<Alert> SessionFlows::switchTo(const RecentEntry& entry) {
    if (auto failed = saveBeforeLeaving())
        return failed;
    return m_services.launch.openRecent(entry, LaunchPhase::Place::mainWindow);
}

std::optional<Alert> SessionFlows::logOut() {
    m_services.launch.showDisconnecting();
    if (auto failed = saveBeforeLeaving()) {
        // The session stays open so that nothing typed is lost.
        m_services.launch.resumeSession();
        return failed;
    }
    m_services.launch.showSessionList();
    return std::nullopt;
}

Alert SessionFlows::exportTo(const QUrl& file) {
    if (const Result<> exported = m_services.store.exportTo(file); !exported)
        return notice(Alert::Kind::error, QStringLiteral("Export impossible"), exported.error());
    return notice(Alert::Kind::information, QString(),
                  QStringLiteral("Base de données exportée dans :\n") + displayPath(file));
}

Alert SessionFlows::save() {
    const Result<> saved = m_services.store.save();
    if (!saved.ok())
        return saveFailedAlert(saved.error());
    if (!saved.warning().isEmpty())
        return saveFailedAlert(saved.warning());
    return notice(Alert::Kind::information, QString(),
                  QStringLiteral("La base de données a été sauvegardée."));
}

Alert SessionFlows::rescueTo(const QUrl& folder) {
    // Another file of that name in the folder is the user's: it is kept.
    const QString dir = folder.toLocalFile();
    QString target = dir + QStringLiteral("/Session sans titre.cdb");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = dir + QStringLiteral("/Session sans titre %1.cdb").arg(n);
    const QUrl file = QUrl::fromLocalFile(target);

    AppDataStore& store = m_services.store;
    if (const Result<> copied = store.exportTo(file); !copied)
        return notice(Alert::Kind::error, QStringLiteral("Copie impossible"), copied.error());
    store.setDefaultFile(file);
    store.saveInBackground();
    const QString name = store.sessionName().value_or(QString());
    const auto photo = store.sessionProfilePhotoData();
    m_services.recentFiles.add(file, name.isEmpty() ? std::nullopt : std::optional(name),
                               photo ? std::optional(photo->decoded()) : std::nullopt,
                               store.sessionProfileImageName());
    return notice(Alert::Kind::information, QStringLiteral("Fichier déplacé"),
                  QStringLiteral("La base de données est maintenant enregistrée dans :\n") +
                      displayPath(file));
}

} // namespace velmora
