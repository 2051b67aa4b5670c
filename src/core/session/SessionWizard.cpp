#include "core/session/SessionWizard.h"

#include "core/accounting/RecipeBookHeaderForm.h"
#include "core/app/CompanySettingsForm.h"
#include "core/model/SectionDescriptor.h"
#include "core/store/AppDataStore.h"
#include "core/store/RecentFilesStore.h"

#include <QFileInfo>

#include <algorithm>

namespace velmora {

QString SessionWizard::title(Step step) {
    switch (step) {
    case Step::appearance:
        return QStringLiteral("Choisissez l'apparence");
    case Step::identity:
        return QStringLiteral("Identité de la session");
    case Step::location:
        return QStringLiteral("Emplacement de votre base");
    case Step::accessCode:
        return QStringLiteral("Code d'accès");
    case Step::securityQuestions:
        return QStringLiteral("Questions de sécurité");
    case Step::modules:
        return QStringLiteral("Personnalisez votre espace");
    case Step::company:
        return QStringLiteral("Informations entreprise");
    case Step::end:
        break;
    }
    return {};
}

QString SessionWizard::text(Step step) {
    switch (step) {
    case Step::appearance:
        return QStringLiteral(
            "Sélectionnez le thème de votre espace.\nVous pourrez le modifier dans les réglages.");
    case Step::identity:
        return QStringLiteral("Donnez un nom à cette session et ajoutez une photo.\nLe nom "
                              "s'affichera sur l'écran de verrouillage et la barre d'onglets.");
    case Step::location:
        return QStringLiteral("Choisissez où enregistrer votre fichier .cdb.\nCelui-ci contiendra "
                              "toutes vos données.");
    case Step::accessCode:
        return QStringLiteral("Créez un code pour protéger votre session.\nIl vous sera demandé à "
                              "l'ouverture du logiciel.");
    case Step::securityQuestions:
        return QStringLiteral("Ajoutez au moins une question de sécurité.\nElle vous permettra de "
                              "récupérer votre code en cas d'oubli.");
    case Step::modules:
        return QStringLiteral("Activez ou désactivez les modules selon vos besoins.\nVous pourrez "
                              "modifier ces réglages à tout moment.");
    case Step::company:
        return QStringLiteral("Ces informations apparaîtront sur vos factures, devis et livre de "
                              "recettes.\nModifiables à tout moment dans les réglages.");
    case Step::end:
        return QStringLiteral("Tout est configuré. Vous pouvez commencer à utiliser Velmora Core.");
    }
    return {};
}

QStringList SessionWizard::presetImageNames() {
    return {QStringLiteral("image_audiovisuel"),  QStringLiteral("image_automobile"),
            QStringLiteral("image_enseignement"), QStringLiteral("image_esthetique"),
            QStringLiteral("image_immobilier"),   QStringLiteral("image_informatique"),
            QStringLiteral("image_photographie"), QStringLiteral("image_sport_bienetre")};
}

FilePanel SessionWizard::locationPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::saveFile;
    panel.title = QStringLiteral("Choisir l'emplacement de votre base de données");
    panel.prompt = QStringLiteral("Choisir");
    panel.proposedName = QStringLiteral("Session sans titre.cdb");
    panel.extension = QStringLiteral("cdb");
    panel.canCreateFolders = true;
    return panel;
}

SessionWizard::SessionWizard(Services services, QObject* parent)
    : QObject(parent), m_services(services) {}

void SessionWizard::start() {
    // Also forgets the default file, so nothing overwrites the previous one.
    m_services.store.newSession();
    m_sessionName.clear();
    m_photo.reset();
    m_presetImage.reset();
    m_location.reset();
    setError({});
    setInProgress(true);
    goTo(Step::appearance);
}

void SessionWizard::abandon() {
    setError({});
    setInProgress(false);
}

void SessionWizard::goTo(Step step) {
    if (m_step == step)
        return;
    m_step = step;
    emit stepChanged();
}

void SessionWizard::setError(const QString& message) {
    if (m_error == message)
        return;
    m_error = message;
    emit errorChanged();
}

void SessionWizard::setInProgress(bool inProgress) {
    if (m_inProgress == inProgress)
        return;
    m_inProgress = inProgress;
    emit inProgressChanged(inProgress);
}

// A step whose answers could not be written stays, with the reason shown.
bool SessionWizard::show(const Result<>& saved) {
    setError(saved.ok() ? QString() : saved.error());
    return saved.ok();
}

void SessionWizard::back() {
    if (m_step == Step::appearance)
        return;
    setError({});
    // The questions step was skipped along with the code.
    if (m_step == Step::modules && m_services.store.preferences().appPassword.isEmpty()) {
        goTo(Step::accessCode);
        return;
    }
    goTo(Step(int(m_step) - 1));
}

void SessionWizard::setAppearance(AppAppearanceMode mode) {
    show(m_services.store.edit([&](SessionEdit& edit) {
        edit.preferences().appearanceMode = mode;
        return Result<>();
    }));
}

void SessionWizard::continueFromAppearance() {
    goTo(Step::identity);
}

void SessionWizard::setSessionName(const QString& name) {
    m_sessionName = name;
}

void SessionWizard::choosePhoto(const QByteArray& photo) {
    m_photo = photo;
    m_presetImage.reset();
}

bool SessionWizard::choosePresetImage(const QString& name) {
    if (!presetImageNames().contains(name))
        return false;
    m_presetImage = name;
    m_photo.reset();
    return true;
}

void SessionWizard::removeImage() {
    m_photo.reset();
    m_presetImage.reset();
}

bool SessionWizard::canContinueFromIdentity() const {
    return !m_sessionName.trimmed().isEmpty();
}

bool SessionWizard::continueFromIdentity() {
    if (!canContinueFromIdentity())
        return false;
    goTo(Step::location);
    return true;
}

bool SessionWizard::chooseLocation(const QUrl& file) {
    if (!file.isLocalFile()) {
        m_location.reset();
        return false;
    }
    QString path = file.toLocalFile();
    if (QFileInfo(path).suffix().compare(QLatin1String("cdb"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".cdb");
    const auto free = m_services.freeSpace.availableBytes(QFileInfo(path).absolutePath());
    if (free && *free < minimumFreeBytes) {
        m_location.reset();
        setError(insufficientSpaceMessage());
        return false;
    }
    m_location = QUrl::fromLocalFile(path);
    setError({});
    return true;
}

bool SessionWizard::continueFromLocation() {
    if (!m_location)
        return false;
    AppDataStore& store = m_services.store;
    store.setDefaultFile(*m_location);
    const Result<> saved = store.save();
    // The chosen file is the session's home: a session not written there is
    // not created there.
    const QString problem = !saved.ok() ? saved.error() : saved.warning();
    if (!problem.isEmpty()) {
        store.clearDefaultFile();
        setError(problem);
        return false;
    }
    setError({});
    goTo(Step::accessCode);
    return true;
}

bool SessionWizard::finishAccessCode(const Result<>& outcome) {
    return advanceOn(outcome, Step::securityQuestions);
}

bool SessionWizard::finishWithoutCode(const Result<>& outcome) {
    return advanceOn(outcome, Step::modules);
}

bool SessionWizard::finishSecurityQuestions(const Result<>& outcome) {
    return advanceOn(outcome, Step::modules);
}

// A step whose model already saved: its failure stays on the step.
bool SessionWizard::advanceOn(const Result<>& outcome, Step next) {
    if (!outcome) {
        setError(outcome.error());
        return false;
    }
    setError({});
    goTo(next);
    return true;
}

QList<LaunchModuleCard> SessionWizard::modules() const {
    const QList<SidebarMenuItemConfig>& items = m_services.store.preferences().sidebarMenuItems;
    QList<const SectionDescriptor*> offered;
    for (const SectionDescriptor& section : sectionDescriptors())
        if (section.wizard)
            offered.append(&section);
    std::sort(offered.begin(), offered.end(),
              [](const auto* a, const auto* b) { return a->wizard->rank < b->wizard->rank; });
    QList<LaunchModuleCard> cards;
    for (const SectionDescriptor* section : std::as_const(offered)) {
        LaunchModuleCard card{section->key, section->name, section->wizard->symbol, true};
        for (const SidebarMenuItemConfig& item : items) {
            if (item.defaultKey == card.id)
                card.isEnabled = item.isEnabled;
        }
        cards.append(card);
    }
    return cards;
}

void SessionWizard::setModuleEnabled(const QString& id, bool enabled) {
    if (id == QLatin1String("dashboard"))
        return;
    show(m_services.store.edit([&](SessionEdit& edit) {
        for (SidebarMenuItemConfig& item : edit.preferences().sidebarMenuItems) {
            if (item.defaultKey == id)
                item.isEnabled = enabled;
        }
        return Result<>();
    }));
}

void SessionWizard::continueFromModules() {
    goTo(Step::company);
}

bool SessionWizard::saveCompany(const WizardCompanyIdentity& identity) {
    using Field = CompanySettingsForm::Field;
    const std::pair<Field, QString CompanySettings::*> fields[] = {
        {Field::displayName, &CompanySettings::displayName},
        {Field::ownerName, &CompanySettings::ownerName},
        {Field::legalStatus, &CompanySettings::legalStatus},
        {Field::siret, &CompanySettings::siret},
        {Field::addressLine1, &CompanySettings::addressLine1},
        {Field::addressLine2, &CompanySettings::addressLine2},
    };
    CompanySettings typed;
    typed.displayName = identity.displayName;
    typed.ownerName = identity.ownerName;
    typed.legalStatus = identity.legalStatus;
    typed.siret = identity.siret;
    typed.addressLine1 = identity.addressLine1;
    typed.addressLine2 = identity.addressLine2;
    // The settings' own rules: what passes here passes there.
    QString refusal;
    for (const auto& [field, member] : fields)
        if (refusal.isEmpty())
            refusal = CompanySettingsForm::checkText(field, typed.*member);
    if (refusal.isEmpty() && identity.logo)
        refusal = CompanySettingsForm::checkLogo(*identity.logo);
    setError(refusal);
    if (!refusal.isEmpty())
        return false;

    const Result<> saved = m_services.store.edit([&](SessionEdit& edit) {
        CompanySettings& company = edit.companySettings();
        for (const auto& [field, member] : fields)
            company.*member = CompanySettingsForm::writtenText(field, typed.*member);
        company.acceptedPaymentMethods = identity.acceptedPaymentMethods;
        // The recipe book prints a company block of its own: the same details.
        edit.accountingRecipeSettings() =
            recipeHeaderFromCompany(company, edit.session().accountingRecipeSettings);
        if (identity.logo) {
            // Inside the media folder the logo travels with the session file; a
            // logo that cannot be copied is brought in at the next load.
            const Result<QUrl> imported =
                edit.importMedia(*identity.logo, false, QStringLiteral("logo"));
            edit.preferences().invoiceLogoURL = imported ? imported.value() : *identity.logo;
        }
        return Result<>();
    });
    if (!show(saved))
        return false;
    goTo(Step::end);
    return true;
}

void SessionWizard::skipCompany() {
    setError({});
    goTo(Step::end);
}

bool SessionWizard::finish() {
    AppDataStore& store = m_services.store;
    m_services.userDefaults.setValue(completedKey(), true);
    setInProgress(false);
    const Result<> saved = store.edit([&](SessionEdit& edit) {
        const QString name = m_sessionName.trimmed();
        edit.sessionName() = name.isEmpty() ? std::nullopt : std::optional(name);
        edit.sessionProfileImageName() = m_presetImage;
        edit.sessionProfilePhotoData() = !m_presetImage && m_photo
                                             ? std::optional(Base64Data::fromBytes(*m_photo))
                                             : std::nullopt;
        edit.preferences().tutorialShouldShowIntro = true;
        return Result<>();
    });
    if (!show(saved)) {
        setInProgress(true);
        return false;
    }
    const QUrl file =
        store.defaultCDBFileURL().value_or(QUrl::fromLocalFile(store.folder().workingCopy()));
    m_services.recentFiles.add(file, store.sessionName().value_or(QString()),
                               m_presetImage ? std::nullopt : m_photo, m_presetImage);
    setError({});
    emit finished();
    return true;
}

} // namespace velmora
