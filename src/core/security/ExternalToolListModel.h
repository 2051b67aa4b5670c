#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/SecurityRecords.h"

namespace velmora {

// The vault's list: one row per tool, "Sans nom" when it has no name, its
// login under it and the dots of its tags. The columns are the sort keys.
class ExternalToolListModel final : public TaggedListModel<ExternalTool> {
    Q_OBJECT

public:
    enum Column { nameColumn, createdColumn, columnTotal };

    explicit ExternalToolListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // "Aucun outil", "1 outil", "N outils".
    static QString countText(int count);

private:
    QVariant recordData(const ExternalTool& tool, int column, int role) const override;
};

// Whether every word of the query is in the name, login, address or notes,
// case and accents aside; the password is never searched.
bool externalToolMatches(const ExternalTool& tool, const QString& query);

} // namespace velmora
