#include "core/security/LockScreenModel.h"
#include "SecurityStoreFixture.h"
#include "core/security/AccessCode.h"

using namespace velmora;
using namespace velmora::test;

namespace {

class LockScreenModelTest : public SecurityStoreFixture {};

TEST_F(LockScreenModelTest, WrongCodesKeepWhatWasTypedUntilTheRightOneUnlocks) {
    setStoredCode(QStringLiteral("Secret42"));
    LockScreenModel lock(*store);
    ASSERT_TRUE(lock.isLocked());
    for (int attempt = 0; attempt < 50; ++attempt) {
        for (const QString& typed : {QStringLiteral("secret42"), QStringLiteral("Secret 42"),
                                     QString(), QStringLiteral("x")}) {
            lock.typedCode = typed;
            ASSERT_FALSE(lock.submit()) << typed.toStdString();
            ASSERT_EQ(lock.error(), QStringLiteral("Code incorrect."));
            ASSERT_EQ(lock.typedCode, typed);
            ASSERT_TRUE(lock.isLocked());
        }
    }
    lock.typedCode = QStringLiteral("Secret42\n");
    EXPECT_TRUE(lock.submit());
    EXPECT_FALSE(lock.isLocked());
    EXPECT_EQ(lock.error(), QString());
    EXPECT_EQ(lock.typedCode, QString());
}

TEST_F(LockScreenModelTest, LockingClearsTheTypedCodeAndTheError) {
    setStoredCode(QStringLiteral("Secret42"));
    LockScreenModel lock(*store);
    lock.typedCode = QStringLiteral("Secret42 ");
    ASSERT_TRUE(lock.submit());
    lock.typedCode = QStringLiteral("reste");
    EXPECT_TRUE(lock.lock());
    EXPECT_TRUE(lock.isLocked());
    EXPECT_EQ(lock.typedCode, QString());
    lock.typedCode = QStringLiteral("faux");
    lock.submit();
    ASSERT_FALSE(lock.error().isEmpty());
    lock.lock();
    EXPECT_EQ(lock.error(), QString());
    EXPECT_EQ(lock.typedCode, QString());
}

TEST_F(LockScreenModelTest, FollowsTheCodeAndQuestionsOfTheStore) {
    LockScreenModel lock(*store);
    EXPECT_FALSE(lock.canLock());
    EXPECT_FALSE(lock.lock());
    setStoredCode(QStringLiteral("Ancien"));
    EXPECT_TRUE(lock.canLock());
    setStoredCode(QStringLiteral("Nouveau"));
    lock.typedCode = QStringLiteral("Ancien");
    EXPECT_FALSE(lock.submit());
    lock.typedCode = QStringLiteral("Nouveau");
    EXPECT_TRUE(lock.submit());

    EXPECT_FALSE(lock.offersRecovery());
    store->setSecurityQuestions(
        {{QUuid::createUuid(), QStringLiteral("Q ?"), answerDigest(QStringLiteral("r"))}});
    EXPECT_TRUE(lock.offersRecovery());
}

TEST(LockScreenModelWithPreview, ChecksAgainstTheCodeReadBeforeLoading) {
    LockScreenModel lock(QStringLiteral("Code Fixe"));
    EXPECT_FALSE(lock.offersRecovery());
    lock.typedCode = QStringLiteral("code fixe");
    EXPECT_FALSE(lock.submit());
    EXPECT_EQ(lock.error(), QStringLiteral("Code incorrect."));
    lock.typedCode = QStringLiteral("\tCode Fixe ");
    EXPECT_TRUE(lock.submit());
}

} // namespace
