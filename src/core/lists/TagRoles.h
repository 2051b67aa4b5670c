#pragma once

#include "core/model/TagItem.h"

#include <QList>
#include <QSet>
#include <QUuid>
#include <QVariantList>

namespace velmora {

// The colours of the record's tags, in the order of `tags`, for TagColorsRole.
inline QVariantList tagColorsOf(const QList<QUuid>& ids, const QList<TagItem>& tags) {
    QVariantList colors;
    for (const TagItem& tag : tags)
        if (ids.contains(tag.id))
            colors.append(int(tag.color));
    return colors;
}

// A record passes the tag chips when none is chosen or it has one of them.
inline bool hasAnyTag(const QList<QUuid>& ids, const QSet<QUuid>& chosen) {
    if (chosen.isEmpty())
        return true;
    for (const QUuid& id : ids)
        if (chosen.contains(id))
            return true;
    return false;
}

} // namespace velmora
