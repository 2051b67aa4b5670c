// The calendar's event list: which documents give dates, grouped activity
// dates, payments, subscriptions, URSSAF periods and repeated user events.

#include "core/calendar/CalendarEvents.h"
#include "core/accounting/RecipeBookFixture.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const QDateTime kNow = localNoon(2025, 6, 10);

QList<CalendarEventItem> ofCategory(const AppDatabase& db, CalendarEventCategory category) {
    QList<CalendarEventItem> kept;
    for (const CalendarEventItem& e : buildCalendarEvents(db, kNow)) {
        if (e.category == category)
            kept.append(e);
    }
    return kept;
}

QStringList titles(const QList<CalendarEventItem>& events) {
    QStringList list;
    for (const CalendarEventItem& e : events)
        list << e.title;
    return list;
}

TEST(CalendarEvents, InvoiceDueDatesSkipPaidCancelledAndTermless) {
    struct Case {
        QString status;
        qint64 dueDays;
        bool shown;
    };
    const QList<Case> cases = {
        {u"Brouillon"_s, 30, true},
        {u"Brouillon"_s, 0, false},
        {u"Payé"_s, 30, false},
        {u"Annulé"_s, 30, false},
    };
    for (const Case& c : cases) {
        RecipeSession s;
        // A new session has no cancelled status; users add it by name.
        s.db.invoiceStatuses = renamed(s.db.invoiceStatuses, u"Envoyé"_s, u"Annulé"_s);
        CommercialDocumentItem& d = s.invoice(u"F-1"_s, c.status, {}, {serviceLine(120)});
        d.dueDays = c.dueDays;
        const auto due = ofCategory(s.db, CalendarEventCategory::invoiceDue);
        ASSERT_EQ(due.size(), c.shown ? 1 : 0) << c.status.toStdString() << " " << c.dueDays;
        if (c.shown) {
            EXPECT_EQ(due[0].date, localNoon(2025, 7, 1));
            EXPECT_EQ(due[0].title, u"Échéance — F-1"_s);
            EXPECT_EQ(due[0].subtitle, u"Atelier Lumen"_s);
            EXPECT_EQ(due[0].amount, 120);
            EXPECT_EQ(due[0].linkedMenuKey, u"documents"_s);
        }
    }
}

TEST(CalendarEvents, PaidWithTrailingSpaceAndUnknownStatus) {
    RecipeSession s;
    s.db.invoiceStatuses = renamed(s.db.invoiceStatuses, u"Payé"_s, u"Payé "_s);
    s.invoice(u"F-1"_s, u"Payé "_s).dueDays = 30;
    CommercialDocumentItem& unknown = s.invoice(u"F-2"_s, u"Envoyé"_s);
    unknown.dueDays = 30;
    unknown.statusID = QUuid::createUuid();
    unknown.clientID = QUuid::createUuid();
    const auto due = ofCategory(s.db, CalendarEventCategory::invoiceDue);
    ASSERT_EQ(titles(due), QStringList{u"Échéance — F-2"_s});
    EXPECT_EQ(due[0].subtitle, u"Client non renseigné"_s);
}

TEST(CalendarEvents, QuoteExpiryLeavesSettledAndConvertedQuotes) {
    RecipeSession s;
    const auto quote = [&](const QString& number, const QString& status) -> QUuid {
        CommercialDocumentItem d = document(CommercialDocumentKind::quote, number);
        d.statusID = statusNamed(s.db.quoteStatuses, status);
        d.validityDate = localNoon(2025, 7, 1);
        s.db.documents.append(d);
        return d.id;
    };
    quote(u"D-1"_s, u"Envoyé"_s);
    quote(u"D-2"_s, u"Brouillon"_s);
    quote(u"D-3"_s, u"Validé"_s);
    const QUuid converted = quote(u"D-4"_s, u"Envoyé"_s);
    s.invoice(u"F-1"_s, u"Envoyé"_s).linkedQuoteID = converted;
    EXPECT_EQ(titles(ofCategory(s.db, CalendarEventCategory::quoteExpiry)),
              QStringList{u"Expiration devis — D-1"_s});
}

ProjectItem activity(const QString& title, const QList<QDateTime>& dates) {
    ProjectItem p;
    p.id = QUuid::createUuid();
    p.title = title;
    p.status = u"En cours"_s;
    for (const QDateTime& date : dates)
        p.events.append({.id = QUuid::createUuid(),
                         .name = u"Séance "_s + date.toString(u"d"_s),
                         .date = date,
                         .location = u"Lyon"_s,
                         .duration = u"1h30"_s});
    return p;
}

TEST(CalendarEvents, ActivityDatesGroupWhenSeveral) {
    AppDatabase db;
    db.projects = {activity(u"Trois"_s, {localNoon(2025, 6, 20), localNoon(2025, 6, 12),
                                         localNoon(2025, 6, 15)}),
                   activity(u"Une"_s, {localNoon(2025, 6, 14)})};
    const auto items = ofCategory(db, CalendarEventCategory::projectEvent);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].title, u"Trois"_s);
    EXPECT_EQ(items[0].subtitle, u"3 événements"_s);
    EXPECT_EQ(items[0].date, localNoon(2025, 6, 12));
    ASSERT_EQ(items[0].subEvents.size(), 3);
    EXPECT_EQ(items[0].subEvents[2].date, localNoon(2025, 6, 20));
    EXPECT_EQ(items[1].title, u"Séance 14"_s);
    EXPECT_EQ(items[1].subtitle, u"Une"_s);
    EXPECT_EQ(items[1].location, u"Lyon"_s);
    EXPECT_EQ(items[1].durationString, u"1h30"_s);
    EXPECT_TRUE(items[1].subEvents.isEmpty());
}

TEST(CalendarEvents, StartedActivityCarriesItsDatesAndEnd) {
    AppDatabase db;
    ProjectItem p = activity(u"Atelier"_s, {localNoon(2025, 6, 12), localNoon(2025, 6, 13)});
    p.startDate = localNoon(2025, 6, 11);
    p.endDate = localNoon(2025, 6, 30);
    db.projects = {p};
    EXPECT_EQ(titles(buildCalendarEvents(db, kNow)),
              (QStringList{u"Atelier"_s, u"Fin — Atelier"_s}));
    EXPECT_EQ(ofCategory(db, CalendarEventCategory::projectStart)[0].subEvents.size(), 2);
}

TEST(CalendarEvents, PaymentsPerEntryElseAtEncaissementDate) {
    RecipeSession s;
    CommercialDocumentItem& two =
        s.invoice(u"F-1"_s, u"Payé"_s,
                  {paidOn(40, localNoon(2025, 6, 3)), paidOn(60, localNoon(2025, 6, 5))});
    two.encaissementDate = localNoon(2025, 6, 9);
    s.invoice(u"F-2"_s, u"Payé"_s, {}, {serviceLine(80)}).encaissementDate = localNoon(2025, 6, 4);
    s.invoice(u"F-3"_s, u"Envoyé"_s).encaissementDate = localNoon(2025, 6, 4);
    const auto paid = ofCategory(s.db, CalendarEventCategory::encaissement);
    ASSERT_EQ(paid.size(), 3);
    const QList<std::pair<QDateTime, double>> expected = {
        {localNoon(2025, 6, 3), 40}, {localNoon(2025, 6, 4), 80}, {localNoon(2025, 6, 5), 60}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(paid[i].date, expected[i].first);
        EXPECT_EQ(paid[i].amount, expected[i].second);
    }
    EXPECT_EQ(paid[0].title, u"Encaissement — F-1"_s);
}

TEST(CalendarEvents, SubscriptionDebitsWithinWindow) {
    AppDatabase db;
    RecurringPurchase sub;
    sub.id = QUuid::createUuid();
    sub.name = u"Hébergement"_s;
    sub.amount = 12;
    sub.frequency = RecurringFrequency::yearly;
    sub.startDate = localNoon(2020, 6, 1);
    sub.exceptionalDates = {{.id = QUuid::createUuid(),
                             .periodStart = localNoon(2026, 6, 1),
                             .replacementDate = localNoon(2026, 6, 8)}};
    db.recurringPurchases = {sub};
    RecurringPurchase off = sub;
    off.isActive = false;
    db.recurringPurchases.append(off);
    const auto debits = ofCategory(db, CalendarEventCategory::recurringPayment);
    // 2025 (within the last three months) to 2035: eleven yearly debits.
    ASSERT_EQ(debits.size(), 11);
    EXPECT_EQ(debits[0].date, localNoon(2025, 6, 1));
    EXPECT_EQ(debits[0].subtitle, u"Annuel"_s);
    EXPECT_EQ(debits[1].date, localNoon(2026, 6, 8));
    EXPECT_EQ(debits[1].subtitle, u"Annuel · Date exceptionnelle"_s);
    EXPECT_EQ(debits[0].amount, 12);
}

TEST(CalendarEvents, UrssafDueDatesAndPeriodLabels) {
    struct Case {
        URSSAFDeclarationFrequency frequency;
        qint64 periodIndex;
        QDate due;
        QString label;
    };
    const QList<Case> cases = {
        {URSSAFDeclarationFrequency::trimestrial, 2, {2025, 8, 1}, u"T2 2025"_s},
        {URSSAFDeclarationFrequency::trimestrial, 4, {2026, 2, 1}, u"T4 2025"_s},
        {URSSAFDeclarationFrequency::monthly, 12, {2026, 1, 1}, u"Déc 2025"_s},
        {URSSAFDeclarationFrequency::monthly, 2, {2025, 3, 1}, u"Fév 2025"_s},
    };
    for (const Case& c : cases) {
        AppDatabase db;
        URSSAFDeclaration d;
        d.year = 2025;
        d.periodIndex = c.periodIndex;
        d.frequency = c.frequency;
        d.cotisationAmount = 100;
        d.cfpAmount = 2;
        d.versementLiberatoireAmount = 3;
        URSSAFDeclaration paid = d;
        paid.isPaid = true;
        db.urssafDeclarations = {d, paid};
        const auto items = ofCategory(db, CalendarEventCategory::urssaf);
        ASSERT_EQ(items.size(), 1) << c.label.toStdString();
        EXPECT_EQ(items[0].date.toLocalTime().date(), c.due) << c.label.toStdString();
        EXPECT_EQ(items[0].subtitle, c.label);
        EXPECT_EQ(items[0].amount, 105);
    }
}

TEST(CalendarEvents, PurchaseTitles) {
    AppDatabase db;
    StockItem stock;
    stock.id = QUuid::createUuid();
    stock.title = u"Objectif 50 mm"_s;
    db.stockItems = {stock};
    AccountingPurchaseItem linked;
    linked.linkedStockID = stock.id;
    linked.customProductName = u"Ancien nom"_s;
    linked.purchaseDate = localNoon(2025, 6, 1);
    AccountingPurchaseItem gone = linked;
    gone.linkedStockID = QUuid::createUuid();
    gone.purchaseDate = localNoon(2025, 6, 2);
    AccountingPurchaseItem blank;
    blank.purchaseDate = localNoon(2025, 6, 3);
    db.accountingPurchases = {blank, gone, linked};
    EXPECT_EQ(titles(buildCalendarEvents(db, kNow)),
              (QStringList{u"Objectif 50 mm"_s, u"Ancien nom"_s, u"Dépense"_s}));
}

TEST(CalendarEvents, RepetitionOfUserEvents) {
    struct Case {
        std::optional<QString> recurrence;
        QDateTime start;
        qsizetype count;
        QDateTime last;
    };
    const QList<Case> cases = {
        {std::nullopt, localNoon(2025, 6, 1), 1, localNoon(2025, 6, 1)},
        {u"hourly"_s, localNoon(2025, 6, 1), 1, localNoon(2025, 6, 1)},
        {u"daily"_s, localNoon(2023, 6, 10), 500, localNoon(2024, 10, 21)},
        {u"weekly"_s, localNoon(2026, 5, 26), 3, localNoon(2026, 6, 9)},
        {u"monthly"_s, localNoon(2026, 1, 31), 5, localNoon(2026, 5, 31)},
        {u"yearly"_s, localNoon(2024, 6, 10), 3, localNoon(2026, 6, 10)},
    };
    for (const Case& c : cases) {
        CustomCalendarEvent event;
        event.date = c.start;
        event.recurrence = c.recurrence;
        const QList<QDateTime> dates = customEventOccurrences(event, kNow);
        ASSERT_EQ(dates.size(), c.count) << c.recurrence.value_or(u"-"_s).toStdString();
        EXPECT_EQ(dates.last(), c.last) << c.recurrence.value_or(u"-"_s).toStdString();
    }
}

TEST(CalendarEvents, UserEventsTakeTheirTagColour) {
    AppDatabase db;
    const CustomCalendarTag tag{QUuid::createUuid(), u"Perso"_s, u"#112233"_s};
    db.customCalendarTags = {tag};
    const auto event = [](const QString& title, std::optional<QUuid> tagID) {
        CustomCalendarEvent e;
        e.id = QUuid::createUuid();
        e.title = title;
        e.date = localNoon(2025, 6, 1);
        e.customTagID = tagID;
        e.location = u"Paris"_s;
        e.isAllDay = true;
        return e;
    };
    db.customCalendarEvents = {event(u"Tagué"_s, tag.id), event(u"Sans"_s, std::nullopt),
                               event(u"Perdu"_s, QUuid::createUuid())};
    const auto items = buildCalendarEvents(db, kNow);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].customTagHex, u"#112233"_s);
    EXPECT_EQ(items[1].customTagHex, u"#8E8E93"_s);
    EXPECT_EQ(items[2].customTagHex, u"#8E8E93"_s);
    EXPECT_EQ(items[0].linkedMenuKey, u"custom"_s);
    EXPECT_EQ(items[0].category, CalendarEventCategory::projectEvent);
    EXPECT_EQ(items[0].customEventID, db.customCalendarEvents[0].id);
    EXPECT_TRUE(items[0].isAllDay);
    EXPECT_EQ(items[0].location, u"Paris"_s);
}

} // namespace
