// What the file dialogs show: Qt's own texts in French, and the place and
// name proposed for a new session file.

#include "gui/app/Translations.h"
#include "gui/launch/WizardLocationStep.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace velmora::gui;

namespace {

TEST(FileDialogsTest, QtsOwnTextsAreFrench) {
    const struct {
        const char* context;
        const char* english;
        QString french;
    } cases[] = {
        {"QFileDialog", "Look in:", QStringLiteral("Voir dans :")},
        {"QFileDialog", "File &name:", QStringLiteral("&Nom de fichier :")},
        {"QPlatformTheme", "Cancel", QStringLiteral("Annuler")},
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
    const QString documents = home.path() + QStringLiteral("/Documents/");
    const struct {
        const char* typed;
        QString proposed;
    } cases[] = {
        {"Studio Éclat", home.path() + QStringLiteral("/Studio Éclat.cdb")},
        {"Studio Éclat", documents + QStringLiteral("Studio Éclat.cdb")},
        {"  Dupont / Fils: bois ", documents + QStringLiteral("Dupont - Fils- bois.cdb")},
        {"   ", documents + QStringLiteral("Session sans titre.cdb")},
        {".cache", documents + QStringLiteral("Session sans titre.cdb")},
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

} // namespace
