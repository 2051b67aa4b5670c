#pragma once

#include "core/accounting/RecipeBookFixture.h"

namespace velmora::test {

inline StockItem stockItem(const QString& title, std::optional<qint64> quantity = std::nullopt) {
    StockItem item;
    item.id = QUuid::createUuid();
    item.title = title;
    item.quantity = quantity;
    return item;
}

// An unpaid quarterly declaration, not generated.
inline URSSAFDeclaration unpaidQuarter(qint64 year, qint64 quarter) {
    URSSAFDeclaration declaration;
    declaration.id = QUuid::createUuid();
    declaration.year = year;
    declaration.periodIndex = quarter;
    return declaration;
}

inline QString upperId(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace velmora::test
