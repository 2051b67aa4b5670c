#include "core/security/WizardSecuritySteps.h"
#include "SecurityStoreFixture.h"
#include "support/SessionChange.h"

#include <vector>

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

const QString kAnimal = u"Quel est le prénom de votre premier animal de compagnie ?"_s;
const QString kCity = u"Dans quelle ville êtes-vous né ?"_s;
const QString kDish = u"Quel est votre plat préféré ?"_s;

class AccessCodeStepTest : public SecurityStoreFixture {};

TEST_F(AccessCodeStepTest, ChecksEmptinessThenTheConfirmationThenStoresTheTrimmedCode) {
    const QString empty = u"Veuillez saisir un code d'accès."_s;
    const QString differ = u"Les codes ne correspondent pas."_s;
    const struct {
        QString code, confirmation, message;
    } cases[] = {
        {" \n\t ", "autre", empty},
        {"Secret", "secret", differ},
        {"Secret ", "Secret", differ},
        {"Secret", "", differ},
    };
    AccessCodeStep step;
    for (const auto& c : cases) {
        step.code = c.code;
        step.confirmation = c.confirmation;
        const Result<> result = store->edit([&](SessionEdit& e) { return step.apply(e); });
        EXPECT_EQ(result.kind(), ResultKind::invalid);
        EXPECT_EQ(result.error(), c.message) << c.code.toStdString();
        EXPECT_EQ(step.error(), c.message);
    }
    EXPECT_EQ(store->preferences().appPassword, QString());
    EXPECT_EQ(codeOnDisk(), QString());

    // Then the trimmed code is stored and saved at once.
    step.code = step.confirmation = u" Secret42\n"_s;
    const Result<> result = store->edit([&](SessionEdit& e) { return step.apply(e); });
    EXPECT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(step.error(), QString());
    EXPECT_EQ(store->preferences().appPassword, u"Secret42"_s);
    EXPECT_EQ(codeOnDisk(), u"Secret42"_s);
}

TEST_F(AccessCodeStepTest, ContinuingWithoutCodeLeavesTheSessionOpen) {
    AccessCodeStep step;
    EXPECT_TRUE(store->edit([&](SessionEdit& e) { return step.continueWithoutCode(e); }).ok());
    EXPECT_EQ(codeOnDisk(), QString());

    // Coming back to the step after setting a code, then skipping it.
    setStoredCode(u"Secret"_s);
    EXPECT_TRUE(store->edit([&](SessionEdit& e) { return step.continueWithoutCode(e); }).ok());
    EXPECT_EQ(store->preferences().appPassword, QString());
    EXPECT_EQ(codeOnDisk(), QString());
}

TEST_F(AccessCodeStepTest, AFailedSaveKeepsThePreviousCode) {
    setStoredCode(u"Ancien"_s);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    AccessCodeStep step;
    step.code = step.confirmation = u"Nouveau"_s;
    const Result<> result = store->edit([&](SessionEdit& e) { return step.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_TRUE(result.error().contains(u"No space left on device"_s))
        << result.error().toStdString();
    EXPECT_EQ(step.error(), QString());
    EXPECT_EQ(store->preferences().appPassword, u"Ancien"_s);
    m_fs.heal();
    EXPECT_EQ(codeOnDisk(), u"Ancien"_s);
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

    // New rows are empty, with distinct ids.
    step.addRow();
    const SecurityQADraft& added = step.rows().last();
    EXPECT_EQ(added.selection, QString());
    EXPECT_EQ(added.answer, QString());
    EXPECT_NE(added.id, step.rows().first().id);
    EXPECT_FALSE(added.id.isNull());

    // A reset goes back to one empty row, without the error.
    store->edit([&](SessionEdit& e) { return step.apply(e); });
    ASSERT_FALSE(step.error().isEmpty());
    step.reset();
    EXPECT_EQ(step.rowCount(), 1);
    EXPECT_EQ(step.error(), QString());
}

TEST_F(SecurityQuestionsStepTest, RefusesIncompleteOrRepeatedQuestions) {
    const QString none = u"Veuillez renseigner au moins une question et sa réponse."_s;
    const QString twice = u"Deux questions identiques ont été saisies."_s;
    const QString custom = SecurityQADraft::customMarker();
    struct Row {
        QString selection, answer, customText = QString();
    };
    const struct {
        std::vector<Row> rows;
        QString error;
        qsizetype stored;
    } cases[] = {
        {{{kAnimal, "   \n"}, {"", "Médor"}, {custom, "Rex", " "}}, none, 0},
        {{{kCity, "Paris"}, {kCity, "Lyon"}}, twice, 0},
        // A custom question with the same text as a preset is the same question.
        {{{kCity, "Paris"}, {custom, "Lyon", kCity}}, twice, 0},
        // Incomplete rows are no duplicates.
        {{{kCity, "Paris"}, {kCity, " "}}, "", 1},
        // Question texts are compared as typed.
        {{{custom, "Toto", "Mon surnom ?"}, {custom, "Titi", "Mon surnom ? "}}, "", 2},
    };
    for (const auto& c : cases) {
        SecurityQuestionsStep step;
        while (step.rowCount() < qsizetype(c.rows.size()))
            step.addRow();
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            fill(step.row(int(i)), c.rows[i].selection, c.rows[i].answer, c.rows[i].customText);
        const Result<> result = store->edit([&](SessionEdit& e) { return step.apply(e); });
        EXPECT_EQ(result.kind(), c.error.isEmpty() ? ResultKind::applied : ResultKind::invalid);
        EXPECT_EQ(step.error(), c.error);
        EXPECT_EQ(store->securityQuestions().size(), c.stored) << c.error.toStdString();
    }
    EXPECT_EQ(store->securityQuestions()[1].question, u"Mon surnom ?"_s);
}

TEST_F(SecurityQuestionsStepTest, StoresTheCompleteRowsInOrderAndSaves) {
    // Earlier questions are replaced, not added to.
    test::changeSession(*store, [&](SessionEdit& e) {
        e.securityQuestions() = {{QUuid::createUuid(), u"Ancienne ?"_s, answerDigest(u"x"_s)}};
    });
    SecurityQuestionsStep step;
    step.addRow();
    step.addRow();
    fill(step.row(0), SecurityQADraft::customMarker(), u" Rex "_s, u"  Nom de mon chien ?\n"_s);
    fill(step.row(1), kDish, QString());
    fill(step.row(2), kCity, u"Paris"_s);
    const Result<> result = store->edit([&](SessionEdit& e) { return step.apply(e); });
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(step.error(), QString());

    const QList<SecurityQuestion> stored = store->securityQuestions();
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].question, u"Nom de mon chien ?"_s);
    EXPECT_EQ(stored[0].answerHash, answerDigest(u"rex"_s));
    EXPECT_EQ(stored[1].question, kCity);
    EXPECT_EQ(stored[1].answerHash, answerDigest(u"paris"_s));
    EXPECT_FALSE(stored[0].id.isNull());
    EXPECT_NE(stored[0].id, stored[1].id);
    // The answer itself is never written.
    EXPECT_FALSE(readBytes(workingCopy()).contains("Rex"));

    EXPECT_EQ(readSession(workingCopy()).securityQuestions, stored);
    EXPECT_EQ(readSession(userFile()).securityQuestions, stored);
}

TEST_F(SecurityQuestionsStepTest, GivesFreshIdsOnEveryStorageAndKeepsThemOnAFailedSave) {
    SecurityQuestionsStep step;
    fill(step.row(0), kAnimal, u"Médor"_s);
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return step.apply(e); }).ok());
    const QUuid first = store->securityQuestions().first().id;
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return step.apply(e); }).ok());
    EXPECT_NE(store->securityQuestions().first().id, first);
    EXPECT_NE(store->securityQuestions().first().id, step.rows().first().id);

    // A failed save keeps the previous questions.
    const QList<SecurityQuestion> before = store->securityQuestions();
    fill(step.row(0), kDish, u"Couscous"_s);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(store->edit([&](SessionEdit& e) { return step.apply(e); }).kind(),
              ResultKind::notSaved);
    EXPECT_EQ(store->securityQuestions(), before);
}

} // namespace
