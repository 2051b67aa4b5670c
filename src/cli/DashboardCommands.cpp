#include "cli/Command.h"

#include "core/accounting/SummaryIndicators.h"
#include "core/model/RawNames.h"

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

QJsonValue textOrNull(const QString& text) {
    return text.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

int dashboard(CliContext& ctx) {
    const auto yearText = ctx.value(QStringLiteral("year"));
    if (!yearText)
        return usage(missingOption(QStringLiteral("year")));
    const auto year = boundedNumber(*yearText, 1, 9999);
    if (!year)
        return usage(QStringLiteral("L'option --year attend une année (par exemple 2025)."));
    const QDateTime now = ctx.clock->now();
    int chartYear = now.toLocalTime().date().year();
    if (const auto chartText = ctx.value(QStringLiteral("chart-year"))) {
        const auto chosen = boundedNumber(*chartText, 1, 9999);
        if (!chosen)
            return usage(
                QStringLiteral("L'option --chart-year attend une année (par exemple 2025)."));
        chartYear = *chosen;
    }
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());

    QJsonArray cards;
    for (const IndicatorCard& card :
         summaryCards(summaryAmounts(db.value(), *year, now), db->urssafSettings)) {
        cards.append(QJsonObject{{QStringLiteral("id"), card.id},
                                 {QStringLiteral("title"), card.title},
                                 {QStringLiteral("description"), card.description},
                                 {QStringLiteral("value"), card.value},
                                 {QStringLiteral("visible"), card.visible}});
    }
    const auto best = bestClient(db.value(), *year);
    const QJsonValue bestJson =
        best ? QJsonValue(
                   QJsonObject{{QStringLiteral("name"), best->name},
                               {QStringLiteral("kind"), QString::fromLatin1(rawName(best->kind))},
                               {QStringLiteral("amount"), best->amount}})
             : QJsonValue(QJsonValue::Null);
    const MonthlyRevenue revenue = monthlyRevenue(db.value(), chartYear);
    QJsonArray chart;
    QJsonArray labels;
    for (double month : revenue.months) {
        chart.append(month);
        labels.append(revenueBarLabel(month));
    }
    printJson(QJsonObject{
        {QStringLiteral("cards"), cards},
        {QStringLiteral("bestClient"), bestJson},
        {QStringLiteral("bestClientText"), textOrNull(best ? QString() : noBestClientText(*year))},
        {QStringLiteral("chart"), chart},
        {QStringLiteral("chartLabels"), labels},
    });
    return Success;
}

} // namespace

QList<Command> dashboardCommands() {
    return {
        {.name = QStringLiteral("dashboard"),
         .arguments = {QStringLiteral("FICHIER")},
         .options = {{.name = QStringLiteral("year"),
                      .valueName = QStringLiteral("ANNÉE"),
                      .valueKind = QStringLiteral("une année"),
                      .help = QStringLiteral("l'année des indicateurs (obligatoire)")},
                     {.name = QStringLiteral("chart-year"),
                      .valueName = QStringLiteral("ANNÉE"),
                      .valueKind = QStringLiteral("une année"),
                      .help = QStringLiteral("l'année du graphique mensuel, par défaut "
                                             "l'année en cours")}},
         .help = QStringLiteral("Les indicateurs de l'année, le meilleur client et le chiffre "
                                "d'affaires mensuel : {\"cards\", \"bestClient\", "
                                "\"bestClientText\", \"chart\", \"chartLabels\"}."),
         .run = dashboard},
    };
}

} // namespace velmora::cli
