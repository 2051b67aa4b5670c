// The accounting summary: the six amounts, the cards and their settings, the
// best client and the monthly chart.

#include "core/accounting/SummaryIndicators.h"

#include "RecipeBookFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

const QDateTime now = localNoon(2025, 11, 15);

QStringList ids(const QList<IndicatorCard>& cards) {
    QStringList list;
    for (const IndicatorCard& card : cards)
        list << card.id;
    return list;
}

TEST(SummaryIndicators, SixAmountsFollowTheirOwnRules) {
    RecipeSession s;
    // Paid across the new year: only January counts as cash of 2025.
    CommercialDocumentItem& split =
        s.invoice(u"F-1"_s, u"Payé"_s,
                  {paidOn(40, localNoon(2024, 12, 20)), paidOn(60, localNoon(2025, 1, 10))});
    split.encaissementDate = localNoon(2025, 1, 10);
    // Excluded from the book: gone from the cash, still in the total.
    const QUuid excluded = s.invoice(u"F-2"_s, u"Payé"_s, {}, {serviceLine(250)}).id;
    s.db.preferences.recipeBookExcludedIDs = {excluded};
    // Payments without a paid status count as cash only.
    s.invoice(u"F-3"_s, u"Envoyé"_s, {paidOn(30, localNoon(2025, 3, 1))});
    s.invoice(u"F-4"_s, u"Envoyé"_s); // neither paid nor holding payments
    s.invoice(u"D-1"_s, u"Payé"_s).kind = CommercialDocumentKind::quote;

    AccountingPurchaseItem bought;
    bought.priceTTC = 41.5;
    bought.purchaseDate = localNoon(2025, 2, 1);
    AccountingPurchaseItem older = bought;
    older.purchaseDate = localNoon(2024, 2, 1);
    s.db.accountingPurchases = {bought, older};
    RecurringPurchase hosting;
    hosting.id = QUuid::createUuid();
    hosting.amount = 10;
    hosting.frequency = RecurringFrequency::monthly;
    hosting.startDate = localNoon(2025, 9, 1);
    hosting.debitDay = 1;
    s.db.recurringPurchases = {hosting}; // September to November

    URSSAFDeclaration undeclared; // neither declared nor paid
    undeclared.year = 2025;
    undeclared.cotisationAmount = 100;
    undeclared.cfpAmount = 2;
    undeclared.versementLiberatoireAmount = 8;
    URSSAFDeclaration other = undeclared;
    other.year = 2024;
    s.db.urssafDeclarations = {undeclared, other};

    const SummaryAmounts a = summaryAmounts(s.db, 2025, now);
    EXPECT_DOUBLE_EQ(a.caEncaisse, 90);
    EXPECT_DOUBLE_EQ(a.caTotal, 350);
    EXPECT_DOUBLE_EQ(a.purchases, 71.5);
    EXPECT_DOUBLE_EQ(a.cotisations, 110);
    EXPECT_DOUBLE_EQ(a.netEncaisse(), -20);
    EXPECT_DOUBLE_EQ(a.netTotal(), 240);

    const QList<IndicatorCard> cards = summaryCards(a, s.db.urssafSettings);
    EXPECT_EQ(ids(cards), (QStringList{u"ca"_s, u"purchases"_s, u"cotis"_s, u"netEncaisse"_s,
                                       u"caTotal"_s, u"net"_s}));
    EXPECT_EQ(cards[3].color, IndicatorColor::red);
    EXPECT_EQ(cards[5].color, IndicatorColor::teal);
    EXPECT_EQ(cards[4].title, u"CA brut total"_s);
    EXPECT_EQ(cards[4].description, u"Toutes factures payées"_s);
}

TEST(SummaryIndicators, TotalCardsExistOnlyBeyondHalfACent) {
    URSSAFSettings settings;
    for (const auto& [total, exists] :
         {std::pair{100.005, false}, {100.0051, true}, {99.99, true}, {100.0, false}}) {
        const SummaryAmounts amounts{.caEncaisse = 100, .caTotal = total};
        EXPECT_EQ(ids(summaryCards(amounts, settings)).contains(u"net"_s), exists) << total;
        EXPECT_EQ(ids(summaryCards(amounts, settings)).contains(u"caTotal"_s), exists) << total;
    }
}

TEST(SummaryIndicators, CardsAreHiddenRenamedAndReset) {
    URSSAFSettings settings;
    setSummaryCardShown(settings, u"purchases"_s, false);
    setSummaryCardShown(settings, u"bestClient"_s, false);
    setSummaryCardTexts(settings, u"ca"_s, u"  Encaissé  "_s, u"Livre de recettes"_s);
    setSummaryCardTexts(settings, u"cotis"_s, u" "_s, u"Mes cotisations"_s);
    EXPECT_FALSE(settings.summaryShowPurchases);
    EXPECT_FALSE(settings.summaryShowBestClient);
    // A default text is no customisation: only the changed ones are kept.
    EXPECT_EQ(settings.summaryCardCustomTitles,
              (QMap<QString, QString>{{u"ca_label"_s, u"Encaissé"_s},
                                      {u"cotis_desc"_s, u"Mes cotisations"_s}}));

    const QList<IndicatorCard> cards = summaryCards({}, settings);
    EXPECT_FALSE(cards[1].visible);
    EXPECT_EQ(cards[0].title, u"Encaissé"_s);
    EXPECT_EQ(cards[2].title, u"Cotisations"_s);
    EXPECT_EQ(cards[2].description, u"Mes cotisations"_s);

    resetSummaryCards(settings);
    EXPECT_EQ(settings, URSSAFSettings{});
}

TEST(SummaryIndicators, BestClientSumsTheYearAndKeepsTheEarlierOnTies) {
    RecipeSession s;
    ClientItem second;
    second.id = QUuid::createUuid();
    second.kind = ClientKind::particulier;
    second.firstName = u"Jeanne"_s;
    second.lastName = u"Roux"_s;
    s.db.clients.prepend(second); // first in the list
    EXPECT_FALSE(bestClient(s.db, 2025));
    EXPECT_EQ(noBestClientText(2025), u"Meilleur client — aucune donnée pour 2025"_s);

    // Last paid in January 2025, so the invoice is of 2025: its 2025 payments only.
    CommercialDocumentItem& late =
        s.invoice(u"F-1"_s, u"Envoyé"_s,
                  {paidOn(500, localNoon(2024, 12, 1)), paidOn(120, localNoon(2025, 1, 5))});
    late.issueDate = localNoon(2024, 11, 1);
    CommercialDocumentItem& paid = s.invoice(u"F-2"_s, u"Payé"_s, {}, {serviceLine(120)});
    paid.clientID = second.id;
    s.invoice(u"F-3"_s, u"Envoyé"_s, {}, {serviceLine(900)}); // not paid
    const auto best = bestClient(s.db, 2025);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->clientID, second.id);
    EXPECT_EQ(best->name, u"ROUX Jeanne"_s);
    EXPECT_EQ(best->kind, ClientKind::particulier);
    EXPECT_DOUBLE_EQ(best->amount, 120);
    EXPECT_FALSE(bestClient(s.db, 2024)) << "an invoice last paid in 2025 is not one of 2024";
}

TEST(SummaryIndicators, MonthlyChartAndItsLabels) {
    RecipeSession s;
    s.invoice(u"F-1"_s, u"Brouillon"_s, {}, {serviceLine(1000)}).issueDate = localNoon(2025, 1, 31);
    s.invoice(u"F-2"_s, u"Payé"_s, {}, {serviceLine(260)}).issueDate = localNoon(2025, 1, 2);
    s.invoice(u"F-3"_s, u"Payé"_s, {}, {serviceLine(999)}).issueDate = localNoon(2025, 12, 31);
    s.invoice(u"F-4"_s, u"Payé"_s, {}, {serviceLine(5)}).issueDate = localNoon(2026, 1, 1);
    const MonthlyRevenue revenue = monthlyRevenue(s.db, 2025);
    EXPECT_EQ(revenue.invoiceCount, 3);
    EXPECT_DOUBLE_EQ(revenue.months[0], 1260);
    EXPECT_DOUBLE_EQ(revenue.months[11], 999);
    EXPECT_DOUBLE_EQ(revenue.months[5], 0);
    EXPECT_TRUE(monthlyRevenue(s.db, 2024).isEmpty());
    EXPECT_EQ(noRevenueText(2024), u"Aucune facture émise sur 2024"_s);
    EXPECT_EQ(revenueYears(s.db, now), (QList<int>{2026, 2025}));

    for (const auto& [value, label] : {std::pair{1260.0, u"1,3 k€"_s},
                                       {999.0, u"999 €"_s},
                                       {2'500'000.0, u"2,5 M€"_s},
                                       {0.0, u"0 €"_s},
                                       {-1500.0, u"-1,5 k€"_s},
                                       {999'999.0, u"1000,0 k€"_s}})
        EXPECT_EQ(revenueBarLabel(value), label) << value;
    EXPECT_EQ(revenueMonthLabel(1), u"janv."_s);
    EXPECT_EQ(revenueMonthLabel(8), u"août"_s);
}

TEST(SummaryIndicators, YearChoicesHoldExpensesAndPaidInvoices) {
    RecipeSession s;
    s.invoice(u"F-1"_s, u"Payé"_s).issueDate = localNoon(2021, 5, 1);
    s.invoice(u"F-2"_s, u"Envoyé"_s).issueDate = localNoon(2019, 5, 1); // unpaid
    s.invoice(u"F-3"_s, u"Envoyé"_s, {paidOn(10, localNoon(2022, 1, 1))});
    AccountingPurchaseItem bought;
    bought.purchaseDate = localNoon(2020, 3, 1);
    s.db.accountingPurchases = {bought};
    EXPECT_EQ(summaryYears(s.db, now), (QList<int>{2025, 2022, 2021, 2020}));
}

} // namespace
