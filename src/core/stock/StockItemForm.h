#pragma once

#include "core/Result.h"
#include "core/model/StockRecords.h"

#include <QString>

namespace velmora {

class SessionEdit;

// The form of a stock item or of an item of the "Liste d'achats": both
// share their fields, the wishlist having neither sub-categories nor
// sub-tags. The quantity is kept as typed; empty means not counted.
class StockItemForm {
public:
    enum class Kind { stock, wishlist };

    static QString titleRequiredMessage() {
        return QStringLiteral("Le nom de l’article est obligatoire.");
    }
    static QString quantityMessage() {
        return QStringLiteral("La quantité doit être un nombre entier, par exemple 12.");
    }
    static QString characteristicMessage() {
        return QStringLiteral("Donnez un nom à chaque caractéristique renseignée.");
    }
    static QString notFoundMessage() { return QStringLiteral("Cet article n’existe plus."); }

    // A new item with a fresh id.
    explicit StockItemForm(Kind kind);
    explicit StockItemForm(const StockItem& item);
    explicit StockItemForm(const PurchaseWishlistItem& item);

    Kind kind() const { return m_kind; }
    bool isNew() const { return m_isNew; }
    // "Nouvel article", "Modifier l’article", "Nouvel achat prévu",
    // "Modifier l’achat prévu".
    QString sheetTitle() const;

    void addCharacteristic();
    void removeCharacteristic(const QUuid& id);

    // The quantity as typed, or nothing when empty or unreadable.
    std::optional<qint64> quantity() const;
    // The message under the quantity, or an empty text.
    QString quantityError() const;
    // The first message that refuses the item, or an empty text.
    QString validate() const;

    StockItem writtenStock() const;
    PurchaseWishlistItem writtenWishlist() const;
    // Validates, then adds or replaces the item; classification ids the
    // session no longer knows are left out. `unchanged` when nothing differs.
    Result<> apply(SessionEdit& edit);

    // Title, photo, icon, classification, order address, notes and
    // characteristics; the quantity is quantityText.
    StockItem fields;
    QString quantityText;
    PurchaseWishlistStatus status = PurchaseWishlistStatus::toBuy;

private:
    Kind m_kind;
    bool m_isNew = true;
};

} // namespace velmora
