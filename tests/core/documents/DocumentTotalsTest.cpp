// Lines, totals, numbering and the shared money and name texts.

#include "DocumentsFixture.h"

#include "core/documents/DocumentLines.h"
#include "core/documents/DocumentNumbering.h"
#include "core/documents/DocumentTotals.h"
#include "core/stock/ServiceForm.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/MoneyFormat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr double kExact = 1e-9;

CommercialDocumentItem withLines(QList<CommercialDocumentLine> lines,
                                 QList<Encaissement> payments = {}) {
    CommercialDocumentItem d =
        document(CommercialDocumentKind::invoice, u"F-1"_s, std::move(lines));
    d.encaissements = std::move(payments);
    return d;
}

CommercialDocumentLine reducedLine() {
    CommercialDocumentLine line = serviceLine(100, 2, 20);
    line.lineDiscountEnabled = true;
    line.lineDiscountIsPercent = true;
    line.lineDiscountValue = 10;
    return line;
}

TEST(DocumentTotals, LineReductionGivesHt180Tva36Ttc216) {
    const QList<CommercialDocumentLine> lines{reducedLine()};
    EXPECT_DOUBLE_EQ(lineNetAmount(lines.first()), 180);
    EXPECT_DOUBLE_EQ(servicesTotalHT(lines), 180);
    EXPECT_DOUBLE_EQ(servicesTotalTVA(lines), 36);
    EXPECT_DOUBLE_EQ(servicesTotalTTC(lines), 216);
    EXPECT_DOUBLE_EQ(grossServicesTTC(lines), 216);
    EXPECT_DOUBLE_EQ(offeredTotalTTC(lines), 0);

    const LineFigures figures = lineFigures(lines.first());
    EXPECT_DOUBLE_EQ(figures.ht, 100) << "HT shows the unit price";
    EXPECT_DOUBLE_EQ(figures.tva, 36);
    EXPECT_DOUBLE_EQ(figures.ttc, 216);
    EXPECT_EQ(lineFigureTexts(lines.first()),
              (QStringList{u"HT : "_s + formatMoney(100), u"TVA : "_s + formatMoney(36),
                           u"TTC : "_s + formatMoney(216)}));
}

TEST(DocumentTotals, ReductionIsClampedAndOnlyAppliedWhenEnabledAndPositive) {
    CommercialDocumentLine line = serviceLine(30, 3);
    line.lineDiscountEnabled = true;
    line.lineDiscountValue = 45;
    EXPECT_DOUBLE_EQ(effectiveUnitPrice(line), 0) << "not negative";
    EXPECT_DOUBLE_EQ(lineNetAmount(line), 0);
    line.lineDiscountValue = 5;
    EXPECT_DOUBLE_EQ(lineNetAmount(line), 75);
    line.lineDiscountValue = -5;
    EXPECT_DOUBLE_EQ(lineNetAmount(line), 90) << "a negative reduction is ignored";
    line.lineDiscountValue = 5;
    line.lineDiscountEnabled = false;
    EXPECT_DOUBLE_EQ(lineNetAmount(line), 90);
    line.lineDiscountEnabled = true;
    line.lineDiscountIsPercent = true;
    line.lineDiscountValue = 150;
    EXPECT_DOUBLE_EQ(lineNetAmount(line), 0);
}

TEST(DocumentTotals, OfferedLinesCountOnlyInOfferedAndGross) {
    CommercialDocumentLine offered = serviceLine(50, 1, 20);
    offered.isOffered = true;
    const QList<CommercialDocumentLine> lines{serviceLine(100, 1, 20), offered};
    EXPECT_DOUBLE_EQ(lineNetAmount(offered), 50) << "its own value is still shown";
    EXPECT_DOUBLE_EQ(servicesTotalHT(lines), 100);
    EXPECT_DOUBLE_EQ(servicesTotalTVA(lines), 20);
    EXPECT_DOUBLE_EQ(servicesTotalTTC(lines), 120);
    EXPECT_DOUBLE_EQ(offeredTotalTTC(lines), 60);
    EXPECT_DOUBLE_EQ(grossServicesTTC(lines), 180);
    EXPECT_DOUBLE_EQ(netDue(withLines(lines)), 120);
}

TEST(DocumentTotals, DiscountsApplyToAmountsTaxIncluded) {
    const CommercialDocumentLine service = reducedLine();
    CommercialDocumentLine offered = serviceLine(40, 1, 20);
    offered.isOffered = true;

    const CommercialDocumentLine unlinked =
        otherLine(CommercialDocumentLineKind::discount, 10, true);
    EXPECT_NEAR(discountTotal({service, unlinked}), 21.6, kExact);
    EXPECT_NEAR(netDue(withLines({service, unlinked})), 194.4, kExact);

    CommercialDocumentLine toOffered = unlinked;
    toOffered.discountLinkedLineID = offered.id;
    EXPECT_DOUBLE_EQ(discountTotal({service, offered, toOffered}), 0);

    CommercialDocumentLine toService = unlinked;
    toService.discountLinkedLineID = service.id;
    const CommercialDocumentLine second = serviceLine(1000);
    EXPECT_NEAR(discountTotal({service, second, toService}), 21.6, kExact)
        << "only the linked line's TTC is the base";

    CommercialDocumentLine toMissing = unlinked;
    toMissing.discountLinkedLineID = QUuid::createUuid();
    EXPECT_NEAR(discountTotal({service, toMissing}), 21.6, kExact);
    const CommercialDocumentLine deposit = otherLine(CommercialDocumentLineKind::deposit, 50);
    CommercialDocumentLine toDeposit = unlinked;
    toDeposit.discountLinkedLineID = deposit.id;
    EXPECT_NEAR(discountTotal({service, deposit, toDeposit}), 21.6, kExact)
        << "a link to a line that is not a service falls back to all services";

    const CommercialDocumentLine fixed = otherLine(CommercialDocumentLineKind::discount, 15);
    EXPECT_NEAR(discountTotal({service, unlinked, fixed}), 36.6, kExact);
}

TEST(DocumentTotals, DiscountBeyondServicesClampsDueAndIsNeverPaid) {
    const CommercialDocumentItem d =
        withLines({reducedLine(), otherLine(CommercialDocumentLineKind::discount, 500)},
                  {payment(10), payment(1000)});
    EXPECT_DOUBLE_EQ(discountTotal(d.lines), 500) << "not capped";
    EXPECT_DOUBLE_EQ(netDue(d), 0);
    EXPECT_DOUBLE_EQ(remainingDue(d), 0);
    EXPECT_FALSE(isFullyPaid(d));
    EXPECT_FALSE(isFullyPaid(withLines({})));
}

TEST(DocumentTotals, OneCentToleranceBothWays) {
    const QList<CommercialDocumentLine> lines{serviceLine(1000),
                                              otherLine(CommercialDocumentLineKind::deposit, 300)};
    EXPECT_DOUBLE_EQ(depositTotal(lines), 300);
    EXPECT_DOUBLE_EQ(netDue(withLines(lines)), 700);

    const CommercialDocumentItem within = withLines(lines, {payment(400), payment(299.995)});
    EXPECT_NEAR(remainingDue(within), 0.005, 1e-6);
    EXPECT_TRUE(isFullyPaid(within));

    const CommercialDocumentItem short1 = withLines(lines, {payment(699.985)});
    EXPECT_FALSE(isFullyPaid(short1)) << "1,5 cent short";

    const CommercialDocumentItem over = withLines(lines, {payment(800)});
    EXPECT_DOUBLE_EQ(remainingDue(over), 0) << "clamped";
    EXPECT_TRUE(isFullyPaid(over));

    Encaissement refunded = payment(700);
    refunded.isRefunded = true;
    EXPECT_TRUE(isFullyPaid(withLines(lines, {refunded}))) << "refunded payments still count";
}

// 1 000 € of services; a deposit payment first covers the deposit lines,
// which the net due already deducts, and only its excess counts.
TEST(DocumentTotals, DepositPaymentsFirstCoverTheDepositLines) {
    struct Case {
        const char* name;
        double depositLine; // 0: no deposit line
        QList<Encaissement> payments;
        double remaining;
        bool fullyPaid;
    };
    const QList<Case> cases{
        {"deposit payment equal to the lines", 300, {payment(300, true)}, 700, false},
        {"then the real balance", 300, {payment(300, true), payment(700)}, 0, true},
        {"deposit payment below the lines", 300, {payment(200, true)}, 700, false},
        {"deposit payment above the lines", 300, {payment(400, true)}, 600, false},
        {"excess and balance", 300, {payment(400, true), payment(599.995)}, 0.005, true},
        {"no deposit line: counted in full", 0, {payment(300, true)}, 700, false},
        {"no deposit line, settled", 0, {payment(300, true), payment(700)}, 0, true},
    };
    for (const Case& c : cases) {
        QList<CommercialDocumentLine> lines{serviceLine(1000)};
        if (c.depositLine > 0)
            lines.append(otherLine(CommercialDocumentLineKind::deposit, c.depositLine));
        const CommercialDocumentItem d = withLines(lines, c.payments);
        EXPECT_NEAR(remainingDue(d), c.remaining, 1e-6) << c.name;
        EXPECT_EQ(isFullyPaid(d), c.fullyPaid) << c.name;
    }
}

TEST(DocumentLines, NewLinesAndEditorButtons) {
    const CommercialDocumentLine a = newLine(CommercialDocumentLineKind::deposit);
    const CommercialDocumentLine b = newLine(CommercialDocumentLineKind::deposit);
    EXPECT_FALSE(a.id.isNull());
    EXPECT_NE(a.id, b.id);
    CommercialDocumentLine expected;
    expected.id = a.id;
    expected.kind = CommercialDocumentLineKind::deposit;
    EXPECT_EQ(a, expected);
    EXPECT_DOUBLE_EQ(a.quantity, 1);
    EXPECT_EQ(a.prestationType, ServicePrestationType::prestationsLiberalesBNC);

    QList<CommercialDocumentLine> lines;
    EXPECT_FALSE(LineEditor::canAddDiscount(lines));
    EXPECT_EQ(LineEditor::addDiscountHint(lines), u"Ajoutez d’abord une prestation");
    EXPECT_FALSE(LineEditor::append(lines, CommercialDocumentLineKind::discount));
    EXPECT_TRUE(lines.isEmpty());
    ASSERT_TRUE(LineEditor::append(lines, CommercialDocumentLineKind::deposit));
    EXPECT_FALSE(LineEditor::canAddDiscount(lines)) << "a deposit is no service";
    const auto service = LineEditor::append(lines, CommercialDocumentLineKind::service);
    ASSERT_TRUE(service);
    EXPECT_EQ(LineEditor::addDiscountHint(lines), u"Ajouter une remise");
    const auto discount = LineEditor::append(lines, CommercialDocumentLineKind::discount);
    ASSERT_TRUE(discount);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].id, *service);
    EXPECT_EQ(lines[2].id, *discount) << "appended at the end";
    EXPECT_EQ(lines[2].title, u"Remise");
    EXPECT_FALSE(lines[2].discountLinkedLineID);
    EXPECT_TRUE(lines[1].title.isEmpty());
}

TEST(DocumentLines, FillFromCatalogueKeepsAnExistingPrice) {
    ServiceItem service;
    service.id = QUuid::createUuid();
    service.title = u"Séance photo"_s;
    service.description = u"Deux heures en studio"_s;
    service.priceTTC = u"95,50"_s;
    service.prestationType = ServicePrestationType::ventesMarchandises;

    CommercialDocumentLine priced = serviceLine(80, 2, 20);
    ASSERT_TRUE(fillLineFromService(priced, service).ok());
    EXPECT_DOUBLE_EQ(priced.priceTTC, 80);
    EXPECT_EQ(priced.linkedServiceID, service.id);
    EXPECT_EQ(priced.title, service.title);
    EXPECT_EQ(priced.details, service.description);
    EXPECT_EQ(priced.prestationType, ServicePrestationType::ventesMarchandises);
    EXPECT_DOUBLE_EQ(priced.quantity, 2);
    EXPECT_DOUBLE_EQ(priced.tvaRate, 20);

    CommercialDocumentLine blank = newLine(CommercialDocumentLineKind::service);
    ASSERT_TRUE(fillLineFromService(blank, service).ok());
    EXPECT_DOUBLE_EQ(blank.priceTTC, 95.5);

    // An unreadable price is refused rather than taken as 0, the line left
    // untouched; an empty one leaves the line to be priced in the document.
    for (const QString& bad : {u"95,50 EUR"_s, u"nan"_s, u"inf"_s}) {
        service.priceTTC = bad;
        const CommercialDocumentLine before = newLine(CommercialDocumentLineKind::service);
        CommercialDocumentLine line = before;
        EXPECT_EQ(fillLineFromService(line, service).error(), servicePriceWarning(service));
        EXPECT_EQ(line, before);
        ASSERT_TRUE(fillLineFromService(priced, service).ok()) << "priced lines need no price";
    }
    service.priceTTC.clear();
    ASSERT_TRUE(fillLineFromService(blank = {}, service).ok());
    EXPECT_EQ(blank.title, service.title);
}

QList<CommercialDocumentItem> numbered(CommercialDocumentKind kind, const QStringList& numbers) {
    QList<CommercialDocumentItem> documents;
    for (const QString& n : numbers)
        documents.append(document(kind, n));
    return documents;
}

TEST(DocumentNumbering, NextNumberFollowsTheLargestOfItsKind) {
    using K = CommercialDocumentKind;
    const QString largest = u"D-2025-%1"_s.arg(std::numeric_limits<qint64>::max());
    const QStringList example{"F-2024-012", "F-2025-003", "F-2025-010", "2025-99", "F-2025"};
    struct Case {
        const char* name;
        K kind, listed;
        QStringList numbers;
        QString next;
    };
    const QList<Case> cases{
        {"example set, malformed numbers ignored", K::invoice, K::invoice, example, "F-2025-011"},
        {"only numbers of the same kind count", K::quote, K::invoice, example, "D-2025-001"},
        {"malformed",
         K::quote,
         K::quote,
         {"D-2030-abc", "D-2031-1-2", "F-2032-5", "d-2033-4", "D-x-9"},
         "D-2025-001"},
        {"an older year goes on", K::invoice, K::invoice, {"F-2024-012"}, "F-2024-013"},
        {"padded, empty pieces dropped",
         K::quote,
         K::quote,
         {"D-2025-6", "D--2025--2"},
         "D-2025-007"},
        {"past three digits", K::quote, K::quote, {"D-2025-1233"}, "D-2025-1234"},
        {"no wrap to a negative sequence", K::quote, K::quote, {largest}, largest},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextDocumentNumber(c.kind, numbered(c.listed, c.numbers), QDate(2025, 6, 10)),
                  c.next)
            << c.name;
    EXPECT_EQ(nextDocumentNumber(K::invoice, {}, QDate(2026, 1, 1)), u"F-2026-001");
}

TEST(ClientDisplayName, CompaniesAndPrivateClients) {
    ClientItem client;
    client.kind = ClientKind::professionnel;
    client.company = u"  Atelier Lumen \n"_s;
    client.lastName = u"Ignored"_s;
    EXPECT_EQ(clientDisplayName(client), u"Atelier Lumen");
    client.company = u" \t "_s;
    EXPECT_EQ(clientDisplayName(client), u"Entreprise sans nom");

    client.kind = ClientKind::particulier;
    client.firstName = u" Léa "_s;
    client.lastName = u" Dupré "_s;
    EXPECT_EQ(clientDisplayName(client), u"DUPRÉ Léa");
    client.lastName.clear();
    EXPECT_EQ(clientDisplayName(client), u"Léa");
    client.firstName = u"\u00a0"_s;
    client.lastName = u"martin"_s;
    EXPECT_EQ(clientDisplayName(client), u"MARTIN");
    client.lastName.clear();
    EXPECT_EQ(clientDisplayName(client), u"Client sans nom");
}

TEST(MoneyFormat, FrenchEuroFormatRoundedToCents) {
    EXPECT_EQ(formatMoney(1234.5), u"1\u202f234,50\u00a0€");
    EXPECT_EQ(formatMoney(21.6), u"21,60\u00a0€");
    EXPECT_EQ(formatMoney(0.005 - 0.001), u"0,00\u00a0€");
    EXPECT_EQ(formatMoney(-0.001), u"0,00\u00a0€") << "no minus zero";
    EXPECT_EQ(formatMoney(-2649), u"-2\u202f649,00\u00a0€") << "a sign, not parentheses";
    EXPECT_EQ(formatMoney(1000000), u"1\u202f000\u202f000,00\u00a0€");
    EXPECT_EQ(formatMoney(std::numeric_limits<double>::quiet_NaN()), u"0,00\u00a0€");
}

} // namespace
