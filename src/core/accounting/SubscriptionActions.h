#pragma once

#include "core/Result.h"
#include "core/model/AccountingRecords.h"
#include "core/model/SessionSettings.h"
#include "core/model/TagItem.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;

// "Actif — cliquer pour désactiver" / "Inactif — cliquer pour activer".
QString subscriptionToggleText(bool isActive);

// A subscription with an end date stops by itself; refusing to deactivate
// it by hand says so.
Alert subscriptionDeactivationRefusal(const RecurringPurchase& subscription);

// Deactivating opens a pause from now (and ends the subscription now);
// activating closes every open pause now and clears the end. Refused for a
// subscription that still has its own end date.
Result<> toggleSubscriptionActive(SessionEdit& edit, const QUuid& subscriptionID,
                                  const QDateTime& now);

// Once its end date is reached a subscription is inactive, paused from that
// date (unless a pause already starts that day). True when it changed.
bool endIfReached(RecurringPurchase& subscription, const QDateTime& now);
// Applies that rule to every subscription whose end passed since its last
// save; `unchanged` and nothing touched when none did.
Result<> settleEndedSubscriptions(SessionEdit& edit, const QDateTime& now);
// The earliest end date still to come, for whoever waits to settle it.
std::optional<QDateTime> nextSubscriptionEnd(const QList<RecurringPurchase>& subscriptions,
                                             const QDateTime& now);

Alert subscriptionDeletionConfirmation();
// Removes the subscription (its computed history goes with it) and lets
// its logo go.
Result<> deleteSubscription(SessionEdit& edit, const QUuid& subscriptionID);

// The tag colour key of the frequency's badge: monthly and yearly from the
// settings, quarterly always purple so that it never looks like the others
// with the default colours.
QString subscriptionBadgeColorKey(RecurringFrequency frequency, const URSSAFSettings& settings);
// That key as a tag colour; a key no colour has is blue, the default.
TagColorOption subscriptionBadgeColor(RecurringFrequency frequency, const URSSAFSettings& settings);

} // namespace velmora
