#pragma once

#include <QSortFilterProxyModel>
#include <QUuid>

#include <functional>

namespace velmora {

// What a section's list shows of its records: those its filter accepts
// (search, tag chips, status), sorted by one of the list model's columns,
// each column being a sort key answered through SortRole.
class RecordFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    // Whether the record of this source row is shown.
    using Accept = std::function<bool(int sourceRow)>;

    explicit RecordFilterModel(QObject* parent = nullptr);

    // Applies at once; an empty function shows every record.
    void setAccept(Accept accept);
    // The filter's inputs changed: asks it again for every row.
    void refilter();

    // The id of a shown row, or a null id.
    QUuid idAt(int row) const;
    // The shown row of a record, or -1 when it is filtered out or unknown.
    int rowOf(const QUuid& id) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // Ties are broken by the source order, so that equal keys never swap
    // places from one refresh to the next.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    Accept m_accept;
};

} // namespace velmora
