#include "core/app/ApplicationCommands.h"

#include "core/app/UpdateChecker.h"
#include "core/session/SessionFlows.h"

namespace velmora {
namespace {

struct CommandName {
    AppCommand command;
    const char* name;
};

constexpr CommandName kCommandNames[] = {
    {AppCommand::ShortcutNew, "VelmoraShortcutNew"},
    {AppCommand::ShortcutEdit, "VelmoraShortcutEdit"},
    {AppCommand::ShortcutPDF, "VelmoraShortcutPDF"},
    {AppCommand::ShortcutSave, "VelmoraShortcutSave"},
    {AppCommand::ShortcutExportCDB, "VelmoraShortcutExportCDB"},
    {AppCommand::ShortcutOpenCDB, "VelmoraShortcutOpenCDB"},
    {AppCommand::ShortcutFocusSearch, "VelmoraShortcutFocusSearch"},
    {AppCommand::ShortcutNewSession, "VelmoraShortcutNewSession"},
    {AppCommand::OpenRecentCDB, "VelmoraOpenRecentCDB"},
    {AppCommand::OpenCDBFile, "VelmoraOpenCDBFile"},
    {AppCommand::WindowExpand, "VelmoraWindowExpand"},
};

bool carriesValue(AppCommand command) {
    return command == AppCommand::OpenRecentCDB || command == AppCommand::OpenCDBFile;
}

MenuItem commandItem(const char* title, const char* shortcut, AppCommand command,
                     MenuItem::EnabledWhen when = MenuItem::EnabledWhen::Always) {
    MenuItem item;
    item.title = QString::fromUtf8(title);
    item.shortcut = QString::fromLatin1(shortcut);
    item.command = command;
    item.enabledWhen = when;
    return item;
}

MenuItem otherItem(MenuItem::Kind kind, const char* title = "") {
    MenuItem item;
    item.kind = kind;
    item.title = QString::fromUtf8(title);
    return item;
}

} // namespace

QString commandName(AppCommand command) {
    for (const auto& entry : kCommandNames)
        if (entry.command == command)
            return QString::fromLatin1(entry.name);
    return QString();
}

std::optional<AppCommand> commandFromName(const QString& name) {
    for (const auto& entry : kCommandNames)
        if (name == QLatin1String(entry.name))
            return entry.command;
    return std::nullopt;
}

QList<AppCommand> allCommands() {
    QList<AppCommand> commands;
    for (const auto& entry : kCommandNames)
        commands.append(entry.command);
    return commands;
}

void MenuCommandsState::setCanNew(bool value) {
    if (m_canNew == value)
        return;
    m_canNew = value;
    emit canNewChanged();
}

void MenuCommandsState::setCanEdit(bool value) {
    if (m_canEdit == value)
        return;
    m_canEdit = value;
    emit canEditChanged();
}

void MenuCommandsState::setCanPDF(bool value) {
    if (m_canPDF == value)
        return;
    m_canPDF = value;
    emit canPDFChanged();
}

void MenuCommandsState::setCurrentSessionURLString(const std::optional<QString>& value) {
    if (m_currentSession == value)
        return;
    m_currentSession = value;
    emit currentSessionURLStringChanged();
}

void AppLaunchState::setOnboardingInProgress(bool value) {
    if (m_onboarding == value)
        return;
    m_onboarding = value;
    emit onboardingInProgressChanged();
}

void AppLaunchState::setSplashCompleted(bool value) {
    if (m_splashCompleted == value)
        return;
    m_splashCompleted = value;
    emit splashCompletedChanged();
}

bool CommandDispatcher::post(AppCommand command) {
    if (carriesValue(command))
        return false;
    emit commandPosted(command);
    return true;
}

bool CommandDispatcher::post(const QString& name) {
    const auto command = commandFromName(name);
    return command && post(*command);
}

void CommandDispatcher::postOpenRecent(const RecentEntry& entry) {
    emit openRecentRequested(entry);
}

void CommandDispatcher::postOpenFile(const QUrl& url) {
    emit openFileRequested(url);
}

QList<MenuItem> sessionMenuItems() {
    using Kind = MenuItem::Kind;
    using When = MenuItem::EnabledWhen;
    return {
        commandItem("Nouveau", "Ctrl+N", AppCommand::ShortcutNew, When::CanNew),
        commandItem("Modifier", "Ctrl+E", AppCommand::ShortcutEdit, When::CanEdit),
        commandItem("Exporter en PDF", "Ctrl+P", AppCommand::ShortcutPDF, When::CanPDF),
        otherItem(Kind::Separator),
        commandItem("Nouvelle session", "", AppCommand::ShortcutNewSession),
        otherItem(Kind::Separator),
        commandItem("Enregistrer", "Ctrl+S", AppCommand::ShortcutSave),
        commandItem("Enregistrer sous…", "Ctrl+Shift+S", AppCommand::ShortcutExportCDB),
        otherItem(Kind::Separator),
        commandItem("Ouvrir une base de données…", "Ctrl+O", AppCommand::ShortcutOpenCDB),
        commandItem("Rechercher", "Ctrl+F", AppCommand::ShortcutFocusSearch),
        otherItem(Kind::RecentSubmenu, "Ouvert récemment"),
    };
}

QList<MenuItem> applicationMenuItems() {
    using Kind = MenuItem::Kind;
    return {otherItem(Kind::ClearCaches, "Vider les caches…"),
            otherItem(Kind::Help, "Aide Velmora Core"),
            otherItem(Kind::About, "À propos de Velmora Core")};
}

Alert aboutAlert() {
    Alert about =
        okAlert(QStringLiteral("À propos de Velmora Core"),
                QStringLiteral("Velmora Core %1").arg(runningVersion()), Alert::Kind::information);
    about.informativeText =
        QStringLiteral("L’administration d’une micro-entreprise dans un seul fichier de session : "
                       "clients, devis et factures, livre de recettes, déclarations URSSAF.");
    return about;
}

bool isEnabled(const MenuItem& item, const MenuCommandsState& state) {
    switch (item.enabledWhen) {
    case MenuItem::EnabledWhen::CanNew:
        return state.canNew();
    case MenuItem::EnabledWhen::CanEdit:
        return state.canEdit();
    case MenuItem::EnabledWhen::CanPDF:
        return state.canPDF();
    case MenuItem::EnabledWhen::Always:
        break;
    }
    return true;
}

RecentMenu recentMenu(const QList<RecentEntry>& recentEntries,
                      const std::optional<QString>& currentSessionURLString) {
    RecentMenu menu;
    for (const RecentEntry& entry : recentEntries)
        if (!currentSessionURLString || entry.urlString != *currentSessionURLString)
            menu.entries.append(entry);
    if (menu.entries.isEmpty())
        menu.emptyLine = QStringLiteral("Aucun fichier récent");
    menu.clearTitle = QStringLiteral("Effacer les éléments récents");
    return menu;
}

std::optional<Alert> quitConfirmation(const AppLaunchState& launch) {
    if (!launch.onboardingInProgress())
        return std::nullopt;
    return SessionFlows::quitDuringCreationAlert();
}

} // namespace velmora
