#include "core/app/UpdateChecker.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QSignalSpy>

#include <deque>

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Keeps the requests and answers them when the test says so.
class FakeFetcher final : public HttpFetcher {
public:
    struct Request {
        QUrl url;
        std::chrono::milliseconds timeout;
        Completion done;
    };
    void get(const QUrl& url, std::chrono::milliseconds timeout, Completion done) override {
        requests.push_back({url, timeout, std::move(done)});
    }
    void answer(std::optional<QByteArray> body) {
        ASSERT_FALSE(requests.empty());
        Request r = std::move(requests.front());
        requests.pop_front();
        r.done(std::move(body));
    }
    std::deque<Request> requests;
};

QByteArray manifest(const char* version, const char* url = "https://velmora.app/dl",
                    const char* notes = "Corrections") {
    return QByteArray("{\"version\":\"") + version + "\",\"download_url\":\"" + url +
           "\",\"release_notes\":\"" + notes + "\"}";
}

struct Fields {
    bool updateAvailable;
    QString latestVersion;
    QString downloadURL;
    QString releaseNotes;
    bool operator==(const Fields&) const = default;
};

Fields fieldsOf(const UpdateChecker& checker) {
    return {checker.updateAvailable(), checker.latestVersion(), checker.downloadURL(),
            checker.releaseNotes()};
}

} // namespace

// Empty pieces are dropped ("1..2" reads 1.2, ".1" reads 1), a piece counts
// up to its first non-digit ("1.2b.3" reads 1.3), and a piece that starts
// with a space or holds no ASCII digit is dropped.
TEST(VersionComparison, IsNumericPieceByPiece) {
    const struct {
        const char* candidate;
        const char* current;
        bool newer;
    } cases[] = {{"0.9.10", "0.9.9", true}, {"0.9.9", "0.9.10", false}, {"1.10", "1.9", true},
                 {"1.9", "1.10", false},    {"1.0", "1.0.0", false},    {"1.0.0", "1.0", false},
                 {"1.0.1", "1.0", true},    {"1.0", "1.0.1", false},    {"2", "1.99.99", true},
                 {"1.2", "1.2", false},     {"01.02", "1.2", false},    {"1.2b.3", "1.3", false},
                 {"1.-1", "1", false},      {"+2", "1", true},          {"2.x", "1.5", true},
                 {"abc", "0", false},       {"abc", "0.0.1", false},    {"0.0.1", "garbage", true},
                 {"", "", false},           {"", "0.1", false},         {"1..2", "1.1", true},
                 {".1", "0.9", true},       {"1.2b.3", "1.2.9", true},  {" 2", "1", false},
                 {"٣", "1", false}};
    for (const auto& c : cases)
        EXPECT_EQ(isNewerVersion(QString::fromUtf8(c.candidate), QString::fromUtf8(c.current)),
                  c.newer)
            << c.candidate << " against " << c.current;
    // A piece is read on 64 bits; a larger one is dropped.
    EXPECT_TRUE(isNewerVersion(u"9223372036854775807"_s, u"9223372036854775806"_s));
    EXPECT_FALSE(isNewerVersion(u"99999999999999999999"_s, u"1"_s));
    EXPECT_FALSE(isNewerVersion(u"1.99999999999999999999.1"_s, u"1.1"_s));
}

TEST(VersionManifest, NeedsAllThreeStringMembers) {
    EXPECT_EQ(decodeVersionInfo(manifest("1.4.0", "https://velmora.app/Velmora-1.4.0.tar.gz",
                                         "Nouveautés : relances\\nÉtat « payé »")),
              (VersionInfo{u"1.4.0"_s, u"https://velmora.app/Velmora-1.4.0.tar.gz"_s,
                           u"Nouveautés : relances\nÉtat « payé »"_s}));
    EXPECT_EQ(decodeVersionInfo(R"({"version":"","download_url":"","release_notes":"","x":1})"),
              (VersionInfo{}));

    const char* refused[] = {
        R"({"download_url":"u","release_notes":"n"})",
        R"({"version":"1","release_notes":"n"})",
        R"({"version":"1","download_url":"u"})",
        R"({"version":1.2,"download_url":"u","release_notes":"n"})",
        R"({"version":"1","download_url":null,"release_notes":"n"})",
        R"({"version":"1","download_url":"u","release_notes":["n"]})",
        R"([{"version":"1","download_url":"u","release_notes":"n"}])",
        R"({"version":"1","download_url":"u","release_notes":"n"} trailing)",
        R"({"version":"1","download_url":"u","release_notes":"n")",
        "<html><body>502 Bad Gateway</body></html>",
        "",
        "null",
    };
    for (const char* body : refused)
        EXPECT_EQ(decodeVersionInfo(body), std::nullopt) << body;
}

TEST(UpdateChecker, NewerManifestIsPublishedWithItsFields) {
    FakeFetcher fetcher;
    UpdateChecker checker(fetcher, u"1.2.0"_s);
    checker.setVersionURL(QUrl(u"https://example.org/version.json"_s));
    QSignalSpy available(&checker, &UpdateChecker::updateAvailableChanged);
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);

    checker.checkForUpdates();
    ASSERT_EQ(fetcher.requests.size(), 1u);
    EXPECT_EQ(fetcher.requests.front().url, QUrl(u"https://example.org/version.json"_s));
    EXPECT_EQ(fetcher.requests.front().timeout, 10s);
    EXPECT_EQ(fieldsOf(checker), (Fields{false, {}, {}, {}}));

    fetcher.answer(manifest("1.10.0"));
    EXPECT_EQ(fieldsOf(checker), (Fields{true, "1.10.0", "https://velmora.app/dl", "Corrections"}));
    EXPECT_EQ(available.size(), 1);
    EXPECT_EQ(finished.size(), 1);
}

TEST(UpdateChecker, EqualOrOlderManifestStillFillsTheFieldsButNoUpdate) {
    FakeFetcher fetcher;
    UpdateChecker checker(fetcher, u"1.2.0"_s);
    checker.checkForUpdates();
    fetcher.answer(manifest("1.2"));
    EXPECT_EQ(fieldsOf(checker), (Fields{false, "1.2", "https://velmora.app/dl", "Corrections"}));

    // A newer one, then an older one: the flag follows the latest answer.
    checker.checkForUpdates();
    fetcher.answer(manifest("1.3"));
    EXPECT_TRUE(checker.updateAvailable());
    checker.checkForUpdates();
    fetcher.answer(manifest("1.1.9"));
    EXPECT_EQ(fieldsOf(checker), (Fields{false, "1.1.9", "https://velmora.app/dl", "Corrections"}));
}

TEST(UpdateChecker, FailuresLeaveEveryFieldAsItWas) {
    FakeFetcher fetcher;
    UpdateChecker checker(fetcher, u"1.0"_s);
    checker.checkForUpdates();
    fetcher.answer(manifest("2.0", "https://velmora.app/2", "Deux"));
    const Fields before = fieldsOf(checker);
    ASSERT_EQ(before, (Fields{true, "2.0", "https://velmora.app/2", "Deux"}));

    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
    QSignalSpy latest(&checker, &UpdateChecker::latestVersionChanged);
    const std::optional<QByteArray> failures[] = {
        std::nullopt,
        QByteArray(R"({"version":"0.1","download_url":"https://velmora.app/0"})"),
        QByteArray("garbage"),
        QByteArray(),
    };
    for (const auto& body : failures) {
        checker.checkForUpdates();
        fetcher.answer(body);
        EXPECT_EQ(fieldsOf(checker), before);
    }
    EXPECT_EQ(finished.size(), 4);
    EXPECT_EQ(latest.size(), 0);
}

TEST(UpdateChecker, AnAnswerAfterTheCheckerIsGoneIsDropped) {
    FakeFetcher fetcher;
    {
        UpdateChecker checker(fetcher, u"1.0"_s);
        checker.setTimeout(250ms);
        checker.checkForUpdates();
        EXPECT_EQ(fetcher.requests.front().timeout, 250ms);
    }
    fetcher.answer(manifest("9.0"));
}

TEST(UpdateManifestUrl, IsTheVendorsVersionJsonUnlessTheEnvironmentNamesAnother) {
    const std::optional<QByteArray> before = qEnvironmentVariableIsSet("VELMORA_UPDATE_URL")
                                                 ? std::optional(qgetenv("VELMORA_UPDATE_URL"))
                                                 : std::nullopt;
    const auto restore = qScopeGuard(
        [&] { before ? qputenv("VELMORA_UPDATE_URL", *before) : qunsetenv("VELMORA_UPDATE_URL"); });
    const QUrl vendor = defaultUpdateManifestUrl();
    EXPECT_EQ(vendor.scheme(), u"https"_s);
    EXPECT_TRUE(vendor.path().endsWith(u"/version.json"_s));

    qunsetenv("VELMORA_UPDATE_URL");
    EXPECT_EQ(updateManifestUrl(), vendor);
    qputenv("VELMORA_UPDATE_URL", "http://127.0.0.1:8123/version.json");
    EXPECT_EQ(updateManifestUrl(), QUrl(u"http://127.0.0.1:8123/version.json"_s));
    FakeFetcher fetcher;
    UpdateChecker checker(fetcher);
    EXPECT_EQ(checker.versionURL(), QUrl(u"http://127.0.0.1:8123/version.json"_s));

    for (const char* unusable : {"", "   ", "pas une adresse", "version.json"}) {
        qputenv("VELMORA_UPDATE_URL", unusable);
        EXPECT_EQ(updateManifestUrl(), vendor) << unusable;
    }
}

TEST(RunningVersion, IsTheProjectVersionAndReadsAsNumbers) {
    EXPECT_EQ(runningVersion(), QStringLiteral(VELMORA_VERSION));
    EXPECT_TRUE(isNewerVersion(runningVersion(), u"0"_s));
    EXPECT_FALSE(isNewerVersion(runningVersion(), runningVersion() + u".0"_s));
}
