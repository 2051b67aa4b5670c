// What the desktop's dialogs show: Qt's own texts in French, the place and
// name proposed for a new session file, and an alert's details.

#include "gui/app/Translations.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/launch/WizardLocationStep.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace velmora::gui;
using namespace Qt::StringLiterals;

namespace {

TEST(FileDialogsTest, QtsOwnTextsAreFrench) {
    const struct {
        const char* context;
        const char* english;
        QString french;
    } cases[] = {
        {"QFileDialog", "Look in:", u"Voir dans :"_s},
        {"QFileDialog", "File &name:", u"&Nom de fichier :"_s},
        {"QPlatformTheme", "Cancel", u"Annuler"_s},
    };
    std::unique_ptr<QTranslator> translator(installQtTranslations(*QCoreApplication::instance()));
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed";
    for (const auto& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.english), c.french) << c.english;
    QCoreApplication::removeTranslator(translator.get());
}

// The save panel of a new session opens in the documents folder on the name
// typed at the second step.
TEST(FileDialogsTest, ProposesTheTypedNameInTheDocumentsFolder) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    const QString documents = home.path() + u"/Documents/"_s;
    const struct {
        const char* typed;
        QString proposed;
    } cases[] = {
        {"Studio Éclat", home.path() + u"/Studio Éclat.cdb"_s},
        {"Studio Éclat", documents + u"Studio Éclat.cdb"_s},
        {"  Dupont / Fils: bois ", documents + u"Dupont - Fils- bois.cdb"_s},
        {"   ", documents + u"Session sans titre.cdb"_s},
        {".cache", documents + u"Session sans titre.cdb"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WizardLocationStep::proposedFile(QString::fromUtf8(c.typed)), c.proposed)
            << c.typed;
        // Without a documents folder the first time, with one afterwards.
        QDir().mkpath(documents);
    }
    qputenv("HOME", oldHome);
    if (!oldConfig.isNull())
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

// The precise reason of a failure is the box's informative text, under its
// message.
TEST(FileDialogsTest, AnAlertsDetailsAreTheBoxsInformativeText) {
    velmora::Alert alert;
    alert.kind = velmora::Alert::Kind::error;
    alert.message = u"Erreur lors du chargement de la session."_s;
    alert.informativeText = u"Fichier de session illisible : le fichier est vide"_s;
    alert.buttons = {{u"OK"_s, velmora::AlertRole::defaultAction}};
    QString text, details;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        details = box->informativeText();
        box->defaultButton()->click();
    });
    WidgetDialogs dialogs;
    EXPECT_EQ(dialogs.ask(nullptr, alert), 0);
    EXPECT_EQ(text, alert.message);
    EXPECT_EQ(details, alert.informativeText);
}

} // namespace
