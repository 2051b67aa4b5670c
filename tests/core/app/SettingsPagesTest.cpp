#include "core/app/SettingsPages.h"
#include "SettingsStoreFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

class SettingsPagesTest : public SettingsStoreFixture {};

} // namespace

TEST(SettingsPageTexts, PagesInTheirOrder) {
    QStringList titles;
    for (SettingsPage page : settingspages::all()) {
        titles << settingspages::title(page);
        EXPECT_FALSE(settingspages::symbol(page).isEmpty());
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Apparence"), QStringLiteral("Entreprise"),
                                   QStringLiteral("Sécurité"), QStringLiteral("Sauvegarde"),
                                   QStringLiteral("Menu latéral")}));
    EXPECT_EQ(settingspages::windowTitle(), QStringLiteral("Réglages"));
}

TEST(SettingsPageTexts, SecuritySummaries) {
    EXPECT_EQ(settingspages::codeSummary(QString()), QStringLiteral("Aucun"));
    // The mask does not tell the code's length.
    EXPECT_EQ(settingspages::codeSummary(QStringLiteral("1")), QStringLiteral("••••••"));
    EXPECT_EQ(settingspages::codeSummary(QStringLiteral("un code très long")),
              QStringLiteral("••••••"));
    EXPECT_EQ(settingspages::questionCountText(0), QStringLiteral("Aucune question enregistrée"));
    EXPECT_EQ(settingspages::questionCountText(1), QStringLiteral("1 question enregistrée"));
    EXPECT_EQ(settingspages::questionCountText(3), QStringLiteral("3 questions enregistrées"));
}

TEST(SettingsPageTexts, DiscardAlertOfTheCodeSheet) {
    const Alert alert = settingspages::changeCodeDiscardAlert();
    EXPECT_EQ(alert.title, QStringLiteral("Quitter sans enregistrer ?"));
    EXPECT_EQ(alert.message,
              QStringLiteral("Les modifications du mot de passe ne seront pas enregistrées."));
    ASSERT_EQ(alert.buttons.size(), 2);
    EXPECT_EQ(alert.buttons[0], (AlertButton{QStringLiteral("Quitter"), AlertRole::destructive}));
    EXPECT_EQ(alert.buttons[1], (AlertButton{QStringLiteral("Annuler"), AlertRole::cancel}));
}

TEST_F(SettingsPagesTest, AppearanceIsSavedAtOnce) {
    ASSERT_EQ(store->preferences().appearanceMode, AppAppearanceMode::dark);
    ASSERT_TRUE(settingspages::applyAppearance(*store, AppAppearanceMode::light).ok());
    EXPECT_EQ(store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk().preferences.appearanceMode, AppAppearanceMode::light);

    // Choosing the current appearance writes nothing.
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    ASSERT_TRUE(settingspages::applyAppearance(*store, AppAppearanceMode::light).ok());
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), writes);

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> failed = settingspages::applyAppearance(*store, AppAppearanceMode::dark);
    EXPECT_EQ(failed.kind(), ResultKind::notSaved);
    EXPECT_EQ(store->preferences().appearanceMode, AppAppearanceMode::light);
    EXPECT_EQ(onDisk().preferences.appearanceMode, AppAppearanceMode::light);
}
