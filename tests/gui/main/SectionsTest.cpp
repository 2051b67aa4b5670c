// The sections of an open session: pages made once and kept, and the
// commands of the menus reaching the section shown.

#include "AppFixture.h"

#include "core/app/SidebarMenu.h"
#include "core/model/SectionDescriptor.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"
#include "support/SessionChange.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace velmora::gui::test {
namespace {

// A screen being filled in, which takes "Nouveau".
class TypingPage : public SectionPage {
public:
    TypingPage() {
        field = new QLineEdit(this);
        field->setObjectName(u"typingField"_s);
        (new QVBoxLayout(this))->addWidget(field);
        addCommand(
            SectionCommand::create, [] { return true; }, [this] { ran << SectionCommand::create; });
        own = new QAction(u"Dupliquer"_s, this);
        own->setShortcut(QKeySequence(u"Ctrl+D"_s));
        addCommand(own);
    }

    QLineEdit* field = nullptr;
    QAction* own = nullptr;
    QList<SectionCommand> ran;
};

class SectionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        const QString path = writeUserSession(u"Libre"_s, QString());
        startApp();
        window().sections().add(
            u"clients"_s, [this](const SectionServices&) { return m_clients = new TypingPage; });
        openFromList(path);
        ASSERT_EQ(screen(), MainWindow::Screen::session);
    }
    void changePreferences(const std::function<void(AppPreferences&)>& change) {
        AppPreferences prefs = m_app->store().preferences();
        prefs.sidebarMenuItems = effectiveSidebarItems(prefs);
        change(prefs);
        velmora::test::changeSession(m_app->store(),
                                     [&](SessionEdit& e) { e.preferences() = prefs; });
    }

    TypingPage* m_clients = nullptr;
};

TEST_F(SectionsTest, APageKeepsWhatWasTypedAcrossAppearanceAndRenaming) {
    EXPECT_EQ(m_clients, nullptr) << "made before it was shown";
    window().workspace().showSection(u"clients"_s);
    ASSERT_NE(m_clients, nullptr);
    const QPointer<TypingPage> page = m_clients;
    const QPointer<QWidget> documents = [&] {
        window().workspace().showSection(u"documents"_s);
        return find<QWidget>(u"page_documents"_s);
    }();
    window().workspace().showSection(u"clients"_s);
    type(u"typingField"_s, u"Facture Dupont"_s);

    changePreferences(
        [](AppPreferences& prefs) { prefs.appearanceMode = AppAppearanceMode::light; });
    changePreferences([](AppPreferences& prefs) {
        for (SidebarMenuItemConfig& item : prefs.sidebarMenuItems)
            if (item.defaultKey == QLatin1String("documents"))
                item.displayName = u"Factures"_s;
    });

    ASSERT_FALSE(page.isNull());
    ASSERT_FALSE(documents.isNull());
    EXPECT_EQ(page->field->text(), u"Facture Dupont"_s);
    EXPECT_EQ(window().workspace().currentSection(), u"clients"_s);
    EXPECT_TRUE(page->isVisibleTo(&window()));
    // The placeholder kept too, under its new name.
    auto* title = documents->findChild<QLabel*>(u"sectionTitle"_s);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), u"Factures"_s);
}

TEST_F(SectionsTest, CtrlNReachesTheSectionShownWhenItTakesIt) {
    QAction* create = window().action(u"Nouveau"_s);
    ASSERT_NE(create, nullptr);
    EXPECT_FALSE(create->isEnabled()) << "the dashboard creates nothing yet";

    window().workspace().showSection(u"clients"_s);
    EXPECT_TRUE(create->isEnabled());
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_clients->ran, QList<SectionCommand>{SectionCommand::create});

    window().workspace().showSection(u"externalTools"_s);
    EXPECT_FALSE(create->isEnabled());
}

TEST_F(SectionsTest, APagesOwnActionsAreInTheMenuWhileItIsShown) {
    EXPECT_EQ(window().action(u"Dupliquer"_s), nullptr);
    window().workspace().showSection(u"clients"_s);
    EXPECT_EQ(window().action(u"Dupliquer"_s), m_clients->own);
    window().workspace().showSection(u"stock"_s);
    EXPECT_EQ(window().action(u"Dupliquer"_s), nullptr);
}

TEST_F(SectionsTest, EverySectionOfTheTableHasItsPage) {
    for (const SectionDescriptor& section : sectionDescriptors())
        EXPECT_TRUE(window().sections().contains(section.key)) << section.key.toStdString();
}

} // namespace
} // namespace velmora::gui::test
