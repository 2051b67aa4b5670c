#include "core/lists/RecordListModelBase.h"

#include <QSet>

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

// Past this many separate removals and insertions, or this many moves, the
// new list is another list rather than an edit of the old one: one reset (one
// layout change for a pure reordering) serves the view better than hundreds of
// signals, each of which shifts the rows below it.
constexpr int kMaxRuns = 64;
constexpr int kMaxMoves = 64;

// Marks the values of a longest increasing subsequence of `values`, a
// permutation of 0..n-1: the rows that can stay while the others move around
// them. O(n log n).
std::vector<bool> longestIncreasing(const std::vector<int>& values) {
    const qsizetype n = std::ssize(values);
    std::vector<qsizetype> tails; // tails[k]: position ending the best run of length k + 1
    std::vector<qsizetype> previous(size_t(n), -1); // previous[p]: position before p in its run
    for (qsizetype p = 0; p < n; ++p) {
        const auto at = std::lower_bound(tails.cbegin(), tails.cend(), values[p],
                                         [&](qsizetype q, int v) { return values[q] < v; });
        const qsizetype length = at - tails.cbegin();
        if (length > 0)
            previous[p] = tails[length - 1];
        if (length == std::ssize(tails))
            tails.push_back(p);
        else
            tails[length] = p;
    }
    std::vector<bool> kept(size_t(n), false);
    for (qsizetype p = tails.empty() ? -1 : tails.back(); p >= 0; p = previous[p])
        kept[values[p]] = true;
    return kept;
}

} // namespace

RecordListModelBase::RecordListModelBase(QObject* parent) : QAbstractTableModel(parent) {}

int RecordListModelBase::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_ids.size());
}

QVariant RecordListModelBase::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.model() != this || index.row() >= m_ids.size() ||
        index.column() >= columnCount())
        return {};
    if (role == IdRole)
        return m_ids[index.row()];
    return rowData(index.row(), index.column(), role);
}

void RecordListModelBase::applyIncoming(const QList<QUuid>& incomingIds) {
    const int oldCount = int(m_ids.size());
    // Which incoming record each present row keeps, and for every accepted
    // incoming record, in order, the row it has now (-1 when it is new).
    std::vector<qsizetype> incomingOfRow(size_t(oldCount), -1);
    std::vector<qsizetype> accepted;
    std::vector<int> rowNow;
    accepted.reserve(size_t(incomingIds.size()));
    rowNow.reserve(size_t(incomingIds.size()));
    QSet<QUuid> newIds;
    // Most records follow the one before them as they did: the row after the
    // last one found is tried before the hash.
    int guess = 0;
    for (qsizetype i = 0; i < incomingIds.size(); ++i) {
        const QUuid& id = incomingIds[i];
        const int row = guess < oldCount && m_ids[guess] == id ? guess : rowOf(id);
        if (row >= 0) {
            guess = row + 1;
            if (incomingOfRow[row] >= 0)
                continue;
            incomingOfRow[row] = i;
        } else {
            const qsizetype known = newIds.size();
            newIds.insert(id);
            if (newIds.size() == known)
                continue;
        }
        accepted.push_back(i);
        rowNow.push_back(row);
    }

    int runs = 0;
    for (int row = 0; row < oldCount; ++row)
        runs += incomingOfRow[row] < 0 && (row == 0 || incomingOfRow[row - 1] >= 0);
    for (qsizetype j = 0; j < std::ssize(rowNow); ++j)
        runs += rowNow[j] < 0 && (j == 0 || rowNow[j - 1] >= 0);
    if (runs > kMaxRuns) {
        reset(accepted, incomingIds);
        return;
    }

    removeRuns(incomingOfRow);

    // The rows left, in their order now, against the order they must take.
    std::vector<int> rowAfterRemovals(size_t(oldCount), -1);
    int kept = 0;
    for (int row = 0; row < oldCount; ++row) {
        if (incomingOfRow[row] >= 0)
            rowAfterRemovals[row] = kept++;
    }
    std::vector<int> order; // order[k]: the row now of the k-th kept record of the new list
    order.reserve(size_t(kept));
    bool inOrder = true;
    for (const int row : std::as_const(rowNow)) {
        if (row < 0)
            continue;
        inOrder = inOrder && rowAfterRemovals[row] == std::ssize(order);
        order.push_back(rowAfterRemovals[row]);
    }
    if (!inOrder)
        moveToOrder(order);

    insertRuns(accepted, rowNow, incomingIds);
    emitChanges(accepted, rowNow);
}

void RecordListModelBase::removeRuns(const std::vector<qsizetype>& incomingOfRow) {
    // From the bottom up, so that the rows of the runs still to go stay put.
    for (int row = int(incomingOfRow.size()) - 1; row >= 0; --row) {
        if (incomingOfRow[row] >= 0)
            continue;
        const int last = row;
        while (row > 0 && incomingOfRow[row - 1] < 0)
            --row;
        const int count = last - row + 1;
        beginRemoveRows({}, row, last);
        for (int gone = row; gone <= last; ++gone)
            m_rows.remove(m_ids[gone]);
        m_ids.remove(row, count);
        eraseRecords(row, count);
        indexRows(row, int(m_ids.size()) - 1);
        endRemoveRows();
    }
}

void RecordListModelBase::moveToOrder(const std::vector<int>& order) {
    const int count = int(order.size());
    std::vector<int> rankOfRow(static_cast<size_t>(count));
    for (int rank = 0; rank < count; ++rank)
        rankOfRow[order[rank]] = rank;
    const std::vector<bool> stays = longestIncreasing(rankOfRow);
    const qsizetype moves = std::count(stays.cbegin(), stays.cend(), false);
    QList<QUuid> idOfRank(count);
    for (int rank = 0; rank < count; ++rank)
        idOfRank[rank] = m_ids[order[rank]];

    if (moves > kMaxMoves) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        reorderRecords(order);
        m_ids = idOfRank;
        indexRows(0, count - 1);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before)
            after.append(index.isValid() ? this->index(rankOfRow[index.row()], index.column())
                                         : QModelIndex());
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        return;
    }

    // In the order of the new list, each moving record goes right after the
    // one that precedes it there: that one is already in place, either because
    // it stays or because it moved just before.
    for (int rank = 0; rank < count; ++rank) {
        if (stays[rank])
            continue;
        const int from = rowOf(idOfRank[rank]);
        const int after = rank == 0 ? -1 : rowOf(idOfRank[rank - 1]);
        const int to = from > after ? after + 1 : after;
        if (from == to)
            continue;
        beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
        m_ids.move(from, to);
        moveRecord(from, to);
        indexRows(std::min(from, to), std::max(from, to));
        endMoveRows();
    }
}

void RecordListModelBase::insertRuns(const std::vector<qsizetype>& accepted,
                                     const std::vector<int>& rowNow,
                                     const QList<QUuid>& incomingIds) {
    // From the top down: the rows above each run are already those of the
    // new list, so its first row is its final one.
    for (qsizetype j = 0; j < std::ssize(rowNow); ++j) {
        if (rowNow[j] >= 0)
            continue;
        const qsizetype first = j;
        while (j + 1 < std::ssize(rowNow) && rowNow[j + 1] < 0)
            ++j;
        const qsizetype count = j - first + 1;
        beginInsertRows({}, int(first), int(j));
        m_ids.insert(first, count, QUuid());
        for (qsizetype k = first; k <= j; ++k)
            m_ids[k] = incomingIds[accepted[k]];
        insertRecords(int(first), std::span(accepted.data() + first, size_t(count)));
        indexRows(int(first), int(m_ids.size()) - 1);
        endInsertRows();
    }
}

void RecordListModelBase::emitChanges(const std::vector<qsizetype>& accepted,
                                      const std::vector<int>& rowNow) {
    // Every row is now that of the same accepted record.
    const int columns = columnCount();
    const auto changes = [&](qsizetype row) {
        return rowNow[row] >= 0 && recordDiffers(int(row), accepted[row]);
    };
    for (qsizetype row = 0; row < std::ssize(rowNow); ++row) {
        if (!changes(row))
            continue;
        const qsizetype first = row;
        replaceRecord(int(row), accepted[row]);
        while (row + 1 < std::ssize(rowNow) && changes(row + 1)) {
            ++row;
            replaceRecord(int(row), accepted[row]);
        }
        if (columns > 0)
            emit dataChanged(index(int(first), 0), index(int(row), columns - 1));
    }
}

void RecordListModelBase::reset(const std::vector<qsizetype>& accepted,
                                const QList<QUuid>& incomingIds) {
    beginResetModel();
    m_ids.resize(std::ssize(accepted));
    for (qsizetype j = 0; j < std::ssize(accepted); ++j)
        m_ids[j] = incomingIds[accepted[j]];
    assignRecords(accepted);
    m_rows.clear();
    m_rows.reserve(m_ids.size());
    indexRows(0, int(m_ids.size()) - 1);
    endResetModel();
}

void RecordListModelBase::indexRows(int first, int last) {
    for (int row = first; row <= last; ++row)
        m_rows.insert(m_ids[row], row);
}

} // namespace velmora
