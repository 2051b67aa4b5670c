#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/ServiceItem.h"
#include "core/model/TagItem.h"

namespace velmora {

// The catalogue's list: one row per service with its URSSAF type under the
// title, its price at the end (in red when it is not an amount) and the dots
// of its tags. The columns are the sort keys; a price that is not an amount
// sorts after every price.
class ServiceListModel final : public TaggedListModel<ServiceItem> {
    Q_OBJECT

public:
    enum Column { titleColumn, priceColumn, typeColumn, columnTotal };

    explicit ServiceListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // "Aucune prestation", "1 prestation", "N prestations".
    static QString countText(int count);
    // The price as the list and the card show it: in euros when it is an
    // amount, as typed otherwise, nothing when empty.
    static QString priceText(const ServiceItem& service);

private:
    QVariant recordData(const ServiceItem& service, int column, int role) const override;
};

// Whether every word of the query is in the title, description or notes,
// case and accents aside.
bool serviceMatches(const ServiceItem& service, const QString& query);

} // namespace velmora
