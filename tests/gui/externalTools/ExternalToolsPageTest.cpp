// The vault on screen: its lock with the trimmed code, a tool's password
// shown, copied as a secret and taken off the clipboard, the lock closed
// again with the session, and the code removed from its settings.

#include "SectionFixture.h"

#include "desktop/SystemClipboard.h"

#include <QClipboard>
#include <QDialog>
#include <QMimeData>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace velmora::gui::test {
namespace {

class ExternalToolsPageTest : public WidgetDriver<SectionFixture> {
protected:
    QWidget& driven() override { return window(); }

    // A session with its own code and a vault code with blanks around it.
    void openVault() {
        m_path = writeUserSession(u"Atelier"_s, u"s3cret"_s, {{u"Ville ?"_s, u"Paris"_s}},
                                  [](AppDatabase& db) {
                                      db.preferences.externalToolsAccessCode = u" 1234 "_s;
                                      ExternalTool tool;
                                      tool.id = QUuid::createUuid();
                                      tool.name = u"Hébergeur"_s;
                                      tool.login = u"moi@atelier.fr"_s;
                                      tool.password = u"p@ss w0rd"_s;
                                      tool.websiteURL = u"console.example.org"_s;
                                      db.externalTools = {tool};
                                  });
        startApp();
        openFromList(m_path);
        submitCode(u"s3cret"_s);
        ASSERT_EQ(screen(), MainWindow::Screen::session);
        window().workspace().showSection(u"externalTools"_s);
        m_key = u"externalTools"_s;
        settle();
    }
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void unlockVault(const QString& code) {
        type(u"vaultCode"_s, code);
        click(u"vaultUnlock"_s);
        settle();
    }
};

// What the application logs while one lives.
class LoggedMessages {
public:
    LoggedMessages() {
        s_text.clear();
        m_previous = qInstallMessageHandler(&LoggedMessages::keep);
    }
    ~LoggedMessages() { qInstallMessageHandler(m_previous); }
    static const QString& text() { return s_text; }

private:
    static void keep(QtMsgType, const QMessageLogContext&, const QString& message) {
        s_text += message + u'\n';
    }
    inline static QString s_text;
    QtMessageHandler m_previous = nullptr;
};

TEST_F(ExternalToolsPageTest, UnlockShowAndCopyThePasswordAsASecret) {
    const LoggedMessages log;
    openVault();
    EXPECT_TRUE(isShown(u"vaultLockPanel"_s));
    EXPECT_TRUE(shownRows().isEmpty() || !isShown(u"externalToolsList"_s));
    unlockVault(u"12345"_s);
    EXPECT_EQ(shownText(u"vaultCodeError"_s), u"Code incorrect."_s);
    unlockVault(u"1234"_s);
    ASSERT_FALSE(isShown(u"vaultLockPanel"_s));
    EXPECT_EQ(shownRows(), QStringList{u"Hébergeur"_s});

    // Hidden, not even its length shows.
    EXPECT_EQ(shownText(u"toolPasswordValue"_s), QString(12, QChar(0x2022)));
    click(u"toolPasswordToggle"_s);
    EXPECT_EQ(shownText(u"toolPasswordValue"_s), u"p@ss w0rd"_s);

    QGuiApplication::clipboard()->setText(u"avant"_s);
    click(u"toolCopyPassword"_s);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), u"p@ss w0rd"_s);
    EXPECT_EQ(data->data(SystemClipboard::secretHintFormat()), QByteArray("secret"));
    EXPECT_EQ(shownText(u"toolCopied"_s), u"Mot de passe copié"_s);
    QTRY_COMPARE_WITH_TIMEOUT(shownText(u"toolCopied"_s), QString(), 3000);

    // Its 30 s are up: the clipboard no longer holds it.
    auto* secretTimer = window().findChild<QTimer*>(u"vaultSecretTimer"_s);
    ASSERT_TRUE(secretTimer && secretTimer->isActive());
    secretTimer->start(1);
    QTRY_VERIFY(QGuiApplication::clipboard()->text().isEmpty());

    click(u"toolCopyLogin"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"moi@atelier.fr"_s);
    EXPECT_FALSE(
        QGuiApplication::clipboard()->mimeData()->hasFormat(SystemClipboard::secretHintFormat()));

    // The browser is given the address alone; nothing logged names the secret.
    click(u"toolCardOpen"_s);
    EXPECT_EQ(m_urls.opened, QList<QUrl>{QUrl(u"https://console.example.org"_s)});
    EXPECT_FALSE(log.text().contains(u"p@ss w0rd"_s)) << qPrintable(log.text());
}

TEST_F(ExternalToolsPageTest, LockedAgainWithTheSessionAndOpenWithoutACodeOnceRemoved) {
    openVault();
    unlockVault(u"1234"_s);
    ASSERT_FALSE(isShown(u"vaultLockPanel"_s));
    trigger(u"Verrouiller le logiciel"_s);
    ASSERT_EQ(screen(), MainWindow::Screen::locked);
    submitCode(u"s3cret"_s);
    window().workspace().showSection(u"externalTools"_s);
    settle();
    EXPECT_TRUE(isShown(u"vaultLockPanel"_s));
    unlockVault(u"1234"_s);

    click(u"vaultSettingsButton"_s);
    settle();
    auto* sheet = window().findChild<QDialog*>(u"vaultSettings"_s);
    ASSERT_NE(sheet, nullptr);
    type(u"vaultOldCode"_s, u"123"_s);
    click(u"vaultRemoveCode"_s);
    EXPECT_EQ(shownText(u"vaultSettingsError"_s),
              u"Saisissez l'ancien code pour confirmer la suppression."_s);
    type(u"vaultOldCode"_s, u"1234"_s);
    click(u"vaultRemoveCode"_s);
    EXPECT_EQ(shownText(u"vaultSettingsSuccess"_s), u"Le code a été supprimé."_s);
    EXPECT_TRUE(store().preferences().externalToolsAccessCode.isEmpty());
    sheet->reject();
    // Without its code, the next opening of the vault offers to go on.
    trigger(u"Verrouiller le logiciel"_s);
    submitCode(u"s3cret"_s);
    window().workspace().showSection(u"externalTools"_s);
    settle();
    EXPECT_TRUE(isShown(u"vaultNoCode"_s));
    click(u"vaultContinue"_s);
    settle();
    EXPECT_FALSE(isShown(u"vaultLockPanel"_s));
    EXPECT_EQ(shownRows(), QStringList{u"Hébergeur"_s});
}

} // namespace
} // namespace velmora::gui::test
