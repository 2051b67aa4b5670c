#include "core/app/SettingsPages.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

using SettingsPagesTest = MirroredStoreFixture;

TEST(SettingsPageTexts, PagesInTheirOrder) {
    QStringList titles;
    for (SettingsPage page : settingspages::all()) {
        titles << settingspages::title(page);
        EXPECT_FALSE(settingspages::symbol(page).isEmpty());
    }
    EXPECT_EQ(titles, (QStringList{u"Apparence"_s, u"Entreprise"_s, u"Sécurité"_s, u"Sauvegarde"_s,
                                   u"Menu latéral"_s}));
    EXPECT_EQ(settingspages::windowTitle(), u"Réglages"_s);
}

TEST(SettingsPageTexts, SecuritySummaries) {
    EXPECT_EQ(settingspages::codeSummary(QString()), u"Aucun"_s);
    // The mask does not tell the code's length.
    EXPECT_EQ(settingspages::codeSummary(u"1"_s), u"••••••"_s);
    EXPECT_EQ(settingspages::codeSummary(u"un code très long"_s), u"••••••"_s);
    EXPECT_EQ(settingspages::questionCountText(0), u"Aucune question enregistrée"_s);
    EXPECT_EQ(settingspages::questionCountText(1), u"1 question enregistrée"_s);
    EXPECT_EQ(settingspages::questionCountText(3), u"3 questions enregistrées"_s);
}

TEST(SettingsPageTexts, DiscardAlertOfTheCodeSheet) {
    const Alert alert = settingspages::changeCodeDiscardAlert();
    EXPECT_EQ(alert.title, u"Quitter sans enregistrer ?"_s);
    EXPECT_EQ(alert.message, u"Les modifications du mot de passe ne seront pas enregistrées."_s);
    ASSERT_EQ(alert.buttons.size(), 2);
    EXPECT_EQ(alert.buttons[0], (AlertButton{u"Quitter"_s, AlertRole::destructive}));
    EXPECT_EQ(alert.buttons[1], (AlertButton{u"Annuler"_s, AlertRole::cancel}));
}

TEST_F(SettingsPagesTest, AppearanceIsSavedAtOnce) {
    ASSERT_EQ(store->preferences().appearanceMode, AppAppearanceMode::dark);
    ASSERT_TRUE(store
                    ->edit([&](SessionEdit& e) {
                        return settingspages::applyAppearance(e, AppAppearanceMode::light);
                    })
                    .ok());
    EXPECT_EQ(store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk().preferences.appearanceMode, AppAppearanceMode::light);

    // Choosing the current appearance writes nothing.
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    ASSERT_TRUE(store
                    ->edit([&](SessionEdit& e) {
                        return settingspages::applyAppearance(e, AppAppearanceMode::light);
                    })
                    .ok());
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), writes);

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> failed = store->edit(
        [&](SessionEdit& e) { return settingspages::applyAppearance(e, AppAppearanceMode::dark); });
    EXPECT_EQ(failed.kind(), ResultKind::notSaved);
    EXPECT_EQ(store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk().preferences.appearanceMode, AppAppearanceMode::light);
}
