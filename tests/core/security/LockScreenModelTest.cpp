#include "core/security/LockScreenModel.h"
#include "SecurityStoreFixture.h"
#include "core/security/AccessCode.h"
#include "support/SessionChange.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

class LockScreenModelTest : public SecurityStoreFixture {};

TEST_F(LockScreenModelTest, WrongCodesKeepWhatWasTypedUntilTheRightOneUnlocks) {
    setStoredCode(u"Secret42"_s);
    LockScreenModel lock(*store);
    ASSERT_TRUE(lock.isLocked());
    for (int attempt = 0; attempt < 50; ++attempt) {
        for (const QString& typed : {u"secret42"_s, u"Secret 42"_s, QString(), u"x"_s}) {
            lock.typedCode = typed;
            ASSERT_FALSE(lock.submit()) << typed.toStdString();
            ASSERT_EQ(lock.error(), u"Code incorrect."_s);
            ASSERT_EQ(lock.typedCode, typed);
            ASSERT_TRUE(lock.isLocked());
        }
    }
    lock.typedCode = u"Secret42\n"_s;
    EXPECT_TRUE(lock.submit());
    EXPECT_FALSE(lock.isLocked());
    EXPECT_EQ(lock.error(), QString());
    EXPECT_EQ(lock.typedCode, QString());
}

TEST_F(LockScreenModelTest, LockingClearsTheTypedCodeAndTheError) {
    setStoredCode(u"Secret42"_s);
    LockScreenModel lock(*store);
    lock.typedCode = u"Secret42 "_s;
    ASSERT_TRUE(lock.submit());
    lock.typedCode = u"reste"_s;
    EXPECT_TRUE(lock.lock());
    EXPECT_TRUE(lock.isLocked());
    EXPECT_EQ(lock.typedCode, QString());
    lock.typedCode = u"faux"_s;
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
    setStoredCode(u"Ancien"_s);
    EXPECT_TRUE(lock.canLock());
    setStoredCode(u"Nouveau"_s);
    lock.typedCode = u"Ancien"_s;
    EXPECT_FALSE(lock.submit());
    lock.typedCode = u"Nouveau"_s;
    EXPECT_TRUE(lock.submit());

    EXPECT_FALSE(lock.offersRecovery());
    test::changeSession(*store, [&](SessionEdit& e) {
        e.securityQuestions() = {{QUuid::createUuid(), u"Q ?"_s, answerDigest(u"r"_s)}};
    });
    EXPECT_TRUE(lock.offersRecovery());
}

TEST(LockScreenModelWithPreview, ChecksAgainstTheCodeReadBeforeLoading) {
    LockScreenModel lock(u"Code Fixe"_s);
    EXPECT_FALSE(lock.offersRecovery());
    lock.typedCode = u"code fixe"_s;
    EXPECT_FALSE(lock.submit());
    EXPECT_EQ(lock.error(), u"Code incorrect."_s);
    lock.typedCode = u"\tCode Fixe "_s;
    EXPECT_TRUE(lock.submit());
}

} // namespace
