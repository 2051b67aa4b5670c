// The external tools vault: the lock and its trimmed, case-sensitive code,
// the code settings' order of checks and messages, the tool form and the
// clipboard that forgets a copied password.

#include "SecurityStoreFixture.h"
#include "core/platform/Clipboard.h"
#include "core/security/ExternalToolForm.h"
#include "core/security/VaultClipboard.h"
#include "core/security/VaultCodeSettings.h"
#include "core/security/VaultLock.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

class VaultTest : public SecurityStoreFixture {
protected:
    void setVaultCode(const QString& code) {
        test::changeSession(
            *store, [&](SessionEdit& e) { e.preferences().externalToolsAccessCode = code; });
    }
    Result<> settle(const QString& oldCode, const QString& newCode, const QString& confirmation,
                    bool remove = false) {
        settings.oldCode = oldCode;
        settings.newCode = newCode;
        settings.confirmation = confirmation;
        return store->edit(
            [&](SessionEdit& e) { return remove ? settings.remove(e) : settings.apply(e); });
    }
    QString storedCode() { return store->preferences().externalToolsAccessCode; }

    VaultCodeSettings settings;
};

TEST_F(VaultTest, LockMatchesTheTrimmedCodeCaseIncluded) {
    setVaultCode(u"  Secret42\n"_s);
    VaultLock lock;
    EXPECT_EQ(lock.panel(store->preferences()), VaultLock::Panel::locked);
    for (const QString& wrong : {u"secret42"_s, u"Secret4"_s, u""_s}) {
        lock.typed = wrong;
        EXPECT_FALSE(lock.unlock(store->preferences()));
        EXPECT_EQ(lock.error(), u"Code incorrect."_s);
    }
    lock.continueWithoutCode(store->preferences()); // not offered with a code
    EXPECT_FALSE(lock.isUnlocked());
    lock.typed = u"Secret42 "_s;
    EXPECT_TRUE(lock.unlock(store->preferences()));
    EXPECT_TRUE(lock.typed.isEmpty());
    EXPECT_TRUE(lock.error().isEmpty());
    EXPECT_EQ(lock.panel(store->preferences()), VaultLock::Panel::open);
    lock.lock();
    EXPECT_EQ(lock.panel(store->preferences()), VaultLock::Panel::locked);

    setVaultCode(u" \n"_s); // blanks are no code
    EXPECT_EQ(lock.panel(store->preferences()), VaultLock::Panel::noCode);
    lock.continueWithoutCode(store->preferences());
    EXPECT_EQ(lock.panel(store->preferences()), VaultLock::Panel::open);
}

TEST_F(VaultTest, CodeSettingsCheckInOrderThenSaveAndClear) {
    const QString wrongOld = u"L'ancien code n'est pas correct."_s;
    const QString empty = u"Le code ne peut pas être vide."_s;
    const QString differ = u"La confirmation ne correspond pas."_s;
    // No code yet: the old field plays no part.
    EXPECT_EQ(settle(u"n'importe"_s, u" "_s, u"x"_s).error(), empty);
    EXPECT_EQ(settle(u""_s, u"Neuf"_s, u"neuf"_s).error(), differ);
    ASSERT_TRUE(settle(u""_s, u" Neuf\n"_s, u"Neuf"_s).ok());
    EXPECT_EQ(settings.success(), u"Le code a bien été défini."_s);
    EXPECT_TRUE(settings.newCode.isEmpty() && settings.confirmation.isEmpty());
    EXPECT_EQ(storedCode(), u"Neuf"_s);

    const struct {
        QString oldCode, newCode, confirmation, message;
    } refused[] = {
        {u"neuf"_s, u""_s, u"x"_s, wrongOld}, // every rule fails: the old code first
        {u"Neuf "_s, u""_s, u"x"_s, empty},
        {u"Neuf"_s, u"Autre"_s, u"Autre2"_s, differ},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(settle(c.oldCode, c.newCode, c.confirmation).error(), c.message);
        EXPECT_EQ(settings.error(), c.message);
        EXPECT_TRUE(settings.success().isEmpty());
    }
    ASSERT_TRUE(settle(u"Neuf"_s, u"Autre"_s, u"Autre"_s).ok());
    EXPECT_EQ(settings.success(), u"Le code a bien été modifié."_s);
    EXPECT_TRUE(settings.error().isEmpty());

    const QString confirmRemoval = u"Saisissez l'ancien code pour confirmer la suppression."_s;
    EXPECT_EQ(settle(u"Neuf"_s, {}, {}, true).error(), confirmRemoval);
    EXPECT_EQ(storedCode(), u"Autre"_s);
    ASSERT_TRUE(settle(u" Autre"_s, {}, {}, true).ok());
    EXPECT_EQ(settings.success(), u"Le code a été supprimé."_s);
    EXPECT_TRUE(storedCode().isEmpty());
    EXPECT_TRUE(readSession(workingCopy()).preferences.externalToolsAccessCode.isEmpty());
    EXPECT_EQ(settle(u""_s, {}, {}, true).error(), confirmRemoval); // nothing to remove
}

TEST_F(VaultTest, ToolFormKeepsThePasswordAsTypedAndDeletesWithItsName) {
    ExternalToolForm form(QDateTime::currentDateTimeUtc());
    form.fields.name = u"  "_s;
    form.fields.password = u" clé avec espaces "_s;
    form.fields.tagIDs = {QUuid::createUuid()}; // a tag the session does not know
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return form.apply(e); }).ok());
    ASSERT_EQ(store->externalTools().size(), 1);
    const ExternalTool saved = store->externalTools().first();
    EXPECT_EQ(saved.password, u" clé avec espaces "_s);
    EXPECT_TRUE(saved.tagIDs.isEmpty());
    EXPECT_FALSE(form.isNew());
    EXPECT_EQ(externalToolDeletion(saved).message,
              u"L’outil « Sans nom » sera supprimé définitivement (identifiants, mot de passe, "
              u"lien)."_s);
    EXPECT_EQ(store->edit([&](SessionEdit& e) { return form.apply(e); }).kind(),
              ResultKind::unchanged);
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return deleteExternalTool(e, saved.id); }).ok());
    EXPECT_TRUE(store->externalTools().isEmpty());
    EXPECT_FALSE(store->edit([&](SessionEdit& e) { return deleteExternalTool(e, saved.id); }).ok());
}

TEST(Vault, AddressesOpenOnlyWebPages) {
    const QList<std::pair<QString, QString>> cases = {
        {u"app.example.org/login"_s, u"https://app.example.org/login"_s},
        {u" http://intranet.local "_s, u"http://intranet.local"_s},
        {u"HTTPS://Example.org"_s, u"https://example.org"_s},
        {u""_s, u""_s},
        {u"javascript:alert(1)"_s, u""_s},
        {u"file:///etc/passwd"_s, u""_s},
    };
    for (const auto& [typed, opened] : cases) {
        ExternalTool tool;
        tool.websiteURL = typed;
        const std::optional<QUrl> url = externalToolAddress(tool);
        EXPECT_EQ(url ? url->toString() : QString(), opened) << typed.toStdString();
    }
}

class MemoryClipboard final : public Clipboard {
public:
    void setText(const QString& t, bool s) override { held = t, secret = s; }
    QString text() const override { return held; }
    void clear() override { held.clear(), secret = false; }
    QString held;
    bool secret = false;
};

TEST(Vault, ACopiedPasswordIsSecretAndClearedOnlyIfStillThere) {
    MemoryClipboard clipboard;
    clipboard.held = u"texte de l'utilisateur"_s;
    VaultClipboard vault(clipboard);
    vault.copy(VaultField::login, u"moi@example.org"_s);
    EXPECT_EQ(clipboard.held, u"moi@example.org"_s);
    EXPECT_FALSE(clipboard.secret);
    EXPECT_FALSE(vault.clearSecret()); // a login stays
    vault.copy(VaultField::password, u"s3cret"_s);
    EXPECT_TRUE(clipboard.secret);
    EXPECT_TRUE(vault.clearSecret());
    EXPECT_TRUE(clipboard.held.isEmpty());
    vault.copy(VaultField::password, u"s3cret"_s);
    clipboard.held = u"copié depuis"_s; // the user copied something since
    EXPECT_FALSE(vault.clearSecret());
    EXPECT_EQ(clipboard.held, u"copié depuis"_s);
    EXPECT_EQ(VaultClipboard::confirmation(VaultField::password), u"Mot de passe copié"_s);
}

} // namespace
