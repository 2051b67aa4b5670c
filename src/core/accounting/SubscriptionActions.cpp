#include "core/accounting/SubscriptionActions.h"

#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {
namespace {

qsizetype indexOfSubscription(const QList<RecurringPurchase>& list, const QUuid& id) {
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list[i].id == id)
            return i;
    }
    return -1;
}

QString notFound() {
    return QStringLiteral("Cet abonnement n'existe plus.");
}

bool needsEnding(const RecurringPurchase& subscription, const QDateTime& now) {
    if (!subscription.endDate || *subscription.endDate > now)
        return false;
    const QDate endDay = subscription.endDate->toLocalTime().date();
    const bool pausedThatDay = std::any_of(
        subscription.pausePeriods.cbegin(), subscription.pausePeriods.cend(),
        [&](const RecurringPausePeriod& p) { return p.startDate.toLocalTime().date() == endDay; });
    return subscription.isActive || !pausedThatDay;
}

} // namespace

QString subscriptionToggleText(bool isActive) {
    return isActive ? QStringLiteral("Actif — cliquer pour désactiver")
                    : QStringLiteral("Inactif — cliquer pour activer");
}

Alert subscriptionDeactivationRefusal(const RecurringPurchase& subscription) {
    const QString name = subscription.name.trimmed().isEmpty() ? QStringLiteral("cet abonnement")
                                                               : subscription.name;
    return okAlert(QStringLiteral("Désactivation impossible"),
                   QStringLiteral("« ") + name +
                       QStringLiteral(" » a une date de fin définie : il se désactivera "
                                      "automatiquement à cette date. Pour désactiver "
                                      "manuellement, supprimez d'abord la date de fin dans le "
                                      "formulaire."));
}

Result<> toggleSubscriptionActive(SessionEdit& edit, const QUuid& subscriptionID,
                                  const QDateTime& now) {
    const qsizetype index = indexOfSubscription(edit.session().recurringPurchases, subscriptionID);
    if (index < 0)
        return Result<>::notFound(notFound());
    const RecurringPurchase& current = edit.session().recurringPurchases[index];
    if (current.isActive && current.endDate) {
        const Alert refusal = subscriptionDeactivationRefusal(current);
        return Result<>::invalid(refusal.message, refusal);
    }
    RecurringPurchase& subscription = edit.recurringPurchases()[index];
    if (subscription.isActive) {
        RecurringPausePeriod pause;
        pause.id = QUuid::createUuid();
        pause.startDate = now;
        subscription.pausePeriods.append(pause);
        subscription.isActive = false;
        subscription.endDate = now;
    } else {
        for (RecurringPausePeriod& pause : subscription.pausePeriods) {
            if (!pause.endDate)
                pause.endDate = now;
        }
        subscription.isActive = true;
        subscription.endDate.reset();
    }
    return Result<>();
}

bool endIfReached(RecurringPurchase& subscription, const QDateTime& now) {
    if (!needsEnding(subscription, now))
        return false;
    subscription.isActive = false;
    const QDate endDay = subscription.endDate->toLocalTime().date();
    if (std::none_of(subscription.pausePeriods.cbegin(), subscription.pausePeriods.cend(),
                     [&](const RecurringPausePeriod& p) {
                         return p.startDate.toLocalTime().date() == endDay;
                     })) {
        RecurringPausePeriod pause;
        pause.id = QUuid::createUuid();
        pause.startDate = *subscription.endDate;
        subscription.pausePeriods.append(pause);
    }
    return true;
}

Result<> settleEndedSubscriptions(SessionEdit& edit, const QDateTime& now) {
    bool changed = false;
    const QList<RecurringPurchase>& current = edit.session().recurringPurchases;
    for (qsizetype i = 0; i < current.size(); ++i) {
        // Asking for the list only when one changes keeps the others' pages still.
        if (needsEnding(current[i], now))
            changed = endIfReached(edit.recurringPurchases()[i], now) || changed;
    }
    return changed ? Result<>() : Result<>::unchanged();
}

std::optional<QDateTime> nextSubscriptionEnd(const QList<RecurringPurchase>& subscriptions,
                                             const QDateTime& now) {
    std::optional<QDateTime> next;
    for (const RecurringPurchase& subscription : subscriptions) {
        if (subscription.endDate && *subscription.endDate > now &&
            (!next || *subscription.endDate < *next))
            next = subscription.endDate;
    }
    return next;
}

Alert subscriptionDeletionConfirmation() {
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Supprimer cet abonnement ?"),
                 QStringLiteral("Cette action est irréversible. L'abonnement et tout son "
                                "historique de paiements calculés seront supprimés "
                                "définitivement."),
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

Result<> deleteSubscription(SessionEdit& edit, const QUuid& subscriptionID) {
    const qsizetype index = indexOfSubscription(edit.session().recurringPurchases, subscriptionID);
    if (index < 0)
        return Result<>::notFound(notFound());
    if (const auto& logo = edit.session().recurringPurchases[index].logoURL)
        edit.releaseMedia(*logo);
    edit.recurringPurchases().removeAt(index);
    return Result<>();
}

QString subscriptionBadgeColorKey(RecurringFrequency frequency, const URSSAFSettings& settings) {
    switch (frequency) {
    case RecurringFrequency::monthly:
        return settings.recurringBadgeMonthlyColorKey;
    case RecurringFrequency::quarterly:
        return QStringLiteral("purple");
    case RecurringFrequency::yearly:
        return settings.recurringBadgeYearlyColorKey;
    }
    return settings.recurringBadgeMonthlyColorKey;
}

TagColorOption subscriptionBadgeColor(RecurringFrequency frequency,
                                      const URSSAFSettings& settings) {
    const QByteArray key = subscriptionBadgeColorKey(frequency, settings).toUtf8();
    return enumFromRaw<TagColorOption>(std::string_view(key.constData(), std::size_t(key.size())))
        .value_or(TagColorOption::blue);
}

} // namespace velmora
