#pragma once

#include "ScriptedDialogs.h"
#include "WidgetDriver.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/MemoryUserDefaults.h"
#include "desktop/PathBookmarks.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"
#include "support/DesktopStubs.h"
#include "support/FakeMailServices.h"
#include "support/FakeUserNotifications.h"
#include "support/FaultyFileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace velmora::gui::test {

using namespace Qt::StringLiterals;

// The system's time, moved forward when a test lets time pass.
class MovableClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTimeUtc().addSecs(passed); }
    qint64 passed = 0;
};

// The whole application on a temporary data folder, in-memory user defaults
// and pre-answered dialogs; disk sizes are unknown and the update server
// never answers. Restarting keeps the folder and the defaults, as quitting
// and starting again does.
class AppFixture : public WidgetDriver<::testing::Test> {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { m_app.reset(); }
    QWidget& driven() override { return window(); }

    void startApp() {
        auto folder = StoreFolder::prepare(m_fs, m_dir.path() + u"/data"_s);
        ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
        m_app = std::make_unique<Application>(Environment{
            m_fs, m_defaults, m_bookmarks, m_freeSpace, m_http, m_clock, m_dialogs, m_mail, m_urls,
            m_notifications, folder.value(), m_dir.path() + u"/cache"_s, false});
        m_app->start();
    }
    void restartApp() {
        m_app.reset();
        startApp();
    }

    MainWindow& window() { return m_app->window(); }
    MainWindow::Screen screen() { return window().screen(); }

    // Types a code on the lock screen shown and presses "Valider".
    void submitCode(const QString& code) {
        type(u"lockCodeField"_s, code);
        click(u"lockValidate"_s);
    }
    void trigger(const QString& actionTitle) {
        QAction* action = window().action(actionTitle);
        ASSERT_NE(action, nullptr) << actionTitle.toStdString();
        ASSERT_TRUE(action->isEnabled()) << actionTitle.toStdString() << " is disabled";
        action->trigger();
    }

    // A session file of the user's own, as another computer would have left it.
    // `fill` adds the records the test starts from.
    QString writeUserSession(const QString& name, const QString& code,
                             const QList<std::pair<QString, QString>>& questions = {},
                             const std::function<void(AppDatabase&)>& fill = {});
    // Opens a file through "Ouvrir une session existante", or through the
    // menu, giving the creation up, when the wizard is shown.
    void openFromList(const QString& path) {
        m_dialogs.chooseNext(QUrl::fromLocalFile(path));
        if (!m_app->wizard().inProgress()) {
            click(u"openExistingSession"_s);
            return;
        }
        m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
        trigger(u"Ouvrir une base de données…"_s);
    }
    QByteArray contentsOf(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    QTemporaryDir m_dir;
    velmora::test::FaultyFileSystem m_fs;
    MemoryUserDefaults m_defaults;
    PathBookmarks m_bookmarks;
    velmora::test::StubFreeSpace m_freeSpace;
    velmora::test::SilentHttp m_http;
    MovableClock m_clock;
    ScriptedDialogs m_dialogs;
    velmora::test::FakeMailComposer m_mail;
    velmora::test::FakeUrlOpener m_urls;
    velmora::test::FakeUserNotifications m_notifications;
    std::unique_ptr<Application> m_app;
};

} // namespace velmora::gui::test
