#pragma once

#include "core/model/RawNames.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

enum class TagColorOption { red, orange, yellow, green, mint, blue, purple, pink, brown, gray };
VELMORA_RAW_DISPLAY(TagColorOption,
                    VELMORA_LIST("red", "orange", "yellow", "green", "mint", "blue", "purple",
                                 "pink", "brown", "gray"),
                    VELMORA_LIST(u"Rouge", u"Orange", u"Jaune", u"Vert", u"Menthe", u"Bleu",
                                 u"Violet", u"Rose", u"Marron", u"Gris"));

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

// Tags seeded in a new session, each call with fresh ids.
inline QList<TagItem> freshTags(std::initializer_list<std::pair<QString, TagColorOption>> seeds) {
    QList<TagItem> result;
    for (const auto& [name, color] : seeds)
        result.append({QUuid::createUuid(), name, color});
    return result;
}

} // namespace velmora
