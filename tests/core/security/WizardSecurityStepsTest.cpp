#include "core/security/WizardSecuritySteps.h"
#include "SecurityStoreFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kAnimal = QStringLiteral("Quel est le prénom de votre premier animal de compagnie ?");
const QString kCity = QStringLiteral("Dans quelle ville êtes-vous né ?");
const QString kDish = QStringLiteral("Quel est votre plat préféré ?");

class AccessCodeStepTest : public SecurityStoreFixture {};

TEST_F(AccessCodeStepTest, ChecksEmptinessBeforeTheConfirmation) {
    AccessCodeStep step;
    step.code = QStringLiteral(" \n\t ");
    step.confirmation = QStringLiteral("autre");
    const SecurityResult result = step.apply(*store);
    EXPECT_EQ(result.kind, SecurityResult::Kind::invalid);
    EXPECT_EQ(result.message, QStringLiteral("Veuillez saisir un code d'accès."));
    EXPECT_EQ(step.error(), QStringLiteral("Veuillez saisir un code d'accès."));
    EXPECT_EQ(store->preferences().appPassword, QString());
}

TEST_F(AccessCodeStepTest, RefusesAConfirmationThatDiffersAsTyped) {
    AccessCodeStep step;
    for (const auto& [code, confirmation] :
         {std::pair{QStringLiteral("Secret"), QStringLiteral("secret")},
          std::pair{QStringLiteral("Secret "), QStringLiteral("Secret")},
          std::pair{QStringLiteral("Secret"), QString()}}) {
        step.code = code;
        step.confirmation = confirmation;
        EXPECT_EQ(step.apply(*store).message, QStringLiteral("Les codes ne correspondent pas."))
            << code.toStdString() << " / " << confirmation.toStdString();
        EXPECT_EQ(step.error(), QStringLiteral("Les codes ne correspondent pas."));
    }
    EXPECT_EQ(store->preferences().appPassword, QString());
    EXPECT_EQ(codeOnDisk(), QString());
}

TEST_F(AccessCodeStepTest, StoresTheTrimmedCodeAndSavesAtOnce) {
    AccessCodeStep step;
    step.code = QStringLiteral(" Secret42\n");
    step.confirmation = QStringLiteral("x");
    EXPECT_FALSE(step.apply(*store).ok());
    step.confirmation = step.code;
    const SecurityResult result = step.apply(*store);
    EXPECT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(step.error(), QString());
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Secret42"));
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Secret42"));
}

TEST_F(AccessCodeStepTest, ContinuingWithoutCodeLeavesTheSessionOpen) {
    AccessCodeStep step;
    EXPECT_TRUE(step.continueWithoutCode(*store).ok());
    EXPECT_EQ(codeOnDisk(), QString());

    // Coming back to the step after setting a code, then skipping it.
    setStoredCode(QStringLiteral("Secret"));
    EXPECT_TRUE(step.continueWithoutCode(*store).ok());
    EXPECT_EQ(store->preferences().appPassword, QString());
    EXPECT_EQ(codeOnDisk(), QString());
}

TEST_F(AccessCodeStepTest, AFailedSaveKeepsThePreviousCode) {
    setStoredCode(QStringLiteral("Ancien"));
    m_fs.failOn(FaultyFileSystem::Op::Write);
    AccessCodeStep step;
    step.code = step.confirmation = QStringLiteral("Nouveau");
    const SecurityResult result = step.apply(*store);
    EXPECT_EQ(result.kind, SecurityResult::Kind::notSaved);
    EXPECT_TRUE(result.message.contains(QStringLiteral("No space left on device")))
        << result.message.toStdString();
    EXPECT_EQ(step.error(), QString());
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));
    m_fs.heal();
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
}

TEST(AccessCodeStepTexts, AreExact) {
    EXPECT_EQ(AccessCodeStep::title(), QStringLiteral("Code d'accès"));
    EXPECT_EQ(AccessCodeStep::text(),
              QStringLiteral("Créez un code pour protéger votre session.\nIl vous sera demandé "
                             "à l'ouverture du logiciel."));
    EXPECT_EQ(AccessCodeStep::confirmationLabel(), QStringLiteral("Confirmer le code"));
    EXPECT_EQ(AccessCodeStep::skipButton(), QStringLiteral("Continuer sans code"));
}

class SecurityQuestionsStepTest : public SecurityStoreFixture {
protected:
    static void fill(SecurityQADraft* draft, const QString& selection, const QString& answer,
                     const QString& custom = QString()) {
        ASSERT_NE(draft, nullptr);
        draft->selection = selection;
        draft->answer = answer;
        draft->customText = custom;
    }
};

TEST_F(SecurityQuestionsStepTest, HoldsOneToThreeRows) {
    SecurityQuestionsStep step;
    ASSERT_EQ(step.rowCount(), 1);
    EXPECT_FALSE(step.canRemoveRow());
    EXPECT_FALSE(step.removeRow(0));
    EXPECT_EQ(step.rowCount(), 1);

    EXPECT_TRUE(step.addRow());
    EXPECT_TRUE(step.canRemoveRow());
    EXPECT_TRUE(step.addRow());
    EXPECT_FALSE(step.canAddRow());
    EXPECT_FALSE(step.addRow());
    EXPECT_EQ(step.rowCount(), 3);

    EXPECT_FALSE(step.removeRow(3));
    EXPECT_FALSE(step.removeRow(-1));
    EXPECT_EQ(step.row(3), nullptr);
    const QUuid middle = step.rows()[1].id;
    EXPECT_TRUE(step.removeRow(0));
    EXPECT_EQ(step.rows().first().id, middle);
    EXPECT_TRUE(step.canAddRow());
    EXPECT_TRUE(step.removeRow(1));
    EXPECT_FALSE(step.removeRow(0));
    EXPECT_EQ(step.rowCount(), 1);
}

TEST_F(SecurityQuestionsStepTest, NewRowsAreEmptyWithDistinctIds) {
    SecurityQuestionsStep step;
    step.addRow();
    const SecurityQADraft& added = step.rows().last();
    EXPECT_EQ(added.selection, QString());
    EXPECT_EQ(added.answer, QString());
    EXPECT_NE(added.id, step.rows().first().id);
    EXPECT_FALSE(added.id.isNull());
}

TEST_F(SecurityQuestionsStepTest, RefusesWhenNoRowIsComplete) {
    SecurityQuestionsStep step;
    step.addRow();
    step.addRow();
    fill(step.row(0), kAnimal, QStringLiteral("   \n"));
    fill(step.row(1), QString(), QStringLiteral("Médor"));
    fill(step.row(2), SecurityQADraft::customMarker(), QStringLiteral("Rex"), QStringLiteral(" "));
    const SecurityResult result = step.apply(*store);
    EXPECT_EQ(result.kind, SecurityResult::Kind::invalid);
    EXPECT_EQ(step.error(),
              QStringLiteral("Veuillez renseigner au moins une question et sa réponse."));
    EXPECT_TRUE(store->securityQuestions().isEmpty());
}

TEST_F(SecurityQuestionsStepTest, RefusesTheSamePresetTwiceWhateverTheAnswers) {
    SecurityQuestionsStep step;
    step.addRow();
    fill(step.row(0), kCity, QStringLiteral("Paris"));
    fill(step.row(1), kCity, QStringLiteral("Lyon"));
    EXPECT_EQ(step.apply(*store).message,
              QStringLiteral("Deux questions identiques ont été saisies."));
    EXPECT_TRUE(store->securityQuestions().isEmpty());

    // A custom question with the same text as a preset is the same question.
    fill(step.row(1), SecurityQADraft::customMarker(), QStringLiteral("Lyon"), kCity);
    EXPECT_EQ(step.apply(*store).message,
              QStringLiteral("Deux questions identiques ont été saisies."));
}

TEST_F(SecurityQuestionsStepTest, IgnoresIncompleteRowsWhenLookingForDuplicates) {
    SecurityQuestionsStep step;
    step.addRow();
    fill(step.row(0), kCity, QStringLiteral("Paris"));
    fill(step.row(1), kCity, QStringLiteral(" "));
    EXPECT_TRUE(step.apply(*store).ok()) << step.error().toStdString();
    ASSERT_EQ(store->securityQuestions().size(), 1);
}

TEST_F(SecurityQuestionsStepTest, ComparesQuestionTextsUntrimmed) {
    SecurityQuestionsStep step;
    step.addRow();
    const QString custom = QStringLiteral("Mon surnom ?");
    fill(step.row(0), SecurityQADraft::customMarker(), QStringLiteral("Toto"), custom);
    fill(step.row(1), SecurityQADraft::customMarker(), QStringLiteral("Titi"), custom + u' ');
    EXPECT_TRUE(step.apply(*store).ok()) << step.error().toStdString();
    ASSERT_EQ(store->securityQuestions().size(), 2);
    EXPECT_EQ(store->securityQuestions()[1].question, custom);
}

TEST_F(SecurityQuestionsStepTest, StoresTheCompleteRowsInOrderAndSaves) {
    // Earlier questions are replaced, not added to.
    store->setSecurityQuestions(
        {{QUuid::createUuid(), QStringLiteral("Ancienne ?"), answerDigest(QStringLiteral("x"))}});
    SecurityQuestionsStep step;
    step.addRow();
    step.addRow();
    fill(step.row(0), SecurityQADraft::customMarker(), QStringLiteral(" Rex "),
         QStringLiteral("  Nom de mon chien ?\n"));
    fill(step.row(1), kDish, QString());
    fill(step.row(2), kCity, QStringLiteral("Paris"));
    const SecurityResult result = step.apply(*store);
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(step.error(), QString());

    const QList<SecurityQuestion> stored = store->securityQuestions();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].question, QStringLiteral("Nom de mon chien ?"));
    EXPECT_EQ(stored[0].answerHash, answerDigest(QStringLiteral("rex")));
    EXPECT_EQ(stored[1].question, kCity);
    EXPECT_EQ(stored[1].answerHash, answerDigest(QStringLiteral("paris")));
    EXPECT_FALSE(stored[0].id.isNull());
    EXPECT_NE(stored[0].id, stored[1].id);
    // The answer itself is never written.
    EXPECT_FALSE(readBytes(workingCopy()).contains("Rex"));

    EXPECT_EQ(readSession(workingCopy()).securityQuestions, stored);
    EXPECT_EQ(readSession(userFile()).securityQuestions, stored);
}

TEST_F(SecurityQuestionsStepTest, GivesFreshIdsOnEveryStorage) {
    SecurityQuestionsStep step;
    fill(step.row(0), kAnimal, QStringLiteral("Médor"));
    ASSERT_TRUE(step.apply(*store).ok());
    const QUuid first = store->securityQuestions().first().id;
    ASSERT_TRUE(step.apply(*store).ok());
    EXPECT_NE(store->securityQuestions().first().id, first);
    EXPECT_NE(store->securityQuestions().first().id, step.rows().first().id);
}

TEST_F(SecurityQuestionsStepTest, AFailedSaveKeepsThePreviousQuestions) {
    SecurityQuestionsStep step;
    fill(step.row(0), kAnimal, QStringLiteral("Médor"));
    ASSERT_TRUE(step.apply(*store).ok());
    const QList<SecurityQuestion> before = store->securityQuestions();
    fill(step.row(0), kDish, QStringLiteral("Couscous"));
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(step.apply(*store).kind, SecurityResult::Kind::notSaved);
    EXPECT_EQ(store->securityQuestions(), before);
}

TEST_F(SecurityQuestionsStepTest, ResetGoesBackToOneEmptyRow) {
    SecurityQuestionsStep step;
    step.addRow();
    step.apply(*store);
    ASSERT_FALSE(step.error().isEmpty());
    step.reset();
    EXPECT_EQ(step.rowCount(), 1);
    EXPECT_EQ(step.error(), QString());
}

TEST(SecurityQuestionsStepTexts, AreExact) {
    EXPECT_EQ(SecurityQuestionsStep::title(), QStringLiteral("Questions de sécurité"));
    EXPECT_EQ(SecurityQuestionsStep::text(),
              QStringLiteral("Ajoutez au moins une question de sécurité.\nElle vous permettra de "
                             "récupérer votre code en cas d'oubli."));
    EXPECT_EQ(SecurityQuestionsStep::pickerPrompt(), QStringLiteral("Choisir une question…"));
    EXPECT_EQ(SecurityQuestionsStep::customEntry(), QStringLiteral("Question personnalisée…"));
    EXPECT_EQ(SecurityQuestionsStep::customPlaceholder(),
              QStringLiteral("Saisissez votre question…"));
    EXPECT_EQ(SecurityQuestionsStep::addButton(), QStringLiteral("Ajouter une question"));
    EXPECT_EQ(SecurityQADraft::customMarker(), QStringLiteral("__custom"));
    EXPECT_EQ(SecurityQuestionsStep::hashingHelp(),
              QStringLiteral("Les réponses sont hachées (SHA-256) — jamais stockées en clair."));
}

} // namespace
