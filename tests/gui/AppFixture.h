#pragma once

#include "ScriptedDialogs.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/MemoryUserDefaults.h"
#include "desktop/PathBookmarks.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"
#include "support/FaultyFileSystem.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace velmora::gui::test {

// Disk sizes are not what these tests are about.
class UnknownFreeSpace final : public FreeSpace {
public:
    std::optional<qint64> availableBytes(const QString&) const override { return std::nullopt; }
};

// The update server never answers here.
class SilentHttp final : public HttpFetcher {
public:
    void get(const QUrl&, std::chrono::milliseconds, Completion) override {}
};

// The whole application on a temporary data folder, in-memory user defaults
// and pre-answered dialogs. Restarting keeps the folder and the defaults, as
// quitting and starting again does.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { m_app.reset(); }

    void startApp() {
        auto folder = StoreFolder::prepare(m_fs, m_dir.path() + QStringLiteral("/data"));
        ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
        m_app = std::make_unique<Application>(
            Environment{m_fs, m_defaults, m_bookmarks, m_freeSpace, m_http, m_clock, m_dialogs,
                        folder.value(), m_dir.path() + QStringLiteral("/cache"), false});
        m_app->start();
    }
    void restartApp() {
        m_app.reset();
        startApp();
    }

    MainWindow& window() { return m_app->window(); }
    MainWindow::Screen screen() { return window().screen(); }

    // The widget of that name that is on screen; the same views exist both
    // on the launch screen and over a running session.
    template <class T = QWidget> T* find(const QString& name) {
        const QList<T*> all = window().findChildren<T*>(name);
        for (T* widget : all)
            if (widget->isVisibleTo(&window()))
                return widget;
        EXPECT_FALSE(all.isEmpty()) << "no widget named " << name.toStdString();
        return all.isEmpty() ? nullptr : all.first();
    }
    // Clicks the first visible widget of that name, as a person would.
    void click(const QString& name) {
        for (QAbstractButton* b : window().findChildren<QAbstractButton*>(name)) {
            if (b->isVisibleTo(&window())) {
                ASSERT_TRUE(b->isEnabled()) << name.toStdString() << " is disabled";
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        }
        FAIL() << "no visible button named " << name.toStdString();
    }
    void type(const QString& name, const QString& text) {
        for (QLineEdit* field : window().findChildren<QLineEdit*>(name)) {
            if (field->isVisibleTo(&window())) {
                field->clear();
                // Key events exist for printable ASCII only; the rest is typed as
                // an input method would.
                bool ascii = true;
                for (QChar c : text)
                    ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
                if (ascii)
                    QTest::keyClicks(field, text);
                else
                    field->insert(text);
                return;
            }
        }
        FAIL() << "no visible field named " << name.toStdString();
    }
    // Types a code on the lock screen shown and presses "Valider".
    void submitCode(const QString& code) {
        type(QStringLiteral("lockCodeField"), code);
        click(QStringLiteral("lockValidate"));
    }
    QString visibleText(const QString& name) {
        for (QLabel* label : window().findChildren<QLabel*>(name))
            if (label->isVisibleTo(&window()))
                return label->text();
        return QString();
    }
    void trigger(const QString& actionTitle) {
        QAction* action = window().action(actionTitle);
        ASSERT_NE(action, nullptr) << actionTitle.toStdString();
        ASSERT_TRUE(action->isEnabled()) << actionTitle.toStdString() << " is disabled";
        action->trigger();
    }

    // A session file of the user's own, as another computer would have left it.
    QString writeUserSession(const QString& name, const QString& code,
                             const QList<std::pair<QString, QString>>& questions = {});
    // Opens a file through "Ouvrir une session existante", or through the
    // menu, giving the creation up, when the wizard is shown.
    void openFromList(const QString& path) {
        m_dialogs.chooseNext(QUrl::fromLocalFile(path));
        if (!m_app->wizard().inProgress()) {
            click(QStringLiteral("openExistingSession"));
            return;
        }
        m_dialogs.answerNext(SessionFlows::abandonCreationAlert().buttons.first().text);
        trigger(QStringLiteral("Ouvrir une base de données…"));
    }

    QTemporaryDir m_dir;
    velmora::test::FaultyFileSystem m_fs;
    MemoryUserDefaults m_defaults;
    PathBookmarks m_bookmarks;
    UnknownFreeSpace m_freeSpace;
    SilentHttp m_http;
    SystemClock m_clock;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Application> m_app;
};

} // namespace velmora::gui::test
