#include "core/accounting/SubscriptionForm.h"

#include "core/accounting/SubscriptionActions.h"
#include "core/accounting/SubscriptionSchedule.h"
#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"
#include "core/text/AmountParsing.h"
#include "core/text/FrenchDates.h"

#include <QLocale>

#include <algorithm>

namespace velmora {
namespace {

QDate localDay(const QDateTime& moment) {
    return moment.toLocalTime().date();
}

QString frequencyUnit(RecurringFrequency frequency) {
    switch (frequency) {
    case RecurringFrequency::monthly:
        return QStringLiteral("mois");
    case RecurringFrequency::quarterly:
        return QStringLiteral("trimestre");
    case RecurringFrequency::yearly:
        return QStringLiteral("année");
    }
    return QStringLiteral("mois");
}

QString monthAndYear(const QDateTime& moment) {
    static const QLocale french(QLocale::French, QLocale::France);
    return french.toString(localDay(moment), QStringLiteral("MMMM yyyy"));
}

// The stored amount as the user would type it back: "12,5".
QString formatAmountInput(double amount) {
    return QString::number(amount, 'f', QLocale::FloatingPointShortest)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

QString SubscriptionForm::pauseRangeText(const RecurringPausePeriod& pause) {
    return formatMediumDate(pause.startDate) + QStringLiteral(" → ") +
           (pause.endDate ? formatMediumDate(*pause.endDate) : QStringLiteral("en cours"));
}

QDateTime SubscriptionForm::onDay(const QDateTime& moment, QDate day) {
    const QTime time = moment.isValid() ? moment.toLocalTime().time() : QTime(0, 0);
    QDateTime result(day, time, Qt::LocalTime);
    if (!result.isValid())
        result = QDateTime(day, time.addSecs(3600), Qt::LocalTime);
    return result.toUTC();
}

SubscriptionForm::SubscriptionForm(const QDateTime& now) {
    fields.id = QUuid::createUuid();
    fields.startDate = now;
    fields.nextDueDate = now;
    fields.createdAt = now;
    m_original = fields;
}

SubscriptionForm::SubscriptionForm(const RecurringPurchase& subscription)
    : fields(subscription), amount(formatAmountInput(subscription.amount)),
      m_original(subscription), m_isNew(false) {}

std::optional<Alert> SubscriptionForm::startDateConfirmation() const {
    if (m_isNew || localDay(fields.startDate) == localDay(m_original.startDate))
        return std::nullopt;
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Modifier la date de début ?"),
                 QStringLiteral("À partir d'aujourd'hui, le prélèvement sera effectué le ") +
                     QString::number(localDay(fields.startDate).day()) +
                     QStringLiteral(" de chaque ") + frequencyUnit(fields.frequency) +
                     QStringLiteral(". Les paiements passés resteront calculés avec l'ancien "
                                    "jour de prélèvement."),
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Modifier"), AlertRole::defaultAction}}};
}

Result<> SubscriptionForm::addExceptionalDate(const QDateTime& chosen) {
    if (!chosen.isValid())
        return Result<>::invalid(QStringLiteral("Choisissez une date de prélèvement."));
    const QDate day = localDay(chosen);
    ExceptionalPaymentDate exceptional;
    exceptional.id = QUuid::createUuid();
    exceptional.periodStart =
        QDateTime(QDate(day.year(), day.month(), 1), QTime(0, 0), Qt::LocalTime).toUTC();
    exceptional.replacementDate = chosen;
    for (const RecurringPausePeriod& pause : fields.pausePeriods) {
        if (pauseCovers(pause, chosen))
            return Result<>::invalid(
                QStringLiteral("La date choisie est incluse dans une période de pause (") +
                pauseRangeText(pause) + QStringLiteral("). Choisissez une date hors des pauses."));
    }
    const QDate month = localDay(exceptional.periodStart);
    for (const ExceptionalPaymentDate& existing : fields.exceptionalDates) {
        const QDate other = localDay(existing.periodStart);
        if (other.year() == month.year() && other.month() == month.month())
            return Result<>::invalid(
                QStringLiteral("Il existe déjà une date exceptionnelle pour ") +
                monthAndYear(exceptional.periodStart) + QStringLiteral(". Supprimez-la d'abord."));
    }
    fields.exceptionalDates.append(exceptional);
    return Result<>();
}

void SubscriptionForm::removeExceptionalDate(const QUuid& id) {
    fields.exceptionalDates.removeIf(
        [&](const ExceptionalPaymentDate& exceptional) { return exceptional.id == id; });
}

QString SubscriptionForm::validate() const {
    if (fields.name.trimmed().isEmpty())
        return nameRequiredMessage();
    if (!fields.endDate)
        return {};
    const QDateTime& end = *fields.endDate;
    if (!(end > fields.startDate))
        return QStringLiteral("La date de fin doit être après la date de début de l'abonnement.");
    const auto latest = std::max_element(
        fields.exceptionalDates.cbegin(), fields.exceptionalDates.cend(),
        [](const auto& a, const auto& b) { return a.replacementDate < b.replacementDate; });
    if (latest != fields.exceptionalDates.cend() && !(end > latest->replacementDate))
        return QStringLiteral("La date de fin (") + formatMediumDate(end) +
               QStringLiteral(") doit être après toutes les dates de prélèvement "
                              "exceptionnelles. La plus tardive est le ") +
               formatMediumDate(latest->replacementDate) + QStringLiteral(".");
    for (const RecurringPausePeriod& pause : fields.pausePeriods) {
        if (end > pause.startDate && (!pause.endDate || end <= *pause.endDate))
            return QStringLiteral("La date de fin est incluse dans une période de pause (") +
                   pauseRangeText(pause) +
                   QStringLiteral("). Elle doit se situer avant ou après toute période de "
                                  "pause.");
    }
    return {};
}

RecurringPurchase SubscriptionForm::written(const QDateTime& now) const {
    RecurringPurchase subscription = fields;
    subscription.name = subscription.name.trimmed();
    subscription.amount = parseAmount(amount).value_or(0);
    const int day = localDay(fields.startDate).day();
    subscription.debitDay = day;
    if (m_isNew) {
        subscription.debitDayHistory = {DebitDayEntry{fields.startDate, day}};
        subscription.createdAt = now;
    } else if (localDay(fields.startDate) != localDay(m_original.startDate) ||
               m_original.debitDay != std::optional<qint64>(day)) {
        // Past debits keep the day they were taken on.
        if (subscription.debitDayHistory.isEmpty() && m_original.debitDay)
            subscription.debitDayHistory.append(
                DebitDayEntry{m_original.startDate, *m_original.debitDay});
        subscription.debitDayHistory.append(DebitDayEntry{now, day});
    }
    endIfReached(subscription, now);
    subscription.nextDueDate = subscriptionNextDueDate(subscription, now);
    return subscription;
}

Result<> SubscriptionForm::apply(SessionEdit& edit, const QDateTime& now) {
    if (const QString message = validate(); !message.isEmpty())
        return Result<>::invalid(message);
    RecurringPurchase subscription = written(now);
    keepKnownTags(subscription.tagIDs, edit.session().recurringPurchaseTags);
    Result<> applied = putRecord(
        edit.session().recurringPurchases,
        [&]() -> QList<RecurringPurchase>& { return edit.recurringPurchases(); }, subscription,
        m_isNew, notFoundMessage());
    if (!applied.ok())
        return applied;
    edit.whenSaved([this, subscription] {
        fields = subscription;
        m_original = subscription;
        amount = formatAmountInput(subscription.amount);
        m_isNew = false;
    });
    return applied;
}

} // namespace velmora
