// The turnover drawn from invoices: which lines count, in which category,
// for how much, in which period; the pre-fill texts and the estimation's
// own classification.

#include "RecipeBookFixture.h"

#include "core/accounting/UrssafInvoiceTurnover.h"
#include "core/accounting/UrssafPrefill.h"

using namespace velmora;
using namespace velmora::test;

namespace {

using F = URSSAFDeclarationFrequency;
using K = CommercialDocumentLineKind;
using T = ServicePrestationType;

const UrssafPeriod kJune2025{2025, 6, F::monthly};

CommercialDocumentLine linked(double price, const QUuid& service) {
    CommercialDocumentLine line = serviceLine(price);
    line.linkedServiceID = service;
    return line;
}

ServiceItem serviceOf(T type) {
    ServiceItem service;
    service.id = QUuid::createUuid();
    service.title = u"Service"_s;
    service.prestationType = type;
    return service;
}

TEST(UrssafTurnover, PrefillByCatalogueTypeOnTheNetDuePaid) {
    const ServiceItem sale = serviceOf(T::ventesMarchandises);
    const ServiceItem bic = serviceOf(T::prestationsCommercialesBIC);
    CommercialDocumentLine reduced = serviceLine(100, 3);
    reduced.lineDiscountEnabled = true;
    reduced.lineDiscountIsPercent = true;
    reduced.lineDiscountValue = 10;
    CommercialDocumentLine offered = serviceLine(500);
    offered.isOffered = true;
    const struct {
        const char* why;
        QList<CommercialDocumentLine> lines;
        QString status;
        QList<Encaissement> payments;
        UrssafPrefill expected;
    } rows[] = {
        {"categories",
         {linked(100, sale.id), linked(200.5, bic.id), serviceLine(50)},
         u"Payé"_s,
         {},
         {u"100,00"_s, u"200,50"_s, u"50,00"_s}},
        {"service gone", {linked(80, QUuid::createUuid())}, u"Payé"_s, {}, {{}, {}, u"80,00"_s}},
        {"discount and deposit lines are not declared",
         {linked(1000, bic.id), otherLine(K::discount, 100), otherLine(K::deposit, 300)},
         u"Payé"_s,
         {},
         {{}, u"600,00"_s, {}}},
        {"half of the net due paid",
         {serviceLine(1000), otherLine(K::discount, 10, true)},
         u"Envoyé"_s,
         {paidOn(450, localNoon(2025, 6, 5))},
         {{}, {}, u"450,00"_s}},
        {"paid beyond the due",
         {serviceLine(100)},
         u"Envoyé"_s,
         {payment(150)},
         {{}, {}, u"100,00"_s}},
        {"line reduction, offered line", {reduced, offered}, u"Payé"_s, {}, {{}, {}, u"270,00"_s}},
        {"discount beyond the services",
         {serviceLine(100), otherLine(K::discount, 150)},
         u"Payé"_s,
         {},
         {}},
        {"not paid", {serviceLine(100)}, u"Envoyé"_s, {}, {}},
    };
    for (const auto& row : rows) {
        RecipeSession s;
        s.db.services = {sale, bic};
        s.invoice(u"F-1"_s, row.status, row.payments, row.lines);
        EXPECT_EQ(urssafPrefill(s.db, kJune2025), row.expected) << row.why;
    }
}

TEST(UrssafTurnover, ExcludedPaymentsAndInvoicesButNotCancelledActivities) {
    RecipeSession s;
    const Encaissement kept = payment(300);
    const Encaissement left = payment(200);
    s.invoice(u"F-1"_s, u"Envoyé"_s, {kept, left}, {serviceLine(1000)});
    s.db.preferences.recipeBookExcludedEncaissementIDs = {left.id};
    const QUuid excluded = s.invoice(u"F-2"_s, u"Payé"_s).id;
    s.db.preferences.recipeBookExcludedIDs = {excluded};
    ProjectItem cancelled;
    cancelled.id = QUuid::createUuid();
    cancelled.isCancelled = true;
    s.db.projects = {cancelled};
    s.invoice(u"F-3"_s, u"Payé"_s, {}, {serviceLine(40)}).linkedProjectIDs = {cancelled.id};
    ASSERT_FALSE(s.numbers().contains(u"F-3"_s));
    EXPECT_EQ(urssafPrefill(s.db, kJune2025).bnc, u"340,00"_s);
}

TEST(UrssafTurnover, InvoiceDateInTheLocalCalendar) {
    RecipeSession s;
    const QTimeZone local = QTimeZone::systemTimeZone();
    const struct {
        QDateTime issue;
        std::optional<QDateTime> collected;
        double amount;
    } invoices[] = {
        {localNoon(2025, 3, 31), localNoon(2025, 4, 2), 1},
        {localNoon(2025, 4, 15), localNoon(2025, 7, 1), 10},
        {QDateTime(QDate(2025, 4, 1), QTime(0, 30), local).toUTC(), std::nullopt, 100},
        {localNoon(2025, 6, 30), std::nullopt, 1000},
        {localNoon(2024, 5, 1), std::nullopt, 10000},
    };
    for (const auto& invoice : invoices) {
        CommercialDocumentItem& d = s.invoice(u"F"_s, u"Payé"_s, {}, {serviceLine(invoice.amount)});
        d.issueDate = invoice.issue;
        d.encaissementDate = invoice.collected;
    }
    const struct {
        UrssafPeriod period;
        double bnc;
    } rows[] = {
        {{2025, 2, F::trimestrial}, 1101},  {{2025, 1, F::trimestrial}, 0},
        {{2025, 3, F::trimestrial}, 10},    {{2025, 4, F::monthly}, 101},
        {{2024, 2, F::trimestrial}, 10000}, {{2025, 5, F::trimestrial}, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(urssafInvoiceTurnover(s.db, row.period, UrssafLineCategory::ownType).bnc, row.bnc)
            << row.period.year << " " << row.period.index;
    }
}

// A line without a catalogue service is liberal for the pre-fill; the
// estimation goes by the type the line carries.
TEST(UrssafTurnover, LineWithoutServiceBncInPrefillOwnTypeInEstimation) {
    RecipeSession s;
    CommercialDocumentLine line = serviceLine(1234.5);
    line.prestationType = T::ventesMarchandises;
    const ServiceItem sale = serviceOf(T::ventesMarchandises);
    s.db.services = {sale};
    CommercialDocumentLine bicLine = linked(10, sale.id);
    bicLine.prestationType = T::prestationsCommercialesBIC;
    s.invoice(u"F-1"_s, u"Payé"_s, {}, {line, bicLine});
    EXPECT_EQ(urssafPrefill(s.db, kJune2025), (UrssafPrefill{u"10,00"_s, {}, u"1234,50"_s}));
    EXPECT_EQ(urssafInvoiceTurnover(s.db, kJune2025, UrssafLineCategory::ownType),
              (UrssafTurnover{1234.5, 10, 0, 0}));
}

} // namespace
