#pragma once

#include "core/lists/RecordListModelBase.h"

#include <QList>
#include <QUuid>

#include <span>

namespace velmora {

// The list model of one kind of record, each with a QUuid `id` and an
// operator==. A screen derives from it and gives its columns: columnCount()
// and recordData(), which answers every role but IdRole for a valid cell.
template <class Record> class RecordListModel : public RecordListModelBase {
public:
    using RecordListModelBase::RecordListModelBase;

    // Brings the rows to `records` with the fewest signals: removals, moves,
    // insertions, then dataChanged for the records that differ; nothing at all
    // when the list is the same. A repeated id keeps its first record.
    void setRecords(const QList<Record>& records) {
        QList<QUuid> ids(records.size());
        for (qsizetype i = 0; i < records.size(); ++i)
            ids[i] = records[i].id;
        m_incoming = &records;
        applyIncoming(ids);
        m_incoming = nullptr;
    }

    // The record of this row, or null outside the rows.
    const Record* record(int row) const {
        return row >= 0 && row < m_records.size() ? &m_records[row] : nullptr;
    }
    const QList<Record>& records() const { return m_records; }

protected:
    virtual QVariant recordData(const Record& record, int column, int role) const = 0;

private:
    QVariant rowData(int row, int column, int role) const final {
        return recordData(m_records[row], column, role);
    }
    void eraseRecords(int first, int count) final { m_records.remove(first, count); }
    void moveRecord(int from, int to) final { m_records.move(from, to); }
    void insertRecords(int row, std::span<const qsizetype> incoming) final {
        m_records.insert(row, qsizetype(incoming.size()), Record());
        for (const qsizetype i : incoming)
            m_records[row++] = m_incoming->at(i);
    }
    bool recordDiffers(int row, qsizetype incoming) const final {
        return !(m_records[row] == m_incoming->at(incoming));
    }
    void replaceRecord(int row, qsizetype incoming) final {
        m_records[row] = m_incoming->at(incoming);
    }
    void assignRecords(std::span<const qsizetype> incoming) final {
        QList<Record> records;
        records.reserve(qsizetype(incoming.size()));
        for (const qsizetype i : incoming)
            records.append(m_incoming->at(i));
        m_records = std::move(records);
    }
    void reorderRecords(std::span<const int> order) final {
        QList<Record> records;
        records.reserve(qsizetype(order.size()));
        for (const int row : order)
            records.append(std::move(m_records[row]));
        m_records = std::move(records);
    }

    QList<Record> m_records;
    const QList<Record>* m_incoming = nullptr;
};

} // namespace velmora
