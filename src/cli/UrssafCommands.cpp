#include "cli/Command.h"

#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafEstimation.h"
#include "core/accounting/UrssafPrefill.h"
#include "core/accounting/UrssafReminders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace velmora::cli {
namespace {

// The declaration exactly as the session file holds it.
QJsonObject storedForm(const URSSAFDeclaration& declaration) {
    AppDatabase holder;
    holder.urssafDeclarations = {declaration};
    const QJsonObject root =
        QJsonDocument::fromJson(encodeSession(holder, SessionFormat::Compact)).object();
    return root.value(QStringLiteral("urssafDeclarations")).toArray().first().toObject();
}

int compute(CliContext& ctx) {
    UrssafTurnover turnover;
    const struct {
        const char* name;
        double* field;
        bool required;
    } fields[] = {{"ventes", &turnover.sales, true},
                  {"bic", &turnover.bic, true},
                  {"bnc", &turnover.bnc, true},
                  {"location", &turnover.letting, false}};
    for (const auto& field : fields) {
        const QString name = QString::fromLatin1(field.name);
        const std::optional<QString> text = ctx.value(name);
        if (!text && field.required)
            return usage(missingOption(name));
        *field.field = urssafFieldAmount(text.value_or(QString()));
    }
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const UrssafAmounts amounts = urssafContributions(turnover, db->urssafSettings);
    const UrssafAmounts rounded = roundedToEuros(amounts);
    printJson(QJsonObject{
        {QStringLiteral("cotisation"), amounts.cotisation},
        {QStringLiteral("cfp"), amounts.cfp},
        {QStringLiteral("vl"), amounts.versementLiberatoire},
        {QStringLiteral("cotisationRounded"), rounded.cotisation},
        {QStringLiteral("cfpRounded"), rounded.cfp},
        {QStringLiteral("vlRounded"), rounded.versementLiberatoire},
        {QStringLiteral("totalText"), urssafTotalText(rounded)},
    });
    return Success;
}

int prefill(CliContext& ctx) {
    const QString names[] = {QStringLiteral("year"), QStringLiteral("period"),
                             QStringLiteral("frequency")};
    for (const QString& name : names) {
        if (!ctx.isSet(name))
            return usage(missingOption(name));
    }
    const auto frequency = enumFromRaw<URSSAFDeclarationFrequency>(
        ctx.value(QStringLiteral("frequency"))->toStdString());
    if (!frequency)
        return usage(QStringLiteral("L'option --frequency attend monthly ou trimestrial."));
    const std::optional<int> year = boundedNumber(*ctx.value(QStringLiteral("year")), 1, 9999);
    if (!year)
        return usage(QStringLiteral("L'option --year attend une année (par exemple 2025)."));
    const bool monthly = *frequency == URSSAFDeclarationFrequency::monthly;
    const std::optional<int> period =
        boundedNumber(*ctx.value(QStringLiteral("period")), 1, monthly ? 12 : 4);
    if (!period)
        return usage(monthly ? QStringLiteral("L'option --period attend un mois de 1 à 12.")
                             : QStringLiteral("L'option --period attend un trimestre de 1 à 4."));
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const UrssafPrefill texts = urssafPrefill(db.value(), {*year, *period, *frequency});
    printJson(QJsonObject{
        {QStringLiteral("caVenteMarchandises"), texts.sales},
        {QStringLiteral("caPrestationsServicesBIC"), texts.bic},
        {QStringLiteral("caPrestationsServicesBNC"), texts.bnc},
    });
    return Success;
}

int estimate(CliContext& ctx) {
    const QDateTime now = ctx.clock->now();
    UrssafEstimate estimate;
    if (ctx.isSet(QStringLiteral("write"))) {
        const Result<> written = ctx.editSession(ctx.args[0], [&](SessionEdit& edit) -> Result<> {
            estimate = estimateCurrentMonth(edit, now);
            return Result<>();
        });
        if (!written)
            return fail(written.error());
    } else {
        auto db = ctx.loadSession(ctx.args[0]);
        if (!db)
            return fail(db.error());
        SessionEdit edit(std::move(db).value());
        estimate = estimateCurrentMonth(edit, now);
    }
    QJsonValue notification = QJsonValue::Null;
    if (estimate.notification) {
        notification =
            QJsonObject{{QStringLiteral("identifier"), estimate.notification->identifier},
                        {QStringLiteral("title"), estimate.notification->title},
                        {QStringLiteral("body"), estimate.notification->body}};
    }
    printJson(QJsonObject{
        {QStringLiteral("action"), urssafEstimateActionName(estimate.action)},
        {QStringLiteral("declaration"), estimate.declaration
                                            ? QJsonValue(storedForm(*estimate.declaration))
                                            : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("notification"), notification},
    });
    return Success;
}

int reminders(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    QJsonArray list;
    for (const NotificationRequest& request : urssafReminderRequests(db->urssafSettings)) {
        const auto& when = std::get<CalendarTrigger>(request.trigger);
        list.append(QJsonObject{
            {QStringLiteral("identifier"), request.identifier},
            {QStringLiteral("month"), when.month.value_or(0)},
            {QStringLiteral("day"), when.day.value_or(0)},
            {QStringLiteral("hour"), when.hour},
            {QStringLiteral("minute"), when.minute},
            {QStringLiteral("title"), request.title},
            {QStringLiteral("body"), request.body},
        });
    }
    printJson(QJsonObject{{QStringLiteral("requests"), list}});
    return Success;
}

Option amountOption(const QString& name, const QString& valueName, const QString& help) {
    return {.name = name,
            .valueName = valueName,
            .valueKind = QStringLiteral("un montant"),
            .help = help};
}

} // namespace

QList<Command> urssafCommands() {
    const QString file = QStringLiteral("FICHIER");
    return {
        {.name = QStringLiteral("urssaf-compute"),
         .arguments = {file},
         .options = {amountOption(QStringLiteral("ventes"), QStringLiteral("V"),
                                  QStringLiteral("CA ventes de marchandises (obligatoire)")),
                     amountOption(QStringLiteral("bic"), QStringLiteral("B"),
                                  QStringLiteral("CA prestations de services BIC (obligatoire)")),
                     amountOption(QStringLiteral("bnc"), QStringLiteral("N"),
                                  QStringLiteral("CA prestations libérales BNC (obligatoire)")),
                     amountOption(QStringLiteral("location"), QStringLiteral("L"),
                                  QStringLiteral("CA location meublée"))},
         .help = QStringLiteral(
             "Les cotisations aux taux de la session, lues comme le formulaire lit ses champs : "
             "{\"cotisation\", \"cfp\", \"vl\", \"cotisationRounded\", \"cfpRounded\", "
             "\"vlRounded\", \"totalText\"}."),
         .run = compute},
        {.name = QStringLiteral("urssaf-prefill"),
         .arguments = {file},
         .options = {{.name = QStringLiteral("year"),
                      .valueName = QStringLiteral("ANNÉE"),
                      .valueKind = QStringLiteral("une année"),
                      .help = QStringLiteral("l'année de la période (obligatoire)")},
                     {.name = QStringLiteral("period"),
                      .valueName = QStringLiteral("PÉRIODE"),
                      .valueKind = QStringLiteral("un numéro de période"),
                      .help = QStringLiteral("le mois (1 à 12) ou le trimestre (1 à 4) "
                                             "(obligatoire)")},
                     {.name = QStringLiteral("frequency"),
                      .valueName = QStringLiteral("monthly|trimestrial"),
                      .valueKind = QStringLiteral("une fréquence"),
                      .help = QStringLiteral("la fréquence de déclaration (obligatoire)")}},
         .help = QStringLiteral("Le CA de la période pré-rempli depuis le livre de recettes : "
                                "{\"caVenteMarchandises\", \"caPrestationsServicesBIC\", "
                                "\"caPrestationsServicesBNC\"}."),
         .run = prefill},
        {.name = QStringLiteral("urssaf-estimate"),
         .arguments = {file},
         .options = {{.name = QStringLiteral("write"),
                      .help = QStringLiteral("réécrit le fichier avec l'estimation")}},
         .help = QStringLiteral("L'estimation automatique du mois en cours : {\"action\", "
                                "\"declaration\", \"notification\"}."),
         .run = estimate},
        {.name = QStringLiteral("urssaf-reminders"),
         .arguments = {file},
         .help = QStringLiteral("Les rappels de déclaration à planifier : {\"requests\": "
                                "[{\"identifier\", \"month\", \"day\", \"hour\", \"minute\", "
                                "\"title\", \"body\"}]}."),
         .run = reminders},
    };
}

} // namespace velmora::cli
