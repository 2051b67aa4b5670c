// velmora-cli dashboard: the cards with their flags, the best client and the
// monthly chart of another year.

#include "CliRun.h"

#include "core/accounting/RecipeBookFixture.h"
#include "core/model/SessionFile.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

QJsonObject card(const QString& id, const QString& title, const QString& description, double value,
                 bool visible = true) {
    return {{u"id"_s, id},
            {u"title"_s, title},
            {u"description"_s, description},
            {u"value"_s, value},
            {u"visible"_s, visible}};
}

TEST(DashboardCli, CardsBestClientAndChart) {
    QTemporaryDir dir;
    RecipeSession s;
    // Issued in 2024, paid half in 2024 and half in 2025: cash of 2025 is
    // the second half, while the paid total counts it whole.
    CommercialDocumentItem& invoice =
        s.invoice(u"F-1"_s, u"Payé"_s,
                  {paidOn(630, localNoon(2024, 12, 20)), paidOn(630, localNoon(2025, 1, 10))},
                  {serviceLine(1260)});
    invoice.issueDate = localNoon(2024, 3, 5);
    invoice.encaissementDate = localNoon(2025, 1, 10);
    s.db.urssafSettings.summaryShowPurchases = false;
    s.db.urssafSettings.summaryCardCustomTitles = {{u"ca_label"_s, u"Encaissé"_s}};
    const QString file = dir.filePath(u"s.cdb"_s);
    ASSERT_TRUE(writeSessionFile(s.db, SessionFormat::Compact, file).ok());
    const auto run = [&](const QStringList& options) {
        return runCli(QStringList{u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"dashboard"_s, file} +
                      options);
    };

    const CliRun r = run({u"--year"_s, u"2025"_s, u"--chart-year"_s, u"2024"_s});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    QJsonArray chart{0, 0, 1260, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QJsonArray labels;
    for (int month = 0; month < 12; ++month)
        labels.append(month == 2 ? u"1,3 k€"_s : u"0 €"_s);
    EXPECT_EQ(
        parseOutput(r),
        (QJsonObject{
            {u"cards"_s,
             QJsonArray{card(u"ca"_s, u"Encaissé"_s, u"Livre de recettes"_s, 630),
                        card(u"purchases"_s, u"Dépenses"_s, u"Produits + Abonnements"_s, 0, false),
                        card(u"cotis"_s, u"Cotisations"_s, u"URSSAF déclarées"_s, 0),
                        card(u"netEncaisse"_s, u"CA net encaissé"_s,
                             u"CA brut encaissé − Cotisations"_s, 630),
                        card(u"caTotal"_s, u"CA brut total"_s, u"Toutes factures payées"_s, 1260),
                        card(u"net"_s, u"CA net total"_s, u"CA brut total − Cotisations"_s, 1260)}},
            {u"bestClient"_s, QJsonObject{{u"name"_s, u"Atelier Lumen"_s},
                                          {u"kind"_s, u"professionnel"_s},
                                          {u"amount"_s, 630}}},
            {u"bestClientText"_s, QJsonValue::Null},
            {u"chart"_s, chart},
            {u"chartLabels"_s, labels}}));

    // No data in 2023, and the chart defaults to the year of --now.
    const QJsonObject empty = parseOutput(run({u"--year"_s, u"2023"_s}));
    EXPECT_EQ(empty.value(u"cards"_s).toArray().size(), 4);
    EXPECT_EQ(empty.value(u"bestClient"_s), QJsonValue(QJsonValue::Null));
    EXPECT_EQ(empty.value(u"bestClientText"_s).toString(),
              u"Meilleur client — aucune donnée pour 2023"_s);
    EXPECT_EQ(empty.value(u"chart"_s).toArray(), (QJsonArray{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    for (const QStringList& options :
         {QStringList{}, QStringList{u"--year"_s, u"l’an dernier"_s},
          QStringList{u"--year"_s, u"2025"_s, u"--chart-year"_s, u"x"_s}})
        EXPECT_EQ(run(options).exitCode, 2) << options.join(u' ').toStdString();
}

} // namespace
