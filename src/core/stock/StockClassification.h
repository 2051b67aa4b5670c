#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/SessionSettings.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <array>
#include <optional>

namespace velmora {

struct AppDatabase;
class SessionEdit;

// The four levels that classify stock items, wishlist items and expenses,
// in the order the editor shows them.
enum class StockClassLevel { category, subCategory, tag, subTag };

// One entry of any level, as the editor reads and writes it. `links` holds,
// for a category, its tags; for a sub-category, its parent categories; for a
// sub-tag, its parent tags; a tag has none. Only tags and sub-tags have a
// colour: the field is ignored elsewhere.
struct StockClassEntry {
    QUuid id;
    QString name;
    TagColorOption color = TagColorOption::blue;
    QList<QUuid> links;

    friend bool operator==(const StockClassEntry&, const StockClassEntry&) = default;
};

// What names an entry, and so what deleting it takes it from.
struct StockClassUses {
    qsizetype stockItems = 0;
    qsizetype wishlistItems = 0;
    qsizetype expenses = 0;
    qsizetype subCategories = 0; // a category as their parent
    qsizetype subTags = 0;       // a tag as their parent
    qsizetype categories = 0;    // a tag among their tags

    friend bool operator==(const StockClassUses&, const StockClassUses&) = default;
};

// The editor of the stock's classification: add, edit and delete entries of
// the four levels. Deleting one removes its id from every record naming it.
namespace StockClassification {

inline constexpr std::array<StockClassLevel, 4> levels{
    StockClassLevel::category, StockClassLevel::subCategory, StockClassLevel::tag,
    StockClassLevel::subTag};

// The level's name in the stock screen, as the user may have renamed it.
QString label(const StockSettings& settings, StockClassLevel level);
bool hasColor(StockClassLevel level);
// The level `links` point into; none for tags.
std::optional<StockClassLevel> linkedLevel(StockClassLevel level);

inline QString sheetTitle() {
    return QStringLiteral("Catégories et tags");
}
// "Nouvelle catégorie", "Nouveau tag"…
QString newTitle(StockClassLevel level);
// "Modifier la catégorie", "Modifier le tag"…
QString editTitle(StockClassLevel level);
inline QString emptyNameMessage() {
    return QStringLiteral("Le nom est obligatoire.");
}
// "Une catégorie « Peinture » existe déjà.", "Un tag « Fragile » existe déjà."
QString duplicateMessage(StockClassLevel level, const QString& name);
// "Supprimer la catégorie", "Supprimer le tag"…
QString deleteText(StockClassLevel level);
// "Cette catégorie n’existe plus.", "Ce tag n’existe plus."
QString notFoundMessage(StockClassLevel level);
// "Aucune catégorie pour l’instant.", "Aucun tag pour l’instant."
QString emptyText(StockClassLevel level);

// The level's entries in the session's order.
QList<StockClassEntry> entries(const AppDatabase& session, StockClassLevel level);
std::optional<StockClassEntry> entry(const AppDatabase& session, StockClassLevel level,
                                     const QUuid& id);
// The message refusing `name` for the entry `id` (none: a new one), or an
// empty text. Names compare trimmed, without case or accents.
QString checkName(const AppDatabase& session, StockClassLevel level, const QString& name,
                  const std::optional<QUuid>& id = std::nullopt);

// The names of the entries of the linked level that `links` name, in their
// order, joined by commas; the ids of no entry are left out.
QString linkedNames(const AppDatabase& session, StockClassLevel level, const QList<QUuid>& links);

StockClassUses uses(const AppDatabase& session, StockClassLevel level, const QUuid& id);
// "Supprimer la catégorie ?", naming the entry and counting what loses it.
Alert deleteConfirmation(StockClassLevel level, const QString& name, const StockClassUses& uses);
// The same for the entry of the session; none when it is gone.
std::optional<Alert> deleteConfirmation(const AppDatabase& session, StockClassLevel level,
                                        const QUuid& id);

// Appends an entry with a fresh id (that of `fields` is ignored): the name
// trimmed, the links kept when they name an entry of their level, once.
Result<QUuid> add(SessionEdit& edit, StockClassLevel level, const StockClassEntry& fields);
// Writes `fields` over the entry of its id, cleaned the same way;
// `unchanged` when nothing differs.
Result<> update(SessionEdit& edit, StockClassLevel level, const StockClassEntry& fields);
// Deletes the entry and its id from stock items, wishlist items, expenses,
// sub-categories' parents, sub-tags' parents and categories' tags.
Result<> remove(SessionEdit& edit, StockClassLevel level, const QUuid& id);

} // namespace StockClassification

} // namespace velmora
