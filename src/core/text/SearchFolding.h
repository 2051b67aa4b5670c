#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace velmora {

// The one folding of texts compared by a search: without case, accents or
// ligatures ("Éloïse Cœur" and "eloise coeur" fold alike), compatibility
// characters in their plain form (a non-breaking space is a space).
QString foldedForSearch(QStringView text);
// The same, added at the end of `out`.
void appendFoldedForSearch(QString& out, QStringView text);

// Whether every word of the query appears in one of the texts, folded; an
// empty query matches everything.
bool matchesSearch(const QString& query, const QStringList& texts);

} // namespace velmora
