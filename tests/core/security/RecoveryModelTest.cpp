#include "core/security/RecoveryModel.h"
#include "SecurityStoreFixture.h"
#include "core/security/LockScreenModel.h"
#include "core/security/WizardSecuritySteps.h"

using namespace velmora;
using namespace velmora::test;

namespace {

using Phase = RecoveryModel::Phase;

const QString kCity = QStringLiteral("Dans quelle ville êtes-vous né ?");
const QString kDish = QStringLiteral("Quel est votre plat préféré ?");

// A protected session whose two questions were set through the wizard.
class RecoveryModelTest : public SecurityStoreFixture {
protected:
    void SetUp() override {
        SecurityStoreFixture::SetUp();
        setStoredCode(QStringLiteral("Ancien"));
        SecurityQuestionsStep step;
        step.addRow();
        step.row(0)->selection = kDish;
        step.row(0)->answer = QStringLiteral("Couscous");
        step.row(1)->selection = kCity;
        step.row(1)->answer = QStringLiteral("Paris");
        ASSERT_TRUE(step.apply(*store).ok());
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
              QStringLiteral("Sélectionnez la question à laquelle vous souhaitez répondre"));
    EXPECT_FALSE(recovery.selectQuestion(2));
    EXPECT_FALSE(recovery.selectQuestion(-1));
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    ASSERT_TRUE(recovery.selectQuestion(1));
    EXPECT_EQ(recovery.phase(), Phase::answer);
    EXPECT_EQ(recovery.selectedQuestion(), questions[1].id);
    EXPECT_EQ(recovery.subtitle(),
              QStringLiteral("Répondez à la question de sécurité sélectionnée"));
    EXPECT_FALSE(recovery.selectQuestion(0));
}

TEST_F(RecoveryModelTest, OnlyTheRightAnswerOpensTheNewCodePhase) {
    RecoveryModel recovery(*store);
    ASSERT_TRUE(recovery.selectQuestion(1));
    // Case and surrounding spaces aside, the answer must be exact.
    for (const QString& wrong : {QStringLiteral("París"), QStringLiteral("Pa ris"),
                                 QStringLiteral("Couscous"), QString()}) {
        recovery.answer = wrong;
        EXPECT_FALSE(recovery.submitAnswer()) << wrong.toStdString();
        EXPECT_EQ(recovery.answerError(),
                  QStringLiteral("Réponse incorrecte. Vérifiez la casse et les espaces."));
        EXPECT_EQ(recovery.phase(), Phase::answer);
    }
    recovery.answer = QStringLiteral("  pARIS \n");
    ASSERT_TRUE(recovery.submitAnswer());
    EXPECT_EQ(recovery.phase(), Phase::newCode);
    EXPECT_EQ(recovery.answer, QString());
    EXPECT_EQ(recovery.answerError(), QString());
    EXPECT_EQ(recovery.newCode, QString());
    EXPECT_EQ(recovery.confirmation, QString());
    EXPECT_EQ(recovery.subtitle(), QStringLiteral("Définissez un nouveau code d'accès"));
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));
}

TEST_F(RecoveryModelTest, BackReturnsToTheQuestionChoice) {
    RecoveryModel recovery(*store);
    EXPECT_FALSE(recovery.back());
    ASSERT_TRUE(recovery.selectQuestion(0));
    recovery.answer = QStringLiteral("faux");
    recovery.submitAnswer();
    EXPECT_TRUE(recovery.back());
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_EQ(recovery.answer, QString());
    EXPECT_EQ(recovery.answerError(), QString());
    // The other question's answer does not open the first one.
    ASSERT_TRUE(recovery.selectQuestion(0));
    recovery.answer = QStringLiteral("Paris");
    EXPECT_FALSE(recovery.submitAnswer());
}

TEST_F(RecoveryModelTest, ValidatesTheNewCodeBeforeSaving) {
    RecoveryModel recovery(*store);
    reachNewCode(recovery, 0, QStringLiteral("couscous"));
    const QString empty = QStringLiteral("Le code ne peut pas être vide.");
    const QString differ = QStringLiteral("Les codes ne correspondent pas.");
    const struct {
        QString code, confirmation, message;
    } cases[] = {
        {QStringLiteral("  "), QStringLiteral("x"), empty},
        {QString(), QString(), empty},
        {QStringLiteral("Neuf"), QStringLiteral("neuf"), differ},
        // The trimmed code against the confirmation as typed.
        {QStringLiteral("Neuf "), QStringLiteral("Neuf "), differ},
    };
    for (const auto& c : cases) {
        recovery.newCode = c.code;
        recovery.confirmation = c.confirmation;
        const Result<> result = recovery.saveNewCode();
        EXPECT_EQ(result.kind(), ResultKind::invalid);
        EXPECT_EQ(recovery.newCodeError(), c.message) << c.code.toStdString();
        EXPECT_EQ(recovery.phase(), Phase::newCode);
    }
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
}

TEST_F(RecoveryModelTest, SavesTheNewCodeAndEndsOnTheLockScreen) {
    RecoveryModel recovery(*store);
    reachNewCode(recovery, 1, QStringLiteral("paris"));
    recovery.newCode = QStringLiteral(" Neuf");
    recovery.confirmation = QStringLiteral("Neuf");
    const Result<> result = recovery.saveNewCode();
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(recovery.phase(), Phase::done);
    EXPECT_EQ(recovery.subtitle(), QStringLiteral("Votre code a été mis à jour avec succès"));
    EXPECT_EQ(recovery.newCode, QString());
    EXPECT_EQ(recovery.confirmation, QString());
    EXPECT_EQ(recovery.newCodeError(), QString());
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Neuf"));
    // The questions are not touched.
    EXPECT_EQ(readSession(userFile()).securityQuestions, questions);

    EXPECT_TRUE(recovery.finish());
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_FALSE(recovery.finish());

    LockScreenModel lock(*store);
    lock.typedCode = QStringLiteral("Ancien");
    EXPECT_FALSE(lock.submit());
    lock.typedCode = QStringLiteral("Neuf");
    EXPECT_TRUE(lock.submit());
}

TEST_F(RecoveryModelTest, TheQuestionsStillWorkAfterAReloadFromDisk) {
    {
        RecoveryModel recovery(*store);
        reachNewCode(recovery, 0, QStringLiteral("COUSCOUS"));
        recovery.newCode = recovery.confirmation = QStringLiteral("Deuxieme");
        ASSERT_TRUE(recovery.saveNewCode().ok());
    }
    store.reset();
    auto reopened = startStore();
    ASSERT_EQ(reopened->preferences().appPassword, QStringLiteral("Deuxieme"));
    RecoveryModel again(*reopened);
    reachNewCode(again, 1, QStringLiteral("Paris"));
    again.newCode = again.confirmation = QStringLiteral("Troisieme");
    ASSERT_TRUE(again.saveNewCode().ok());
    EXPECT_EQ(readSession(workingCopy()).preferences.appPassword, QStringLiteral("Troisieme"));
    EXPECT_EQ(readSession(userFile()).preferences.appPassword, QStringLiteral("Troisieme"));
}

TEST_F(RecoveryModelTest, AFailedSaveStaysInTheNewCodePhase) {
    RecoveryModel recovery(*store);
    reachNewCode(recovery, 1, QStringLiteral("Paris"));
    recovery.newCode = recovery.confirmation = QStringLiteral("Neuf");
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result = recovery.saveNewCode();
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_EQ(recovery.phase(), Phase::newCode);
    EXPECT_EQ(recovery.newCode, QStringLiteral("Neuf"));
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));
}

TEST_F(RecoveryModelTest, IgnoresActionsOfAnotherPhaseAndRemovedQuestions) {
    RecoveryModel recovery(*store);
    recovery.answer = QStringLiteral("Paris");
    EXPECT_FALSE(recovery.submitAnswer());
    recovery.newCode = recovery.confirmation = QStringLiteral("Neuf");
    EXPECT_FALSE(recovery.saveNewCode().ok());
    EXPECT_EQ(recovery.phase(), Phase::chooseQuestion);
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));

    // A question removed meanwhile is never answered.
    ASSERT_TRUE(recovery.selectQuestion(1));
    store->setSecurityQuestions({questions[0]});
    EXPECT_FALSE(recovery.submitAnswer());
    EXPECT_EQ(recovery.phase(), Phase::answer);
}

} // namespace
