#pragma once

#include "core/Result.h"
#include "core/model/AccountingRecords.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;

// The form of a subscription. The amount is kept as typed; the debit day
// follows the start date, and a start date moved to another day applies
// from today on, leaving past debits on the old day.
class SubscriptionForm {
public:
    static QString newTitle() { return QStringLiteral("Ajouter un abonnement"); }
    static QString editTitle() { return QStringLiteral("Modifier l'abonnement"); }
    static QString nameLabel() { return QStringLiteral("Nom du service / abonnement"); }
    static QString endToggleText() { return QStringLiteral("Définir une fin"); }
    static QString exceptionalTitle() { return QStringLiteral("Dates exceptionnelles"); }
    static QString exceptionalDateLabel() { return QStringLiteral("Date de prélèvement"); }
    static QString exceptionalHint() {
        return QStringLiteral("Le mois concerné sera déduit automatiquement de cette date.");
    }
    static QString pausesTitle() { return QStringLiteral("Périodes de pause"); }
    static QString noPausesText() {
        return QStringLiteral(
            "Aucune pause enregistrée. Désactiver l'abonnement pour en créer une.");
    }
    static QString pausesNote() {
        return QStringLiteral("Les paiements ne sont pas comptabilisés pendant une pause. "
                              "Réactivable à tout moment.");
    }
    static QString nameRequiredMessage() {
        return QStringLiteral("Le nom du service / abonnement est obligatoire.");
    }
    static QString notFoundMessage() { return QStringLiteral("Cet abonnement n'existe plus."); }
    // "5 janv. 2025 → en cours".
    static QString pauseRangeText(const RecurringPausePeriod& pause);
    // The same local day as `day`, at the time of day of `moment`: picking a
    // date keeps the hour the schedule runs at.
    static QDateTime onDay(const QDateTime& moment, QDate day);

    // A new monthly subscription starting now, with a fresh id.
    explicit SubscriptionForm(const QDateTime& now);
    // Edits the subscription.
    explicit SubscriptionForm(const RecurringPurchase& subscription);

    bool isNew() const { return m_isNew; }
    QString title() const { return m_isNew ? newTitle() : editTitle(); }
    const RecurringPurchase& original() const { return m_original; }

    // The confirmation asked before saving when the start date moved to
    // another day; none otherwise.
    std::optional<Alert> startDateConfirmation() const;

    // For the month of the chosen date, the debit happens on that date.
    // Refused inside a pause or when the month already has one.
    Result<> addExceptionalDate(const QDateTime& chosen);
    void removeExceptionalDate(const QUuid& id);

    // The first message that refuses the form, or an empty text.
    QString validate() const;
    // The record as saved at `now` (debit day, its history, the end reached,
    // the next due date); only meaningful once validate() passed.
    RecurringPurchase written(const QDateTime& now) const;
    // Validates, then adds or replaces the subscription; the form holds the
    // record once it is saved. `unchanged` when nothing differs.
    Result<> apply(SessionEdit& edit, const QDateTime& now);

    // Every field but the amount, which is typed text ("12,50").
    RecurringPurchase fields;
    QString amount;

private:
    RecurringPurchase m_original;
    bool m_isNew = true;
};

} // namespace velmora
