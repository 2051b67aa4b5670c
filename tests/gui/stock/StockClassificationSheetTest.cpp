// The classification sheet driven as a person would: a category, a
// sub-category under it, a refused twin, a rename the sub-category's line
// follows, a deletion confirmed with what it takes the category from, each
// change on disk at once.

#include "SectionFixture.h"

#include "core/lists/RecordListModelBase.h"
#include "core/model/SessionDecoder.h"
#include "core/stock/StockClassification.h"
#include "gui/stock/StockClassificationSheet.h"
#include "support/SessionChange.h"

#include <QCheckBox>
#include <QPointer>

namespace velmora::gui::test {
namespace {

using StockClassificationSheetTest = SectionFixture;

TEST_F(StockClassificationSheetTest, ACategoryAndItsSubCategoryAreAddedRenamedAndDeleted) {
    openSection(u"stock"_s,
                [](AppDatabase& db) { db.stockSettings.labelCategories = u"Familles"_s; });
    QPointer<StockClassificationSheet> sheet =
        new StockClassificationSheet(window().sections().services(), &window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
    m_dialogs.alerts.clear();
    EXPECT_EQ(sheet->windowTitle(), u"Catégories et tags"_s);
    EXPECT_EQ(find<QLabel>(u"stockClassTitle_category"_s)->text(), u"Familles"_s);
    EXPECT_EQ(find<QLabel>(u"stockClassTitle_subTag"_s)->text(), u"Sous-tags"_s);
    EXPECT_EQ(shownText(u"stockClassEmpty_category"_s), u"Aucune catégorie pour l’instant."_s);
    EXPECT_FALSE(find(u"stockClassDelete_category"_s)->isEnabled());

    click(u"stockClassAdd_category"_s);
    type(u"stockClassEntryName"_s, u" Peinture "_s);
    click(u"stockClassEntrySave"_s);
    ASSERT_EQ(store().stockCategories().size(), 1);
    const QUuid paint = store().stockCategories()[0].id;
    EXPECT_EQ(store().stockCategories()[0].name, u"Peinture"_s);

    // A twin is refused in its sheet, which stays open to be corrected.
    click(u"stockClassAdd_category"_s);
    type(u"stockClassEntryName"_s, u"PEINTURE"_s);
    click(u"stockClassEntrySave"_s);
    EXPECT_EQ(shownText(u"stockClassEntryError"_s), u"Une catégorie « Peinture » existe déjà."_s);
    click(u"stockClassEntryCancel"_s);
    EXPECT_EQ(store().stockCategories().size(), 1);

    click(u"stockClassAdd_subCategory"_s);
    type(u"stockClassEntryName"_s, u"Acrylique"_s);
    click(u"stockClassEntryLink_Peinture"_s);
    click(u"stockClassEntrySave"_s);
    ASSERT_EQ(store().stockSubCategories().size(), 1);
    EXPECT_EQ(store().stockSubCategories()[0].categoryIDs, QList<QUuid>{paint});

    auto* categories = find<QListView>(u"stockClassList_category"_s);
    categories->setCurrentIndex(categories->model()->index(0, 0));
    click(u"stockClassEdit_category"_s);
    EXPECT_EQ(find<QLineEdit>(u"stockClassEntryName"_s)->text(), u"Peinture"_s);
    type(u"stockClassEntryName"_s, u"Peintures"_s);
    click(u"stockClassEntrySave"_s);
    EXPECT_EQ(store().stockCategories()[0].name, u"Peintures"_s);
    const QModelIndex sub = find<QListView>(u"stockClassList_subCategory"_s)->model()->index(0, 0);
    EXPECT_EQ(sub.data(RecordListModelBase::SubtitleRole).toString(), u"Peintures"_s);

    velmora::test::changeSession(store(), [&](SessionEdit& e) {
        StockItem pot;
        pot.id = QUuid::createUuid();
        pot.title = u"Pot de blanc"_s;
        pot.categoryIDs = {paint};
        e.stockItems().append(pot);
    });
    // The Delete key asks first; closing the question keeps the category.
    categories->setFocus();
    QTest::keyClick(categories, Qt::Key_Delete);
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0].title, u"Supprimer la catégorie ?"_s);
    EXPECT_EQ(m_dialogs.alerts[0].message,
              u"La catégorie « Peintures » sera retirée de 1 article et 1 sous-catégorie."_s);
    EXPECT_EQ(store().stockCategories().size(), 1);

    confirmNextDeletion();
    click(u"stockClassDelete_category"_s);
    EXPECT_TRUE(store().stockCategories().isEmpty());
    EXPECT_TRUE(store().stockItems()[0].categoryIDs.isEmpty());
    EXPECT_TRUE(store().stockSubCategories()[0].categoryIDs.isEmpty());
    EXPECT_EQ(shownText(u"stockClassEmpty_category"_s), u"Aucune catégorie pour l’instant."_s);

    const auto written = decodeSession(sessionFile(), m_clock);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    EXPECT_TRUE(written.value().stockCategories.isEmpty());
    EXPECT_EQ(written.value().stockSubCategories, store().stockSubCategories());
    EXPECT_EQ(written.value().stockItems, store().stockItems());

    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_TRUE(!sheet || !sheet->isVisible());
}

} // namespace
} // namespace velmora::gui::test
