#include "core/app/ApplicationCommands.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace velmora;

namespace {

RecentEntry entry(const QString& name) {
    RecentEntry e;
    e.urlString = QStringLiteral("file:///home/lea/") + name;
    e.displayName = name;
    return e;
}

QStringList namesOf(const QList<RecentEntry>& entries) {
    QStringList names;
    for (const RecentEntry& e : entries)
        names.append(e.displayName);
    return names;
}

} // namespace

TEST(AppCommandNames, AreTheNotificationNamesAndReadBack) {
    const QStringList expected{
        "VelmoraShortcutNew",         "VelmoraShortcutEdit",       "VelmoraShortcutPDF",
        "VelmoraShortcutSave",        "VelmoraShortcutExportCDB",  "VelmoraShortcutOpenCDB",
        "VelmoraShortcutFocusSearch", "VelmoraShortcutNewSession", "VelmoraOpenRecentCDB",
        "VelmoraOpenCDBFile",         "VelmoraWindowExpand",
    };
    QStringList names;
    for (AppCommand command : allCommands()) {
        names.append(commandName(command));
        EXPECT_EQ(commandFromName(commandName(command)), command);
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(commandFromName(QStringLiteral("velmorashortcutnew")), std::nullopt);
    EXPECT_EQ(commandFromName(QStringLiteral("VelmoraShortcutNew ")), std::nullopt);
    EXPECT_EQ(commandFromName(QString()), std::nullopt);
}

TEST(CommandDispatcher, PostsPlainCommandsAndRefusesThoseThatNeedAValue) {
    CommandDispatcher dispatcher;
    QSignalSpy posted(&dispatcher, &CommandDispatcher::commandPosted);

    EXPECT_TRUE(dispatcher.post(AppCommand::ShortcutSave));
    EXPECT_TRUE(dispatcher.post(QStringLiteral("VelmoraWindowExpand")));
    EXPECT_FALSE(dispatcher.post(AppCommand::OpenRecentCDB));
    EXPECT_FALSE(dispatcher.post(AppCommand::OpenCDBFile));
    EXPECT_FALSE(dispatcher.post(QStringLiteral("VelmoraOpenCDBFile")));
    EXPECT_FALSE(dispatcher.post(QStringLiteral("VelmoraShortcutUnknown")));

    ASSERT_EQ(posted.size(), 2);
    EXPECT_EQ(posted[0][0].value<AppCommand>(), AppCommand::ShortcutSave);
    EXPECT_EQ(posted[1][0].value<AppCommand>(), AppCommand::WindowExpand);
}

TEST(CommandDispatcher, OpenRecentCarriesTheEntryAndOpenFileItsUrl) {
    CommandDispatcher dispatcher;
    std::optional<RecentEntry> recent;
    std::optional<QUrl> file;
    QObject::connect(&dispatcher, &CommandDispatcher::openRecentRequested,
                     [&](const RecentEntry& e) { recent = e; });
    QObject::connect(&dispatcher, &CommandDispatcher::openFileRequested,
                     [&](const QUrl& url) { file = url; });
    QSignalSpy posted(&dispatcher, &CommandDispatcher::commandPosted);

    RecentEntry chosen = entry(QStringLiteral("Atelier.cdb"));
    chosen.sessionName = QStringLiteral("Atelier Léa");
    dispatcher.postOpenRecent(chosen);
    dispatcher.postOpenFile(QUrl::fromLocalFile(QStringLiteral("/tmp/Été 2025.cdb")));

    EXPECT_EQ(recent, chosen);
    EXPECT_EQ(file, QUrl::fromLocalFile(QStringLiteral("/tmp/Été 2025.cdb")));
    EXPECT_EQ(posted.size(), 0);
}

TEST(SessionMenu, ItemsShortcutsAndSeparatorsInOrder) {
    QStringList layout;
    for (const MenuItem& item : sessionMenuItems()) {
        if (item.kind == MenuItem::Kind::Separator)
            layout.append(QStringLiteral("---"));
        else
            layout.append(item.title + (item.shortcut.isEmpty()
                                            ? QString()
                                            : QStringLiteral(" ") + item.shortcut));
    }
    EXPECT_EQ(layout, (QStringList{"Nouveau Ctrl+N", "Modifier Ctrl+E", "Exporter en PDF Ctrl+P",
                                   "---", "Nouvelle session", "---", "Enregistrer Ctrl+S",
                                   "Enregistrer sous… Ctrl+Shift+S", "---",
                                   "Ouvrir une base de données… Ctrl+O", "Rechercher Ctrl+F",
                                   "Ouvert récemment"}));

    QStringList app;
    for (const MenuItem& item : applicationMenuItems())
        app.append(item.title);
    EXPECT_EQ(app, (QStringList{"Vider les caches…", "Aide Velmora Core"}));
}

TEST(SessionMenu, EachItemPostsItsOwnCommand) {
    QList<std::pair<QString, QString>> posted;
    for (const MenuItem& item : sessionMenuItems())
        if (item.command)
            posted.append({item.title, commandName(*item.command)});
    const QList<std::pair<QString, QString>> expected{
        {"Nouveau", "VelmoraShortcutNew"},
        {"Modifier", "VelmoraShortcutEdit"},
        {"Exporter en PDF", "VelmoraShortcutPDF"},
        {"Nouvelle session", "VelmoraShortcutNewSession"},
        {"Enregistrer", "VelmoraShortcutSave"},
        {"Enregistrer sous…", "VelmoraShortcutExportCDB"},
        {"Ouvrir une base de données…", "VelmoraShortcutOpenCDB"},
        {"Rechercher", "VelmoraShortcutFocusSearch"},
    };
    EXPECT_EQ(posted, expected);
}

TEST(SessionMenu, RecordItemsFollowTheirFlagAndSessionItemsAreAlwaysActive) {
    MenuCommandsState state;
    const auto enabledTitles = [&] {
        QStringList titles;
        for (const MenuItem& item : sessionMenuItems() + applicationMenuItems())
            if (item.kind != MenuItem::Kind::Separator && isEnabled(item, state))
                titles.append(item.title);
        return titles;
    };
    const QStringList always{
        "Nouvelle session", "Enregistrer",      "Enregistrer sous…", "Ouvrir une base de données…",
        "Rechercher",       "Ouvert récemment", "Vider les caches…", "Aide Velmora Core"};
    EXPECT_EQ(enabledTitles(), always);

    // "Modifier" stays inactive without a selected record, whatever the screen allows.
    state.setCanNew(true);
    state.setCanPDF(true);
    EXPECT_EQ(enabledTitles(), QStringList({"Nouveau", "Exporter en PDF"}) + always);

    state.setCanNew(false);
    state.setCanPDF(false);
    state.setCanEdit(true);
    EXPECT_EQ(enabledTitles(), QStringList({"Modifier"}) + always);
}

TEST(MenuCommandsState, SignalsOnlyRealChanges) {
    MenuCommandsState state;
    QSignalSpy edit(&state, &MenuCommandsState::canEditChanged);
    QSignalSpy url(&state, &MenuCommandsState::currentSessionURLStringChanged);
    state.setCanEdit(false);
    state.setCanEdit(true);
    state.setCanEdit(true);
    state.setCurrentSessionURLString(std::nullopt);
    state.setCurrentSessionURLString(QStringLiteral("file:///a.cdb"));
    state.setCurrentSessionURLString(QStringLiteral("file:///a.cdb"));
    state.setCurrentSessionURLString(std::nullopt);
    EXPECT_EQ(edit.size(), 1);
    EXPECT_EQ(url.size(), 2);
    EXPECT_EQ(state.currentSessionURLString(), std::nullopt);
}

TEST(RecentMenu, LeavesOutTheOpenSessionAndKeepsTheOrder) {
    const QList<RecentEntry> recent{entry("A.cdb"), entry("B.cdb"), entry("C.cdb")};

    const RecentMenu withoutCurrent = recentMenu(recent, std::nullopt);
    EXPECT_EQ(namesOf(withoutCurrent.entries), (QStringList{"A.cdb", "B.cdb", "C.cdb"}));
    EXPECT_EQ(withoutCurrent.emptyLine, QString());
    EXPECT_EQ(withoutCurrent.clearTitle, QStringLiteral("Effacer les éléments récents"));

    const RecentMenu middleOpen = recentMenu(recent, recent[1].urlString);
    EXPECT_EQ(namesOf(middleOpen.entries), (QStringList{"A.cdb", "C.cdb"}));

    const RecentMenu unlisted = recentMenu(recent, QStringLiteral("file:///home/lea/Z.cdb"));
    EXPECT_EQ(namesOf(unlisted.entries), (QStringList{"A.cdb", "B.cdb", "C.cdb"}));

    // Same file name in another folder is another session.
    const RecentMenu otherFolder = recentMenu(recent, QStringLiteral("file:///tmp/A.cdb"));
    EXPECT_EQ(otherFolder.entries.size(), 3);
}

TEST(RecentMenu, OnlyTheOpenSessionOrNothingShowsTheInactiveLine) {
    const QList<RecentEntry> onlyOpen{entry("Atelier.cdb")};
    const RecentMenu menu = recentMenu(onlyOpen, onlyOpen[0].urlString);
    EXPECT_TRUE(menu.entries.isEmpty());
    EXPECT_EQ(menu.emptyLine, QStringLiteral("Aucun fichier récent"));
    EXPECT_EQ(menu.clearTitle, QStringLiteral("Effacer les éléments récents"));

    const RecentMenu empty = recentMenu({}, std::nullopt);
    EXPECT_EQ(empty.emptyLine, QStringLiteral("Aucun fichier récent"));
    EXPECT_EQ(empty.clearTitle, QStringLiteral("Effacer les éléments récents"));
}

TEST(QuitConfirmation, AskedOnlyWhileASessionIsBeingCreated) {
    AppLaunchState launch;
    EXPECT_EQ(quitConfirmation(launch), std::nullopt);

    QSignalSpy changed(&launch, &AppLaunchState::onboardingInProgressChanged);
    launch.setOnboardingInProgress(true);
    launch.setOnboardingInProgress(true);
    EXPECT_EQ(changed.size(), 1);

    const auto alert = quitConfirmation(launch);
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->title, QStringLiteral("Quitter la création de session ?"));
    EXPECT_EQ(alert->message,
              QStringLiteral("Une nouvelle session est en cours de création. Si vous fermez "
                             "maintenant, votre progression ne sera pas enregistrée."));
    EXPECT_EQ(alert->buttons,
              (QList<AlertButton>{{QStringLiteral("Quitter quand même"), AlertRole::destructive},
                                  {QStringLiteral("Continuer"), AlertRole::cancel}}));

    launch.setOnboardingInProgress(false);
    EXPECT_EQ(quitConfirmation(launch), std::nullopt);
}
