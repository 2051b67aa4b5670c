// The global search on screen: Ctrl+F opens it, the hits come as one types,
// Down and Return open a record in its section, and the index follows the
// store's changes.

#include "SectionFixture.h"

#include "core/search/SpotlightTexts.h"
#include "core/store/SessionEdit.h"
#include "gui/common/TagChips.h"
#include "gui/search/SpotlightIndexService.h"

using namespace Qt::StringLiterals;

namespace velmora::gui::test {
namespace {

class SpotlightPanelTest : public WidgetDriver<SectionFixture> {
protected:
    QWidget& driven() override { return window(); }

    void openWithDupont() {
        openSection(u"projects"_s, [](AppDatabase& db) {
            ClientItem school;
            school.id = QUuid::createUuid();
            school.kind = ClientKind::professionnel;
            school.company = u"École Dupont"_s;
            db.clients = {school};
            ProjectItem fresco;
            fresco.id = QUuid::createUuid();
            fresco.title = u"Fresque de l’école Dupont"_s;
            db.projects = {fresco};
        });
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        QTRY_VERIFY(index().isReady());
    }
    SpotlightIndexService& index() { return *window().findChild<SpotlightIndexService*>(); }
    void pressCtrlF() { QTest::keyClick(&window(), Qt::Key_F, Qt::ControlModifier); }
    bool panelShown() { return find<QWidget>(u"spotlightPanel"_s)->isVisible(); }
    QStringList rows() {
        QStringList shown;
        auto* list = find<QListView>(u"spotlightList"_s);
        for (int row = 0; list->isVisible() && row < list->model()->rowCount(); ++row)
            shown << list->model()->index(row, 0).data().toString();
        return shown;
    }
};

TEST_F(SpotlightPanelTest, CtrlFTypeDownAndReturnOpenTheClientsCard) {
    openWithDupont();
    pressCtrlF();
    ASSERT_TRUE(panelShown());
    auto* field = find<QLineEdit>(u"spotlightField"_s);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->placeholderText(), SpotlightTexts::placeholder());

    type(u"spotlightField"_s, u"dupont"_s);
    EXPECT_EQ(rows(), (QStringList{u"Activités"_s, u"Fresque de l’école Dupont"_s, u"Clients"_s,
                                   u"École Dupont"_s}));
    // Down skips the clients' heading; the focus stays in the field.
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(find<QListView>(u"spotlightList"_s)->currentIndex().row(), 3);
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(window().workspace().currentSection(), u"clients"_s);
    EXPECT_EQ(shownText(u"clientCardTitle"_s), u"École Dupont"_s);

    // From the section's own search field, Ctrl+F stays in the section.
    find<QLineEdit>(u"clientsSearch"_s)->setFocus();
    pressCtrlF();
    EXPECT_FALSE(panelShown());

    click(u"spotlightButton"_s);
    ASSERT_TRUE(panelShown());
    type(u"spotlightField"_s, u"zzz"_s);
    EXPECT_EQ(shownText(u"spotlightEmpty"_s), u"Aucun résultat pour «\u00a0zzz\u00a0»"_s);
    EXPECT_TRUE(rows().isEmpty());
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(panelShown());
}

// A tag lists the records it marks; an activity status opens its settings.
TEST_F(SpotlightPanelTest, ATagHitShowsWhatItMarksAndAStatusItsSettings) {
    const TagItem schools{QUuid::createUuid(), u"Écoles"_s, TagColorOption::blue};
    openSection(u"clients"_s, [&](AppDatabase& db) {
        ClientItem school, shop;
        school.id = QUuid::createUuid();
        school.kind = shop.kind = ClientKind::professionnel;
        school.company = u"École Dupont"_s;
        school.tagIDs = {schools.id};
        shop.id = QUuid::createUuid();
        shop.company = u"Boulangerie Martin"_s;
        db.clients = {school, shop};
        db.clientTags = {schools};
        db.projectStatuses.append({QUuid::createUuid(), u"Retouches"_s, TagColorOption::pink});
    });
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTRY_VERIFY(index().isReady());
    EXPECT_EQ(shownRows(), (QStringList{u"Boulangerie Martin"_s, u"École Dupont"_s}));

    pressCtrlF();
    type(u"spotlightField"_s, u"ecoles"_s);
    ASSERT_EQ(rows().size(), 2);
    QTest::keyClick(find<QLineEdit>(u"spotlightField"_s), Qt::Key_Return);
    EXPECT_EQ(find<TagChips>(u"clientsFilter"_s)->checked(), QSet<QUuid>{schools.id});
    EXPECT_EQ(shownRows(), QStringList{u"École Dupont"_s});

    // A status of the documents checks the chip of its name, every kind shown.
    pressCtrlF();
    type(u"spotlightField"_s, u"envoy"_s);
    QTest::keyClick(find<QLineEdit>(u"spotlightField"_s), Qt::Key_Return);
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    const QList<TagItem> statuses = find<TagChips>(u"documentsFilter"_s)->tags();
    const auto sent = std::ranges::find(statuses, u"Envoyé"_s, &TagItem::name);
    ASSERT_NE(sent, statuses.end());
    EXPECT_EQ(find<TagChips>(u"documentsFilter"_s)->checked(), QSet<QUuid>{sent->id});

    pressCtrlF();
    type(u"spotlightField"_s, u"retouches"_s);
    QTest::keyClick(find<QLineEdit>(u"spotlightField"_s), Qt::Key_Return);
    EXPECT_EQ(window().workspace().currentSection(), u"projects"_s);
    const auto sheet = [this] { return window().findChild<QWidget*>(u"projectStatusesSheet"_s); };
    QTRY_VERIFY(sheet() && sheet()->isVisible());
}

TEST_F(SpotlightPanelTest, AClientAddedToTheStoreIsFoundOnceTheIndexIsRebuilt) {
    openWithDupont();
    pressCtrlF();
    type(u"spotlightField"_s, u"nord"_s);
    EXPECT_EQ(shownText(u"spotlightEmpty"_s), u"Aucun résultat pour «\u00a0nord\u00a0»"_s);

    ASSERT_TRUE(store().edit([](SessionEdit& edit) {
        ClientItem studio;
        studio.id = QUuid::createUuid();
        studio.kind = ClientKind::professionnel;
        studio.company = u"Studio Nord"_s;
        edit.clients().append(studio);
        return Result<>();
    }));
    // The panel shows the new index by itself.
    QTRY_COMPARE(rows(), (QStringList{u"Clients"_s, u"Studio Nord"_s}));
    EXPECT_TRUE(shownText(u"spotlightEmpty"_s).isEmpty());
}

} // namespace
} // namespace velmora::gui::test
