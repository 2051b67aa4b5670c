#pragma once

#include "core/model/RawNames.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace velmora {

enum class PurchaseWishlistStatus { toBuy, bought };
VELMORA_RAW(PurchaseWishlistStatus, "toBuy", "bought");

struct StockCharacteristic {
    QUuid id;
    QString label;
    QString value;

    friend bool operator==(const StockCharacteristic&, const StockCharacteristic&) = default;
};

template <class Io> void describe(Io& io, StockCharacteristic& r) {
    io.required("id", r.id);
    io.required("label", r.label);
    io.required("value", r.value);
}

struct StockItem {
    QUuid id;
    QString title;
    std::optional<QUrl> photoURL;
    std::optional<QString> iconName;
    QList<QUuid> categoryIDs;
    QList<QUuid> subCategoryIDs;
    QList<QUuid> tagIDs;
    QList<QUuid> subTagIDs;
    std::optional<qint64> quantity; // no value: not counted
    QString orderURL;
    QString notes;
    QList<StockCharacteristic> characteristics;

    friend bool operator==(const StockItem&, const StockItem&) = default;
};

template <class Io> void describe(Io& io, StockItem& r) {
    io.required("id", r.id);
    io.required("title", r.title);
    io.optional("photoURL", r.photoURL);
    io.optional("iconName", r.iconName);
    io.fallback("categoryIDs", r.categoryIDs);
    io.fallback("subCategoryIDs", r.subCategoryIDs);
    io.fallback("tagIDs", r.tagIDs);
    io.fallback("subTagIDs", r.subTagIDs);
    io.optional("quantity", r.quantity);
    io.fallback("orderURL", r.orderURL);
    io.fallback("notes", r.notes);
    io.fallback("characteristics", r.characteristics);
}

struct PurchaseWishlistItem {
    QUuid id;
    QString title;
    std::optional<QUrl> photoURL;
    std::optional<QString> iconName;
    QList<QUuid> categoryIDs;
    QList<QUuid> tagIDs;
    std::optional<qint64> quantity;
    PurchaseWishlistStatus status = PurchaseWishlistStatus::toBuy;
    QString orderURL;
    QString notes;
    QList<StockCharacteristic> characteristics;

    friend bool operator==(const PurchaseWishlistItem&, const PurchaseWishlistItem&) = default;
};

template <class Io> void describe(Io& io, PurchaseWishlistItem& r) {
    io.required("id", r.id);
    io.required("title", r.title);
    io.optional("photoURL", r.photoURL);
    io.optional("iconName", r.iconName);
    io.required("categoryIDs", r.categoryIDs);
    io.required("tagIDs", r.tagIDs);
    io.optional("quantity", r.quantity);
    io.required("status", r.status);
    io.required("orderURL", r.orderURL);
    io.required("notes", r.notes);
    io.required("characteristics", r.characteristics);
}

struct StockCategoryItem {
    QUuid id;
    QString name;
    QList<QUuid> tagIDs;

    friend bool operator==(const StockCategoryItem&, const StockCategoryItem&) = default;
};

template <class Io> void describe(Io& io, StockCategoryItem& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.required("tagIDs", r.tagIDs);
}

struct StockSubCategoryItem {
    QUuid id;
    QString name;
    QList<QUuid> categoryIDs;

    friend bool operator==(const StockSubCategoryItem&, const StockSubCategoryItem&) = default;
};

template <class Io> void describe(Io& io, StockSubCategoryItem& r) {
    io.fallbackFreshId("id", r.id);
    io.fallback("name", r.name);
    io.idsOrLegacy("categoryIDs", "legacyCategoryID", r.categoryIDs);
}

struct StockSubTag {
    QUuid id;
    QString name;
    TagColorOption color = TagColorOption::blue;
    QList<QUuid> parentTagIDs;

    friend bool operator==(const StockSubTag&, const StockSubTag&) = default;
};

template <class Io> void describe(Io& io, StockSubTag& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.fallback("color", r.color, TagColorOption::blue);
    io.idsOrLegacy("parentTagIDs", "parentTagID", r.parentTagIDs);
}

} // namespace velmora
