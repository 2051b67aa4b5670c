#pragma once

#include "core/documents/DocumentStatus.h"

#include <QUuid>

namespace velmora {

class Clock;

// The alert about quotes past their validity, asked once per run of the
// main window when the documents screen is first shown.
struct ExpiredQuotesAlert {
    Alert alert;
    // The quotes it is about, in list order.
    QList<QUuid> quoteIDs;
};

class ExpiredQuotesCheck {
public:
    static QString symbol() { return QStringLiteral("clock.badge.exclamationmark"); }
    static QString refusedButton() { return QStringLiteral("Refusé"); }
    static QString acceptedButton() { return QStringLiteral("Accepté"); }
    static QString nothingButton() { return QStringLiteral("Ne rien faire"); }

    enum class Answer { refused, accepted, nothing };

    // The alert for these expired quotes; none when there is none.
    static std::optional<ExpiredQuotesAlert> alertFor(const QList<CommercialDocumentItem>& expired);

    // The first time only: gathers the expired quotes and returns their alert.
    std::optional<ExpiredQuotesAlert> check(const QList<CommercialDocumentItem>& documents,
                                            const StatusLists& lists, const QDateTime& now);
    bool hasCheckedExpiredQuotes() const { return m_hasChecked; }

    // Applies the single quote's answer through the status rule; an answer
    // whose status the session does not have changes nothing.
    static Result<> answer(SessionEdit& edit, const QUuid& quoteID, Answer answer,
                           const Clock& clock);

private:
    bool m_hasChecked = false;
};

} // namespace velmora
