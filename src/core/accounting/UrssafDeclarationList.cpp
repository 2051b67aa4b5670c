#include "core/accounting/UrssafDeclarationList.h"

#include "core/accounting/UrssafDeclarationForm.h"
#include "core/store/AppDataStore.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {

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
