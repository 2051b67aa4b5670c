// Walks through every screen of the application in both appearances and
// saves each one as a PNG, for looking at the layout and for the README:
//   velmora-screenshots OUTPUT_FOLDER
// Run it with a display (Xvfb) or QT_QPA_PLATFORM=offscreen.

#include "ScriptedDialogs.h"
#include "core/app/SettingsPages.h"
#include "core/model/NewSession.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/security/AccessCode.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"
#include "gui/app/Application.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Resources.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"
#include "gui/settings/SettingsWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace velmora;
using namespace velmora::gui;

namespace {

class UnknownFreeSpace final : public FreeSpace {
public:
    std::optional<qint64> availableBytes(const QString&) const override { return std::nullopt; }
};

class SilentHttp final : public HttpFetcher {
public:
    void get(const QUrl&, std::chrono::milliseconds, Completion) override {}
};

QString pageName(SettingsPage page) {
    switch (page) {
    case SettingsPage::appearance:
        return QStringLiteral("appearance");
    case SettingsPage::company:
        return QStringLiteral("company");
    case SettingsPage::security:
        return QStringLiteral("security");
    case SettingsPage::backup:
        return QStringLiteral("backup");
    case SettingsPage::sidebar:
        return QStringLiteral("sidebar");
    }
    return QStringLiteral("page");
}

class Tour {
public:
    explicit Tour(QString out) : m_out(std::move(out)) {}

    int run() {
        for (AppAppearanceMode mode : {AppAppearanceMode::dark, AppAppearanceMode::light})
            if (!tour(mode))
                return 1;
        return 0;
    }

private:
    void settle() {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
    }
    void shoot(QWidget& widget, const QString& name) {
        settle();
        const QString path = QStringLiteral("%1/%2-%3.png").arg(m_out, name, m_suffix);
        if (!widget.grab().save(path))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }

    QString writeSession(const QString& folder, const QString& name, const QString& image,
                         const QString& code) {
        AppDatabase db = newSessionContents();
        db.sessionName = name;
        db.sessionProfileImageName = image;
        db.preferences.appPassword = code;
        db.securityQuestions.append({QUuid::createUuid(),
                                     QStringLiteral("Dans quelle ville êtes-vous né ?"),
                                     answerDigest(QStringLiteral("Lyon"))});
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".cdb");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(encodeSession(db, SessionFormat::Compact));
        return path;
    }

    bool tour(AppAppearanceMode mode) {
        m_suffix =
            mode == AppAppearanceMode::dark ? QStringLiteral("dark") : QStringLiteral("light");
        QTemporaryDir dir;
        LocalFileSystem fs;
        MemoryUserDefaults defaults;
        PathBookmarks bookmarks;
        UnknownFreeSpace freeSpace;
        SilentHttp http;
        SystemClock clock;
        test::ScriptedDialogs dialogs;
        auto folder = StoreFolder::prepare(fs, dir.path() + QStringLiteral("/data"));
        if (!folder)
            return false;
        Application app(Environment{fs, defaults, bookmarks, freeSpace, http, clock, dialogs,
                                    folder.value(), dir.path() + QStringLiteral("/cache"), false});
        app.start();
        MainWindow& window = app.window();
        window.resize(1180, 780);
        SessionWizard& wizard = app.wizard();

        // The creation wizard, step by step.
        wizard.setAppearance(mode);
        shoot(window, QStringLiteral("wizard-1"));
        wizard.continueFromAppearance();
        wizard.setSessionName(QStringLiteral("Atelier Lumière"));
        wizard.choosePresetImage(QStringLiteral("image_photographie"));
        shoot(window, QStringLiteral("wizard-2"));
        wizard.continueFromIdentity();
        QDir().mkpath(dir.path() + QStringLiteral("/Documents"));
        wizard.chooseLocation(
            QUrl::fromLocalFile(dir.path() + QStringLiteral("/Documents/Atelier Lumière.cdb")));
        shoot(window, QStringLiteral("wizard-3"));
        wizard.continueFromLocation();
        shoot(window, QStringLiteral("wizard-4"));
        wizard.finishAccessCode(Result<>::success());
        shoot(window, QStringLiteral("wizard-5"));
        wizard.finishSecurityQuestions(Result<>::success());
        shoot(window, QStringLiteral("wizard-6"));
        wizard.continueFromModules();
        shoot(window, QStringLiteral("wizard-7"));
        for (const auto& [field, text] : {std::pair{"companyDisplayName", "Studio Éclat"},
                                          std::pair{"companySiret", "123 456 789 00012"}}) {
            for (QLineEdit* edit : window.findChildren<QLineEdit*>(QLatin1String(field)))
                if (edit->isVisibleTo(&window))
                    edit->setText(QString::fromUtf8(text));
        }
        shoot(window, QStringLiteral("wizard-7-filled"));
        wizard.skipCompany();
        shoot(window, QStringLiteral("wizard-8"));
        wizard.finish();

        // The open session.
        shoot(window, QStringLiteral("dashboard"));
        window.workspace().showSection(QStringLiteral("documents"));
        shoot(window, QStringLiteral("section"));
        window.showSettings();
        if (auto* settings = window.findChild<SettingsWindow*>()) {
            settings->resize(900, 620);
            for (SettingsPage page : settingspages::all()) {
                settings->showPage(page);
                shoot(*settings, QStringLiteral("settings-") + pageName(page));
            }
            // A SIRET the rules refuse, as the user leaves it.
            for (QLineEdit* edit :
                 settings->findChildren<QLineEdit*>(QStringLiteral("companySiret")))
                edit->setText(QStringLiteral("12345"));
            settings->settle();
            shoot(*settings, QStringLiteral("settings-company-error"));
            settings->discardAndClose();
        }

        // Protected: the lock over the running session, then recovery.
        AppPreferences prefs = app.store().preferences();
        prefs.appPassword = QStringLiteral("1234");
        app.store().setPreferences(prefs);
        app.store().setSecurityQuestions(
            {{QUuid::createUuid(), QStringLiteral("Quel est votre plat préféré ?"),
              answerDigest(QStringLiteral("Ratatouille"))}});
        app.store().save();
        window.lockSession();
        shoot(window, QStringLiteral("lock"));
        for (QAbstractButton* b :
             window.findChildren<QAbstractButton*>(QStringLiteral("lockForgot")))
            if (b->isVisibleTo(&window))
                b->click();
        shoot(window, QStringLiteral("recovery"));

        // Back to the list with a few sessions.
        const QString docs = dir.path() + QStringLiteral("/Documents");
        app.recentFiles().add(
            QUrl::fromLocalFile(writeSession(docs, QStringLiteral("Garage Martin"),
                                             QStringLiteral("image_automobile"), QString())),
            QStringLiteral("Garage Martin"), std::nullopt, QStringLiteral("image_automobile"));
        app.recentFiles().add(
            QUrl::fromLocalFile(writeSession(docs, QStringLiteral("Studio Pilates"),
                                             QStringLiteral("image_sport_bienetre"), QString())),
            QStringLiteral("Studio Pilates"), std::nullopt, QStringLiteral("image_sport_bienetre"));
        const QString longName = QStringLiteral(
            "Association des artisans photographes indépendants de la vallée du Rhône");
        app.recentFiles().add(
            QUrl::fromLocalFile(writeSession(docs, QStringLiteral("Association"),
                                             QStringLiteral("image_photographie"), QString())),
            longName, std::nullopt, QStringLiteral("image_photographie"));
        app.recentFiles().add(
            QUrl::fromLocalFile(
                writeSession(docs, QStringLiteral("Atelier du Nord-Est"), QString(), QString())),
            QStringLiteral("Atelier Lumière du Nord-Est"), std::nullopt, std::nullopt);
        app.launch().showSessionList();
        shoot(window, QStringLiteral("launch"));

        // A file that cannot be read: the list says why, and so does the
        // alert of the main window's commands.
        const QString broken = docs + QStringLiteral("/Abîmé.cdb");
        if (QFile file(broken); file.open(QIODevice::WriteOnly))
            file.write("{\"sessionName\":\"Atelier\",\"clients\":[");
        app.launch().openChosenFile(QUrl::fromLocalFile(broken));
        shoot(window, QStringLiteral("launch-load-error"));
        QTimer::singleShot(0, &window, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shoot(*box, QStringLiteral("launch-load-error-alert"));
                box->defaultButton()->click();
            }
        });
        WidgetDialogs().ask(&window, app.launch().loadFailedAlert());
        app.launch().showDisconnecting();
        shoot(window, QStringLiteral("loading"));
        return true;
    }

    QString m_out;
    QString m_suffix;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    initResources();
    if (argc != 2) {
        std::fputs("Usage : velmora-screenshots DOSSIER\n", stderr);
        return 2;
    }
    AnimatedStack::setAnimationsEnabled(false);
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    return Tour(QString::fromLocal8Bit(argv[1])).run();
}
