// The window as the user left it: its size, place, maximised state and
// section from one run to the next; the settings from Ctrl+, and closed by
// "Fermer" or Escape; "À propos de Velmora Core" in the "Aide" menu.

#include "AppFixture.h"

#include "core/app/ApplicationCommands.h"
#include "gui/main/Workspace.h"
#include "gui/settings/SettingsWindow.h"

namespace velmora::gui::test {

namespace {

class WindowStateTest : public AppFixture {
protected:
    void openSession() {
        if (m_path.isEmpty())
            m_path = writeUserSession(u"Atelier"_s, QString());
        startApp();
        openFromList(m_path);
        ASSERT_EQ(screen(), MainWindow::Screen::session);
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    SettingsWindow* settings() {
        const QList<SettingsWindow*> all = window().findChildren<SettingsWindow*>();
        for (SettingsWindow* w : all)
            if (w->isVisible())
                return w;
        return nullptr;
    }
    QString m_path;
};

TEST_F(WindowStateTest, TheNextRunOpensAtTheSizeAndSectionTheUserLeft) {
    openSession();
    window().resize(1300, 860);
    window().workspace().showSection(u"clients"_s);
    ASSERT_TRUE(window().close());
    m_app.reset();

    openSession();
    EXPECT_EQ(window().size(), QSize(1300, 860));
    EXPECT_EQ(window().workspace().currentSection(), u"clients"_s);

    window().showMaximized();
    ASSERT_TRUE(window().close());
    m_app.reset();
    openSession();
    EXPECT_TRUE(window().isMaximized());
}

TEST_F(WindowStateTest, CtrlCommaOpensTheSettingsWhichCloseWithFermerOrEscape) {
    openSession();
    QTest::keyClick(&window(), Qt::Key_Comma, Qt::ControlModifier);
    ASSERT_NE(settings(), nullptr);
    QTest::mouseClick(settings()->findChild<QAbstractButton*>(u"settingsClose"_s), Qt::LeftButton);
    EXPECT_EQ(settings(), nullptr);

    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_Comma, Qt::ControlModifier);
    ASSERT_NE(settings(), nullptr);
    QTest::keyClick(settings(), Qt::Key_Escape);
    EXPECT_EQ(settings(), nullptr);
}

TEST_F(WindowStateTest, TheHelpMenuTellsWhatIsRunning) {
    openSession();
    trigger(u"À propos de Velmora Core"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    const Alert about = m_dialogs.alerts.last();
    EXPECT_EQ(about, aboutAlert());
    EXPECT_EQ(about.title, u"À propos de Velmora Core"_s);
    EXPECT_EQ(about.message, u"Velmora Core "_s + QStringLiteral(VELMORA_VERSION));
}

} // namespace

} // namespace velmora::gui::test
