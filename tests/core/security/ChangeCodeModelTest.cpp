#include "core/security/ChangeCodeModel.h"
#include "SecurityStoreFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

class ChangeCodeModelTest : public SecurityStoreFixture {
protected:
    SecurityResult change(const QString& oldCode, const QString& newCode,
                          const QString& confirmation) {
        model.oldCode = oldCode;
        model.newCode = newCode;
        model.confirmation = confirmation;
        return model.apply(*store);
    }
    ChangeCodeModel model;
};

TEST_F(ChangeCodeModelTest, ChecksTheOldCodeFirst) {
    setStoredCode(QStringLiteral("Ancien"));
    const QString wrongOld = QStringLiteral("L'ancien mot de passe est incorrect.");
    // Every rule fails here; the old code's comes first.
    EXPECT_EQ(change(QStringLiteral("ancien"), QStringLiteral(" "), QString()).message, wrongOld);
    EXPECT_EQ(model.error(), wrongOld);
    // Compared as typed: no trimming of the old code.
    EXPECT_EQ(
        change(QStringLiteral("Ancien "), QStringLiteral("Neuf"), QStringLiteral("Neuf")).message,
        wrongOld);
    EXPECT_EQ(change(QString(), QStringLiteral("Neuf"), QStringLiteral("Neuf")).message, wrongOld);
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
}

TEST_F(ChangeCodeModelTest, ThenTheConfirmationThenEmptiness) {
    setStoredCode(QStringLiteral("Ancien"));
    const QString differ = QStringLiteral("Les nouveaux mots de passe ne correspondent pas.");
    const QString empty = QStringLiteral("Le nouveau mot de passe ne peut pas être vide.");
    EXPECT_EQ(change(QStringLiteral("Ancien"), QStringLiteral(" "), QString()).message, differ);
    EXPECT_EQ(
        change(QStringLiteral("Ancien"), QStringLiteral("Neuf"), QStringLiteral("neuf")).message,
        differ);
    EXPECT_EQ(
        change(QStringLiteral("Ancien"), QStringLiteral("Neuf "), QStringLiteral("Neuf")).message,
        differ);
    EXPECT_EQ(
        change(QStringLiteral("Ancien"), QStringLiteral(" \n "), QStringLiteral(" \n ")).message,
        empty);
    EXPECT_EQ(change(QStringLiteral("Ancien"), QString(), QString()).message, empty);
    EXPECT_EQ(model.error(), empty);
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
}

TEST_F(ChangeCodeModelTest, StoresTheTrimmedNewCodeSavesAndClosesTheSheet) {
    setStoredCode(QStringLiteral("Ancien"));
    ASSERT_FALSE(change(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("y")).ok());
    const SecurityResult result =
        change(QStringLiteral("Ancien"), QStringLiteral("  Neuf\n"), QStringLiteral("  Neuf\n"));
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(model.error(), QString());
    EXPECT_FALSE(model.hasUnsavedInput());
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Neuf"));
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Neuf"));
}

TEST_F(ChangeCodeModelTest, SetsAFirstCodeWhenTheOldFieldIsLeftEmpty) {
    ASSERT_TRUE(change(QString(), QStringLiteral("Premier"), QStringLiteral("Premier")).ok());
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Premier"));
}

TEST_F(ChangeCodeModelTest, AFailedSaveKeepsTheOldCodeAndTheInput) {
    setStoredCode(QStringLiteral("Ancien"));
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const SecurityResult result =
        change(QStringLiteral("Ancien"), QStringLiteral("Neuf"), QStringLiteral("Neuf"));
    EXPECT_EQ(result.kind, SecurityResult::Kind::notSaved);
    EXPECT_FALSE(result.message.isEmpty());
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));
    EXPECT_EQ(model.newCode, QStringLiteral("Neuf"));
    m_fs.heal();
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
}

TEST_F(ChangeCodeModelTest, AsksBeforeLeavingOnlyWithInput) {
    EXPECT_FALSE(model.hasUnsavedInput());
    model.confirmation = QStringLiteral(" ");
    EXPECT_TRUE(model.hasUnsavedInput());
    model.reset();
    EXPECT_FALSE(model.hasUnsavedInput());
    model.oldCode = QStringLiteral("a");
    EXPECT_TRUE(model.hasUnsavedInput());
}

TEST(ChangeCodeModelTexts, AreExact) {
    EXPECT_EQ(ChangeCodeModel::title(), QStringLiteral("Modifier le mot de passe"));
    EXPECT_EQ(ChangeCodeModel::oldCodeLabel(), QStringLiteral("Ancien mot de passe"));
    EXPECT_EQ(ChangeCodeModel::newCodeLabel(), QStringLiteral("Nouveau mot de passe"));
    EXPECT_EQ(ChangeCodeModel::confirmationLabel(),
              QStringLiteral("Confirmer le nouveau mot de passe"));
    EXPECT_EQ(ChangeCodeModel::saveButton(), QStringLiteral("Enregistrer"));
    EXPECT_EQ(ChangeCodeModel::noCodeText(), QStringLiteral("Aucun"));
    EXPECT_EQ(ChangeCodeModel::discardTitle(), QStringLiteral("Quitter sans enregistrer ?"));
    EXPECT_EQ(ChangeCodeModel::discardMessage(),
              QStringLiteral("Les modifications du mot de passe ne seront pas enregistrées."));
    EXPECT_EQ(ChangeCodeModel::discardConfirmButton(), QStringLiteral("Quitter"));
    EXPECT_EQ(ChangeCodeModel::discardCancelButton(), QStringLiteral("Annuler"));
}

} // namespace
