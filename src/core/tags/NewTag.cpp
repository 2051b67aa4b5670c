#include "core/tags/NewTag.h"

#include "core/store/SessionEdit.h"

namespace velmora::NewTag {

Result<TagItem> make(const QList<TagItem>& tags, const QString& name, TagColorOption color) {
    const QString trimmed = name.simplified();
    if (trimmed.isEmpty())
        return Result<TagItem>::invalid(emptyNameMessage());
    for (const TagItem& tag : tags)
        if (tag.name.simplified().compare(trimmed, Qt::CaseInsensitive) == 0)
            return Result<TagItem>::invalid(duplicateMessage(tag.name.simplified()));
    return TagItem{QUuid::createUuid(), trimmed, color};
}

Result<QUuid> add(SessionEdit& edit, TagList list, WritableTagList writable, const QString& name,
                  TagColorOption color) {
    const Result<TagItem> tag = make(edit.session().*list, name, color);
    if (!tag)
        return Result<QUuid>(tag);
    (edit.*writable)().append(tag.value());
    return tag->id;
}

} // namespace velmora::NewTag
