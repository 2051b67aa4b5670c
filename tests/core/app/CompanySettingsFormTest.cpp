#include "core/app/CompanySettingsForm.h"
#include "support/MirroredStoreFixture.h"
#include "support/QtPrinters.h"
#include "support/SessionChange.h"

using namespace velmora;
using namespace Qt::StringLiterals;
using namespace velmora::test;

namespace {

using Field = CompanySettingsForm::Field;

class CompanySettingsFormTest : public MirroredStoreFixture {
protected:
    CompanySettingsForm freshForm() const {
        return CompanySettingsForm(store->companySettings(), store->preferences());
    }
    // A picture file outside the session.
    QUrl pictureFile(const QString& name, const QByteArray& bytes = "\x89PNG logo") {
        const QString file = path(u"pictures/"_s + name);
        writeBytes(file, bytes);
        return QUrl::fromLocalFile(file);
    }
};

} // namespace

TEST(CompanyNumbers, SiretIsFourteenDigitsWhateverTheSpaces) {
    EXPECT_EQ(CompanySettingsForm::normalizedSiret(u"123 456 789 00012"_s), u"12345678900012"_s);
    EXPECT_EQ(CompanySettingsForm::normalizedSiret(u" 12345678900012\n"_s), u"12345678900012"_s);
    // Non-breaking and narrow spaces, as pasted from a PDF.
    EXPECT_EQ(CompanySettingsForm::normalizedSiret(u"123\u00a0456\u202f789 00012"_s),
              u"12345678900012"_s);
    for (const QString& wrong : {u"1234567890001"_s, u"123456789000123"_s, u"1234567890001A"_s,
                                 u"123-456-789-00012"_s, u"١٢٣٤٥٦٧٨٩٠٠٠١٢"_s, QString()})
        EXPECT_EQ(CompanySettingsForm::normalizedSiret(wrong), std::nullopt) << wrong.toStdString();
}

TEST(CompanyNumbers, IbanIsCheckedModulo97AndGroupedByFour) {
    EXPECT_EQ(CompanySettingsForm::normalizedIban(u"fr7630006000011234567890189"_s),
              u"FR76 3000 6000 0112 3456 7890 189"_s);
    EXPECT_EQ(CompanySettingsForm::normalizedIban(u"GB82 WEST 1234 5698 7654 32"_s),
              u"GB82 WEST 1234 5698 7654 32"_s);
    // Shortest IBAN in use (Norway, 15 characters).
    EXPECT_EQ(CompanySettingsForm::normalizedIban(u"NO9386011117947"_s), u"NO93 8601 1117 947"_s);
    for (const QString& wrong : {
             u"FR76 3000 6000 0112 3456 7890 188"_s,             // one digit wrong
             u"FR67 3000 6000 0112 3456 7890 189"_s,             // check digits swapped
             u"NO938601111794"_s,                                // too short
             u"FR76 3000 6000 0112 3456 7890 189 0000 0000 0"_s, // too long
             u"7630006000011234567890189FR"_s,
             u"FR76-3000-6000-0112-3456-7890-189"_s,
         })
        EXPECT_EQ(CompanySettingsForm::normalizedIban(wrong), std::nullopt) << wrong.toStdString();
}

TEST(CompanyNumbers, BicHasEightOrElevenCharacters) {
    EXPECT_EQ(CompanySettingsForm::normalizedBic(u"bnpafrpp"_s), u"BNPAFRPP"_s);
    EXPECT_EQ(CompanySettingsForm::normalizedBic(u"BNPA FR PP XXX"_s), u"BNPAFRPPXXX"_s);
    EXPECT_EQ(CompanySettingsForm::normalizedBic(u"AGRIFRPP882"_s), u"AGRIFRPP882"_s);
    for (const QString& wrong :
         {u"BNPAFRP"_s, u"BNPAFRPPX"_s, u"BNPAFRPPXXXX"_s, u"BNP1FRPP"_s, u"BNPAFR-PP"_s})
        EXPECT_EQ(CompanySettingsForm::normalizedBic(wrong), std::nullopt) << wrong.toStdString();
}

TEST(CompanyTexts, LabelsAndPanel) {
    EXPECT_EQ(CompanySettingsForm::label(Field::displayName), u"Nom affiché\u00a0:"_s);
    EXPECT_EQ(CompanySettingsForm::label(Field::logo), u"Logo de l’entreprise\u00a0:"_s);
    const FilePanel panel = CompanySettingsForm::logoPanel();
    EXPECT_EQ(panel.mode, FilePanel::Mode::openFile);
    EXPECT_EQ(panel.extension, u"png svg jpg jpeg"_s);
}

TEST_F(CompanySettingsFormTest, ShowsTheSessionsValues) {
    CompanySettings company = store->companySettings();
    company.displayName = u"Studio Créatif"_s;
    company.bankBIC = u"BNPAFRPP"_s;
    test::changeSession(*store, [&](SessionEdit& e) { e.companySettings() = company; });
    const CompanySettingsForm form = freshForm();
    EXPECT_EQ(form.text(Field::displayName), u"Studio Créatif"_s);
    EXPECT_EQ(form.text(Field::bankBIC), u"BNPAFRPP"_s);
    EXPECT_EQ(form.text(Field::tvaNote), u"TVA non applicable, art. 293 B du CGI"_s);
    EXPECT_EQ(form.text(Field::lateChargeLineTitle), u"Frais de retard"_s);
    EXPECT_EQ(form.logo(), std::nullopt);
    EXPECT_FALSE(form.hasChanges());
    EXPECT_EQ(form.validate(), QString());
}

TEST_F(CompanySettingsFormTest, WritesEveryFieldTrimmedAndNormalised) {
    CompanySettingsForm form = freshForm();
    const struct {
        Field field;
        QString typed;
        QString written;
    } cases[] = {
        {Field::displayName, u"  Studio Créatif "_s, u"Studio Créatif"_s},
        {Field::ownerName, u"Camille Martin"_s, u"Camille Martin"_s},
        {Field::legalStatus, u"Micro-entrepreneur\n"_s, u"Micro-entrepreneur"_s},
        {Field::siret, u"123 456 789 00012"_s, u"12345678900012"_s},
        {Field::addressLine1, u"12 rue des Lilas"_s, u"12 rue des Lilas"_s},
        {Field::addressLine2, u"75011 Paris"_s, u"75011 Paris"_s},
        {Field::tvaNote, QString(), QString()},
        {Field::latePenaltyText, u"Pénalités : 3 fois le taux légal."_s,
         u"Pénalités : 3 fois le taux légal."_s},
        {Field::additionalLegalText, u"Dispensé d’immatriculation.\n\n"_s,
         u"Dispensé d’immatriculation."_s},
        {Field::bankName, u"Banque Populaire"_s, u"Banque Populaire"_s},
        {Field::bankAccountName, u"C. Martin"_s, u"C. Martin"_s},
        {Field::bankIBAN, u"fr76 3000 6000 0112 3456 7890 189"_s,
         u"FR76 3000 6000 0112 3456 7890 189"_s},
        {Field::bankBIC, u"bnpa frpp"_s, u"BNPAFRPP"_s},
        {Field::lateChargeLineTitle, u"Indemnité"_s, u"Indemnité"_s},
        {Field::lateChargeLineDescription, u"Retard de 30 jours"_s, u"Retard de 30 jours"_s},
    };
    for (const auto& c : cases)
        form.setText(c.field, c.typed);
    EXPECT_TRUE(form.hasChanges());
    const Result<> result = test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); });
    ASSERT_TRUE(result.ok()) << result.error().toStdString();

    const CompanySettings written = onDisk().companySettings;
    EXPECT_EQ(written, store->companySettings());
    const CompanySettingsForm reread(written, store->preferences());
    for (const auto& c : cases) {
        EXPECT_EQ(reread.text(c.field), c.written) << int(c.field);
        EXPECT_EQ(form.text(c.field), c.written) << int(c.field);
    }
    EXPECT_FALSE(form.hasChanges());
}

TEST_F(CompanySettingsFormTest, KeepsFieldsItDoesNotShow) {
    CompanySettings company = store->companySettings();
    company.acceptedPaymentMethods = {u"Virement"_s, u"Chèque"_s};
    company.legalTextOrder = {u"additional"_s, u"latePenalty"_s};
    test::changeSession(*store, [&](SessionEdit& e) { e.companySettings() = company; });
    ASSERT_TRUE(store->save().ok());
    CompanySettingsForm form = freshForm();
    form.setText(Field::ownerName, u"Camille"_s);
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_EQ(onDisk().companySettings.acceptedPaymentMethods, company.acceptedPaymentMethods);
    EXPECT_EQ(onDisk().companySettings.legalTextOrder, company.legalTextOrder);
}

TEST_F(CompanySettingsFormTest, ReportsEachWrongFieldAndChangesNothing) {
    CompanySettingsForm form = freshForm();
    const QByteArray fileBefore = readBytes(workingCopy());
    const CompanySettings companyBefore = store->companySettings();
    form.setText(Field::displayName, u"Studio"_s);
    form.setText(Field::siret, u"123 456 789"_s);
    form.setText(Field::bankIBAN, u"FR76 3000 6000 0112 3456 7890 188"_s);
    form.setText(Field::bankBIC, u"BNPA"_s);
    form.setText(Field::lateChargeLineTitle, u"  "_s);
    const QList<CompanySettingsForm::FieldError> expected = {
        {Field::siret, u"Le SIRET doit comporter 14 chiffres."_s},
        {Field::bankIBAN, u"L’IBAN n’est pas valide\u00a0: vérifiez les caractères saisis."_s},
        {Field::bankBIC, u"Le BIC doit comporter 8 ou 11 lettres et chiffres."_s},
        {Field::lateChargeLineTitle,
         u"Le titre de la ligne de frais de retard ne peut pas être vide."_s},
    };
    EXPECT_EQ(form.errors(), expected);
    EXPECT_EQ(form.validate(), expected.first().message);

    const Result<> result = test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::invalid);
    EXPECT_EQ(result.error(), expected.first().message);
    EXPECT_EQ(store->companySettings(), companyBefore);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);
    // The typed values stay for correction.
    EXPECT_EQ(form.text(Field::siret), u"123 456 789"_s);

    // Empty bank fields and SIRET are allowed.
    form.setText(Field::siret, QString());
    form.setText(Field::bankIBAN, u" "_s);
    form.setText(Field::bankBIC, QString());
    form.setText(Field::lateChargeLineTitle, u"Frais"_s);
    EXPECT_EQ(form.errors(), QList<CompanySettingsForm::FieldError>());
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_EQ(onDisk().companySettings.bankIBAN, QString());
}

// The settings page writes each field as the user leaves it.
TEST_F(CompanySettingsFormTest, AppliesOneFieldAndLeavesTheOthersTyped) {
    // An older session may hold a SIRET these rules refuse: it is not
    // questioned until it is changed.
    CompanySettings company = store->companySettings();
    company.siret = u"12345"_s;
    test::changeSession(*store, [&](SessionEdit& e) { e.companySettings() = company; });
    ASSERT_TRUE(store->save().ok());
    CompanySettingsForm form = freshForm();
    EXPECT_EQ(form.errors(), QList<CompanySettingsForm::FieldError>());

    form.setText(Field::ownerName, u" Camille Martin "_s);
    form.setText(Field::bankBIC, u"BNPA"_s);
    ASSERT_TRUE(
        test::inEdit(*store, [&](SessionEdit& e) { return form.apply(Field::ownerName, e); }).ok());
    EXPECT_EQ(onDisk().companySettings.ownerName, u"Camille Martin"_s);
    EXPECT_EQ(form.text(Field::ownerName), u"Camille Martin"_s);
    EXPECT_EQ(onDisk().companySettings.bankBIC, QString());
    EXPECT_EQ(form.text(Field::bankBIC), u"BNPA"_s);

    const QByteArray fileBefore = readBytes(workingCopy());
    const Result<> refused =
        test::inEdit(*store, [&](SessionEdit& e) { return form.apply(Field::bankBIC, e); });
    EXPECT_EQ(refused.kind(), ResultKind::invalid);
    EXPECT_EQ(refused.error(), u"Le BIC doit comporter 8 ou 11 lettres et chiffres."_s);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);

    // Changed elsewhere: the untouched fields follow, the typed one stays.
    company = store->companySettings();
    company.displayName = u"Atelier"_s;
    company.bankBIC = u"AGRIFRPP"_s;
    test::changeSession(*store, [&](SessionEdit& e) { e.companySettings() = company; });
    form.refresh(store->companySettings(), store->preferences());
    EXPECT_EQ(form.text(Field::displayName), u"Atelier"_s);
    EXPECT_EQ(form.text(Field::bankBIC), u"BNPA"_s);
    EXPECT_TRUE(form.hasChanges(Field::bankBIC));
    EXPECT_FALSE(form.hasChanges(Field::displayName));
}

TEST_F(CompanySettingsFormTest, ImportsTheChosenLogoIntoTheSessionMedia) {
    const QByteArray bytes("\x89PNG\r\n the company logo");
    const QUrl source = pictureFile(u"logo.png"_s, bytes);
    CompanySettingsForm form = freshForm();
    EXPECT_EQ(form.chooseLogo(source), QString());
    EXPECT_EQ(form.logo(), source);
    EXPECT_TRUE(form.hasChanges());
    // Nothing happens to the session before the form is applied.
    EXPECT_EQ(store->preferences().invoiceLogoURL, std::nullopt);

    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    const std::optional<QUrl> logo = store->preferences().invoiceLogoURL;
    ASSERT_TRUE(logo.has_value());
    EXPECT_NE(*logo, source);
    EXPECT_TRUE(logo->toLocalFile().startsWith(store->mediaFolder() + QLatin1Char('/')));
    EXPECT_TRUE(QFileInfo(logo->toLocalFile()).fileName().startsWith(u"logo_"_s));
    EXPECT_TRUE(logo->toLocalFile().endsWith(u".png"_s));
    EXPECT_EQ(readBytes(logo->toLocalFile()), bytes);
    const AppDatabase written = onDisk();
    EXPECT_EQ(written.preferences.invoiceLogoURL, logo);
    ASSERT_EQ(written.embeddedMedia.size(), 1);
    EXPECT_EQ(written.embeddedMedia.first().decoded(), bytes);
    EXPECT_EQ(form.logo(), logo);
    EXPECT_FALSE(form.hasChanges());

    // "Supprimer" leaves documents without a logo and the file without it.
    form.removeLogo();
    EXPECT_EQ(form.logo(), std::nullopt);
    EXPECT_TRUE(form.hasChanges());
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_EQ(store->preferences().invoiceLogoURL, std::nullopt);
    EXPECT_EQ(onDisk().preferences.invoiceLogoURL, std::nullopt);
    EXPECT_TRUE(onDisk().embeddedMedia.isEmpty());
}

TEST_F(CompanySettingsFormTest, RefusesFilesThatCannotBeALogo) {
    CompanySettingsForm form = freshForm();
    const QUrl kept = pictureFile(u"logo.svg"_s, "<svg/>");
    ASSERT_EQ(form.chooseLogo(kept), QString());
    EXPECT_EQ(form.chooseLogo(pictureFile(u"logo.gif"_s)),
              u"Le logo doit être une image PNG, SVG ou JPEG."_s);
    EXPECT_EQ(form.chooseLogo(pictureFile(u"logo"_s)),
              u"Le logo doit être une image PNG, SVG ou JPEG."_s);
    EXPECT_EQ(form.chooseLogo(QUrl::fromLocalFile(path(u"absent.png"_s))),
              u"Le fichier choisi est introuvable."_s);
    EXPECT_EQ(form.chooseLogo(QUrl(u"https://example.com/logo.png"_s)),
              u"Le fichier choisi est introuvable."_s);
    // A refused file leaves the previous choice.
    EXPECT_EQ(form.logo(), kept);
    // Upper-case extensions are pictures too.
    EXPECT_EQ(form.chooseLogo(pictureFile(u"LOGO.JPEG"_s)), QString());
}

TEST_F(CompanySettingsFormTest, AFailedSaveLeavesTheSessionAndItsMediaAsTheyWere) {
    const QUrl source = pictureFile(u"logo.png"_s);
    CompanySettingsForm form = freshForm();
    form.setText(Field::displayName, u"Studio"_s);
    ASSERT_EQ(form.chooseLogo(source), QString());
    const CompanySettings companyBefore = store->companySettings();
    const AppPreferences prefsBefore = store->preferences();
    const QByteArray fileBefore = readBytes(workingCopy());

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result = test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); });
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(store->companySettings(), companyBefore);
    EXPECT_EQ(store->preferences(), prefsBefore);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);
    // The copy made for the failed attempt is gone.
    EXPECT_TRUE(QDir(store->mediaFolder()).entryList(QDir::Files).isEmpty());
    // The input stays for another try.
    EXPECT_EQ(form.text(Field::displayName), u"Studio"_s);
    EXPECT_EQ(form.logo(), source);

    m_fs.heal();
    ASSERT_TRUE(test::inEdit(*store, [&](SessionEdit& e) { return form.apply(e); }).ok());
    EXPECT_EQ(onDisk().companySettings.displayName, u"Studio"_s);
    EXPECT_EQ(onDisk().embeddedMedia.size(), 1);
}
