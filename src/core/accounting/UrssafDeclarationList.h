#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/model/AccountingRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;

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
inline QString newDeclaration() {
    return QStringLiteral("Nouvelle déclaration");
}
inline QString viewFiles() {
    return QStringLiteral("Voir les fichiers joints");
}
inline QString edit() {
    return QStringLiteral("Modifier la déclaration");
}
inline QString remove() {
    return QStringLiteral("Supprimer");
}
inline QString estimateBadge() {
    return QStringLiteral("Estimation");
}
inline QString saveFileAs() {
    return QStringLiteral("Enregistrer sous…");
}
inline QString closeViewer() {
    return QStringLiteral("Fermer l'aperçu");
}
// The action that turns the flag the other way.
inline QString markDeclared(bool isDeclared) {
    return isDeclared ? QStringLiteral("Marquer non déclaré") : QStringLiteral("Marquer déclaré");
}
inline QString markPaid(bool isPaid) {
    return isPaid ? QStringLiteral("Marquer non payée") : QStringLiteral("Marquer payée");
}
// "Déclaré · Payée", "À déclarer", "Déclaré · À payer".
QString state(const URSSAFDeclaration& declaration);
} // namespace UrssafListTexts

// The declarations of one year, newest period first, with the year's sums,
// which leave out an automatic estimate a declaration made by hand covers.
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

// The declaration made by hand (not automatic) of the same year whose period
// takes in every month of the automatic `estimate`: that month or its
// quarter. Such an estimate counts the same receipts a second time.
std::optional<URSSAFDeclaration>
urssafCoveringDeclaration(const URSSAFDeclaration& estimate,
                          const QList<URSSAFDeclaration>& declarations);
// "Couverte par la déclaration du 4e trimestre", "Couverte par la déclaration
// du mois de mars".
QString urssafCoveredText(const URSSAFDeclaration& covering);

// Newest period first: year descending, then period descending; declarations
// of the same period keep their stored order.
QList<URSSAFDeclaration> sortedUrssafDeclarations(QList<URSSAFDeclaration> declarations);
QList<UrssafYearGroup> urssafYearGroups(const QList<URSSAFDeclaration>& declarations);

// "Mars 2025": the declaration's period.
QString urssafDeclarationPeriodText(const URSSAFDeclaration& declaration);

// Asks before deleting, naming the period and the attached files that go too.
Alert urssafDeletionConfirmation(const URSSAFDeclaration& declaration);

// The row actions: the flag with the date of `now`, or neither.
Result<> setUrssafDeclared(SessionEdit& edit, const QUuid& declarationID, bool declared,
                           const QDateTime& now);
Result<> setUrssafPaid(SessionEdit& edit, const QUuid& declarationID, bool paid,
                       const QDateTime& now);

// Removes the declaration; its attached files go once the edit is saved.
Result<> deleteUrssafDeclaration(SessionEdit& edit, const QUuid& declarationID);

} // namespace velmora
