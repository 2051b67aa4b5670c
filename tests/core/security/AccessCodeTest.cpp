#include "core/security/AccessCode.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

// SHA-256 of the UTF-8 bytes, computed here without the trimming and
// lower-casing under test.
QString sha256Hex(const QString& exact) {
    return QString::fromLatin1(
        QCryptographicHash::hash(exact.toUtf8(), QCryptographicHash::Sha256).toHex());
}

TEST(AnswerDigest, MatchesAKnownSha256Vector) {
    // sha256("paris") as printed by sha256sum.
    EXPECT_EQ(answerDigest(QStringLiteral("paris")),
              QStringLiteral("1670f2e42fefa5044d59a65349e47c566009488fc57d7b4376dd5787b59e3c57"));
}

TEST(AnswerDigest, IgnoresCaseAndSurroundingSpacesButNotAccentsOrInnerSpaces) {
    const QString stored = answerDigest(QStringLiteral("Paris"));
    EXPECT_EQ(answerDigest(QStringLiteral(" Paris ")), stored);
    EXPECT_EQ(answerDigest(QStringLiteral("  paris  ")), stored);
    EXPECT_EQ(answerDigest(QStringLiteral("PARIS")), stored);
    EXPECT_EQ(answerDigest(QStringLiteral("\t\nparis\r\n")), stored);
    EXPECT_NE(answerDigest(QStringLiteral("París")), stored);
    EXPECT_NE(answerDigest(QStringLiteral("Pa ris")), stored);
    EXPECT_NE(answerDigest(QStringLiteral("Pariss")), stored);
}

TEST(AnswerDigest, TrimsUnicodeSpacesAndNewlines) {
    const QString stored = answerDigest(QStringLiteral("Lyon"));
    // No-break space, em space, line separator, next line.
    EXPECT_EQ(answerDigest(QStringLiteral("\u00A0Lyon\u2003")), stored);
    EXPECT_EQ(answerDigest(QStringLiteral("\u2028Lyon\u0085")), stored);
    // A zero-width space is not white space: it stays part of the answer.
    EXPECT_NE(answerDigest(QStringLiteral("\u200BLyon")), stored);
}

TEST(AnswerDigest, LowerCasesAllOfUnicodeWithoutFoldingDiacritics) {
    EXPECT_EQ(answerDigest(QStringLiteral("ÉCOLE")), sha256Hex(QStringLiteral("école")));
    EXPECT_NE(answerDigest(QStringLiteral("École")), answerDigest(QStringLiteral("ecole")));
    EXPECT_EQ(answerDigest(QStringLiteral("ΑΘΉΝΑ")), sha256Hex(QStringLiteral("αθήνα")));
    // Full lower-casing: the dotted capital I becomes two characters.
    EXPECT_EQ(answerDigest(QStringLiteral("İzmir")), sha256Hex(QStringLiteral("i\u0307zmir")));
}

TEST(AnswerDigest, IsAlways64LowerCaseHexDigits) {
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    for (const QString& answer : {QString(), QStringLiteral(" "), QStringLiteral("A"),
                                  QStringLiteral("Réponse 😀"), QString(10'000, QLatin1Char('Z'))})
        EXPECT_TRUE(hex.match(answerDigest(answer)).hasMatch()) << answer.size();
    EXPECT_EQ(answerDigest(QString()), answerDigest(QStringLiteral("   ")));
}

TEST(CodeCheck, TrimsTheTypedCodeAndComparesCaseSensitively) {
    const QString code = QStringLiteral("Secret42");
    EXPECT_TRUE(isCodeCorrect(QStringLiteral("Secret42"), code));
    EXPECT_TRUE(isCodeCorrect(QStringLiteral("Secret42 "), code));
    EXPECT_TRUE(isCodeCorrect(QStringLiteral("Secret42\n"), code));
    EXPECT_TRUE(isCodeCorrect(QStringLiteral("\tSecret42"), code));
    EXPECT_FALSE(isCodeCorrect(QStringLiteral("secret42"), code));
    EXPECT_FALSE(isCodeCorrect(QStringLiteral("SECRET42"), code));
    EXPECT_FALSE(isCodeCorrect(QStringLiteral("Secret 42"), code));
    EXPECT_FALSE(isCodeCorrect(QStringLiteral("Secret4"), code));
    EXPECT_FALSE(isCodeCorrect(QString(), code));
}

TEST(PresetQuestions, AreTheTenProposedQuestionsInOrder) {
    const QStringList& presets = presetSecurityQuestions();
    ASSERT_EQ(presets.size(), 10);
    EXPECT_EQ(presets.first(),
              QStringLiteral("Quel est le prénom de votre premier animal de compagnie ?"));
    EXPECT_EQ(presets[1], QStringLiteral("Dans quelle ville êtes-vous né ?"));
    EXPECT_EQ(presets[6], QStringLiteral("Quel était le métier de votre mère ?"));
    EXPECT_EQ(presets.last(), QStringLiteral("Quelle est votre couleur préférée ?"));
    QStringList unique = presets;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

} // namespace
