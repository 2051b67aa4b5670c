#include "core/accounting/UrssafDeclarationList.h"

#include "core/accounting/UrssafDeclarationForm.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/store/AppDataStore.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {
namespace {

// Changes one declaration through the store; a missing one is reported.
template <class Change>
Result<> changeDeclaration(AppDataStore& store, const QUuid& declarationID, Change change) {
    return store.edit([&](SessionEdit& edit) -> Result<> {
        const QList<URSSAFDeclaration>& list = edit.session().urssafDeclarations;
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (list[i].id != declarationID)
                continue;
            URSSAFDeclaration changed = list[i];
            change(changed);
            if (changed == list[i])
                return Result<>::unchanged();
            edit.urssafDeclarations()[i] = changed;
            return Result<>();
        }
        return Result<>::notFound(UrssafDeclarationForm::notFoundMessage());
    });
}

} // namespace

QString UrssafListTexts::state(const URSSAFDeclaration& d) {
    if (!d.isDeclared)
        return d.isPaid ? QStringLiteral("À déclarer · Payée") : QStringLiteral("À déclarer");
    return d.isPaid ? QStringLiteral("Déclaré · Payée") : QStringLiteral("Déclaré · À payer");
}

QString urssafDeclarationPeriodText(const URSSAFDeclaration& d) {
    return urssafPeriodText({int(d.year), int(d.periodIndex), d.frequency});
}

Alert urssafDeletionConfirmation(const URSSAFDeclaration& d) {
    const bool hasFiles = d.declarationFileURL || d.paymentFileURL;
    return Alert{
        Alert::Kind::warning,
        QStringLiteral("Supprimer la déclaration ?"),
        QStringLiteral("La déclaration « ") + urssafDeclarationPeriodText(d) +
            QStringLiteral(" » sera supprimée définitivement") +
            (hasFiles ? QStringLiteral(", avec ses fichiers joints.") : QStringLiteral(".")),
        {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
         AlertButton{UrssafListTexts::remove(), AlertRole::destructive}}};
}

Result<> setUrssafDeclared(AppDataStore& store, const QUuid& declarationID, bool declared) {
    const QDateTime now = store.clock().now();
    return changeDeclaration(store, declarationID, [&](URSSAFDeclaration& d) {
        if (d.isDeclared == declared)
            return;
        d.isDeclared = declared;
        d.declaredDate = declared ? std::optional(now) : std::nullopt;
    });
}

Result<> setUrssafPaid(AppDataStore& store, const QUuid& declarationID, bool paid) {
    const QDateTime now = store.clock().now();
    return changeDeclaration(store, declarationID, [&](URSSAFDeclaration& d) {
        if (d.isPaid == paid)
            return;
        d.isPaid = paid;
        d.paidDate = paid ? std::optional(now) : std::nullopt;
    });
}

QString UrssafYearGroup::turnoverText() const {
    return QStringLiteral("CA : ") + formatMoney(turnover);
}

QString UrssafYearGroup::contributionsText() const {
    return QStringLiteral("Cotisations : ") + formatMoney(contributions);
}

QList<URSSAFDeclaration> sortedUrssafDeclarations(QList<URSSAFDeclaration> declarations) {
    std::stable_sort(declarations.begin(), declarations.end(),
                     [](const URSSAFDeclaration& a, const URSSAFDeclaration& b) {
                         if (a.year != b.year)
                             return a.year > b.year;
                         return a.periodIndex > b.periodIndex;
                     });
    return declarations;
}

QList<UrssafYearGroup> urssafYearGroups(const QList<URSSAFDeclaration>& declarations) {
    QList<UrssafYearGroup> groups;
    for (const URSSAFDeclaration& d : sortedUrssafDeclarations(declarations)) {
        if (groups.isEmpty() || groups.last().year != d.year)
            groups.append(UrssafYearGroup{int(d.year), {}, 0, 0});
        UrssafYearGroup& group = groups.last();
        group.declarations.append(d);
        group.turnover += d.caVenteMarchandises + d.caPrestationsServicesBIC +
                          d.caPrestationsServicesBNC + d.caLocationMeublee;
        group.contributions += d.cotisationAmount + d.cfpAmount + d.versementLiberatoireAmount;
    }
    return groups;
}

Result<> deleteUrssafDeclaration(AppDataStore& store, const QUuid& declarationID) {
    URSSAFDeclaration removed;
    const Result<> outcome = store.edit([&](SessionEdit& edit) -> Result<> {
        const QList<URSSAFDeclaration>& list = edit.session().urssafDeclarations;
        const auto found =
            std::find_if(list.cbegin(), list.cend(),
                         [&](const URSSAFDeclaration& d) { return d.id == declarationID; });
        if (found == list.cend())
            return Result<>::notFound(UrssafDeclarationForm::notFoundMessage());
        removed = *found;
        const qsizetype index = found - list.cbegin();
        edit.urssafDeclarations().removeAt(index);
        return Result<>();
    });
    // The copies go only once no saved session names them.
    if (outcome.ok()) {
        for (const std::optional<QUrl>& file :
             {removed.declarationFileURL, removed.paymentFileURL}) {
            if (file)
                store.removeMediaFile(*file);
        }
    }
    return outcome;
}

} // namespace velmora
