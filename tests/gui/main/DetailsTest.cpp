// The small things a user notices: the window's title, Return and Escape,
// symbols and controls that read in both appearances, long names on the
// session cards.

#include "AppFixture.h"

#include "core/store/AppDataStore.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Theme.h"
#include "gui/help/HelpWindow.h"
#include "gui/settings/SettingsWindow.h"
#include "support/QtPrinters.h"
#include "support/SessionChange.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <cmath>

namespace velmora::gui::test {
namespace {

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast any pixel of the picture has with the background.
double strongestContrast(const QImage& picture, const QColor& background) {
    double best = 1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            best = std::max(best, contrast(picture.pixelColor(x, y), background));
    return best;
}

// The colour a symbol is drawn in: that of its most opaque pixel.
QColor inkOf(const QIcon& icon) {
    const QImage image = icon.pixmap(24).toImage();
    QColor ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QColor c = image.pixelColor(x, y); !ink.isValid() || c.alpha() > ink.alpha())
                ink = c;
    return ink;
}

class DetailsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        AnimatedStack::setAnimationsEnabled(false);
    }
    SessionWizard::Step step() { return m_app->wizard().step(); }
    // Return where the keyboard is, as a person presses it.
    void pressReturn(QWidget* where) { QTest::keyClick(where, Qt::Key_Return); }
};

TEST_F(DetailsTest, TheTitleNamesTheOpenSessionAndNeverALockedOne) {
    const QString path = writeUserSession(u"Studio Éclat"_s, u"1234"_s);
    startApp();
    EXPECT_EQ(window().windowTitle(), u"Velmora Core"_s);
    openFromList(path);
    EXPECT_EQ(window().windowTitle(), u"Velmora Core"_s);
    submitCode(u"1234"_s);
    EXPECT_EQ(window().windowTitle(), u"Studio Éclat — Velmora Core"_s);
    velmora::test::changeSession(m_app->store(),
                                 [&](SessionEdit& e) { e.sessionName() = u"Studio Nord"_s; });
    EXPECT_EQ(window().windowTitle(), u"Studio Nord — Velmora Core"_s);
    trigger(u"Verrouiller le logiciel"_s);
    EXPECT_EQ(window().windowTitle(), u"Velmora Core"_s);
}

TEST_F(DetailsTest, ReturnGoesThroughTheWizardAndEscapeClosesTheHelp) {
    startApp();
    ASSERT_EQ(step(), SessionWizard::Step::appearance);
    pressReturn(find<QWidget>(u"wizardAppearanceLight"_s));
    ASSERT_EQ(step(), SessionWizard::Step::identity);
    type(u"sessionNameField"_s, u"Atelier"_s);
    // The field goes on once, not twice.
    pressReturn(find<QLineEdit>(u"sessionNameField"_s));
    ASSERT_EQ(step(), SessionWizard::Step::location);
    m_dialogs.chooseNext(QUrl::fromLocalFile(m_dir.path() + u"/Atelier.cdb"_s));
    click(u"chooseLocationButton"_s);
    pressReturn(find<QWidget>(u"chooseLocationButton"_s));
    EXPECT_EQ(step(), SessionWizard::Step::accessCode);
    // On "Retour", Return goes back.
    find<QWidget>(u"wizardBack"_s)->setFocus();
    pressReturn(find<QWidget>(u"wizardBack"_s));
    EXPECT_EQ(step(), SessionWizard::Step::location);

    trigger(u"Aide Velmora Core"_s);
    const QPointer<HelpWindow> help = window().findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->isVisible());
    QTest::keyClick(help->findChild<QTextBrowser*>(), Qt::Key_Escape);
    EXPECT_TRUE(help.isNull() || !help->isVisible());
}

TEST_F(DetailsTest, SavingIsSaidInTheStatusBarAndSymbolsFollowTheAppearance) {
    const QString path = writeUserSession(u"Libre"_s, QString());
    startApp();
    openFromList(path);
    m_dialogs.alerts.clear();
    trigger(u"Enregistrer"_s);
    EXPECT_TRUE(m_dialogs.alerts.isEmpty()) << m_dialogs.alerts.value(0).message.toStdString();
    EXPECT_EQ(window().statusBar()->currentMessage(), u"La base de données a été sauvegardée."_s);
    // Without a code, there is nothing to lock.
    EXPECT_FALSE(window().action(u"Verrouiller le logiciel"_s)->isEnabled());

    trigger(u"Réglages…"_s);
    auto* settings = window().findChild<SettingsWindow*>();
    ASSERT_NE(settings, nullptr);
    const QList<QAbstractButton*> buttons = {
        settings->findChild<QAbstractButton*>(u"companyLogoChoose"_s),
        settings->findChild<QAbstractButton*>(u"backupChooseFolder"_s),
        find<QAbstractButton>(u"settingsButton"_s)};
    for (AppAppearanceMode mode : {AppAppearanceMode::light, AppAppearanceMode::dark}) {
        settings
            ->findChild<QAbstractButton*>(mode == AppAppearanceMode::light ? u"appearanceLight"_s
                                                                           : u"appearanceDark"_s)
            ->click();
        ASSERT_EQ(theme::current(), mode);
        for (QAbstractButton* button : buttons) {
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(inkOf(button->icon()).rgb(), theme::text(mode).rgb())
                << button->objectName().toStdString();
        }
        EXPECT_EQ(inkOf(window().action(u"Verrouiller le logiciel"_s)->icon()).rgb(),
                  theme::text(mode).rgb());
    }
}

// Non-text parts of controls need a contrast of 3:1 to be seen.
TEST_F(DetailsTest, RadioButtonsCheckBoxesAndScrollBarsStandOutInBothAppearances) {
    for (AppAppearanceMode mode : {AppAppearanceMode::dark, AppAppearanceMode::light}) {
        theme::apply(*qApp, mode);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        auto* off = new QRadioButton(&host);
        auto* on = new QRadioButton(&host);
        on->setChecked(true);
        auto* unticked = new QCheckBox(&host);
        auto* ticked = new QCheckBox(&host);
        ticked->setChecked(true);
        auto* bar = new QScrollBar(Qt::Vertical, &host);
        bar->setRange(0, 100);
        bar->setPageStep(20);
        bar->setFixedHeight(200);
        const QList<QWidget*> controls{off, on, unticked, ticked, bar};
        for (QWidget* w : controls)
            layout->addWidget(w);
        host.show();
        const QColor background = theme::background(mode);
        for (QWidget* w : controls)
            EXPECT_GE(strongestContrast(w->grab().toImage(), background), 3.0)
                << w->metaObject()->className()
                << (mode == AppAppearanceMode::dark ? " dark" : " light");
    }
}

// The item under the pointer in a combo box's list, and its text, must
// read as text does: 4.5:1.
TEST_F(DetailsTest, TheHighlightedItemOfAComboBoxListReadsInBothAppearances) {
    for (AppAppearanceMode mode : {AppAppearanceMode::light, AppAppearanceMode::dark}) {
        theme::apply(*qApp, mode);
        QWidget host;
        auto* layout = new QVBoxLayout(&host);
        auto* box = new QComboBox(&host);
        box->addItems({u"Ventes de marchandises"_s, u"Prestations de services commerciales"_s,
                       u"Prestations libérales"_s});
        layout->addWidget(box);
        host.show();
        box->showPopup();
        QAbstractItemView* list = box->view();
        const QModelIndex item = box->model()->index(1, 0);
        list->setCurrentIndex(item);
        const QImage row = list->viewport()->grab(list->visualRect(item)).toImage();
        const QColor background = row.pixelColor(row.width() - 2, row.height() / 2);
        EXPECT_GE(strongestContrast(row, background), 4.5)
            << (mode == AppAppearanceMode::dark ? "dark" : "light");
        box->hidePopup();
    }
}

TEST_F(DetailsTest, LongSessionNamesWrapOnTwoLinesBeforeTheyAreCut) {
    const QStringList names = {
        u"Studio Éclat"_s, u"Atelier Lumière du Nord-Est"_s,
        u"Association des artisans photographes indépendants de la vallée du "
        "Rhône et de ses environs"_s};
    startApp();
    for (const QString& name : names)
        m_app->recentFiles().add(QUrl::fromLocalFile(writeUserSession(name, QString())), name,
                                 std::nullopt, std::nullopt);
    restartApp();
    for (int i = 0; i < names.size(); ++i) {
        // The most recent comes first.
        const QString& name = names[names.size() - 1 - i];
        auto* card = find<QAbstractButton>(u"sessionCard%1"_s.arg(i));
        ASSERT_NE(card, nullptr);
        const QStringList lines = card->text().split(QLatin1Char('\n'));
        const QFontMetrics metrics(card->font());
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), 146) << line.toStdString();
        EXPECT_EQ(lines.size(), i == 2 ? 1 : 2) << name.toStdString();
        if (i == 0) {
            EXPECT_TRUE(lines[1].endsWith(u"…"_s));
            EXPECT_TRUE(name.startsWith(lines[0]));
        } else {
            EXPECT_EQ(lines.join(QLatin1Char(' ')), name);
        }
        if (i == 1) {
            EXPECT_GT(metrics.horizontalAdvance(name), 146) << "too short to wrap";
        }
    }
}

} // namespace
} // namespace velmora::gui::test
