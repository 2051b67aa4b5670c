#pragma once

#include "core/lists/RecordListModel.h"
#include "core/lists/TagRoles.h"

namespace velmora {

// The list model of records that carry tags (`tagIDs`) of one of the
// session's tag lists: the rows answer TagColorsRole from that list.
template <class Record> class TaggedListModel : public RecordListModel<Record> {
public:
    using RecordListModel<Record>::RecordListModel;

    void setTags(const QList<TagItem>& tags) {
        if (tags == m_tags)
            return;
        m_tags = tags;
        if (const int rows = this->rowCount(); rows > 0)
            emit this->dataChanged(this->index(0, 0),
                                   this->index(rows - 1, this->columnCount() - 1),
                                   {RecordListModelBase::TagColorsRole});
    }
    const QList<TagItem>& tags() const { return m_tags; }

protected:
    QVariant tagColors(const Record& record) const { return tagColorsOf(record.tagIDs, m_tags); }

private:
    QList<TagItem> m_tags;
};

} // namespace velmora
