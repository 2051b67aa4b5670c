#include "core/lists/RecordFilterModel.h"

#include "core/lists/RecordListModelBase.h"

#include <QCollator>

namespace velmora {

RecordFilterModel::RecordFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(RecordListModelBase::SortRole);
    setDynamicSortFilter(true);
}

void RecordFilterModel::setAccept(Accept accept) {
    m_accept = std::move(accept);
    refilter();
}

void RecordFilterModel::refilter() {
    invalidateFilter();
}

QUuid RecordFilterModel::idAt(int row) const {
    return index(row, 0).data(RecordListModelBase::IdRole).toUuid();
}

int RecordFilterModel::rowOf(const QUuid& id) const {
    const auto* records = qobject_cast<const RecordListModelBase*>(sourceModel());
    if (!records)
        return -1;
    const int sourceRow = records->rowOf(id);
    if (sourceRow < 0)
        return -1;
    return mapFromSource(records->index(sourceRow, 0)).row();
}

bool RecordFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return sourceParent.isValid() || !m_accept || m_accept(sourceRow);
}

bool RecordFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString) {
        // French order: accents and case aside, numbers by value.
        static const QCollator collator = [] {
            QCollator c(QLocale(QLocale::French, QLocale::France));
            c.setCaseSensitivity(Qt::CaseInsensitive);
            c.setNumericMode(true);
            return c;
        }();
        if (const int order = collator.compare(a.toString(), b.toString()); order != 0)
            return order < 0;
    } else if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) {
        // Infinity stands for "no value" and sorts after every number.
        if (a.toDouble() != b.toDouble())
            return a.toDouble() < b.toDouble();
    } else if (const QPartialOrdering order = QVariant::compare(a, b); order < 0 || order > 0) {
        return order < 0;
    }
    return left.row() < right.row();
}

} // namespace velmora
