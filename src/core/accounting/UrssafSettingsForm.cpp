#include "core/accounting/UrssafSettingsForm.h"

#include "core/accounting/UrssafReminders.h"
#include "core/store/SessionEdit.h"
#include "core/text/AmountParsing.h"

#include <QLocale>

#include <algorithm>

namespace velmora {
namespace {

QList<UrssafRateField> allRates() {
    QList<UrssafRateField> all;
    for (URSSAFRegime regime :
         {URSSAFRegime::microEntrepreneur, URSSAFRegime::bnc, URSSAFRegime::bic})
        all += UrssafSettingsForm::regimeRates(regime);
    all << UrssafSettingsForm::cfpRate();
    all += UrssafSettingsForm::versementLiberatoireRates();
    return all;
}

QString typedRate(double rate) {
    return QString::number(rate, 'f', QLocale::FloatingPointShortest)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

QString UrssafSettingsForm::regimeName(URSSAFRegime regime) {
    switch (regime) {
    case URSSAFRegime::bnc:
        return QStringLiteral("BNC");
    case URSSAFRegime::bic:
        return QStringLiteral("BIC");
    case URSSAFRegime::microEntrepreneur:
        break;
    }
    return QStringLiteral("Micro-entrepreneur");
}

QList<UrssafRateField> UrssafSettingsForm::regimeRates(URSSAFRegime regime) {
    switch (regime) {
    case URSSAFRegime::bnc:
        return {{QStringLiteral("bncRate"), QStringLiteral("Taux cotisations BNC (%)"),
                 QStringLiteral("21,1"), &URSSAFSettings::bncRate}};
    case URSSAFRegime::bic:
        return {{QStringLiteral("bicRate"), QStringLiteral("Taux cotisations BIC (%)"),
                 QStringLiteral("25,0"), &URSSAFSettings::bicRate}};
    case URSSAFRegime::microEntrepreneur:
        break;
    }
    return {{QStringLiteral("microRateSales"), QStringLiteral("BIC ventes (%)"),
             QStringLiteral("12,3"), &URSSAFSettings::microRateSales},
            {QStringLiteral("microRateBICServices"), QStringLiteral("BIC services (%)"),
             QStringLiteral("21,2"), &URSSAFSettings::microRateBICServices},
            {QStringLiteral("microRateServices"), QStringLiteral("BNC — libéraux (%)"),
             QStringLiteral("22,0"), &URSSAFSettings::microRateServices}};
}

UrssafRateField UrssafSettingsForm::cfpRate() {
    return {QStringLiteral("cfpRate"), QStringLiteral("Taux CFP — Formation professionnelle (%)"),
            QStringLiteral("0,2"), &URSSAFSettings::cfpRate};
}

QList<UrssafRateField> UrssafSettingsForm::versementLiberatoireRates() {
    return {{QStringLiteral("versementLiberatoireBICRate"), QStringLiteral("Taux BIC"),
             QStringLiteral("1,0"), &URSSAFSettings::versementLiberatoireBICRate},
            {QStringLiteral("versementLiberatoireBNCRate"), QStringLiteral("Taux BNC"),
             QStringLiteral("2,2"), &URSSAFSettings::versementLiberatoireBNCRate}};
}

UrssafSettingsForm::UrssafSettingsForm(const URSSAFSettings& initial) : settings(initial) {
    for (const UrssafRateField& field : allRates())
        m_rates.insert(field.name, typedRate(settings.*field.rate));
}

void UrssafSettingsForm::setReminderDay(int day) {
    settings.declarationDayOfMonth = std::clamp(day, 1, 31);
}

QString UrssafSettingsForm::reminderSentence() const {
    const int day = urssafReminderDay(settings);
    return QStringLiteral("Une notification système sera envoyée le ") +
           (day == 1 ? QStringLiteral("1er") : QString::number(day)) +
           QStringLiteral(
               " de chaque mois de déclaration pour vous rappeler de déclarer votre CA.");
}

Result<URSSAFSettings> UrssafSettingsForm::written() const {
    URSSAFSettings out = settings;
    const URSSAFSettings defaults;
    for (const UrssafRateField& field : allRates()) {
        const QString text = m_rates.value(field.name).trimmed();
        if (text.isEmpty()) {
            out.*field.rate = defaults.*field.rate;
            continue;
        }
        const std::optional<double> rate = parseAmount(text);
        if (!rate || *rate < 0 || *rate > 100)
            return Result<URSSAFSettings>::invalid(
                QStringLiteral("« ") + field.label +
                QStringLiteral(" » doit être un taux compris entre 0 et 100."));
        out.*field.rate = *rate;
    }
    return out;
}

Result<> UrssafSettingsForm::save(SessionEdit& edit, UserNotifications& notifications) {
    const Result<URSSAFSettings> typed = written();
    if (!typed.ok())
        return Result<>(typed);
    if (edit.session().urssafSettings == typed.value()) {
        replanUrssafReminders(typed.value(), notifications);
        return Result<>::unchanged();
    }
    edit.urssafSettings() = typed.value();
    edit.whenSaved([&notifications, settings = typed.value()] {
        replanUrssafReminders(settings, notifications);
    });
    return Result<>();
}

} // namespace velmora
