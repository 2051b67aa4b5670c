#include "core/app/ApplicationCommands.h"

#include "support/Mapped.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace velmora;
using velmora::test::mapped;
using namespace Qt::StringLiterals;

namespace {

RecentEntry entry(const QString& name) {
    RecentEntry e;
    e.urlString = u"file:///home/lea/"_s + name;
    e.displayName = name;
    return e;
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
    EXPECT_EQ(commandFromName(u"velmorashortcutnew"_s), std::nullopt);
    EXPECT_EQ(commandFromName(u"VelmoraShortcutNew "_s), std::nullopt);
    EXPECT_EQ(commandFromName(QString()), std::nullopt);
}

TEST(CommandDispatcher, PostsPlainCommandsAndRefusesThoseThatNeedAValue) {
    CommandDispatcher dispatcher;
    QSignalSpy posted(&dispatcher, &CommandDispatcher::commandPosted);

    EXPECT_TRUE(dispatcher.post(AppCommand::ShortcutSave));
    EXPECT_TRUE(dispatcher.post(u"VelmoraWindowExpand"_s));
    EXPECT_FALSE(dispatcher.post(AppCommand::OpenRecentCDB));
    EXPECT_FALSE(dispatcher.post(AppCommand::OpenCDBFile));
    EXPECT_FALSE(dispatcher.post(u"VelmoraOpenCDBFile"_s));
    EXPECT_FALSE(dispatcher.post(u"VelmoraShortcutUnknown"_s));

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

    RecentEntry chosen = entry(u"Atelier.cdb"_s);
    chosen.sessionName = u"Atelier Léa"_s;
    dispatcher.postOpenRecent(chosen);
    dispatcher.postOpenFile(QUrl::fromLocalFile(u"/tmp/Été 2025.cdb"_s));

    EXPECT_EQ(recent, chosen);
    EXPECT_EQ(file, QUrl::fromLocalFile(u"/tmp/Été 2025.cdb"_s));
    EXPECT_EQ(posted.size(), 0);
}

// Each item with its shortcut and the command it posts.
TEST(SessionMenu, ItemsShortcutsCommandsAndSeparatorsInOrder) {
    QStringList layout;
    for (const MenuItem& item : sessionMenuItems()) {
        QString line = item.kind == MenuItem::Kind::Separator ? u"---"_s : item.title;
        if (!item.shortcut.isEmpty())
            line += u" "_s + item.shortcut;
        if (item.command)
            line += u" → "_s + commandName(*item.command);
        layout.append(line);
    }
    EXPECT_EQ(
        layout,
        (QStringList{"Nouveau Ctrl+N → VelmoraShortcutNew", "Modifier Ctrl+E → VelmoraShortcutEdit",
                     "Exporter en PDF Ctrl+P → VelmoraShortcutPDF", "---",
                     "Nouvelle session → VelmoraShortcutNewSession", "---",
                     "Enregistrer Ctrl+S → VelmoraShortcutSave",
                     "Enregistrer sous… Ctrl+Shift+S → VelmoraShortcutExportCDB", "---",
                     "Ouvrir une base de données… Ctrl+O → VelmoraShortcutOpenCDB",
                     "Rechercher Ctrl+F → VelmoraShortcutFocusSearch", "Ouvert récemment"}));
    EXPECT_EQ(mapped(applicationMenuItems(), &MenuItem::title),
              (QStringList{"Vider les caches…", "Aide Velmora Core", "À propos de Velmora Core"}));
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
    const QStringList always{"Nouvelle session",
                             "Enregistrer",
                             "Enregistrer sous…",
                             "Ouvrir une base de données…",
                             "Rechercher",
                             "Ouvert récemment",
                             "Vider les caches…",
                             "Aide Velmora Core",
                             "À propos de Velmora Core"};
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
    state.setCurrentSessionURLString(u"file:///a.cdb"_s);
    state.setCurrentSessionURLString(u"file:///a.cdb"_s);
    state.setCurrentSessionURLString(std::nullopt);
    EXPECT_EQ(edit.size(), 1);
    EXPECT_EQ(url.size(), 2);
    EXPECT_EQ(state.currentSessionURLString(), std::nullopt);
}

// The open session is left out; a menu with nothing else shows the inactive line.
TEST(RecentMenu, LeavesOutTheOpenSessionAndKeepsTheOrder) {
    const QList<RecentEntry> recent{entry("A.cdb"), entry("B.cdb"), entry("C.cdb")};
    const struct {
        QList<RecentEntry> listed;
        std::optional<QString> open;
        QStringList shown;
    } cases[] = {
        {recent, std::nullopt, {"A.cdb", "B.cdb", "C.cdb"}},
        {recent, recent[1].urlString, {"A.cdb", "C.cdb"}},
        {recent, u"file:///home/lea/Z.cdb"_s, {"A.cdb", "B.cdb", "C.cdb"}},
        // Same file name in another folder is another session.
        {recent, u"file:///tmp/A.cdb"_s, {"A.cdb", "B.cdb", "C.cdb"}},
        {{recent[0]}, recent[0].urlString, {}},
        {{}, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        const RecentMenu menu = recentMenu(c.listed, c.open);
        EXPECT_EQ(mapped(menu.entries, &RecentEntry::displayName), c.shown);
        EXPECT_EQ(menu.emptyLine, c.shown.isEmpty() ? u"Aucun fichier récent"_s : QString());
        EXPECT_EQ(menu.clearTitle, u"Effacer les éléments récents"_s);
    }
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
    EXPECT_EQ(alert->title, u"Quitter la création de session ?"_s);
    EXPECT_EQ(alert->message, u"Une nouvelle session est en cours de création. Si vous fermez "
                              "maintenant, votre progression ne sera pas enregistrée."_s);
    EXPECT_EQ(alert->buttons, (QList<AlertButton>{{u"Quitter quand même"_s, AlertRole::destructive},
                                                  {u"Continuer"_s, AlertRole::cancel}}));

    launch.setOnboardingInProgress(false);
    EXPECT_EQ(quitConfirmation(launch), std::nullopt);
}
