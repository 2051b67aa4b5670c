#include "core/stock/StockClassification.h"

#include "core/store/SessionEdit.h"
#include "core/text/SearchFolding.h"

#include <algorithm>

namespace velmora::StockClassification {
namespace {

// How French names each level: its noun and its gender, for the texts.
struct Noun {
    const char16_t* noun;
    bool feminine;
};

Noun nounOf(StockClassLevel level) {
    switch (level) {
    case StockClassLevel::category:
        return {u"catégorie", true};
    case StockClassLevel::subCategory:
        return {u"sous-catégorie", true};
    case StockClassLevel::tag:
        return {u"tag", false};
    case StockClassLevel::subTag:
        return {u"sous-tag", false};
    }
    return {u"tag", false};
}

QString noun(StockClassLevel level) {
    return QString::fromUtf16(nounOf(level).noun);
}

bool feminine(StockClassLevel level) {
    return nounOf(level).feminine;
}

QString quoted(const QString& name) {
    return QStringLiteral("« ") + name + QStringLiteral(" »");
}

QString counted(qsizetype count, const QString& singular, const QString& plural) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? singular : plural);
}

template <class T> qsizetype indexOfId(const QList<T>& list, const QUuid& id) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].id == id)
            return i;
    }
    return -1;
}

// Removes `id` from the lists `member` of the records that hold it; only
// the lists that change are written, so the others stay untouched.
template <class T, class Writable>
void dropId(SessionEdit& edit, const QList<T>& records, Writable writable, QList<QUuid> T::*member,
            const QUuid& id) {
    for (qsizetype i = 0; i < records.size(); ++i) {
        if ((records[i].*member).contains(id))
            ((edit.*writable)()[i].*member).removeAll(id);
    }
}

template <class T>
qsizetype countNaming(const QList<T>& records, QList<QUuid> T::*member, const QUuid& id) {
    return std::count_if(records.cbegin(), records.cend(),
                         [&](const T& record) { return (record.*member).contains(id); });
}

QList<QUuid> idsOf(const AppDatabase& session, StockClassLevel level) {
    QList<QUuid> ids;
    for (const StockClassEntry& e : entries(session, level))
        ids.append(e.id);
    return ids;
}

// The links that name an entry of their level, each once, in their order.
QList<QUuid> cleanLinks(const AppDatabase& session, StockClassLevel level,
                        const QList<QUuid>& links) {
    const std::optional<StockClassLevel> linked = linkedLevel(level);
    if (!linked)
        return {};
    const QList<QUuid> known = idsOf(session, *linked);
    QList<QUuid> kept;
    for (const QUuid& id : links) {
        if (known.contains(id) && !kept.contains(id))
            kept.append(id);
    }
    return kept;
}

StockClassEntry cleaned(const AppDatabase& session, StockClassLevel level,
                        const StockClassEntry& fields) {
    StockClassEntry e;
    e.id = fields.id;
    e.name = fields.name.trimmed();
    e.color = hasColor(level) ? fields.color : TagColorOption::blue;
    e.links = cleanLinks(session, level, fields.links);
    return e;
}

void write(SessionEdit& edit, StockClassLevel level, qsizetype index, const StockClassEntry& e) {
    switch (level) {
    case StockClassLevel::category: {
        StockCategoryItem& r = edit.stockCategories()[index];
        r.name = e.name;
        r.tagIDs = e.links;
        return;
    }
    case StockClassLevel::subCategory: {
        StockSubCategoryItem& r = edit.stockSubCategories()[index];
        r.name = e.name;
        r.categoryIDs = e.links;
        return;
    }
    case StockClassLevel::tag: {
        TagItem& r = edit.stockTags()[index];
        r.name = e.name;
        r.color = e.color;
        return;
    }
    case StockClassLevel::subTag: {
        StockSubTag& r = edit.stockSubTags()[index];
        r.name = e.name;
        r.color = e.color;
        r.parentTagIDs = e.links;
        return;
    }
    }
}

qsizetype append(SessionEdit& edit, StockClassLevel level, const QUuid& id) {
    switch (level) {
    case StockClassLevel::category: {
        StockCategoryItem r;
        r.id = id;
        edit.stockCategories().append(r);
        return edit.session().stockCategories.size() - 1;
    }
    case StockClassLevel::subCategory: {
        StockSubCategoryItem r;
        r.id = id;
        edit.stockSubCategories().append(r);
        return edit.session().stockSubCategories.size() - 1;
    }
    case StockClassLevel::tag: {
        TagItem r;
        r.id = id;
        edit.stockTags().append(r);
        return edit.session().stockTags.size() - 1;
    }
    case StockClassLevel::subTag: {
        StockSubTag r;
        r.id = id;
        edit.stockSubTags().append(r);
        return edit.session().stockSubTags.size() - 1;
    }
    }
    return -1;
}

qsizetype indexOf(const AppDatabase& session, StockClassLevel level, const QUuid& id) {
    switch (level) {
    case StockClassLevel::category:
        return indexOfId(session.stockCategories, id);
    case StockClassLevel::subCategory:
        return indexOfId(session.stockSubCategories, id);
    case StockClassLevel::tag:
        return indexOfId(session.stockTags, id);
    case StockClassLevel::subTag:
        return indexOfId(session.stockSubTags, id);
    }
    return -1;
}

void eraseAt(SessionEdit& edit, StockClassLevel level, qsizetype index) {
    switch (level) {
    case StockClassLevel::category:
        edit.stockCategories().removeAt(index);
        return;
    case StockClassLevel::subCategory:
        edit.stockSubCategories().removeAt(index);
        return;
    case StockClassLevel::tag:
        edit.stockTags().removeAt(index);
        return;
    case StockClassLevel::subTag:
        edit.stockSubTags().removeAt(index);
        return;
    }
}

} // namespace

QString label(const StockSettings& settings, StockClassLevel level) {
    switch (level) {
    case StockClassLevel::category:
        return settings.labelCategories;
    case StockClassLevel::subCategory:
        return settings.labelSubCategories;
    case StockClassLevel::tag:
        return settings.labelTags;
    case StockClassLevel::subTag:
        return settings.labelSubTags;
    }
    return {};
}

bool hasColor(StockClassLevel level) {
    return level == StockClassLevel::tag || level == StockClassLevel::subTag;
}

std::optional<StockClassLevel> linkedLevel(StockClassLevel level) {
    switch (level) {
    case StockClassLevel::category:
    case StockClassLevel::subTag:
        return StockClassLevel::tag;
    case StockClassLevel::subCategory:
        return StockClassLevel::category;
    case StockClassLevel::tag:
        break;
    }
    return std::nullopt;
}

QString newTitle(StockClassLevel level) {
    return (feminine(level) ? QStringLiteral("Nouvelle ") : QStringLiteral("Nouveau ")) +
           noun(level);
}

QString editTitle(StockClassLevel level) {
    return (feminine(level) ? QStringLiteral("Modifier la ") : QStringLiteral("Modifier le ")) +
           noun(level);
}

QString deleteText(StockClassLevel level) {
    return (feminine(level) ? QStringLiteral("Supprimer la ") : QStringLiteral("Supprimer le ")) +
           noun(level);
}

QString duplicateMessage(StockClassLevel level, const QString& name) {
    return (feminine(level) ? QStringLiteral("Une ") : QStringLiteral("Un ")) + noun(level) +
           QLatin1Char(' ') + quoted(name) + QStringLiteral(" existe déjà.");
}

QString notFoundMessage(StockClassLevel level) {
    return (feminine(level) ? QStringLiteral("Cette ") : QStringLiteral("Ce ")) + noun(level) +
           QStringLiteral(" n’existe plus.");
}

QString emptyText(StockClassLevel level) {
    return (feminine(level) ? QStringLiteral("Aucune ") : QStringLiteral("Aucun ")) + noun(level) +
           QStringLiteral(" pour l’instant.");
}

QList<StockClassEntry> entries(const AppDatabase& session, StockClassLevel level) {
    QList<StockClassEntry> all;
    const auto put = [&all](const QUuid& id, const QString& name, TagColorOption color,
                            const QList<QUuid>& links) {
        StockClassEntry e;
        e.id = id;
        e.name = name;
        e.color = color;
        e.links = links;
        all.append(std::move(e));
    };
    switch (level) {
    case StockClassLevel::category:
        for (const StockCategoryItem& r : session.stockCategories)
            put(r.id, r.name, TagColorOption::blue, r.tagIDs);
        break;
    case StockClassLevel::subCategory:
        for (const StockSubCategoryItem& r : session.stockSubCategories)
            put(r.id, r.name, TagColorOption::blue, r.categoryIDs);
        break;
    case StockClassLevel::tag:
        for (const TagItem& r : session.stockTags)
            put(r.id, r.name, r.color, {});
        break;
    case StockClassLevel::subTag:
        for (const StockSubTag& r : session.stockSubTags)
            put(r.id, r.name, r.color, r.parentTagIDs);
        break;
    }
    return all;
}

std::optional<StockClassEntry> entry(const AppDatabase& session, StockClassLevel level,
                                     const QUuid& id) {
    for (const StockClassEntry& e : entries(session, level)) {
        if (e.id == id)
            return e;
    }
    return std::nullopt;
}

QString checkName(const AppDatabase& session, StockClassLevel level, const QString& name,
                  const std::optional<QUuid>& id) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return emptyNameMessage();
    const QString key = foldedForSearch(trimmed);
    for (const StockClassEntry& e : entries(session, level)) {
        if (e.id != id && foldedForSearch(e.name.trimmed()) == key)
            return duplicateMessage(level, e.name.trimmed());
    }
    return {};
}

QString linkedNames(const AppDatabase& session, StockClassLevel level, const QList<QUuid>& links) {
    const std::optional<StockClassLevel> linked = linkedLevel(level);
    if (!linked || links.isEmpty())
        return {};
    const QList<StockClassEntry> all = entries(session, *linked);
    QStringList names;
    for (const QUuid& id : links) {
        const auto found = std::find_if(all.cbegin(), all.cend(),
                                        [&](const StockClassEntry& e) { return e.id == id; });
        if (found != all.cend())
            names.append(found->name.trimmed());
    }
    return names.join(QStringLiteral(", "));
}

StockClassUses uses(const AppDatabase& session, StockClassLevel level, const QUuid& id) {
    StockClassUses u;
    switch (level) {
    case StockClassLevel::category:
        u.stockItems = countNaming(session.stockItems, &StockItem::categoryIDs, id);
        u.wishlistItems =
            countNaming(session.purchaseWishlistItems, &PurchaseWishlistItem::categoryIDs, id);
        u.expenses =
            countNaming(session.accountingPurchases, &AccountingPurchaseItem::categoryIDs, id);
        u.subCategories =
            countNaming(session.stockSubCategories, &StockSubCategoryItem::categoryIDs, id);
        break;
    case StockClassLevel::subCategory:
        u.stockItems = countNaming(session.stockItems, &StockItem::subCategoryIDs, id);
        u.expenses =
            countNaming(session.accountingPurchases, &AccountingPurchaseItem::subCategoryIDs, id);
        break;
    case StockClassLevel::tag:
        u.stockItems = countNaming(session.stockItems, &StockItem::tagIDs, id);
        u.wishlistItems =
            countNaming(session.purchaseWishlistItems, &PurchaseWishlistItem::tagIDs, id);
        u.expenses = countNaming(session.accountingPurchases, &AccountingPurchaseItem::tagIDs, id);
        u.subTags = countNaming(session.stockSubTags, &StockSubTag::parentTagIDs, id);
        u.categories = countNaming(session.stockCategories, &StockCategoryItem::tagIDs, id);
        break;
    case StockClassLevel::subTag:
        u.stockItems = countNaming(session.stockItems, &StockItem::subTagIDs, id);
        u.expenses =
            countNaming(session.accountingPurchases, &AccountingPurchaseItem::subTagIDs, id);
        break;
    }
    return u;
}

Alert deleteConfirmation(StockClassLevel level, const QString& name, const StockClassUses& uses) {
    QStringList parts;
    const auto part = [&parts](qsizetype count, const char16_t* singular, const char16_t* plural) {
        if (count > 0)
            parts.append(counted(count, QString::fromUtf16(singular), QString::fromUtf16(plural)));
    };
    part(uses.stockItems, u"article", u"articles");
    part(uses.wishlistItems, u"achat prévu", u"achats prévus");
    part(uses.expenses, u"dépense", u"dépenses");
    part(uses.subCategories, u"sous-catégorie", u"sous-catégories");
    part(uses.subTags, u"sous-tag", u"sous-tags");
    part(uses.categories, u"catégorie", u"catégories");

    const bool f = feminine(level);
    const QString subject = (f ? QStringLiteral("La ") : QStringLiteral("Le ")) + noun(level) +
                            QLatin1Char(' ') + quoted(name);
    QString message;
    if (parts.isEmpty()) {
        message = subject + (f ? QStringLiteral(" sera supprimée définitivement.")
                               : QStringLiteral(" sera supprimé définitivement."));
    } else {
        const QString last = parts.takeLast();
        const QString list = parts.isEmpty()
                                 ? last
                                 : parts.join(QStringLiteral(", ")) + QStringLiteral(" et ") + last;
        message = subject +
                  (f ? QStringLiteral(" sera retirée de ") : QStringLiteral(" sera retiré de ")) +
                  list + QLatin1Char('.');
    }
    return Alert{Alert::Kind::warning,
                 deleteText(level) + QStringLiteral(" ?"),
                 message,
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

std::optional<Alert> deleteConfirmation(const AppDatabase& session, StockClassLevel level,
                                        const QUuid& id) {
    const std::optional<StockClassEntry> e = entry(session, level, id);
    if (!e)
        return std::nullopt;
    return deleteConfirmation(level, e->name.trimmed(), uses(session, level, id));
}

Result<QUuid> add(SessionEdit& edit, StockClassLevel level, const StockClassEntry& fields) {
    if (const QString message = checkName(edit.session(), level, fields.name); !message.isEmpty())
        return Result<QUuid>::invalid(message);
    StockClassEntry e = cleaned(edit.session(), level, fields);
    e.id = QUuid::createUuid();
    write(edit, level, append(edit, level, e.id), e);
    return e.id;
}

Result<> update(SessionEdit& edit, StockClassLevel level, const StockClassEntry& fields) {
    const qsizetype index = indexOf(edit.session(), level, fields.id);
    if (index < 0)
        return Result<>::notFound(notFoundMessage(level));
    const StockClassEntry before = entries(edit.session(), level).at(index);
    const StockClassEntry after = cleaned(edit.session(), level, fields);
    if (after == before)
        return Result<>::unchanged();
    // An old pair of look-alike names does not block a change of colour.
    if (after.name != before.name) {
        if (const QString message = checkName(edit.session(), level, after.name, after.id);
            !message.isEmpty())
            return Result<>::invalid(message);
    }
    write(edit, level, index, after);
    return Result<>();
}

Result<> remove(SessionEdit& edit, StockClassLevel level, const QUuid& id) {
    const qsizetype index = indexOf(edit.session(), level, id);
    if (index < 0)
        return Result<>::notFound(notFoundMessage(level));
    eraseAt(edit, level, index);
    const AppDatabase& s = edit.session();
    switch (level) {
    case StockClassLevel::category:
        dropId(edit, s.stockItems, &SessionEdit::stockItems, &StockItem::categoryIDs, id);
        dropId(edit, s.purchaseWishlistItems, &SessionEdit::purchaseWishlistItems,
               &PurchaseWishlistItem::categoryIDs, id);
        dropId(edit, s.accountingPurchases, &SessionEdit::accountingPurchases,
               &AccountingPurchaseItem::categoryIDs, id);
        dropId(edit, s.stockSubCategories, &SessionEdit::stockSubCategories,
               &StockSubCategoryItem::categoryIDs, id);
        break;
    case StockClassLevel::subCategory:
        dropId(edit, s.stockItems, &SessionEdit::stockItems, &StockItem::subCategoryIDs, id);
        dropId(edit, s.accountingPurchases, &SessionEdit::accountingPurchases,
               &AccountingPurchaseItem::subCategoryIDs, id);
        break;
    case StockClassLevel::tag:
        dropId(edit, s.stockItems, &SessionEdit::stockItems, &StockItem::tagIDs, id);
        dropId(edit, s.purchaseWishlistItems, &SessionEdit::purchaseWishlistItems,
               &PurchaseWishlistItem::tagIDs, id);
        dropId(edit, s.accountingPurchases, &SessionEdit::accountingPurchases,
               &AccountingPurchaseItem::tagIDs, id);
        dropId(edit, s.stockSubTags, &SessionEdit::stockSubTags, &StockSubTag::parentTagIDs, id);
        dropId(edit, s.stockCategories, &SessionEdit::stockCategories, &StockCategoryItem::tagIDs,
               id);
        break;
    case StockClassLevel::subTag:
        dropId(edit, s.stockItems, &SessionEdit::stockItems, &StockItem::subTagIDs, id);
        dropId(edit, s.accountingPurchases, &SessionEdit::accountingPurchases,
               &AccountingPurchaseItem::subTagIDs, id);
        break;
    }
    return Result<>();
}

} // namespace velmora::StockClassification
