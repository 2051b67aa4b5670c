// The one parser of amounts typed by the user.

#include "core/text/AmountParsing.h"

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
         {u"",      u" ",     u"\t\n",  u"12,5 €",   u"12,5€",         u"€12",    u"nan",
          u"NaN",   u"inf",   u"-inf",  u"infinity", u"1e999",         u"-1e999", u"0x10",
          u"1,2,3", u"1.2.3", u"1,2.3", u"1 234,50", u"1\u00A0234,50", u"1_000",  u"+",
          u"-",     u".",     u",",     u"+-3",      u"--3",           u"3-",     u"e3",
          u"3e",    u"3e+",   u"3e1.5", u"12abc",    u"abc",
          u"١٢",   // Arabic-Indic digits
          u"１２", // full-width digits
          u"½"}) {
        EXPECT_FALSE(parse(text).has_value()) << QString::fromUtf16(text).toStdString();
    }
    EXPECT_FALSE(parseAmount(QStringLiteral("12") + QChar(0)).has_value());
    EXPECT_FALSE(parseAmount(QChar(0) + QStringLiteral("12")).has_value());
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
