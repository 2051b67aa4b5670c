#include "core/security/RecoveryModel.h"
#include "SecurityStoreFixture.h"
#include "core/security/LockScreenModel.h"
#include "core/security/WizardSecuritySteps.h"
#include "support/SessionChange.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

using Phase = RecoveryModel::Phase;

const QString kCity = u"Dans quelle ville êtes-vous né ?"_s;
const QString kDish = u"Quel est votre plat préféré ?"_s;

// A protected session whose two questions were set through the wizard.
class RecoveryModelTest : public SecurityStoreFixture {
protected:
    void SetUp() override {
        SecurityStoreFixture::SetUp();
        setStoredCode(u"Ancien"_s);
        SecurityQuestionsStep step;
        step.addRow();
        step.row(0)->selection = kDish;
        step.row(0)->answer = u"Couscous"_s;
        step.row(1)->selection = kCity;
        step.row(1)->answer = u"Paris"_s;
        ASSERT_TRUE(store->edit([&](SessionEdit& e) { return step.apply(e); }).ok());
        questions = store->securityQuestions();
    }

    // Phases 0 and 1 with the right answer to the question at that index.
    void reachNewCode(RecoveryModel& recovery, int index, const QString& answer) {
        ASSERT_TRUE(recovery.selectQuestion(index));
        recovery.answer = answer;
        ASSERT_TRUE(recovery.submitAnswer()) << recovery.answerError().toStdString();
        ASSERT_EQ(recovery.phase(), Phase::newCode);
    }

    QList<SecurityQuestion> questions;
};

TEST_F(RecoveryModelTest, ListsTheStoredQuestionsAndOpensTheChosenOne) {
    RecoveryModel recovery(*store);
    EXPECT_EQ(recovery.questions(), (QStringList{kDish, kCity}));
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_EQ(recovery.subtitle(),
              u"Sélectionnez la question à laquelle vous souhaitez répondre"_s);
    EXPECT_FALSE(recovery.selectQuestion(2));
    EXPECT_FALSE(recovery.selectQuestion(-1));
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    ASSERT_TRUE(recovery.selectQuestion(1));
    EXPECT_EQ(recovery.phase(), Phase::answer);
    EXPECT_EQ(recovery.selectedQuestion(), questions[1].id);
    EXPECT_EQ(recovery.subtitle(), u"Répondez à la question de sécurité sélectionnée"_s);
    EXPECT_FALSE(recovery.selectQuestion(0));
}

TEST_F(RecoveryModelTest, OnlyTheRightAnswerOpensTheNewCodePhase) {
    RecoveryModel recovery(*store);
    ASSERT_TRUE(recovery.selectQuestion(1));
    // Case and surrounding spaces aside, the answer must be exact.
    for (const QString& wrong : {u"París"_s, u"Pa ris"_s, u"Couscous"_s, QString()}) {
        recovery.answer = wrong;
        EXPECT_FALSE(recovery.submitAnswer()) << wrong.toStdString();
        EXPECT_EQ(recovery.answerError(),
                  u"Réponse incorrecte. Vérifiez la casse et les espaces."_s);
        EXPECT_EQ(recovery.phase(), Phase::answer);
    }
    recovery.answer = u"  pARIS \n"_s;
    ASSERT_TRUE(recovery.submitAnswer());
    EXPECT_EQ(recovery.phase(), Phase::newCode);
    EXPECT_EQ(recovery.answer, QString());
    EXPECT_EQ(recovery.answerError(), QString());
    EXPECT_EQ(recovery.newCode, QString());
    EXPECT_EQ(recovery.confirmation, QString());
    EXPECT_EQ(recovery.subtitle(), u"Définissez un nouveau code d'accès"_s);
    EXPECT_EQ(store->preferences().appPassword, u"Ancien"_s);
}

TEST_F(RecoveryModelTest, BackReturnsToTheQuestionChoice) {
    RecoveryModel recovery(*store);
    EXPECT_FALSE(recovery.back());
    ASSERT_TRUE(recovery.selectQuestion(0));
    recovery.answer = u"faux"_s;
    recovery.submitAnswer();
    EXPECT_TRUE(recovery.back());
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_EQ(recovery.answer, QString());
    EXPECT_EQ(recovery.answerError(), QString());
    // The other question's answer does not open the first one.
    ASSERT_TRUE(recovery.selectQuestion(0));
    recovery.answer = u"Paris"_s;
    EXPECT_FALSE(recovery.submitAnswer());
}

TEST_F(RecoveryModelTest, ValidatesTheNewCodeBeforeSaving) {
    RecoveryModel recovery(*store);
    reachNewCode(recovery, 0, u"couscous"_s);
    const QString empty = u"Le code ne peut pas être vide."_s;
    const QString differ = u"Les codes ne correspondent pas."_s;
    const struct {
        QString code, confirmation, message;
    } cases[] = {
        {u"  "_s, u"x"_s, empty},
        {QString(), QString(), empty},
        {u"Neuf"_s, u"neuf"_s, differ},
        // The trimmed code against the confirmation as typed.
        {u"Neuf "_s, u"Neuf "_s, differ},
    };
    for (const auto& c : cases) {
        recovery.newCode = c.code;
        recovery.confirmation = c.confirmation;
        const Result<> result =
            store->edit([&](SessionEdit& e) { return recovery.saveNewCode(e); });
        EXPECT_EQ(result.kind(), ResultKind::invalid);
        EXPECT_EQ(recovery.newCodeError(), c.message) << c.code.toStdString();
        EXPECT_EQ(recovery.phase(), Phase::newCode);
    }
    EXPECT_EQ(codeOnDisk(), u"Ancien"_s);
}

TEST_F(RecoveryModelTest, SavesTheNewCodeAndEndsOnTheLockScreen) {
    RecoveryModel recovery(*store);
    reachNewCode(recovery, 1, u"paris"_s);
    recovery.newCode = u" Neuf"_s;
    recovery.confirmation = u"Neuf"_s;
    const Result<> result = store->edit([&](SessionEdit& e) { return recovery.saveNewCode(e); });
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(recovery.phase(), Phase::done);
    EXPECT_EQ(recovery.subtitle(), u"Votre code a été mis à jour avec succès"_s);
    EXPECT_EQ(recovery.newCode, QString());
    EXPECT_EQ(recovery.confirmation, QString());
    EXPECT_EQ(recovery.newCodeError(), QString());
    EXPECT_EQ(codeOnDisk(), u"Neuf"_s);
    // The questions are not touched.
    EXPECT_EQ(readSession(userFile()).securityQuestions, questions);

    EXPECT_TRUE(recovery.finish());
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_FALSE(recovery.finish());

    LockScreenModel lock(*store);
    lock.typedCode = u"Ancien"_s;
    EXPECT_FALSE(lock.submit());
    lock.typedCode = u"Neuf"_s;
    EXPECT_TRUE(lock.submit());
}

TEST_F(RecoveryModelTest, TheQuestionsStillWorkAfterAReloadFromDisk) {
    {
        RecoveryModel recovery(*store);
        reachNewCode(recovery, 0, u"COUSCOUS"_s);
        recovery.newCode = recovery.confirmation = u"Deuxieme"_s;
        ASSERT_TRUE(store->edit([&](SessionEdit& e) { return recovery.saveNewCode(e); }).ok());
    }
    store.reset();
    auto reopened = startStore();
    ASSERT_EQ(reopened->preferences().appPassword, u"Deuxieme"_s);
    RecoveryModel again(*reopened);
    reachNewCode(again, 1, u"Paris"_s);
    again.newCode = again.confirmation = u"Troisieme"_s;
    ASSERT_TRUE(reopened->edit([&](SessionEdit& e) { return again.saveNewCode(e); }).ok());
    EXPECT_EQ(readSession(workingCopy()).preferences.appPassword, u"Troisieme"_s);
    EXPECT_EQ(readSession(userFile()).preferences.appPassword, u"Troisieme"_s);
}

TEST_F(RecoveryModelTest, AFailedSaveStaysInTheNewCodePhase) {
    RecoveryModel recovery(*store);
    reachNewCode(recovery, 1, u"Paris"_s);
    recovery.newCode = recovery.confirmation = u"Neuf"_s;
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result = store->edit([&](SessionEdit& e) { return recovery.saveNewCode(e); });
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_EQ(recovery.phase(), Phase::newCode);
    EXPECT_EQ(recovery.newCode, u"Neuf"_s);
    EXPECT_EQ(store->preferences().appPassword, u"Ancien"_s);
}

TEST_F(RecoveryModelTest, IgnoresActionsOfAnotherPhaseAndRemovedQuestions) {
    RecoveryModel recovery(*store);
    recovery.answer = u"Paris"_s;
    EXPECT_FALSE(recovery.submitAnswer());
    recovery.newCode = recovery.confirmation = u"Neuf"_s;
    EXPECT_FALSE(store->edit([&](SessionEdit& e) { return recovery.saveNewCode(e); }).ok());
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_EQ(store->preferences().appPassword, u"Ancien"_s);

    // A question removed meanwhile is never answered.
    ASSERT_TRUE(recovery.selectQuestion(1));
    test::changeSession(*store, [&](SessionEdit& e) { e.securityQuestions() = {questions[0]}; });
    EXPECT_FALSE(recovery.submitAnswer());
    EXPECT_EQ(recovery.phase(), Phase::answer);
}

} // namespace
