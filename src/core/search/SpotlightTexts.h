#pragma once

#include <QString>

namespace velmora {

// The texts of the global search panel.
namespace SpotlightTexts {

inline QString openLabel() {
    return QStringLiteral("Recherche globale");
}
inline QString closeLabel() {
    return QStringLiteral("Fermer la recherche");
}
inline QString placeholder() {
    return QStringLiteral("Rechercher une activité, un client, une facture…");
}
inline QString clearLabel() {
    return QStringLiteral("Effacer la recherche");
}
// "Aucun résultat pour « dupont »", no-break spaces inside the guillemets.
inline QString emptyResult(const QString& query) {
    return QStringLiteral("Aucun résultat pour «\u00a0") + query + QStringLiteral("\u00a0»");
}

} // namespace SpotlightTexts

} // namespace velmora
