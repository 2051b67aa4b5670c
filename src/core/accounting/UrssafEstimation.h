#pragma once

#include "core/Result.h"
#include "core/model/AccountingRecords.h"
#include "core/platform/UserNotifications.h"
#include "core/store/SessionEdit.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace velmora {

enum class UrssafEstimateAction { none, created, updated, removed };
// "none", "created", "updated", "removed".
QString urssafEstimateActionName(UrssafEstimateAction action);

// What the estimation of the current month did.
struct UrssafEstimate {
    UrssafEstimateAction action = UrssafEstimateAction::none;
    // The declaration as created or updated, or as it was when removed.
    std::optional<URSSAFDeclaration> declaration;
    // To post once the session is saved; only for a new declaration.
    std::optional<NotificationRequest> notification;
};

// Above this the month has turnover worth an estimate.
inline constexpr double kUrssafEstimateThreshold = 0.001;

// The notification that tells about a new estimate of month `month`.
NotificationRequest urssafEstimateNotification(int year, int month);

// Keeps one automatic, monthly declaration for the month of `now` in line
// with that month's invoices (lines classified by their own type, amounts not
// rounded): created when the month has turnover, updated when its turnover
// changed, removed when it has none left. A declaration the user saved from
// the form is no longer automatic and is never touched. Nothing is touched
// when nothing changes.
UrssafEstimate estimateCurrentMonth(SessionEdit& edit, const QDateTime& now);

// The automatic declaration of the month of `now`, when there is one.
std::optional<URSSAFDeclaration> currentMonthEstimate(const QList<URSSAFDeclaration>& declarations,
                                                      const QDateTime& now);
// "Estimation de juin 2025 : CA 1 001,00 € · cotisations 222,22 €".
QString urssafEstimateSummary(const URSSAFDeclaration& estimate);

// The estimation as the main window runs it: the notification of a new
// declaration is posted once the edit is saved.
Result<UrssafEstimate> refreshCurrentMonthEstimate(SessionEdit& edit, const QDateTime& now,
                                                   UserNotifications& notifications);

} // namespace velmora
