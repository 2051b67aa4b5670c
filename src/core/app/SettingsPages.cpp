#include "core/app/SettingsPages.h"

#include "core/app/BackupSettingsForm.h"
#include "core/app/CompanySettingsForm.h"
#include "core/app/SidebarMenuEditor.h"
#include "core/security/ChangeCodeModel.h"
#include "core/store/SessionEdit.h"

namespace velmora::settingspages {

QList<SettingsPage> all() {
    return {SettingsPage::appearance, SettingsPage::company, SettingsPage::security,
            SettingsPage::backup, SettingsPage::sidebar};
}

QString windowTitle() {
    return QStringLiteral("Réglages");
}

QString title(SettingsPage page) {
    switch (page) {
    case SettingsPage::appearance:
        return QStringLiteral("Apparence");
    case SettingsPage::company:
        return CompanySettingsForm::title();
    case SettingsPage::security:
        return QStringLiteral("Sécurité");
    case SettingsPage::backup:
        return BackupSettingsForm::title();
    case SettingsPage::sidebar:
        return SidebarMenuEditor::title();
    }
    return {};
}

QString symbol(SettingsPage page) {
    switch (page) {
    case SettingsPage::appearance:
        return QStringLiteral("sparkles");
    case SettingsPage::company:
        return QStringLiteral("briefcase");
    case SettingsPage::security:
        return QStringLiteral("lock");
    case SettingsPage::backup:
        return QStringLiteral("folder");
    case SettingsPage::sidebar:
        return QStringLiteral("square.grid.2x2");
    }
    return {};
}

QString appearanceIntro() {
    return QStringLiteral("Choisissez le thème de votre espace. Il s’applique aussitôt et "
                          "s’enregistre avec la session.");
}

QString appearanceLabel() {
    return QStringLiteral("Thème\u00a0:");
}

Result<> applyAppearance(SessionEdit& edit, AppAppearanceMode mode) {
    if (edit.session().preferences.appearanceMode != mode)
        edit.preferences().appearanceMode = mode;
    return Result<>();
}

QString securityIntro() {
    return QStringLiteral("Le code d’accès est demandé à l’ouverture de la session et "
                          "lorsqu’elle est verrouillée.");
}

QString codeLabel() {
    return QStringLiteral("Code d’accès\u00a0:");
}

QString codeSummary(const QString& appPassword) {
    return appPassword.isEmpty() ? ChangeCodeModel::noCodeText() : QStringLiteral("••••••");
}

QString changeCodeButton() {
    return ChangeCodeModel::title() + QStringLiteral("…");
}

QString showCodeTooltip() {
    return QStringLiteral("Afficher le mot de passe");
}

QString hideCodeTooltip() {
    return QStringLiteral("Masquer le mot de passe");
}

QString questionsLabel() {
    return QStringLiteral("Questions de sécurité\u00a0:");
}

QString questionCountText(qsizetype count) {
    if (count <= 0)
        return QStringLiteral("Aucune question enregistrée");
    if (count == 1)
        return QStringLiteral("1 question enregistrée");
    return QStringLiteral("%1 questions enregistrées").arg(count);
}

Alert changeCodeDiscardAlert() {
    return {Alert::Kind::warning,
            ChangeCodeModel::discardTitle(),
            ChangeCodeModel::discardMessage(),
            {{ChangeCodeModel::discardConfirmButton(), AlertRole::destructive},
             {ChangeCodeModel::discardCancelButton(), AlertRole::cancel}}};
}

} // namespace velmora::settingspages
