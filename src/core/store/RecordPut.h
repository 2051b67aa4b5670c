#pragma once

#include "core/Result.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <algorithm>

namespace velmora {

// Drops the ids that name none of `tags`: a tag deleted while a form was open.
inline void keepKnownTags(QList<QUuid>& ids, const QList<TagItem>& tags) {
    ids.removeIf([&](const QUuid& id) {
        return std::none_of(tags.cbegin(), tags.cend(),
                            [&](const TagItem& tag) { return tag.id == id; });
    });
}

// Adds the id once, or removes it: a tag chip of a form.
inline void setIdIn(QList<QUuid>& ids, const QUuid& id, bool on) {
    if (!on)
        ids.removeAll(id);
    else if (!ids.contains(id))
        ids.append(id);
}

// Stores a record a form wrote: appended when its id is new and `mayAdd`,
// replaced when it changed, `unchanged` when it did not. `writable` gives the
// list to change, so that it is touched only when something changes.
template <class Record, class Writable>
Result<> putRecord(const QList<Record>& current, Writable&& writable, const Record& record,
                   bool mayAdd, const QString& notFoundMessage) {
    const auto found = std::find_if(current.cbegin(), current.cend(),
                                    [&](const Record& r) { return r.id == record.id; });
    if (found == current.cend()) {
        if (!mayAdd)
            return Result<>::notFound(notFoundMessage);
        writable().append(record);
        return Result<>();
    }
    if (*found == record)
        return Result<>::unchanged();
    writable()[found - current.cbegin()] = record;
    return Result<>();
}

} // namespace velmora
