#include "desktop/LocalTimeZone.h"

#include <QByteArray>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

namespace velmora {
namespace {

// Runs pinLocalTimeZone with TZ as given (nothing: unset) and gives TZ after.
std::optional<QByteArray> pinnedFrom(const std::optional<QByteArray>& tz) {
    const std::optional<QByteArray> saved =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    if (tz)
        qputenv("TZ", *tz);
    else
        qunsetenv("TZ");
    pinLocalTimeZone();
    const std::optional<QByteArray> after =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    if (saved)
        qputenv("TZ", *saved);
    else
        qunsetenv("TZ");
    return after;
}

TEST(LocalTimeZoneTest, NamesTheSystemZoneOnlyWhenTheUserDidNot) {
    if (QFileInfo::exists(QStringLiteral("/etc/localtime"))) {
        EXPECT_EQ(pinnedFrom(std::nullopt), QByteArray(":/etc/localtime"));
    }
    EXPECT_EQ(pinnedFrom(QByteArray("Europe/Paris")), QByteArray("Europe/Paris"));
    // Empty is the user's way of asking for UTC.
    EXPECT_EQ(pinnedFrom(QByteArray()), QByteArray());
}

} // namespace
} // namespace velmora
