#pragma once

#include "core/Result.h"
#include "core/model/SessionSettings.h"
#include "core/platform/UserNotifications.h"

#include <QHash>
#include <QList>
#include <QString>

namespace velmora {

class SessionEdit;

// One rate of the settings sheet: its field's name, label and placeholder
// (the default rate), and the setting it edits.
struct UrssafRateField {
    QString name;
    QString label;
    QString placeholder;
    double URSSAFSettings::*rate = nullptr;
};

// "Paramètres cotisations": the rates of the chosen regime, the CFP, the
// income-tax instalment, the frequency and the reminder. Rates are texts as
// typed; the settings are the session's at opening.
class UrssafSettingsForm {
public:
    static QString title() { return QStringLiteral("Paramètres cotisations"); }
    static QString regimeLabel() { return QStringLiteral("Régime"); }
    static QString regimeName(URSSAFRegime regime);
    static QString versementLiberatoireLabel() {
        return QStringLiteral("Versement libératoire de l'IR");
    }
    static QString frequencyLabel() { return QStringLiteral("Fréquence de déclaration"); }
    static QString reminderSection() { return QStringLiteral("Rappel de déclaration"); }
    static QString reminderEnabledLabel() { return QStringLiteral("Activer le rappel"); }
    static QString dayLabel() { return QStringLiteral("Jour du mois : "); }

    // The contribution rates the regime shows.
    static QList<UrssafRateField> regimeRates(URSSAFRegime regime);
    static UrssafRateField cfpRate();
    // "Taux BIC" and "Taux BNC" of the income-tax instalment.
    static QList<UrssafRateField> versementLiberatoireRates();

    explicit UrssafSettingsForm(const URSSAFSettings& settings);

    QString rateText(const QString& name) const { return m_rates.value(name); }
    void setRateText(const QString& name, const QString& text) { m_rates[name] = text; }
    // Between 1 and 31.
    void setReminderDay(int day);
    // "Une notification système sera envoyée le 28 de chaque mois de
    // déclaration…": the day the reminders really come on.
    QString reminderSentence() const;

    // The settings as typed: an empty rate is its default; a rate that is
    // not a number from 0 to 100 is refused with its label.
    Result<URSSAFSettings> written() const;
    // Stores the settings, then re-plans the reminders once they are saved;
    // at once when nothing changed.
    Result<> save(SessionEdit& edit, UserNotifications& notifications);

    URSSAFSettings settings;

private:
    QHash<QString, QString> m_rates;
};

} // namespace velmora
