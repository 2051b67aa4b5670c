#include "core/security/AccessCode.h"
#include "core/security/ChangeCodeModel.h"
#include "core/security/LockScreenModel.h"
#include "core/security/RecoveryModel.h"
#include "core/security/WizardSecuritySteps.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <utility>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

// SHA-256 of the UTF-8 bytes, computed here without the trimming and
// lower-casing under test.
QString sha256Hex(const QString& exact) {
    return QString::fromLatin1(
        QCryptographicHash::hash(exact.toUtf8(), QCryptographicHash::Sha256).toHex());
}

TEST(AnswerDigest, IgnoresCaseAndSurroundingSpacesButNotAccentsOrInnerSpaces) {
    // No-break space, em space, line separator and next line are spaces too.
    for (const QString& same : {u" Paris "_s, u"  paris  "_s, u"PARIS"_s, u"\t\nparis\r\n"_s,
                                u"\u00A0Paris\u2003"_s, u"\u2028Paris\u0085"_s})
        EXPECT_EQ(answerDigest(same), answerDigest(u"Paris"_s)) << same.toStdString();
    // A zero-width space is not white space: it stays part of the answer.
    for (const QString& other : {u"París"_s, u"Pa ris"_s, u"Pariss"_s, u"\u200BParis"_s})
        EXPECT_NE(answerDigest(other), answerDigest(u"Paris"_s)) << other.toStdString();
}

TEST(AnswerDigest, LowerCasesAllOfUnicodeWithoutFoldingDiacritics) {
    EXPECT_EQ(answerDigest(u"ÉCOLE"_s), sha256Hex(u"école"_s));
    EXPECT_NE(answerDigest(u"École"_s), answerDigest(u"ecole"_s));
    EXPECT_EQ(answerDigest(u"ΑΘΉΝΑ"_s), sha256Hex(u"αθήνα"_s));
    // Full lower-casing: the dotted capital I becomes two characters.
    EXPECT_EQ(answerDigest(u"İzmir"_s), sha256Hex(u"i\u0307zmir"_s));
}

TEST(AnswerDigest, IsTheSha256InLowerCaseHexOf64Digits) {
    // sha256("paris") as printed by sha256sum.
    EXPECT_EQ(answerDigest(u"paris"_s),
              u"1670f2e42fefa5044d59a65349e47c566009488fc57d7b4376dd5787b59e3c57"_s);
    static const QRegularExpression hex(u"^[0-9a-f]{64}$"_s);
    for (const QString& answer :
         {QString(), u" "_s, u"A"_s, u"Réponse 😀"_s, QString(10'000, QLatin1Char('Z'))})
        EXPECT_TRUE(hex.match(answerDigest(answer)).hasMatch()) << answer.size();
    EXPECT_EQ(answerDigest(QString()), answerDigest(u"   "_s));
}

TEST(CodeCheck, TrimsTheTypedCodeAndComparesCaseSensitively) {
    const QString code = u"Secret42"_s;
    for (const char* right : {"Secret42", "Secret42 ", "Secret42\n", "\tSecret42"})
        EXPECT_TRUE(isCodeCorrect(QString::fromUtf8(right), code)) << right;
    for (const char* wrong : {"secret42", "SECRET42", "Secret 42", "Secret4", ""})
        EXPECT_FALSE(isCodeCorrect(QString::fromUtf8(wrong), code)) << wrong;
}

TEST(PresetQuestions, AreTheTenProposedQuestionsInOrder) {
    const QStringList& presets = presetSecurityQuestions();
    ASSERT_EQ(presets.size(), 10);
    EXPECT_EQ(presets.first(), u"Quel est le prénom de votre premier animal de compagnie ?"_s);
    EXPECT_EQ(presets[1], u"Dans quelle ville êtes-vous né ?"_s);
    EXPECT_EQ(presets[6], u"Quel était le métier de votre mère ?"_s);
    EXPECT_EQ(presets.last(), u"Quelle est votre couleur préférée ?"_s);
    QStringList unique = presets;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

// The "Aucun" summary and the discard texts are checked where the settings
// page shows them (SettingsPageTexts).
TEST(SecurityTexts, AreExact) {
    const std::pair<QString, const char*> texts[] = {
        {ChangeCodeModel::title(), "Modifier le mot de passe"},
        {ChangeCodeModel::oldCodeLabel(), "Ancien mot de passe"},
        {ChangeCodeModel::newCodeLabel(), "Nouveau mot de passe"},
        {ChangeCodeModel::confirmationLabel(), "Confirmer le nouveau mot de passe"},
        {ChangeCodeModel::saveButton(), "Enregistrer"},
        {LockScreenModel::prompt(), "Entrez le code de votre session"},
        {LockScreenModel::placeholder(), "Code"},
        {LockScreenModel::validateButton(), "Valider"},
        {LockScreenModel::forgotLink(), "Mot de passe oublié ?"},
        {LockScreenModel::lockCommand(), "Verrouiller le logiciel"},
        {RecoveryModel::title(), "Récupération du code"},
        {RecoveryModel::backButton(), "Retour"},
        {RecoveryModel::newCodeLabel(), "Nouveau code"},
        {RecoveryModel::confirmationLabel(), "Confirmer le code"},
        {RecoveryModel::saveButton(), "Enregistrer"},
        {RecoveryModel::doneText(), "Utilisez votre nouveau code pour déverrouiller la session."},
        {RecoveryModel::unlockNowButton(), "Déverrouiller maintenant"},
        {AccessCodeStep::title(), "Code d'accès"},
        {AccessCodeStep::text(), "Créez un code pour protéger votre session.\nIl vous sera "
                                 "demandé à l'ouverture du logiciel."},
        {AccessCodeStep::confirmationLabel(), "Confirmer le code"},
        {AccessCodeStep::skipButton(), "Continuer sans code"},
        {SecurityQuestionsStep::title(), "Questions de sécurité"},
        {SecurityQuestionsStep::text(), "Ajoutez au moins une question de sécurité.\nElle vous "
                                        "permettra de récupérer votre code en cas d'oubli."},
        {SecurityQuestionsStep::pickerPrompt(), "Choisir une question…"},
        {SecurityQuestionsStep::customEntry(), "Question personnalisée…"},
        {SecurityQuestionsStep::customPlaceholder(), "Saisissez votre question…"},
        {SecurityQuestionsStep::addButton(), "Ajouter une question"},
        {SecurityQADraft::customMarker(), "__custom"},
        {SecurityQuestionsStep::hashingHelp(),
         "Les réponses sont hachées (SHA-256) — jamais stockées en clair."},
    };
    for (const auto& [actual, expected] : texts)
        EXPECT_EQ(actual, QString::fromUtf8(expected));
}

} // namespace
