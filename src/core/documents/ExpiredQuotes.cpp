#include "core/documents/ExpiredQuotes.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentWorkflow.h"

namespace velmora {

std::optional<ExpiredQuotesAlert>
ExpiredQuotesCheck::alertFor(const QList<CommercialDocumentItem>& expired) {
    if (expired.isEmpty())
        return std::nullopt;
    ExpiredQuotesAlert result;
    for (const CommercialDocumentItem& quote : expired)
        result.quoteIDs.append(quote.id);
    Alert& alert = result.alert;
    alert.kind = Alert::Kind::warning;
    if (expired.size() == 1) {
        alert.title = QStringLiteral("Devis ") + expired.first().number + QStringLiteral(" expiré");
        alert.message = QStringLiteral("Ce devis a dépassé sa date de validité sans changement de "
                                       "statut. Que souhaitez-vous faire ?");
        alert.buttons = {AlertButton{refusedButton(), AlertRole::destructive},
                         AlertButton{acceptedButton(), AlertRole::defaultAction},
                         AlertButton{nothingButton(), AlertRole::cancel}};
    } else {
        const QString count = QString::number(expired.size());
        alert.title = count + QStringLiteral(" devis expirés sans suite");
        alert.message = count + QStringLiteral(" devis ont dépassé leur date de validité sans "
                                               "changement de statut.");
        alert.buttons = {AlertButton{QStringLiteral("J'ai compris"), AlertRole::defaultAction}};
    }
    return result;
}

std::optional<ExpiredQuotesAlert>
ExpiredQuotesCheck::check(const QList<CommercialDocumentItem>& documents, const StatusLists& lists,
                          const QDateTime& now) {
    if (m_hasChecked)
        return std::nullopt;
    m_hasChecked = true;
    QList<CommercialDocumentItem> expired;
    for (const CommercialDocumentItem& document : documents) {
        if (isExpiredQuote(document, lists, now))
            expired.append(document);
    }
    return alertFor(expired);
}

Result<> ExpiredQuotesCheck::answer(SessionEdit& edit, const QUuid& quoteID, Answer answer,
                                    const Clock& clock) {
    if (answer == Answer::nothing)
        return Result<>::unchanged();
    const QStringList keys = answer == Answer::refused
                                 ? QStringList{StatusKeys::refused()}
                                 : QStringList{StatusKeys::validated(), StatusKeys::accepted()};
    const auto status = firstStatusWithKey(edit.session().quoteStatuses, keys);
    if (!status)
        return Result<>::unchanged();
    return setDocumentStatus(edit, quoteID, *status, clock);
}

} // namespace velmora
