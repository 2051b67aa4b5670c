// The sections of an open session: pages made once and kept, and the
// commands of the menus reaching the section shown.

#include "AppFixture.h"

#include "core/app/SidebarMenu.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace velmora::gui::test {
namespace {

// A screen being filled in, which takes "Nouveau".
class TypingPage : public SectionPage {
public:
    TypingPage() {
        field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("typingField"));
        (new QVBoxLayout(this))->addWidget(field);
    }
    bool canRun(SectionCommand command) const override { return command == SectionCommand::create; }
    void run(SectionCommand command) override { ran << command; }

    QLineEdit* field = nullptr;
    QList<SectionCommand> ran;
};

class SectionsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        const QString path = writeUserSession(QStringLiteral("Libre"), QString());
        startApp();
        window().sections().add(QStringLiteral("clients"), [this](const SectionServices&) {
            return m_clients = new TypingPage;
        });
        openFromList(path);
        ASSERT_EQ(screen(), MainWindow::Screen::session);
    }
    void changePreferences(const std::function<void(AppPreferences&)>& change) {
        AppPreferences prefs = m_app->store().preferences();
        prefs.sidebarMenuItems = effectiveSidebarItems(prefs);
        change(prefs);
        m_app->store().setPreferences(prefs);
    }

    TypingPage* m_clients = nullptr;
};

TEST_F(SectionsTest, APageKeepsWhatWasTypedAcrossAppearanceAndRenaming) {
    EXPECT_EQ(m_clients, nullptr) << "made before it was shown";
    window().workspace().showSection(QStringLiteral("clients"));
    ASSERT_NE(m_clients, nullptr);
    const QPointer<TypingPage> page = m_clients;
    const QPointer<QWidget> documents = [&] {
        window().workspace().showSection(QStringLiteral("documents"));
        return find<QWidget>(QStringLiteral("page_documents"));
    }();
    window().workspace().showSection(QStringLiteral("clients"));
    type(QStringLiteral("typingField"), QStringLiteral("Facture Dupont"));

    changePreferences(
        [](AppPreferences& prefs) { prefs.appearanceMode = AppAppearanceMode::light; });
    changePreferences([](AppPreferences& prefs) {
        for (SidebarMenuItemConfig& item : prefs.sidebarMenuItems)
            if (item.defaultKey == QLatin1String("documents"))
                item.displayName = QStringLiteral("Factures");
    });

    ASSERT_FALSE(page.isNull());
    ASSERT_FALSE(documents.isNull());
    EXPECT_EQ(page->field->text(), QStringLiteral("Facture Dupont"));
    EXPECT_EQ(window().workspace().currentSection(), QStringLiteral("clients"));
    EXPECT_TRUE(page->isVisibleTo(&window()));
    // The placeholder kept too, under its new name.
    auto* title = documents->findChild<QLabel*>(QStringLiteral("sectionTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Factures"));
}

TEST_F(SectionsTest, CtrlNReachesTheSectionShownWhenItTakesIt) {
    QAction* create = window().action(QStringLiteral("Nouveau"));
    ASSERT_NE(create, nullptr);
    EXPECT_FALSE(create->isEnabled()) << "the dashboard creates nothing yet";

    window().workspace().showSection(QStringLiteral("clients"));
    EXPECT_TRUE(create->isEnabled());
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_clients->ran, QList<SectionCommand>{SectionCommand::create});

    window().workspace().showSection(QStringLiteral("stock"));
    EXPECT_FALSE(create->isEnabled());
}

} // namespace
} // namespace velmora::gui::test
