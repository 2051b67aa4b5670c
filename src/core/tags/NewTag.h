#pragma once

#include "core/Result.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

struct AppDatabase;
class SessionEdit;

// A tag typed in a form ("Nouvelle étiquette"): its trimmed name must be
// new to its list, case aside, so that two chips never read the same.
namespace NewTag {

inline QString title() {
    return QStringLiteral("Nouvelle étiquette");
}
inline QString emptyNameMessage() {
    return QStringLiteral("Le nom de l’étiquette ne peut pas être vide.");
}
inline QString duplicateMessage(const QString& name) {
    return QStringLiteral("Une étiquette nommée « %1 » existe déjà.").arg(name);
}

// The tag to append to `tags`, with a fresh id, or the message refusing it.
Result<TagItem> make(const QList<TagItem>& tags, const QString& name, TagColorOption color);

// Appends a new tag to one of the session's lists, named by its field and
// by the edit's accessor; the tag's id.
using TagList = QList<TagItem> AppDatabase::*;
using WritableTagList = QList<TagItem>& (SessionEdit::*)();
Result<QUuid> add(SessionEdit& edit, TagList list, WritableTagList writable, const QString& name,
                  TagColorOption color);

} // namespace NewTag

} // namespace velmora
