#include "core/security/ChangeCodeModel.h"
#include "SecurityStoreFixture.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

class ChangeCodeModelTest : public SecurityStoreFixture {
protected:
    Result<> change(const QString& oldCode, const QString& newCode, const QString& confirmation) {
        model.oldCode = oldCode;
        model.newCode = newCode;
        model.confirmation = confirmation;
        return store->edit([&](SessionEdit& e) { return model.apply(e); });
    }
    ChangeCodeModel model;
};

TEST_F(ChangeCodeModelTest, ChecksTheOldCodeThenTheConfirmationThenEmptiness) {
    setStoredCode(u"Ancien"_s);
    const QString wrongOld = u"L'ancien mot de passe est incorrect."_s;
    const QString differ = u"Les nouveaux mots de passe ne correspondent pas."_s;
    const QString empty = u"Le nouveau mot de passe ne peut pas être vide."_s;
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
    EXPECT_EQ(store->preferences().appPassword, u"Ancien"_s);
    EXPECT_EQ(codeOnDisk(), u"Ancien"_s);
}

TEST_F(ChangeCodeModelTest, StoresTheTrimmedNewCodeSavesAndClosesTheSheet) {
    // A first code, with the old field left empty.
    ASSERT_TRUE(change(QString(), u"Ancien"_s, u"Ancien"_s).ok());
    EXPECT_EQ(codeOnDisk(), u"Ancien"_s);
    ASSERT_FALSE(change(u"x"_s, u"y"_s, u"y"_s).ok());
    const Result<> result = change(u"Ancien"_s, u"  Neuf\n"_s, u"  Neuf\n"_s);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(model.error(), QString());
    EXPECT_FALSE(model.hasUnsavedInput());
    EXPECT_EQ(store->preferences().appPassword, u"Neuf"_s);
    EXPECT_EQ(codeOnDisk(), u"Neuf"_s);
}

TEST_F(ChangeCodeModelTest, AFailedSaveKeepsTheOldCodeAndTheInput) {
    setStoredCode(u"Ancien"_s);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result = change(u"Ancien"_s, u"Neuf"_s, u"Neuf"_s);
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(store->preferences().appPassword, u"Ancien"_s);
    EXPECT_EQ(model.newCode, u"Neuf"_s);
    m_fs.heal();
    EXPECT_EQ(codeOnDisk(), u"Ancien"_s);
}

TEST_F(ChangeCodeModelTest, AsksBeforeLeavingOnlyWithInput) {
    EXPECT_FALSE(model.hasUnsavedInput());
    model.confirmation = u" "_s;
    EXPECT_TRUE(model.hasUnsavedInput());
    model.reset();
    EXPECT_FALSE(model.hasUnsavedInput());
    model.oldCode = u"a"_s;
    EXPECT_TRUE(model.hasUnsavedInput());
}

} // namespace
