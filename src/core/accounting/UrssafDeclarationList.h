#pragma once

#include "core/Result.h"
#include "core/model/AccountingRecords.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

class AppDataStore;

namespace UrssafListTexts {
inline QString emptyTitle() {
    return QStringLiteral("Aucune déclaration");
}
inline QString emptyMessage() {
    return QStringLiteral("Saisissez votre CA par catégorie (BIC, BNC, location meublée) — les "
                          "cotisations sont calculées automatiquement.");
}
inline QString emptyAction() {
    return QStringLiteral("Ajouter ma première déclaration");
}
inline QString noFiles() {
    return QStringLiteral("Aucun fichier joint.");
}
} // namespace UrssafListTexts

// The declarations of one year, newest period first, with the year's sums.
struct UrssafYearGroup {
    int year = 0;
    QList<URSSAFDeclaration> declarations;
    double turnover = 0;      // the four turnover fields
    double contributions = 0; // cotisation + CFP + VL

    // "CA : 1 234,50 €"
    QString turnoverText() const;
    // "Cotisations : 271,00 €"
    QString contributionsText() const;
};

// Newest period first: year descending, then period descending; declarations
// of the same period keep their stored order.
QList<URSSAFDeclaration> sortedUrssafDeclarations(QList<URSSAFDeclaration> declarations);
QList<UrssafYearGroup> urssafYearGroups(const QList<URSSAFDeclaration>& declarations);

// Removes the declaration and saves, then removes its attached files.
Result<> deleteUrssafDeclaration(AppDataStore& store, const QUuid& declarationID);

} // namespace velmora
