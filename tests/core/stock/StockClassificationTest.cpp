// The classification of the stock: names refused per level, links cleaned,
// and a deletion that counts, then leaves, every record naming the entry.

#include "core/stock/StockClassification.h"

#include "core/store/SessionEdit.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;
namespace SC = velmora::StockClassification;

namespace {

using Level = StockClassLevel;

StockClassEntry named(const QString& name, QList<QUuid> links = {},
                      TagColorOption color = TagColorOption::blue) {
    StockClassEntry e;
    e.name = name;
    e.links = std::move(links);
    e.color = color;
    return e;
}

// One entry of each level, "Éclairage" everywhere, and the ids of the first
// category and tag.
struct Seeded {
    AppDatabase session;
    QUuid category;
    QUuid tag;
};

Seeded seeded() {
    SessionEdit edit{AppDatabase()};
    Seeded s;
    s.category = SC::add(edit, Level::category, named(u"Éclairage"_s)).value();
    s.tag = SC::add(edit, Level::tag, named(u"Éclairage"_s)).value();
    (void)SC::add(edit, Level::subCategory, named(u"Éclairage"_s));
    (void)SC::add(edit, Level::subTag, named(u"Éclairage"_s));
    s.session = edit.session();
    return s;
}

TEST(StockClassification, NamesAreRequiredAndNewToTheirLevel) {
    const Seeded s = seeded();
    const struct {
        Level level;
        QString duplicate;
        QString newTitle;
        QString editTitle;
    } cases[] = {
        {Level::category, u"Une catégorie « Éclairage » existe déjà."_s, u"Nouvelle catégorie"_s,
         u"Modifier la catégorie"_s},
        {Level::subCategory, u"Une sous-catégorie « Éclairage » existe déjà."_s,
         u"Nouvelle sous-catégorie"_s, u"Modifier la sous-catégorie"_s},
        {Level::tag, u"Un tag « Éclairage » existe déjà."_s, u"Nouveau tag"_s,
         u"Modifier le tag"_s},
        {Level::subTag, u"Un sous-tag « Éclairage » existe déjà."_s, u"Nouveau sous-tag"_s,
         u"Modifier le sous-tag"_s},
    };
    for (const auto& c : cases) {
        SessionEdit edit(s.session);
        EXPECT_EQ(SC::add(edit, c.level, named(u" \t "_s)).error(), u"Le nom est obligatoire."_s);
        const Result<QUuid> twin = SC::add(edit, c.level, named(u"  ECLAIRAGE "_s));
        EXPECT_EQ(twin.kind(), ResultKind::invalid);
        EXPECT_EQ(twin.error(), c.duplicate);
        EXPECT_EQ(SC::newTitle(c.level), c.newTitle);
        EXPECT_EQ(SC::editTitle(c.level), c.editTitle);
        EXPECT_FALSE(edit.touchedAny());

        const Result<QUuid> added = SC::add(edit, c.level, named(u"  Peinture "_s));
        ASSERT_TRUE(added.ok());
        EXPECT_EQ(SC::entry(edit.session(), c.level, added.value())->name, u"Peinture"_s);
        // Renaming onto the other name is refused; onto itself is no change.
        StockClassEntry renamed = *SC::entry(edit.session(), c.level, added.value());
        renamed.name = u"éclairage"_s;
        EXPECT_EQ(SC::update(edit, c.level, renamed).error(), c.duplicate);
        renamed.name = u"Peinture "_s;
        EXPECT_EQ(SC::update(edit, c.level, renamed).kind(), ResultKind::unchanged);
        renamed.name = u"Peintures"_s;
        EXPECT_TRUE(SC::update(edit, c.level, renamed).ok());
        EXPECT_EQ(SC::entries(edit.session(), c.level).last().name, u"Peintures"_s);

        renamed.id = QUuid::createUuid();
        EXPECT_EQ(SC::update(edit, c.level, renamed).kind(), ResultKind::notFound);
    }
    EXPECT_EQ(SC::notFoundMessage(Level::subCategory), u"Cette sous-catégorie n’existe plus."_s);
    EXPECT_EQ(SC::notFoundMessage(Level::tag), u"Ce tag n’existe plus."_s);
}

TEST(StockClassification, LinksKeepLiveEntriesOfTheirLevelOnce) {
    const Seeded s = seeded();
    const QUuid gone = QUuid::createUuid();
    const struct {
        Level level;
        QList<QUuid> links;
        QList<QUuid> kept;
        TagColorOption color;
    } cases[] = {
        {Level::category, {s.tag, gone, s.tag, s.category}, {s.tag}, TagColorOption::blue},
        {Level::subCategory, {gone, s.category, s.tag}, {s.category}, TagColorOption::blue},
        {Level::tag, {s.tag}, {}, TagColorOption::green},
        {Level::subTag, {s.tag, gone}, {s.tag}, TagColorOption::pink},
    };
    for (const auto& c : cases) {
        SessionEdit edit(s.session);
        const QUuid id =
            SC::add(edit, c.level, named(u"Vernis"_s, c.links, TagColorOption::green)).value();
        const StockClassEntry stored = *SC::entry(edit.session(), c.level, id);
        EXPECT_EQ(stored.links, c.kept) << int(c.level);
        EXPECT_EQ(stored.color,
                  SC::hasColor(c.level) ? TagColorOption::green : TagColorOption::blue);

        StockClassEntry recoloured = stored;
        recoloured.color = c.color;
        recoloured.links.append(gone);
        EXPECT_EQ(SC::update(edit, c.level, recoloured).kind(),
                  c.color == TagColorOption::pink ? ResultKind::applied : ResultKind::unchanged)
            << int(c.level);
    }
    // Both kinds of parents are written in their records.
    SessionEdit edit(s.session);
    (void)SC::add(edit, Level::subCategory, named(u"Ampoules"_s, {s.category}));
    (void)SC::add(edit, Level::subTag, named(u"LED"_s, {s.tag}, TagColorOption::mint));
    EXPECT_EQ(edit.session().stockSubCategories.last().categoryIDs, QList<QUuid>{s.category});
    EXPECT_EQ(edit.session().stockSubTags.last().parentTagIDs, QList<QUuid>{s.tag});
    EXPECT_EQ(edit.session().stockSubTags.last().color, TagColorOption::mint);
}

TEST(StockClassification, DeletionCountsThenLeavesEveryRecordNamingTheEntry) {
    const QUuid cat = QUuid::createUuid(), sub = QUuid::createUuid(), tag = QUuid::createUuid(),
                subTag = QUuid::createUuid(), other = QUuid::createUuid();
    AppDatabase db;
    db.stockCategories = {{cat, u"Peinture"_s, {tag, other}}, {other, u"Outils"_s, {tag}}};
    db.stockSubCategories = {{sub, u"Acrylique"_s, {cat, other}}};
    db.stockTags = {{tag, u"Fragile"_s, TagColorOption::red}, {other, u"Lourd"_s, {}}};
    db.stockSubTags = {{subTag, u"Verre"_s, TagColorOption::blue, {tag}}};
    for (int i = 0; i < 12; ++i) {
        StockItem item;
        item.id = QUuid::createUuid();
        item.title = u"Pot %1"_s.arg(i);
        item.categoryIDs = {cat, other};
        item.subCategoryIDs = {sub};
        item.tagIDs = i == 0 ? QList<QUuid>{tag} : QList<QUuid>{};
        item.subTagIDs = i < 2 ? QList<QUuid>{subTag} : QList<QUuid>{};
        db.stockItems.append(item);
    }
    PurchaseWishlistItem wish;
    wish.id = QUuid::createUuid();
    wish.categoryIDs = {cat};
    wish.tagIDs = {tag, other};
    db.purchaseWishlistItems = {wish};
    AccountingPurchaseItem expense;
    expense.id = QUuid::createUuid();
    expense.categoryIDs = {cat};
    expense.subCategoryIDs = {sub};
    expense.tagIDs = {tag};
    expense.subTagIDs = {subTag};
    db.accountingPurchases = {expense, expense};
    db.accountingPurchases[1].id = QUuid::createUuid();

    const struct {
        Level level;
        QUuid id;
        QString title;
        QString message;
        SessionFields touched;
    } cases[] = {
        {Level::category,
         cat,
         u"Supprimer la catégorie ?"_s,
         u"La catégorie « Peinture » sera retirée de 12 articles, 1 achat prévu, 2 dépenses et "
         u"1 sous-catégorie."_s,
         {SessionField::stockCategories, SessionField::stockItems,
          SessionField::purchaseWishlistItems, SessionField::accountingPurchases,
          SessionField::stockSubCategories}},
        {Level::subCategory,
         sub,
         u"Supprimer la sous-catégorie ?"_s,
         u"La sous-catégorie « Acrylique » sera retirée de 12 articles et 2 dépenses."_s,
         {SessionField::stockSubCategories, SessionField::stockItems,
          SessionField::accountingPurchases}},
        {Level::tag,
         tag,
         u"Supprimer le tag ?"_s,
         u"Le tag « Fragile » sera retiré de 1 article, 1 achat prévu, 2 dépenses, 1 sous-tag et "
         u"2 catégories."_s,
         {SessionField::stockTags, SessionField::stockItems, SessionField::purchaseWishlistItems,
          SessionField::accountingPurchases, SessionField::stockSubTags,
          SessionField::stockCategories}},
        {Level::subTag,
         subTag,
         u"Supprimer le sous-tag ?"_s,
         u"Le sous-tag « Verre » sera retiré de 2 articles et 2 dépenses."_s,
         {SessionField::stockSubTags, SessionField::stockItems, SessionField::accountingPurchases}},
    };
    for (const auto& c : cases) {
        const Alert alert = *SC::deleteConfirmation(db, c.level, c.id);
        EXPECT_EQ(alert.title, c.title);
        EXPECT_EQ(alert.message, c.message);
        EXPECT_EQ(alert.buttons.last().role, AlertRole::destructive);

        SessionEdit edit(db);
        ASSERT_TRUE(SC::remove(edit, c.level, c.id).ok());
        EXPECT_EQ(edit.touchedFields(), c.touched) << int(c.level);
        const AppDatabase& after = edit.session();
        EXPECT_FALSE(SC::entry(after, c.level, c.id));
        EXPECT_EQ(SC::uses(after, c.level, c.id), StockClassUses()) << int(c.level);
        // The other entry keeps its place in the same records.
        EXPECT_EQ(SC::uses(after, Level::category, other).stockItems, 12);
        EXPECT_EQ(SC::uses(after, Level::tag, other).wishlistItems, 1);
        EXPECT_EQ(SC::remove(edit, c.level, c.id).kind(), ResultKind::notFound);
    }
    EXPECT_EQ(SC::deleteConfirmation(db, Level::tag, QUuid::createUuid()), std::nullopt);
}

TEST(StockClassification, ConfirmationsWriteTheirPluralsOut) {
    StockClassUses one;
    one.stockItems = 1;
    StockClassUses many;
    many.stockItems = 3;
    many.expenses = 1;
    const struct {
        Level level;
        StockClassUses uses;
        QString message;
    } cases[] = {
        {Level::category, {}, u"La catégorie « Vis » sera supprimée définitivement."_s},
        {Level::subTag, {}, u"Le sous-tag « Vis » sera supprimé définitivement."_s},
        {Level::category, one, u"La catégorie « Vis » sera retirée de 1 article."_s},
        {Level::tag, many, u"Le tag « Vis » sera retiré de 3 articles et 1 dépense."_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SC::deleteConfirmation(c.level, u"Vis"_s, c.uses).message, c.message);
}

TEST(StockClassification, LevelsAreTitledAsTheUserRenamedThem) {
    StockSettings settings;
    EXPECT_EQ(SC::label(settings, Level::subTag), u"Sous-tags"_s);
    settings.labelCategories = u"Familles"_s;
    EXPECT_EQ(SC::label(settings, Level::category), u"Familles"_s);
    EXPECT_EQ(SC::linkedLevel(Level::subCategory), Level::category);
    EXPECT_EQ(SC::linkedLevel(Level::tag), std::nullopt);
    EXPECT_EQ(SC::emptyText(Level::subCategory), u"Aucune sous-catégorie pour l’instant."_s);
    EXPECT_EQ(SC::emptyText(Level::tag), u"Aucun tag pour l’instant."_s);
    EXPECT_EQ(SC::deleteText(Level::subTag), u"Supprimer le sous-tag"_s);
}

TEST(StockClassification, LinkedNamesFollowTheLinksOfLiveEntries) {
    const Seeded s = seeded();
    SessionEdit edit(s.session);
    const QUuid fragile = SC::add(edit, Level::tag, named(u"Fragile"_s)).value();
    const QList<QUuid> links{fragile, QUuid::createUuid(), s.tag};
    EXPECT_EQ(SC::linkedNames(edit.session(), Level::category, links), u"Fragile, Éclairage"_s);
    EXPECT_EQ(SC::linkedNames(edit.session(), Level::subCategory, links), QString());
    EXPECT_EQ(SC::linkedNames(edit.session(), Level::subCategory, {s.category}), u"Éclairage"_s);
}

} // namespace
