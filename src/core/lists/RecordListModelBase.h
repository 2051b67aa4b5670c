#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QUuid>

#include <span>
#include <vector>

namespace velmora {

// The rows of a screen's list, one per record, known by the record's id. A new
// list is turned into the precise removals, moves, insertions and changes that
// lead to it, so that views keep their selection, current row and scroll.
// The records themselves live in RecordListModel<Record>; this class keeps the
// row of every id and emits the signals.
class RecordListModelBase : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Role {
        // The record's id, a QUuid.
        IdRole = Qt::UserRole + 1,
        // The raw value a proxy sorts the column by (a date, an amount, not
        // its French text). Subclasses answer it.
        SortRole,
        // A second line under the record's name, or nothing.
        SubtitleRole,
        // A short text shown at the end of the row (a status, a price), and
        // the TagColorOption (as int) of its pill; no colour draws plain text.
        BadgeRole,
        BadgeColorRole,
        // The TagColorOptions (as a QVariantList of int) of the record's tags.
        TagColorsRole,
    };
    Q_ENUM(Role)

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The row of the record with this id, or -1.
    int rowOf(const QUuid& id) const { return m_rows.value(id, -1); }
    QUuid idAt(int row) const { return row >= 0 && row < m_ids.size() ? m_ids[row] : QUuid(); }

protected:
    explicit RecordListModelBase(QObject* parent = nullptr);

    // Brings the rows to the incoming list, whose ids are given in order. When
    // an id comes more than once, its first record is kept and the others are
    // ignored: a row has one id and an id one row. The hooks below apply each
    // step to the records, with indices into the incoming list.
    void applyIncoming(const QList<QUuid>& incomingIds);

    virtual QVariant rowData(int row, int column, int role) const = 0;
    virtual void eraseRecords(int first, int count) = 0;
    virtual void moveRecord(int from, int to) = 0;
    virtual void insertRecords(int row, std::span<const qsizetype> incoming) = 0;
    virtual bool recordDiffers(int row, qsizetype incoming) const = 0;
    virtual void replaceRecord(int row, qsizetype incoming) = 0;
    // The rows become these incoming records, everything at once.
    virtual void assignRecords(std::span<const qsizetype> incoming) = 0;
    // The rows are put in this order: order[newRow] is the record's row now.
    virtual void reorderRecords(std::span<const int> order) = 0;

private:
    void removeRuns(const std::vector<qsizetype>& incomingOfRow);
    void moveToOrder(const std::vector<int>& order);
    void insertRuns(const std::vector<qsizetype>& accepted, const std::vector<int>& rowNow,
                    const QList<QUuid>& incomingIds);
    void emitChanges(const std::vector<qsizetype>& accepted, const std::vector<int>& rowNow);
    void reset(const std::vector<qsizetype>& accepted, const QList<QUuid>& incomingIds);
    void indexRows(int first, int last);

    QList<QUuid> m_ids;
    QHash<QUuid, int> m_rows;
};

} // namespace velmora
