// The rows of a page's totals block and the number formats of the page.

#include "DocumentsFixture.h"

#include "core/documents/DocumentPageContent.h"
#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

QStringList totalRows(const QList<CommercialDocumentLine>& lines, bool cancelled = false) {
    DocumentParties parties;
    parties.inCancelledActivity = cancelled;
    const DocumentPageContent page = DocumentPageContent::of(
        document(CommercialDocumentKind::invoice, u"F-1"_s, lines), parties);
    QStringList rows;
    for (const DocumentPageContent::Total& total : page.totals)
        rows << total.label + u" = "_s + total.amount +
                    (total.struckThrough ? u" (barré)"_s : QString());
    return rows;
}

TEST(DocumentPageContent, TotalsRowsWithAndWithoutVat) {
    using K = CommercialDocumentLineKind;
    CommercialDocumentLine offered = serviceLine(50, 1, 20);
    offered.isOffered = true;
    const QString e = u"\u00a0€"_s;
    struct Case {
        const char* name;
        QList<CommercialDocumentLine> lines;
        bool cancelled;
        QStringList rows;
    };
    const QList<Case> cases{
        {"no VAT, zero rows hidden",
         {serviceLine(100, 2)},
         false,
         {"Total HT = 200,00" + e, "Total TTC = 200,00" + e}},
        {"no VAT, every row",
         {serviceLine(100, 2), offered, otherLine(K::discount, 10), otherLine(K::deposit, 50)},
         true,
         {"Total HT = 260,00" + e, "Remise = \u2212 60,00" + e,
          "Remise commerciale = \u2212 10,00" + e, "Acompte = \u2212 50,00" + e,
          "Total TTC = 140,00" + e + " (barré)"}},
        {"VAT broken down",
         {serviceLine(100, 2, 20), offered, otherLine(K::discount, 10), otherLine(K::deposit, 50)},
         false,
         {"Total HT = 250,00" + e, "Remise = \u2212 50,00" + e, "Sous-total HT = 200,00" + e,
          "TVA = 40,00" + e, "Remise commerciale = \u2212 10,00" + e,
          "Acompte TTC = \u2212 50,00" + e, "Total TTC = 180,00" + e}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(totalRows(c.lines, c.cancelled), c.rows) << c.name;
}

TEST(DocumentPageContent, QuantitiesAndRatesInFrenchDecimals) {
    const QList<std::pair<double, const char16_t*>> cases{
        {100, u"100"}, {2.5, u"2,5"},   {0.75, u"0,75"},          {12.5, u"12,5"},
        {1, u"1"},     {0.999, u"1"},   {-0.001, u"0"},           {1.0 / 3, u"0,33"},
        {0, u"0"},     {-2.5, u"-2,5"}, {1234.5, u"1\u202f234,5"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatQuantity(value), QString::fromUtf16(text)) << value;
    EXPECT_EQ(formatPercent(5.5), u"5,5\u00a0%");
}

} // namespace
