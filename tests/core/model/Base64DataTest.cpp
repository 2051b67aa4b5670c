// Base64 as it travels in session files: standard alphabet with padding only.

#include "core/model/Base64Data.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(Base64DataTest, AcceptsStandardPaddedText) {
    const std::pair<std::string, QByteArray> cases[] = {
        {"", ""},
        {"Zg==", "f"},
        {"Zm8=", "fo"},
        {"Zm9v", "foo"},
        {"Zm9vYg==", "foob"},
        {"+/+/", QByteArray::fromHex("fbffbf")},
        {"AAAA", QByteArray(3, '\0')},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_TRUE(Base64Data::isValid(text)) << text;
        const auto data = Base64Data::fromEncoded(text);
        ASSERT_TRUE(data.has_value()) << text;
        EXPECT_EQ(data->decoded(), bytes) << text;
        EXPECT_EQ(data->decodedSize(), bytes.size()) << text;
        EXPECT_EQ(data->encoded(), QByteArray::fromStdString(text));
        EXPECT_EQ(data->isEmpty(), text.empty());
    }
}

TEST(Base64DataTest, RefusesEverythingElse) {
    const std::string refused[] = {
        "Zg",         "Zg=",   "Zm9",  "Z",      "Z===",     "====",  "=",
        "Zg==Zg==",   "Zm=v",  "=Zm9", "Zm9v\n", "Zm9v ",    " Zm9v", "Zm\r\n9v",
        "Zm9v\t",     "Zm9-",  "Zm9_", "Zm9.",   "Zm9v!A==", "Zg=\0", "\xC3\xA9\xC3\xA9",
        "\xC3\xA9==", "Zm 9v",
    };
    for (const std::string& text : refused) {
        EXPECT_FALSE(Base64Data::isValid(text)) << text;
        EXPECT_FALSE(Base64Data::fromEncoded(text).has_value()) << text;
    }
    // A NUL byte is not a Base64 character either.
    EXPECT_FALSE(Base64Data::isValid(std::string_view("Zm9\0", 4)));
    EXPECT_FALSE(Base64Data::isValid(std::string_view("Z\0==", 4)));
}

TEST(Base64DataTest, EveryByteValueRoundTrips) {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    // Every length modulo 3, so every padding case.
    for (qsizetype length : {0, 1, 2, 3, 4, 5, 255, 256}) {
        const QByteArray part = bytes.left(length);
        const Base64Data data = Base64Data::fromBytes(part);
        EXPECT_EQ(data.decoded(), part) << length;
        EXPECT_EQ(data.decodedSize(), length);
        EXPECT_TRUE(Base64Data::isValid(
            std::string_view(data.encoded().constData(), std::size_t(data.encoded().size()))));
        const auto again = Base64Data::fromEncoded(
            std::string_view(data.encoded().constData(), std::size_t(data.encoded().size())));
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(*again, data);
    }
}

} // namespace
} // namespace velmora
