// The one parser of amounts typed by the user.

#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace velmora {
namespace {

std::optional<double> parse(const char16_t* text) {
    return parseAmount(QString::fromUtf16(text));
}

TEST(AmountParsingTest, DecimalCommaOrPoint) {
    EXPECT_EQ(parse(u"12,5"), 12.5);
    EXPECT_EQ(parse(u"12.5"), 12.5);
    EXPECT_EQ(parse(u"0,1"), 0.1);
    EXPECT_EQ(parse(u"1234,56"), 1234.56);
    EXPECT_EQ(parse(u"-0,5"), -0.5);
    EXPECT_EQ(parse(u"+3"), 3.0);
    EXPECT_EQ(parse(u"3"), 3.0);
    EXPECT_EQ(parse(u",5"), 0.5);
    EXPECT_EQ(parse(u".5"), 0.5);
    EXPECT_EQ(parse(u"5."), 5.0);
    EXPECT_EQ(parse(u"5,"), 5.0);
    EXPECT_EQ(parse(u"007,50"), 7.5);
    EXPECT_EQ(parse(u"-3.25e2"), -325.0);
    EXPECT_EQ(parse(u"1E3"), 1000.0);
    EXPECT_EQ(parse(u"2,5e-1"), 0.25);
}

TEST(AmountParsingTest, SurroundingWhiteSpaceIsIgnored) {
    EXPECT_EQ(parse(u"  12,5  "), 12.5);
    EXPECT_EQ(parse(u"\t12,5\n"), 12.5);
    EXPECT_EQ(parse(u"\u00A012,5\u2003"), 12.5);
    EXPECT_EQ(parse(u"\r\n-4\r\n"), -4.0);
}

TEST(AmountParsingTest, RefusesWhatIsNotACompleteFiniteNumber) {
    for (const char16_t* text :
         {u"",      u" ",        u"\t\n",  u"€12",    u"€",     u"nan",   u"NaN",   u"inf",
          u"-inf",  u"infinity", u"1e999", u"-1e999", u"0x10",  u"1,2,3", u"1.2.3", u"1,2.3",
          u"1_000", u"+",        u"-",     u".",      u",",     u"+-3",   u"--3",   u"3-",
          u"e3",    u"3e",       u"3e+",   u"3e1.5",  u"12abc", u"abc",
          u"١٢",   // Arabic-Indic digits
          u"１２", // full-width digits
          u"½"}) {
        EXPECT_FALSE(parse(text).has_value()) << QString::fromUtf16(text).toStdString();
    }
    EXPECT_FALSE(parseAmount(QStringLiteral("12") + QChar(0)).has_value());
    EXPECT_FALSE(parseAmount(QChar(0) + QStringLiteral("12")).has_value());
}

// What the program prints reads back; digit groups and the euro sign are
// taken only where the French money format puts them.
TEST(AmountParsingTest, ReadsGroupedDigitsAndTheEuroSign) {
    const struct {
        const char16_t* text;
        std::optional<double> amount;
    } cases[] = {
        {u"1 450,00", 1450.0},
        {u"1\u00A0450,00", 1450.0},
        {u"1\u202F450,00", 1450.0},
        {u"12 345 678,9", 12345678.9},
        {u"1 450.5", 1450.5},
        {u"-1 450,00", -1450.0},
        {u"\u22121\u202F450,00\u00A0€", -1450.0},
        {u"1 450,00 €", 1450.0},
        {u"1\u202F450,00\u00A0€", 1450.0},
        {u"12,5€", 12.5},
        {u"  450 €  ", 450.0},
        {u"145,50", 145.5},
        {u"1 45,00", std::nullopt},
        {u"1 4500,00", std::nullopt},
        {u"1450 000", std::nullopt},
        {u" 450", 450.0},
        {u"1  450", std::nullopt},
        {u"1 450 ", 1450.0},
        {u"1 ,5", std::nullopt},
        {u"1,450 000", std::nullopt},
        {u"12,5,0", std::nullopt},
        {u"12,5 €€", std::nullopt},
        {u"12,5  €", std::nullopt},
        {u"€ 12,5", std::nullopt},
        {u"12 € 5", std::nullopt},
        {u"- 3", std::nullopt},
        {u"1\t450", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.text), c.amount) << QString::fromUtf16(c.text).toStdString();
    for (const double amount : {0.0, 7.5, 1450.0, 1234567.89})
        EXPECT_EQ(parseAmount(formatMoney(amount)), amount) << formatMoney(amount).toStdString();
}

TEST(AmountParsingTest, LargeAndTinyButFinite) {
    EXPECT_EQ(parse(u"1e308"), 1e308);
    EXPECT_EQ(parse(u"123456789012345678901234567890"), 123456789012345678901234567890.0);
    const auto tiny = parse(u"0,000001");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 1e-6);
    const auto zero = parse(u"-0");
    ASSERT_TRUE(zero.has_value());
    EXPECT_EQ(*zero, 0.0);
    for (const char16_t* text : {u"1e308", u"-1,5e300", u"99999999999999999999"})
        EXPECT_TRUE(std::isfinite(parse(text).value_or(NAN)))
            << QString::fromUtf16(text).toStdString();
}

} // namespace
} // namespace velmora
