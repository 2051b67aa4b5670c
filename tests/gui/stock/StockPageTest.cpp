// The stock driven as a person would: an item created with its photo, its
// quantity stepped on the card with the level following, the level filter
// kept for the account, and a wishlist item bought into the stock.

#include "SectionFixture.h"

#include "core/stock/StockItemForm.h"
#include "gui/stock/StockItemsPage.h"
#include "gui/stock/WishlistPage.h"

#include <QDir>
#include <QImage>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

namespace velmora::gui::test {
namespace {

using StockPageTest = SectionFixture;

QString cardSubtitle(QWidget& window) {
    QStringList texts;
    for (auto* label : window.findChild<QWidget*>(u"stockCard"_s)->findChildren<QLabel*>())
        if (label->isVisibleTo(&window))
            texts << label->text();
    return texts.join(u'|');
}

TEST_F(StockPageTest, ItemCreatedWithItsPhotoThenSteppedThroughTheLevels) {
    openSection(u"stock"_s);
    const QString picture = m_dir.path() + u"/pinceau.png"_s;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    const auto mediaFiles = [&] {
        return QDir(store().mediaFolder()).entryList(QDir::Files).filter(u"stock_"_s);
    };

    // Cancelled with a photo chosen: nothing reaches the session.
    click(u"stockEmptyAction"_s);
    m_dialogs.chooseNext(QUrl::fromLocalFile(picture));
    click(u"stockPhotoChoose"_s);
    type(u"stockTitle"_s, u"Pinceau"_s);
    click(u"stockFormCancel"_s);
    EXPECT_TRUE(store().stockItems().isEmpty());
    EXPECT_TRUE(mediaFiles().isEmpty());

    click(u"stockEmptyAction"_s);
    m_dialogs.chooseNext(QUrl::fromLocalFile(picture));
    click(u"stockPhotoChoose"_s);
    type(u"stockTitle"_s, u"Pinceau"_s);
    type(u"stockQuantity"_s, u"un"_s);
    EXPECT_EQ(shownText(u"stockQuantityError"_s), StockItemForm::quantityMessage());
    click(u"stockFormSave"_s);
    EXPECT_TRUE(store().stockItems().isEmpty());
    type(u"stockQuantity"_s, u"1"_s);
    click(u"stockFormSave"_s);
    ASSERT_EQ(store().stockItems().size(), 1);
    const StockItem item = store().stockItems().first();
    EXPECT_EQ(item.quantity, 1);
    ASSERT_TRUE(item.photoURL);
    EXPECT_EQ(mediaFiles(), QStringList{item.photoURL->fileName()});
    EXPECT_EQ(shownRows(), QStringList{u"Pinceau"_s});
    EXPECT_TRUE(cardSubtitle(window()).contains(u"Presque épuisé"_s));

    // Default thresholds: 1 and 2 are low, 3 is in stock, 0 is out.
    click(u"stockCardPlus"_s);
    click(u"stockCardPlus"_s);
    EXPECT_EQ(store().stockItems().first().quantity, 3);
    EXPECT_TRUE(cardSubtitle(window()).contains(u"En stock"_s));
    for (int i = 0; i < 3; ++i)
        click(u"stockCardMinus"_s);
    EXPECT_EQ(store().stockItems().first().quantity, 0);
    EXPECT_TRUE(cardSubtitle(window()).contains(u"En rupture"_s));
    EXPECT_FALSE(find<QWidget>(u"stockCardMinus"_s)->isEnabled());
    EXPECT_EQ(m_app->store().session().stockItems, store().stockItems());
    EXPECT_TRUE(sessionFile().contains("Pinceau"));

    // The level filter hides the item and is kept for the next run.
    auto* level = find<QToolButton>(u"stockLevelFilter"_s);
    ASSERT_NE(level, nullptr);
    for (QAction* choice : level->menu()->actions())
        if (choice->text() == u"En stock"_s)
            choice->trigger();
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_EQ(m_defaults.value(u"stockLevelFilter"_s).toString(), u"En stock"_s);
    restartApp();
    openFromList(m_path);
    window().workspace().showSection(u"stock"_s);
    EXPECT_TRUE(shownRows().isEmpty());

    confirmNextDeletion();
    window().findChild<StockItemsPage*>()->select(item.id);
    click(u"stockCardDelete"_s);
    EXPECT_TRUE(store().stockItems().isEmpty());
    EXPECT_TRUE(mediaFiles().isEmpty());
}

TEST_F(StockPageTest, BoughtWishlistItemIsShownInTheStock) {
    PurchaseWishlistItem wanted;
    wanted.id = QUuid::createUuid();
    wanted.title = u"Chevalet"_s;
    wanted.quantity = 2;
    openSection(u"stock"_s, [&](AppDatabase& db) { db.purchaseWishlistItems = {wanted}; });
    auto* tabs = find<QTabWidget>(u"stockTabs"_s);
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(1);
    m_key = u"wishlist"_s;
    EXPECT_EQ(shownRows(), QStringList{u"Chevalet"_s});
    window().findChild<WishlistPage*>()->select(wanted.id);
    click(u"wishlistCardBought"_s);
    EXPECT_TRUE(store().purchaseWishlistItems().isEmpty());
    ASSERT_EQ(store().stockItems().size(), 1);
    EXPECT_EQ(store().stockItems().first().quantity, 2);
    EXPECT_EQ(tabs->currentIndex(), 0);
    m_key = u"stock"_s;
    EXPECT_EQ(shownRows(), QStringList{u"Chevalet"_s});
}

} // namespace
} // namespace velmora::gui::test
