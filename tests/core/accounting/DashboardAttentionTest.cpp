// What the dashboard asks the user to look at: late and near invoices and
// quotes, the week's debits and the products out of stock.

#include "core/accounting/DashboardAttention.h"

#include "RecipeBookFixture.h"
#include "core/text/MoneyFormat.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

const QDateTime now = localNoon(2025, 6, 10);

struct Shown {
    AttentionGroup group;
    QStringList lines; // title, then detail, of each row
    int hidden = 0;
};

QList<Shown> shown(const AppDatabase& db) {
    QList<Shown> list;
    for (const AttentionSection& section : dashboardAttention(db, now)) {
        Shown s{section.group, {}, section.hiddenCount};
        for (const AttentionRow& row : section.rows)
            s.lines << row.title << row.detail;
        list << s;
    }
    return list;
}

RecurringPurchase subscription(const QString& name, int debitDay, bool active = true) {
    RecurringPurchase s;
    s.id = QUuid::createUuid();
    s.name = name;
    s.amount = 12.5;
    s.startDate = localNoon(2025, 1, 1);
    s.debitDay = debitDay;
    s.isActive = active;
    return s;
}

TEST(DashboardAttention, GroupsInOrderWithTheirMostPressingRowsFirst) {
    RecipeSession s;
    CommercialDocumentItem& lateByTen = s.invoice(u"F-1"_s, u"Envoyé"_s, {paidOn(40, now)});
    lateByTen.issueDate = localNoon(2025, 5, 1);
    lateByTen.dueDays = 30;
    const QUuid lateByTenID = lateByTen.id;
    s.invoice(u"F-2"_s, u"Envoyé"_s).dueDays = 8; // due 9 June: one day late
    s.invoice(u"F-3"_s, u"Envoyé"_s).dueDays = 12;
    s.invoice(u"F-4"_s, u"Payé"_s).dueDays = 3;      // paid: nothing awaited
    s.invoice(u"F-5"_s, u"Brouillon"_s).dueDays = 3; // not issued
    s.invoice(u"F-6"_s, u"Envoyé"_s).dueDays = 30;   // beyond the week
    CommercialDocumentItem quote = s.db.documents.last();
    auto addQuote = [&](const QString& number, const QString& status, int validityDay) {
        quote.id = QUuid::createUuid();
        quote.kind = CommercialDocumentKind::quote;
        quote.number = number;
        quote.statusID = statusNamed(s.db.quoteStatuses, status);
        quote.validityDate = localNoon(2025, 6, validityDay);
        s.db.documents << quote;
    };
    addQuote(u"D-1"_s, u"Envoyé"_s, 12);
    addQuote(u"D-2"_s, u"Validé"_s, 11); // answered
    // Cancelled with its activity: nothing to chase.
    ProjectItem cancelled;
    cancelled.id = QUuid::createUuid();
    cancelled.isCancelled = true;
    s.db.projects = {cancelled};
    s.invoice(u"F-7"_s, u"Envoyé"_s).dueDays = 2;
    s.db.documents.last().linkedProjectIDs = {cancelled.id};

    s.db.recurringPurchases = {subscription(u"Hébergement"_s, 15), subscription(u"Logiciel"_s, 20),
                               subscription(u"Ancien forfait"_s, 12, false)};
    StockItem screws, staples, paper;
    screws.title = u"Vis"_s;
    screws.quantity = 0;
    staples.title = u"Agrafes"_s; // never counted
    paper.title = u"Papier"_s;
    paper.quantity = 5;
    s.db.stockItems = {screws, staples, paper};

    const QList<Shown> groups = shown(s.db);
    ASSERT_EQ(groups.size(), 4);
    EXPECT_EQ(groups[0].group, AttentionGroup::lateInvoices);
    EXPECT_EQ(groups[0].lines, (QStringList{u"Facture F-1 · Atelier Lumen"_s,
                                            u"En retard de 10 jours · "_s + formatMoney(60),
                                            u"Facture F-2 · Atelier Lumen"_s,
                                            u"En retard de 1 jour · "_s + formatMoney(100)}));
    EXPECT_EQ(groups[1].group, AttentionGroup::dueSoon);
    EXPECT_EQ(groups[1].lines,
              (QStringList{u"Devis D-1 · Atelier Lumen"_s,
                           u"Devis valable jusqu’au 12 juin 2025 · "_s + formatMoney(100),
                           u"Facture F-3 · Atelier Lumen"_s,
                           u"Échéance le 13 juin 2025 · "_s + formatMoney(100)}));
    EXPECT_EQ(groups[2].group, AttentionGroup::debits);
    EXPECT_EQ(groups[2].lines, (QStringList{u"Hébergement"_s, u"Prélèvement le 15 juin 2025 · "_s +
                                                                  formatMoney(12.5)}));
    EXPECT_EQ(groups[3].group, AttentionGroup::stockOut);
    EXPECT_EQ(groups[3].lines, (QStringList{u"Agrafes"_s, u"En rupture · Quantité\u00a0: 0"_s,
                                            u"Vis"_s, u"En rupture · Quantité\u00a0: 0"_s}));

    const AttentionRow& first = dashboardAttention(s.db, now)[0].rows[0];
    EXPECT_EQ(first.sectionKey, u"documents"_s);
    EXPECT_EQ(first.id, lateByTenID);
}

TEST(DashboardAttention, LongGroupsShowTheirFirstRowsAndCountTheRest) {
    RecipeSession s;
    for (int i = 1; i <= kAttentionRowsPerGroup + 2; ++i)
        s.invoice(u"F-%1"_s.arg(i), u"Envoyé"_s).dueDays = i; // the last one, the least late
    const QList<AttentionSection> sections = dashboardAttention(s.db, now);
    ASSERT_EQ(sections.size(), 1);
    EXPECT_EQ(sections[0].rows.size(), kAttentionRowsPerGroup);
    EXPECT_EQ(sections[0].rows[0].title, u"Facture F-1 · Atelier Lumen"_s);
    EXPECT_EQ(sections[0].hiddenCount, 2);
    EXPECT_TRUE(dashboardAttention(RecipeSession().db, now).isEmpty());
}

TEST(DashboardAttention, PluralsAreWrittenOut) {
    EXPECT_EQ(lateDaysText(1), u"En retard de 1 jour"_s);
    EXPECT_EQ(lateDaysText(2), u"En retard de 2 jours"_s);
    EXPECT_EQ(moreAttentionText(1), u"et 1 autre"_s);
    EXPECT_EQ(moreAttentionText(3), u"et 3 autres"_s);
}

} // namespace
