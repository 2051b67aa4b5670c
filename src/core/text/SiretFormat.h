#pragma once

#include <QString>

namespace velmora {

// A SIRET as printed on documents: its 14 digits in groups of 3, 3, 3 and 5
// ("853 214 967 00021"), whatever spaces it was typed with. Anything else is
// printed as typed, trimmed: a document never hides what the user wrote.
QString formatSiret(const QString& siret);

} // namespace velmora
