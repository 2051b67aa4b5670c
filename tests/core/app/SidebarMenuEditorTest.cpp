#include "core/app/SidebarMenuEditor.h"
#include "core/app/SidebarMenu.h"
#include "support/Mapped.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"
#include "support/SessionChange.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

QStringList keysOf(const QList<SidebarMenuItemConfig>& items) {
    return mapped(items, &SidebarMenuItemConfig::defaultKey);
}

QStringList defaultKeys() {
    return keysOf(SidebarMenuItemConfig::defaults());
}

class SidebarMenuEditorTest : public MirroredStoreFixture {
protected:
    void setStoredItems(const QList<SidebarMenuItemConfig>& items) {
        AppPreferences prefs = store->preferences();
        prefs.sidebarMenuItems = items;
        test::changeSession(*store, [&](SessionEdit& e) { e.preferences() = prefs; });
        ASSERT_TRUE(store->save().ok());
    }
    qsizetype rowOf(const SidebarMenuEditor& editor, const QString& key) {
        return keysOf(editor.items()).indexOf(key);
    }
};

} // namespace

TEST_F(SidebarMenuEditorTest, StartsFromTheDefaultsWhenTheSessionHasNoItems) {
    setStoredItems({});
    SidebarMenuEditor editor(store->preferences());
    EXPECT_EQ(keysOf(editor.items()), defaultKeys());
    EXPECT_EQ(editor.items()[0].displayName, u"Tableau de bord"_s);
    // Writing them makes the defaults the session's own list.
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return editor.apply(e); }).ok());
    EXPECT_EQ(keysOf(onDisk().preferences.sidebarMenuItems), defaultKeys());
}

TEST_F(SidebarMenuEditorTest, MovesWithinTheListOnly) {
    SidebarMenuEditor editor(store->preferences());
    const qsizetype last = editor.count() - 1;
    EXPECT_FALSE(editor.canMoveUp(0));
    EXPECT_FALSE(editor.moveUp(0));
    EXPECT_FALSE(editor.canMoveDown(last));
    EXPECT_FALSE(editor.moveDown(last));
    EXPECT_FALSE(editor.moveUp(-1));
    EXPECT_FALSE(editor.moveDown(editor.count()));
    EXPECT_FALSE(editor.move(0, editor.count()));
    EXPECT_FALSE(editor.move(-1, 0));
    EXPECT_EQ(keysOf(editor.items()), defaultKeys());
    EXPECT_FALSE(editor.hasChanges());

    ASSERT_TRUE(editor.moveDown(0));
    ASSERT_TRUE(editor.moveUp(last));
    ASSERT_TRUE(editor.move(1, 0)); // the dashboard back on top
    QStringList expected = defaultKeys();
    expected.move(last, last - 1);
    EXPECT_EQ(keysOf(editor.items()), expected);
    EXPECT_TRUE(editor.hasChanges());
}

TEST_F(SidebarMenuEditorTest, WritesTheOrderNamesAndSwitchesInOneSave) {
    setStoredItems(SidebarMenuItemConfig::defaults());
    const QList<SidebarMenuItemConfig> before = store->preferences().sidebarMenuItems;
    SidebarMenuEditor editor(store->preferences());
    const qsizetype calendar = rowOf(editor, u"calendar"_s);
    ASSERT_TRUE(editor.move(calendar, 1));
    EXPECT_EQ(editor.setName(1, u"  Agenda \n"_s), QString());
    EXPECT_EQ(editor.setEnabled(rowOf(editor, u"stock"_s), false), QString());
    const int writesBefore = m_fs.attempts(FaultyFileSystem::Op::Write);

    const Result<> result = store->edit([&](SessionEdit& e) { return editor.apply(e); });
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    // The working copy and the user's file, once each.
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write) - writesBefore, 2);

    const QList<SidebarMenuItemConfig> written = onDisk().preferences.sidebarMenuItems;
    ASSERT_EQ(written.size(), 9);
    EXPECT_EQ(written, store->preferences().sidebarMenuItems);
    EXPECT_EQ(written[1].defaultKey, u"calendar"_s);
    EXPECT_EQ(written[1].displayName, u"Agenda"_s);
    EXPECT_EQ(written[1].systemName, u"calendar"_s);
    for (const SidebarMenuItemConfig& item : written) {
        EXPECT_EQ(item.isEnabled, item.defaultKey != u"stock"_s) << item.defaultKey.toStdString();
        // Ids are kept so that the main window still finds its sections.
        const auto same = std::find_if(before.begin(), before.end(), [&](const auto& b) {
            return b.defaultKey == item.defaultKey;
        });
        ASSERT_NE(same, before.end());
        EXPECT_EQ(same->id, item.id);
    }
    // The editor now shows the session as written.
    EXPECT_FALSE(editor.hasChanges());
    EXPECT_EQ(editor.items()[1].displayName, u"Agenda"_s);
}

TEST_F(SidebarMenuEditorTest, RefusesAnEmptyNameAndChangesNothing) {
    SidebarMenuEditor editor(store->preferences());
    const QByteArray fileBefore = readBytes(workingCopy());
    const AppPreferences prefsBefore = store->preferences();
    EXPECT_EQ(editor.setName(0, u"Accueil"_s), QString());
    EXPECT_EQ(editor.setName(3, u" \t\n"_s), u"Le nom ne peut pas être vide."_s);
    // What was typed stays in the field.
    EXPECT_EQ(editor.items()[3].displayName, u" \t\n"_s);
    qsizetype row = -2;
    EXPECT_EQ(editor.validate(&row), u"Le nom ne peut pas être vide."_s);
    EXPECT_EQ(row, 3);

    const Result<> result = store->edit([&](SessionEdit& e) { return editor.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::invalid);
    EXPECT_EQ(result.error(), u"Le nom ne peut pas être vide."_s);
    EXPECT_EQ(store->preferences(), prefsBefore);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);

    EXPECT_EQ(editor.setName(3, u"Devis et factures"_s), QString());
    EXPECT_EQ(editor.validate(&row), QString());
    EXPECT_EQ(row, -1);
}

TEST_F(SidebarMenuEditorTest, TheDashboardCannotBeSwitchedOff) {
    SidebarMenuEditor editor(store->preferences());
    ASSERT_TRUE(editor.move(0, 4));
    const QString refused = u"Le tableau de bord ne peut pas être désactivé\u00a0: la "
                            "session s’ouvre sur lui et y revient au verrouillage."_s;
    EXPECT_TRUE(editor.isDashboard(4));
    EXPECT_EQ(editor.setEnabled(4, false), refused);
    EXPECT_TRUE(editor.items()[4].isEnabled);
    // Every other section may go, leaving the dashboard alone.
    for (qsizetype row = 0; row < editor.count(); ++row) {
        if (!editor.isDashboard(row)) {
            EXPECT_EQ(editor.setEnabled(row, false), QString());
        }
    }
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return editor.apply(e); }).ok());
    qsizetype enabled = 0;
    for (const SidebarMenuItemConfig& item : onDisk().preferences.sidebarMenuItems)
        enabled += item.isEnabled ? 1 : 0;
    EXPECT_EQ(enabled, 1);
    EXPECT_TRUE(onDisk().preferences.sidebarMenuItems[4].isEnabled);
}

TEST_F(SidebarMenuEditorTest, ASessionWithoutADashboardGetsItBack) {
    // A hand-edited file: no dashboard, and another switched off.
    QList<SidebarMenuItemConfig> items = SidebarMenuItemConfig::defaults().mid(1, 3);
    items[1].isEnabled = false;
    setStoredItems(items);
    SidebarMenuEditor editor(store->preferences());
    // The sections it lacks follow its own.
    EXPECT_EQ(keysOf(editor.items()), defaultKeys());
    EXPECT_TRUE(editor.items()[0].isEnabled);
    EXPECT_FALSE(editor.items()[2].isEnabled);
    EXPECT_TRUE(editor.hasChanges());

    // A dashboard stored as switched off is switched back on.
    items = SidebarMenuItemConfig::defaults();
    items[0].isEnabled = false;
    setStoredItems(items);
    editor.load(store->preferences());
    EXPECT_TRUE(editor.items()[0].isEnabled);
    EXPECT_TRUE(editor.hasChanges());
}

TEST_F(SidebarMenuEditorTest, ResetGivesTheDefaultsWithTheSameIds) {
    SidebarMenuEditor editor(store->preferences());
    const QList<SidebarMenuItemConfig> before = editor.items();
    ASSERT_TRUE(editor.move(8, 0));
    editor.setName(2, u"Missions"_s);
    editor.setEnabled(5, false);
    editor.resetToDefaults();
    EXPECT_EQ(editor.items(), before);
    EXPECT_FALSE(editor.hasChanges());

    // Sections the session had lost come back with fresh ids.
    setStoredItems(before.mid(0, 2));
    editor.load(store->preferences());
    editor.resetToDefaults();
    ASSERT_EQ(editor.count(), SidebarMenuItemConfig::defaults().size());
    EXPECT_EQ(keysOf(editor.items()), defaultKeys());
    EXPECT_EQ(editor.items()[1].id, before[1].id);
    EXPECT_FALSE(editor.items()[2].id.isNull());
    EXPECT_EQ(editor.items()[2].displayName, u"Activités"_s);
}

TEST_F(SidebarMenuEditorTest, AFailedSaveKeepsTheSessionsMenu) {
    const AppPreferences prefsBefore = store->preferences();
    const QByteArray fileBefore = readBytes(workingCopy());
    SidebarMenuEditor editor(store->preferences());
    editor.setName(1, u"Clientèle"_s);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result = store->edit([&](SessionEdit& e) { return editor.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_TRUE(result.error().contains(u"No space left on device"_s))
        << result.error().toStdString();
    EXPECT_EQ(store->preferences(), prefsBefore);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);
    // The user's edit stays for another try.
    EXPECT_EQ(editor.items()[1].displayName, u"Clientèle"_s);
    m_fs.heal();
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return editor.apply(e); }).ok());
    EXPECT_EQ(onDisk().preferences.sidebarMenuItems[1].displayName, u"Clientèle"_s);
}
