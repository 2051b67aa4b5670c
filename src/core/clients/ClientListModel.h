#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/ClientItem.h"
#include "core/model/TagItem.h"

namespace velmora {

// The clients of the section's list: one row per client, named by the
// display-name rule, with its e-mail and phone under the name, its kind at
// the end and the dots of its tags. The columns are the sort keys.
class ClientListModel final : public TaggedListModel<ClientItem> {
    Q_OBJECT

public:
    enum Column { nameColumn, kindColumn, columnTotal };

    explicit ClientListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // "Aucun client", "1 client", "N clients".
    static QString countText(int count);

private:
    QVariant recordData(const ClientItem& client, int column, int role) const override;
};

} // namespace velmora
