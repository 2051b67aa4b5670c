#include "core/security/ChangeCodeModel.h"
#include "SecurityStoreFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

class ChangeCodeModelTest : public SecurityStoreFixture {
protected:
    Result<> change(const QString& oldCode, const QString& newCode, const QString& confirmation) {
        model.oldCode = oldCode;
        model.newCode = newCode;
        model.confirmation = confirmation;
        return model.apply(*store);
    }
    ChangeCodeModel model;
};

TEST_F(ChangeCodeModelTest, ChecksTheOldCodeThenTheConfirmationThenEmptiness) {
    setStoredCode(QStringLiteral("Ancien"));
    const QString wrongOld = QStringLiteral("L'ancien mot de passe est incorrect.");
    const QString differ = QStringLiteral("Les nouveaux mots de passe ne correspondent pas.");
    const QString empty = QStringLiteral("Le nouveau mot de passe ne peut pas être vide.");
    const struct {
        QString oldCode, newCode, confirmation, message;
    } cases[] = {
        // Every rule fails here; the old code's comes first.
        {"ancien", " ", "", wrongOld},
        // The old code is compared as typed, untrimmed.
        {"Ancien ", "Neuf", "Neuf", wrongOld},
        {"", "Neuf", "Neuf", wrongOld},
        {"Ancien", " ", "", differ},
        {"Ancien", "Neuf", "neuf", differ},
        {"Ancien", "Neuf ", "Neuf", differ},
        {"Ancien", " \n ", " \n ", empty},
        {"Ancien", "", "", empty},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(change(c.oldCode, c.newCode, c.confirmation).error(), c.message)
            << c.oldCode.toStdString() << " / " << c.newCode.toStdString();
        EXPECT_EQ(model.error(), c.message);
    }
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Ancien"));
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
}

TEST_F(ChangeCodeModelTest, StoresTheTrimmedNewCodeSavesAndClosesTheSheet) {
    // A first code, with the old field left empty.
    ASSERT_TRUE(change(QString(), QStringLiteral("Ancien"), QStringLiteral("Ancien")).ok());
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Ancien"));
    ASSERT_FALSE(change(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("y")).ok());
    const Result<> result =
        change(QStringLiteral("Ancien"), QStringLiteral("  Neuf\n"), QStringLiteral("  Neuf\n"));
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(model.error(), QString());
    EXPECT_FALSE(model.hasUnsavedInput());
    EXPECT_EQ(store->preferences().appPassword, QStringLiteral("Neuf"));
    EXPECT_EQ(codeOnDisk(), QStringLiteral("Neuf"));
}

TEST_F(ChangeCodeModelTest, AFailedSaveKeepsTheOldCodeAndTheInput) {
    setStoredCode(QStringLiteral("Ancien"));
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result =
        change(QStringLiteral("Ancien"), QStringLiteral("Neuf"), QStringLiteral("Neuf"));
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_FALSE(result.error().isEmpty());
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

} // namespace
