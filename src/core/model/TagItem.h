#pragma once

#include "core/model/Enumerations.h"

#include <QString>
#include <QUuid>

namespace velmora {

// A named, coloured label: the tags of every section and the statuses of
// quotes, invoices and activities.
struct TagItem {
    QUuid id;
    QString name;
    TagColorOption color = TagColorOption::blue;

    friend bool operator==(const TagItem&, const TagItem&) = default;
};

template <class Io> void describe(Io& io, TagItem& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.required("color", r.color);
}

} // namespace velmora
