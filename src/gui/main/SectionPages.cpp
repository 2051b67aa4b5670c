#include "gui/main/SectionPages.h"

#include <QHash>

namespace velmora::gui {

QString sectionPromise(const QString& defaultKey) {
    static const QHash<QString, QString> promises = {
        {QStringLiteral("dashboard"),
         QStringLiteral("Le tableau de bord réunira ici vos indicateurs : chiffre d’affaires, "
                        "encaissements, cotisations URSSAF et prochaines échéances.")},
        {QStringLiteral("clients"),
         QStringLiteral("Cet écran accueillera vos clients : coordonnées, activités et documents "
                        "de chacun.")},
        {QStringLiteral("projects"),
         QStringLiteral("Cet écran accueillera vos activités : client, devis et factures liés, "
                        "jalons, pièces jointes et raccourcis vers vos fichiers.")},
        {QStringLiteral("documents"),
         QStringLiteral("Cet écran accueillera vos devis et factures : lignes et totaux, statuts, "
                        "paiements, acomptes, relances et PDF.")},
        {QStringLiteral("services"),
         QStringLiteral("Cet écran accueillera votre catalogue de prestations, qui remplit les "
                        "lignes de vos devis et factures.")},
        {QStringLiteral("stock"),
         QStringLiteral("Cet écran accueillera votre stock : articles, catégories, seuils "
                        "d’alerte et liste d’achats prévus.")},
        {QStringLiteral("accounting"),
         QStringLiteral("Cet écran accueillera votre comptabilité : livre des recettes, dépenses, "
                        "abonnements et déclarations URSSAF.")},
        {QStringLiteral("calendar"),
         QStringLiteral("Cet écran accueillera votre calendrier : échéances, paiements, "
                        "déclarations et vos propres événements.")},
        {QStringLiteral("externalTools"),
         QStringLiteral("Cet écran accueillera le coffre de vos outils externes et de leurs "
                        "identifiants, protégé par son propre code.")},
    };
    return promises.value(defaultKey,
                          QStringLiteral("Cette section n’est pas disponible dans cette version."));
}

} // namespace velmora::gui
