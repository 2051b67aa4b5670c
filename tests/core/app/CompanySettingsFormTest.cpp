#include "core/app/CompanySettingsForm.h"
#include "SettingsStoreFixture.h"

using namespace velmora;
using namespace velmora::test;

namespace {

using Field = CompanySettingsForm::Field;

class CompanySettingsFormTest : public SettingsStoreFixture {
protected:
    CompanySettingsForm freshForm() const {
        return CompanySettingsForm(store->companySettings(), store->preferences());
    }
    // A picture file outside the session.
    QUrl pictureFile(const QString& name, const QByteArray& bytes = "\x89PNG logo") {
        const QString file = path(QStringLiteral("pictures/") + name);
        writeBytes(file, bytes);
        return QUrl::fromLocalFile(file);
    }
};

} // namespace

TEST(CompanyNumbers, SiretIsFourteenDigitsWhateverTheSpaces) {
    EXPECT_EQ(CompanySettingsForm::normalizedSiret(QStringLiteral("123 456 789 00012")),
              QStringLiteral("12345678900012"));
    EXPECT_EQ(CompanySettingsForm::normalizedSiret(QStringLiteral(" 12345678900012\n")),
              QStringLiteral("12345678900012"));
    // Non-breaking and narrow spaces, as pasted from a PDF.
    EXPECT_EQ(CompanySettingsForm::normalizedSiret(QStringLiteral("123\u00a0456\u202f789 00012")),
              QStringLiteral("12345678900012"));
    for (const QString& wrong :
         {QStringLiteral("1234567890001"), QStringLiteral("123456789000123"),
          QStringLiteral("1234567890001A"), QStringLiteral("123-456-789-00012"),
          QStringLiteral("١٢٣٤٥٦٧٨٩٠٠٠١٢"), QString()})
        EXPECT_EQ(CompanySettingsForm::normalizedSiret(wrong), std::nullopt) << wrong.toStdString();
}

TEST(CompanyNumbers, IbanIsCheckedModulo97AndGroupedByFour) {
    EXPECT_EQ(CompanySettingsForm::normalizedIban(QStringLiteral("fr7630006000011234567890189")),
              QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
    EXPECT_EQ(CompanySettingsForm::normalizedIban(QStringLiteral("GB82 WEST 1234 5698 7654 32")),
              QStringLiteral("GB82 WEST 1234 5698 7654 32"));
    // Shortest IBAN in use (Norway, 15 characters).
    EXPECT_EQ(CompanySettingsForm::normalizedIban(QStringLiteral("NO9386011117947")),
              QStringLiteral("NO93 8601 1117 947"));
    for (const QString& wrong : {
             QStringLiteral("FR76 3000 6000 0112 3456 7890 188"), // one digit wrong
             QStringLiteral("FR67 3000 6000 0112 3456 7890 189"), // check digits swapped
             QStringLiteral("NO938601111794"),                    // too short
             QStringLiteral("FR76 3000 6000 0112 3456 7890 189 0000 0000 0"), // too long
             QStringLiteral("7630006000011234567890189FR"),
             QStringLiteral("FR76-3000-6000-0112-3456-7890-189"),
         })
        EXPECT_EQ(CompanySettingsForm::normalizedIban(wrong), std::nullopt) << wrong.toStdString();
}

TEST(CompanyNumbers, BicHasEightOrElevenCharacters) {
    EXPECT_EQ(CompanySettingsForm::normalizedBic(QStringLiteral("bnpafrpp")),
              QStringLiteral("BNPAFRPP"));
    EXPECT_EQ(CompanySettingsForm::normalizedBic(QStringLiteral("BNPA FR PP XXX")),
              QStringLiteral("BNPAFRPPXXX"));
    EXPECT_EQ(CompanySettingsForm::normalizedBic(QStringLiteral("AGRIFRPP882")),
              QStringLiteral("AGRIFRPP882"));
    for (const QString& wrong :
         {QStringLiteral("BNPAFRP"), QStringLiteral("BNPAFRPPX"), QStringLiteral("BNPAFRPPXXXX"),
          QStringLiteral("BNP1FRPP"), QStringLiteral("BNPAFR-PP")})
        EXPECT_EQ(CompanySettingsForm::normalizedBic(wrong), std::nullopt) << wrong.toStdString();
}

TEST(CompanyTexts, LabelsAndPanel) {
    EXPECT_EQ(CompanySettingsForm::label(Field::displayName), QStringLiteral("Nom affiché\u00a0:"));
    EXPECT_EQ(CompanySettingsForm::label(Field::logo),
              QStringLiteral("Logo de l’entreprise\u00a0:"));
    const FilePanel panel = CompanySettingsForm::logoPanel();
    EXPECT_EQ(panel.mode, FilePanel::Mode::openFile);
    EXPECT_EQ(panel.extension, QStringLiteral("png svg jpg jpeg"));
}

TEST_F(CompanySettingsFormTest, ShowsTheSessionsValues) {
    CompanySettings company = store->companySettings();
    company.displayName = QStringLiteral("Studio Créatif");
    company.bankBIC = QStringLiteral("BNPAFRPP");
    store->setCompanySettings(company);
    const CompanySettingsForm form = freshForm();
    EXPECT_EQ(form.text(Field::displayName), QStringLiteral("Studio Créatif"));
    EXPECT_EQ(form.text(Field::bankBIC), QStringLiteral("BNPAFRPP"));
    EXPECT_EQ(form.text(Field::tvaNote), QStringLiteral("TVA non applicable, art. 293 B du CGI"));
    EXPECT_EQ(form.text(Field::lateChargeLineTitle), QStringLiteral("Frais de retard"));
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
        {Field::displayName, QStringLiteral("  Studio Créatif "), QStringLiteral("Studio Créatif")},
        {Field::ownerName, QStringLiteral("Camille Martin"), QStringLiteral("Camille Martin")},
        {Field::legalStatus, QStringLiteral("Micro-entrepreneur\n"),
         QStringLiteral("Micro-entrepreneur")},
        {Field::siret, QStringLiteral("123 456 789 00012"), QStringLiteral("12345678900012")},
        {Field::addressLine1, QStringLiteral("12 rue des Lilas"),
         QStringLiteral("12 rue des Lilas")},
        {Field::addressLine2, QStringLiteral("75011 Paris"), QStringLiteral("75011 Paris")},
        {Field::tvaNote, QString(), QString()},
        {Field::latePenaltyText, QStringLiteral("Pénalités : 3 fois le taux légal."),
         QStringLiteral("Pénalités : 3 fois le taux légal.")},
        {Field::additionalLegalText, QStringLiteral("Dispensé d’immatriculation.\n\n"),
         QStringLiteral("Dispensé d’immatriculation.")},
        {Field::bankName, QStringLiteral("Banque Populaire"), QStringLiteral("Banque Populaire")},
        {Field::bankAccountName, QStringLiteral("C. Martin"), QStringLiteral("C. Martin")},
        {Field::bankIBAN, QStringLiteral("fr76 3000 6000 0112 3456 7890 189"),
         QStringLiteral("FR76 3000 6000 0112 3456 7890 189")},
        {Field::bankBIC, QStringLiteral("bnpa frpp"), QStringLiteral("BNPAFRPP")},
        {Field::lateChargeLineTitle, QStringLiteral("Indemnité"), QStringLiteral("Indemnité")},
        {Field::lateChargeLineDescription, QStringLiteral("Retard de 30 jours"),
         QStringLiteral("Retard de 30 jours")},
    };
    for (const auto& c : cases)
        form.setText(c.field, c.typed);
    EXPECT_TRUE(form.hasChanges());
    const Result<> result = form.apply(*store);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();

    const CompanySettings written = onDisk().companySettings;
    EXPECT_EQ(written, store->companySettings());
    const CompanySettingsForm reread(written, store->preferences());
    for (const auto& c : cases) {
        EXPECT_EQ(reread.text(c.field), c.written) << int(c.field);
        EXPECT_EQ(form.text(c.field), c.written) << int(c.field);
    }
    EXPECT_FALSE(form.hasChanges());
    // Fields the form does not show are kept.
    EXPECT_EQ(written.legalTextOrder, CompanySettings::defaultLegalTextOrder());
}

TEST_F(CompanySettingsFormTest, KeepsFieldsItDoesNotShow) {
    CompanySettings company = store->companySettings();
    company.acceptedPaymentMethods = {QStringLiteral("Virement"), QStringLiteral("Chèque")};
    company.legalTextOrder = {QStringLiteral("additional"), QStringLiteral("latePenalty")};
    store->setCompanySettings(company);
    ASSERT_TRUE(store->save().ok());
    CompanySettingsForm form = freshForm();
    form.setText(Field::ownerName, QStringLiteral("Camille"));
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_EQ(onDisk().companySettings.acceptedPaymentMethods, company.acceptedPaymentMethods);
    EXPECT_EQ(onDisk().companySettings.legalTextOrder, company.legalTextOrder);
}

TEST_F(CompanySettingsFormTest, ReportsEachWrongFieldAndChangesNothing) {
    CompanySettingsForm form = freshForm();
    const QByteArray fileBefore = readBytes(workingCopy());
    const CompanySettings companyBefore = store->companySettings();
    form.setText(Field::displayName, QStringLiteral("Studio"));
    form.setText(Field::siret, QStringLiteral("123 456 789"));
    form.setText(Field::bankIBAN, QStringLiteral("FR76 3000 6000 0112 3456 7890 188"));
    form.setText(Field::bankBIC, QStringLiteral("BNPA"));
    form.setText(Field::lateChargeLineTitle, QStringLiteral("  "));
    const QList<CompanySettingsForm::FieldError> expected = {
        {Field::siret, QStringLiteral("Le SIRET doit comporter 14 chiffres.")},
        {Field::bankIBAN,
         QStringLiteral("L’IBAN n’est pas valide\u00a0: vérifiez les caractères saisis.")},
        {Field::bankBIC, QStringLiteral("Le BIC doit comporter 8 ou 11 lettres et chiffres.")},
        {Field::lateChargeLineTitle,
         QStringLiteral("Le titre de la ligne de frais de retard ne peut pas être vide.")},
    };
    EXPECT_EQ(form.errors(), expected);
    EXPECT_EQ(form.validate(), expected.first().message);

    const Result<> result = form.apply(*store);
    EXPECT_EQ(result.kind(), ResultKind::invalid);
    EXPECT_EQ(result.error(), expected.first().message);
    EXPECT_EQ(store->companySettings(), companyBefore);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);
    // The typed values stay for correction.
    EXPECT_EQ(form.text(Field::siret), QStringLiteral("123 456 789"));

    // Empty bank fields and SIRET are allowed.
    form.setText(Field::siret, QString());
    form.setText(Field::bankIBAN, QStringLiteral(" "));
    form.setText(Field::bankBIC, QString());
    form.setText(Field::lateChargeLineTitle, QStringLiteral("Frais"));
    EXPECT_EQ(form.errors(), QList<CompanySettingsForm::FieldError>());
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_EQ(onDisk().companySettings.bankIBAN, QString());
}

// The settings page writes each field as the user leaves it.
TEST_F(CompanySettingsFormTest, AppliesOneFieldAndLeavesTheOthersTyped) {
    // An older session may hold a SIRET these rules refuse: it is not
    // questioned until it is changed.
    CompanySettings company = store->companySettings();
    company.siret = QStringLiteral("12345");
    store->setCompanySettings(company);
    ASSERT_TRUE(store->save().ok());
    CompanySettingsForm form = freshForm();
    EXPECT_EQ(form.errors(), QList<CompanySettingsForm::FieldError>());

    form.setText(Field::ownerName, QStringLiteral(" Camille Martin "));
    form.setText(Field::bankBIC, QStringLiteral("BNPA"));
    ASSERT_TRUE(form.apply(Field::ownerName, *store).ok());
    EXPECT_EQ(onDisk().companySettings.ownerName, QStringLiteral("Camille Martin"));
    EXPECT_EQ(form.text(Field::ownerName), QStringLiteral("Camille Martin"));
    EXPECT_EQ(onDisk().companySettings.bankBIC, QString());
    EXPECT_EQ(form.text(Field::bankBIC), QStringLiteral("BNPA"));

    const QByteArray fileBefore = readBytes(workingCopy());
    const Result<> refused = form.apply(Field::bankBIC, *store);
    EXPECT_EQ(refused.kind(), ResultKind::invalid);
    EXPECT_EQ(refused.error(),
              QStringLiteral("Le BIC doit comporter 8 ou 11 lettres et chiffres."));
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);

    // Changed elsewhere: the untouched fields follow, the typed one stays.
    company = store->companySettings();
    company.displayName = QStringLiteral("Atelier");
    company.bankBIC = QStringLiteral("AGRIFRPP");
    store->setCompanySettings(company);
    form.refresh(store->companySettings(), store->preferences());
    EXPECT_EQ(form.text(Field::displayName), QStringLiteral("Atelier"));
    EXPECT_EQ(form.text(Field::bankBIC), QStringLiteral("BNPA"));
    EXPECT_TRUE(form.hasChanges(Field::bankBIC));
    EXPECT_FALSE(form.hasChanges(Field::displayName));
}

TEST_F(CompanySettingsFormTest, ImportsTheChosenLogoIntoTheSessionMedia) {
    const QByteArray bytes("\x89PNG\r\n the company logo");
    const QUrl source = pictureFile(QStringLiteral("logo.png"), bytes);
    CompanySettingsForm form = freshForm();
    EXPECT_EQ(form.chooseLogo(source), QString());
    EXPECT_EQ(form.logo(), source);
    EXPECT_TRUE(form.hasChanges());
    // Nothing happens to the session before the form is applied.
    EXPECT_EQ(store->preferences().invoiceLogoURL, std::nullopt);

    ASSERT_TRUE(form.apply(*store).ok());
    const std::optional<QUrl> logo = store->preferences().invoiceLogoURL;
    ASSERT_TRUE(logo.has_value());
    EXPECT_NE(*logo, source);
    EXPECT_TRUE(logo->toLocalFile().startsWith(store->mediaFolder() + QLatin1Char('/')));
    EXPECT_TRUE(QFileInfo(logo->toLocalFile()).fileName().startsWith(QStringLiteral("logo_")));
    EXPECT_TRUE(logo->toLocalFile().endsWith(QStringLiteral(".png")));
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
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_EQ(store->preferences().invoiceLogoURL, std::nullopt);
    EXPECT_EQ(onDisk().preferences.invoiceLogoURL, std::nullopt);
    EXPECT_TRUE(onDisk().embeddedMedia.isEmpty());
}

TEST_F(CompanySettingsFormTest, RefusesFilesThatCannotBeALogo) {
    CompanySettingsForm form = freshForm();
    const QUrl kept = pictureFile(QStringLiteral("logo.svg"), "<svg/>");
    ASSERT_EQ(form.chooseLogo(kept), QString());
    EXPECT_EQ(form.chooseLogo(pictureFile(QStringLiteral("logo.gif"))),
              QStringLiteral("Le logo doit être une image PNG, SVG ou JPEG."));
    EXPECT_EQ(form.chooseLogo(pictureFile(QStringLiteral("logo"))),
              QStringLiteral("Le logo doit être une image PNG, SVG ou JPEG."));
    EXPECT_EQ(form.chooseLogo(QUrl::fromLocalFile(path(QStringLiteral("absent.png")))),
              QStringLiteral("Le fichier choisi est introuvable."));
    EXPECT_EQ(form.chooseLogo(QUrl(QStringLiteral("https://example.com/logo.png"))),
              QStringLiteral("Le fichier choisi est introuvable."));
    // A refused file leaves the previous choice.
    EXPECT_EQ(form.logo(), kept);
    // Upper-case extensions are pictures too.
    EXPECT_EQ(form.chooseLogo(pictureFile(QStringLiteral("LOGO.JPEG"))), QString());
}

TEST_F(CompanySettingsFormTest, AFailedSaveLeavesTheSessionAndItsMediaAsTheyWere) {
    const QUrl source = pictureFile(QStringLiteral("logo.png"));
    CompanySettingsForm form = freshForm();
    form.setText(Field::displayName, QStringLiteral("Studio"));
    ASSERT_EQ(form.chooseLogo(source), QString());
    const CompanySettings companyBefore = store->companySettings();
    const AppPreferences prefsBefore = store->preferences();
    const QByteArray fileBefore = readBytes(workingCopy());

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> result = form.apply(*store);
    EXPECT_EQ(result.kind(), ResultKind::notSaved);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(store->companySettings(), companyBefore);
    EXPECT_EQ(store->preferences(), prefsBefore);
    EXPECT_EQ(readBytes(workingCopy()), fileBefore);
    // The copy made for the failed attempt is gone.
    EXPECT_TRUE(QDir(store->mediaFolder()).entryList(QDir::Files).isEmpty());
    // The input stays for another try.
    EXPECT_EQ(form.text(Field::displayName), QStringLiteral("Studio"));
    EXPECT_EQ(form.logo(), source);

    m_fs.heal();
    ASSERT_TRUE(form.apply(*store).ok());
    EXPECT_EQ(onDisk().companySettings.displayName, QStringLiteral("Studio"));
    EXPECT_EQ(onDisk().embeddedMedia.size(), 1);
}
