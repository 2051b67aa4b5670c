#pragma once

#include "core/model/CommercialDocumentItem.h"

#include <QDate>
#include <QList>
#include <QString>

namespace velmora {

// "F-" for invoices, "D-" for quotes.
QString documentNumberPrefix(CommercialDocumentKind kind);

// The number the editor proposes: prefix + year + "-" + sequence on at least
// three digits. The year is the largest one among the well-formed numbers of
// that kind (even a past year), else today's; the sequence follows the
// largest of that year. Numbers of another shape are ignored.
QString nextDocumentNumber(CommercialDocumentKind kind,
                           const QList<CommercialDocumentItem>& documents, const QDate& today);

} // namespace velmora
