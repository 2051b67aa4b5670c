// The document e-mail, payment reminders and their mailto: links.

#include "DocumentsFixture.h"

#include "core/documents/DocumentMail.h"
#include "support/FakeMailServices.h"
#include "support/SessionChange.h"

#include <gtest/gtest.h>

#include <QUrlQuery>

using namespace velmora;
using namespace velmora::test;

namespace {

DocumentParties parties(const QString& name, const QString& owner,
                        const QString& email = u"compta@verdier.fr"_s) {
    DocumentParties p;
    p.company.displayName = name;
    p.company.ownerName = owner;
    ClientItem client;
    client.email = email;
    p.client = client;
    return p;
}

TEST(DocumentMail, SignatureAndDocumentEmail) {
    EXPECT_EQ(emailSignature(parties(u" Atelier Lumen "_s, u"Camille Moreau\n"_s).company),
              u"Atelier Lumen\nCamille Moreau");
    EXPECT_EQ(emailSignature(parties({}, u"Camille Moreau"_s).company), u"Camille Moreau");
    EXPECT_EQ(emailSignature(parties(u" \t"_s, {}).company), u"Votre prestataire");

    CommercialDocumentItem invoice = document(CommercialDocumentKind::invoice, u"F-2025-014"_s);
    DocumentEmail email = composeDocumentEmail(invoice, parties(u"Atelier Lumen"_s, {}));
    EXPECT_EQ(email.subject, u"Facture F-2025-014 — Atelier Lumen");
    EXPECT_EQ(email.body, u"Bonjour,\n\nVeuillez trouver ci-joint la facture F-2025-014.\n\n"
                          u"Cordialement,\nAtelier Lumen");
    EXPECT_EQ(email.recipients, QStringList{u"compta@verdier.fr"_s});

    const CommercialDocumentItem quote = document(CommercialDocumentKind::quote, u"D-7"_s);
    email = composeDocumentEmail(quote, parties({}, {}, u"  "_s));
    EXPECT_EQ(email.subject, u"Devis D-7");
    EXPECT_EQ(email.body, u"Bonjour,\n\nVeuillez trouver ci-joint le devis D-7.\n\n"
                          u"Cordialement,\nVotre prestataire");
    EXPECT_TRUE(email.recipients.isEmpty());
}

TEST(DocumentMail, ReminderBodies) {
    CommercialDocumentItem invoice =
        document(CommercialDocumentKind::invoice, u"F-9"_s, {serviceLine(1000)});
    Encaissement cheque = payment(300);
    cheque.date = localNoon(2025, 6, 1);
    cheque.paymentMethod = u"Chèque"_s;
    Encaissement cash = payment(100);
    cash.date = localNoon(2025, 1, 5);
    cash.paymentMethod = u" "_s;
    const QString paid = u"\nRèglements déjà reçus :\n• 1 juin 2025 : 300,00\u00a0€ "
                         "(Chèque)\n• 5 janv. 2025 : 100,00\u00a0€"_s;
    const QString onTime = u"Bonjour,\n\nNous vous contactons concernant votre "
                           "facture F-9 d'un montant total de 1\u202f000,00\u00a0€."
                           "\n%1\nUn solde de %2 reste à régler. Pourriez-vous "
                           "nous confirmer la date de règlement prévue ?\n\n"
                           "Cordialement,\n%3"_s;
    const QString late =
        u"Bonjour,\n\nSauf erreur de notre part, votre facture F-9 d'un montant total de "
        "1\u202f000,00\u00a0€ présente un solde impayé de %2 depuis %4.\n%1\nNous vous serions "
        "reconnaissants de bien vouloir procéder au règlement du solde de %2 dans les meilleurs "
        "délais.\n\nPassé ce délai, des pénalités de retard pourront être appliquées conformément "
        "à nos conditions générales de vente.\n\nCordialement,\n%3"_s;
    struct Case {
        qint64 daysLate;
        bool withPayments;
        QString company;
        QString expected;
    };
    const QString due = u"1\u202f000,00\u00a0€"_s;
    const QString rest = u"600,00\u00a0€"_s;
    const QList<Case> cases{
        {0, false, u"Atelier Lumen"_s, onTime.arg(QString(), due, u"Atelier Lumen"_s)},
        {0, true, {}, onTime.arg(paid, rest, u"Votre prestataire"_s)},
        {1, false, {}, late.arg(QString(), due, u"Votre prestataire"_s, u"1 jour"_s)},
        {2, true, u"Atelier Lumen"_s, late.arg(paid, rest, u"Atelier Lumen"_s, u"2 jours"_s)},
    };
    for (const Case& c : cases) {
        invoice.encaissements.clear();
        if (c.withPayments)
            invoice.encaissements = {cheque, cash};
        const PaymentReminder reminder =
            composeReminder(invoice, c.daysLate, parties(c.company, {}));
        EXPECT_EQ(reminder.subject, u"Relance : facture F-9 — solde restant à régler");
        EXPECT_EQ(reminder.body, c.expected) << c.daysLate << " " << c.withPayments;
    }
}

TEST(DocumentMail, MailtoLinkDecodesToTheExactTexts) {
    CommercialDocumentItem invoice =
        document(CommercialDocumentKind::invoice, u"F-1 #2"_s, {serviceLine(50)});
    const PaymentReminder reminder = composeReminder(
        invoice, 3, parties(u"Dupont & Fils"_s, u"100 % = 2+2 ; ok?"_s, u"a+b@verdier.fr"_s));
    ASSERT_TRUE(reminder.body.contains(u"Dupont & Fils\n100 % = 2+2 ; ok?"));
    EXPECT_TRUE(reminder.url.startsWith(u"mailto:a+b@verdier.fr?subject="));
    // Only the two separators stay raw; every "%" left starts an escape.
    const QString encoded = reminder.url.mid(reminder.url.indexOf(QLatin1Char('?')) + 1);
    EXPECT_EQ(encoded.count(QLatin1Char('&')), 1);
    EXPECT_EQ(encoded.count(QLatin1Char('=')), 2);
    for (const QChar raw : u"+# \n"_s)
        EXPECT_FALSE(encoded.contains(raw)) << "raw " << int(raw.unicode());
    const QUrl url = QUrl::fromEncoded(reminder.url.toLatin1(), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid());
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue(u"body"_s, QUrl::FullyDecoded), reminder.body);
    EXPECT_EQ(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), reminder.subject);
    EXPECT_EQ(url.path(), u"a+b@verdier.fr");

    FakeUrlOpener opener;
    EXPECT_TRUE(openReminder(opener, reminder));
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened.first().toEncoded(), reminder.url.toLatin1()) << "opened as built";
    EXPECT_FALSE(openReminder(opener, PaymentReminder{{}, {}, u"mailto:a b"_s}));
    EXPECT_EQ(opener.opened.size(), 1) << "an invalid link does nothing";
}

class SendDocumentTest : public DocumentsFixture {
protected:
    EmailOutcome send(const QUuid& id, QByteArray rendered = "%PDF-rendered") {
        const MailServices services{m_composer, m_opener, m_fs, path(u"tmp"_s)};
        return run(
                   sendDocumentByEmail, id, services,
                   [&](const CommercialDocumentItem& d, const DocumentParties& p) {
                       m_rendered.append({d.number, p.client ? p.client->company : QString()});
                       return rendered;
                   },
                   mediaFolderReader(m_fs, m_store->mediaFolder()), m_clock)
            .value();
    }
    QString sentKey(const QUuid& id) const { return statusKey(stored(id), lists()); }

    FakeMailComposer m_composer;
    FakeUrlOpener m_opener;
    QList<std::pair<QString, QString>> m_rendered;
};

TEST_F(SendDocumentTest, HandedOverDraftIsSentAndFrozen) {
    ClientItem client = m_client;
    client.email = u"compta@lumen.fr"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.clients() = {client}; });
    CompanySettings company = m_store->companySettings();
    company.displayName = u"Studio Nord"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.companySettings() = company; });
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-3"_s, {serviceLine(80)}));

    const EmailOutcome outcome = send(invoice.id);
    EXPECT_TRUE(outcome.handedOver);
    EXPECT_FALSE(outcome.alert);
    const QString attachment = path(u"tmp/F-3.pdf"_s);
    EXPECT_EQ(readBytes(attachment), "%PDF-rendered");
    ASSERT_EQ(m_composer.composed.size(), 1);
    EXPECT_EQ(m_composer.composed.first(),
              (MailMessage{{u"compta@lumen.fr"_s},
                           u"Facture F-3 — Studio Nord"_s,
                           u"Bonjour,\n\nVeuillez trouver ci-joint la facture F-3.\n\n"
                           "Cordialement,\nStudio Nord"_s,
                           attachment}));
    EXPECT_EQ(sentKey(invoice.id), u"envoyé");
    EXPECT_TRUE(stored(invoice.id).pdfSnapshot);

    // Issued now: later edits of the company and the client do not reach it.
    company.displayName = u"Autre nom"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.companySettings() = company; });
    client.company = u"Client renommé"_s;
    client.email = u"nouveau@ailleurs.fr"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.clients() = {client}; });
    ASSERT_TRUE(send(invoice.id).handedOver);
    EXPECT_EQ(m_composer.composed.last().subject, u"Facture F-3 — Studio Nord");
    EXPECT_EQ(m_composer.composed.last().recipients, QStringList{u"compta@lumen.fr"_s});
    EXPECT_EQ(m_rendered.last().second, u"Atelier Lumen") << "rendered from the snapshot";
}

TEST_F(SendDocumentTest, NothingChangesUnlessHandedOver) {
    const CommercialDocumentItem quote = makeQuote(u"D-4"_s, {serviceLine(80)});
    CommercialDocumentItem imported = makeInvoice(u"F-5"_s);
    imported.sourceKind = CommercialDocumentSourceKind::importedPDF;
    put({quote, imported});
    // Where the PDF was left is said, whether it could be opened or not.
    const QString where =
        u"Il est enregistré ici\u00a0: «\u00a0%1\u00a0»"_s.arg(path("tmp/D-4.pdf"));
    const QString opened = u" Le PDF a été ouvert — vous pouvez le glisser dans votre email "
                           "manuellement.\n\n"_s +
                           where + u"."_s;
    const QString notOpened = u" Le PDF n'a pas pu être ouvert non plus.\n\n"_s + where +
                              u" — vous pouvez le joindre à votre email manuellement."_s;
    const QString noProgram = u"Aucun client de messagerie n'a pu être lancé."_s;
    const QString launchFailed =
        u"Aucun client de messagerie n'a pu être lancé\u00a0: xdg-email n'a pas pu être lancé."_s;
    struct Case {
        const char* name;
        std::function<void()> stage;
        QUuid document;
        QString title;
        QString message;
        bool opensPdf = false;
    };
    const QList<Case> cases{
        {"no mail service", [&] { m_composer.available = false; }, quote.id,
         u"Service email indisponible"_s,
         u"Aucun client de messagerie n'est configuré sur cet ordinateur."_s},
        {"no mail program", [&] { m_composer.composable = false; }, quote.id,
         u"Envoi automatique impossible"_s, noProgram + opened, true},
        {"launch failed", [&] { m_composer.composeFails = true; }, quote.id,
         u"Envoi automatique impossible"_s, launchFailed + opened, true},
        {"nothing opens the PDF either",
         [&] {
             m_composer.composeFails = true;
             m_opener.fails = true;
         },
         quote.id, u"Envoi automatique impossible"_s, launchFailed + notOpened, true},
        {"imported without file", [] {}, imported.id, u"PDF manquant"_s,
         u"Aucun PDF n'est associé à ce document."_s},
        {"temporary file", [&] { m_fs.failOn(FaultyFileSystem::Op::Write); }, quote.id,
         u"Fichier temporaire impossible"_s,
         u"« %1 » : No space left on device"_s.arg(path("tmp/D-4.pdf"))},
    };
    for (const Case& c : cases) {
        m_composer = FakeMailComposer();
        m_opener = FakeUrlOpener();
        m_fs.heal();
        c.stage();
        const EmailOutcome outcome = send(c.document);
        EXPECT_FALSE(outcome.handedOver) << c.name;
        ASSERT_TRUE(outcome.alert) << c.name;
        EXPECT_EQ(outcome.alert->title, c.title) << c.name;
        EXPECT_EQ(outcome.alert->message, c.message) << c.name;
        EXPECT_EQ(m_opener.opened, c.opensPdf
                                       ? QList<QUrl>{QUrl::fromLocalFile(path("tmp/D-4.pdf"))}
                                       : QList<QUrl>{})
            << c.name;
        EXPECT_TRUE(m_composer.composed.isEmpty()) << c.name;
        EXPECT_EQ(stored(c.document).statusID,
                  c.document == quote.id ? quote.statusID : imported.statusID)
            << c.name;
    }

    m_fs.heal();
    m_composer = FakeMailComposer();
    EXPECT_EQ(send(quote.id, QByteArray()).alert->title, u"Génération impossible");
}

TEST_F(SendDocumentTest, SentQuoteKeepsItsStatus) {
    for (const QString& status : {u"Envoyé"_s, u"Validé"_s}) {
        CommercialDocumentItem quote = makeQuote(u"D-8"_s, {serviceLine(80)});
        quote.statusID = quoteStatus(status);
        put({quote});
        ASSERT_TRUE(send(quote.id).handedOver);
        EXPECT_EQ(stored(quote.id).statusID, quoteStatus(status));
        EXPECT_FALSE(stored(quote.id).pdfSnapshot) << "only a change of status freezes";
    }
}

} // namespace
