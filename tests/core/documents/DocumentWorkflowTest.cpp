// Statuses, freezing, deadlines, creation, copies and activity links.

#include "DocumentsFixture.h"

#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/ExpiredQuotes.h"
#include "core/documents/PaymentSheetModel.h"
#include "support/Mapped.h"
#include "support/SessionChange.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

using Action = StatusChangeRequest::Action;

class DocumentStatusTest : public DocumentsFixture {
protected:
    // A status chosen in the menu, as the window asks for it: in one edit.
    StatusChangeRequest requested(const QUuid& documentID, const QUuid& statusID) {
        return run(requestStatusChange, documentID, statusID, m_clock).value();
    }
};

TEST_F(DocumentStatusTest, KeysComeFromTrimmedLowerCasedNames) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(10)});
    const QUuid paid = invoiceStatus(u"Payé"_s);
    invoice.statusID = paid;
    EXPECT_EQ(statusKey(invoice, lists()), u"payé");

    renameInvoiceStatus(u"Payé"_s, u"  PAYÉ \n"_s);
    EXPECT_EQ(statusKey(invoice, lists()), u"payé") << "renaming in upper case keeps the meaning";
    renameInvoiceStatus(u"  PAYÉ \n"_s, u"Paye"_s);
    EXPECT_EQ(statusKey(invoice, lists()), u"paye") << "the accent must match";
    EXPECT_FALSE(firstStatusWithKey(m_store->invoiceStatuses(), {StatusKeys::paid()}));

    invoice.statusID.reset();
    EXPECT_EQ(statusKey(invoice, lists()), u"sans statut");
    invoice.statusID = QUuid::createUuid();
    EXPECT_EQ(statusKey(invoice, lists()), u"sans statut") << "a deleted status";
    invoice.statusID = quoteStatus(u"Validé"_s);
    EXPECT_EQ(statusKey(invoice, lists()), u"sans statut") << "looked up in its kind's list only";
    EXPECT_EQ(statusKeyOf(quoteStatus(u"Validé"_s), CommercialDocumentKind::quote, lists()),
              u"validé");
}

TEST_F(DocumentStatusTest, RenamedPaidOpensThePaymentSheetOnlyWhileItKeepsItsMeaning) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s, {serviceLine(10)}));
    const QUuid paid = invoiceStatus(u"Payé"_s);
    renameInvoiceStatus(u"Payé"_s, u" PAYÉ "_s);
    EXPECT_EQ(requested(invoice.id, paid).action, Action::openPaymentSheet);
    renameInvoiceStatus(u" PAYÉ "_s, u"Réglé"_s);
    EXPECT_EQ(requested(invoice.id, paid).action, Action::confirmFreeze);
    EXPECT_EQ(stored(invoice.id).statusID, invoice.statusID);
}

TEST_F(DocumentStatusTest, IncompleteDraftsListWhatIsMissingAndImportedPdfsAreNotFrozen) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(10, 1, 0, u"  "_s)});
    invoice.clientID.reset();
    CommercialDocumentItem quote = makeQuote(u"D-1"_s);
    CommercialDocumentItem imported = makeQuote(u"D-2"_s);
    imported.sourceKind = CommercialDocumentSourceKind::importedPDF;
    put({invoice, quote, imported});

    const auto a = requested(invoice.id, invoiceStatus(u"Envoyé"_s));
    ASSERT_EQ(a.action, Action::incomplete);
    ASSERT_TRUE(a.alert);
    EXPECT_EQ(a.alert->title, u"Document incomplet");
    EXPECT_EQ(
        a.alert->message,
        u"Avant de pouvoir changer le statut de cette facture (envoyé, validé, payé…), vous "
        u"devez compléter les éléments suivants :\n\n• Sélectionner un client\n• Ajouter au "
        u"moins une ligne avec un titre\n\nOuvrez la fiche en édition (« Modifier ») pour les "
        u"renseigner.");
    EXPECT_EQ(a.alert->buttons.size(), 1);

    const auto b = requested(quote.id, quoteStatus(u"Refusé"_s));
    ASSERT_EQ(b.action, Action::incomplete);
    EXPECT_EQ(b.alert->message,
              u"Avant de pouvoir changer le statut de ce devis (envoyé, validé, payé…), vous "
              u"devez compléter les éléments suivants :\n\n• Ajouter au moins une ligne avec un "
              u"titre\n\nOuvrez la fiche en édition (« Modifier ») pour les renseigner.");

    const auto c = requested(imported.id, quoteStatus(u"Envoyé"_s));
    ASSERT_EQ(c.action, Action::incomplete);
    EXPECT_TRUE(c.alert->message.contains(u"\n\n• Importer un PDF dans le document\n\n"));
    EXPECT_FALSE(c.alert->message.contains(u"client"));

    EXPECT_EQ(m_store->documents(), (QList<CommercialDocumentItem>{invoice, quote, imported}));
    // Staying a draft needs nothing.
    EXPECT_EQ(requested(quote.id, quoteStatus(u"Brouillon"_s)).action, Action::applied);

    // With its file, an imported PDF changes status without being frozen.
    imported.importedPDFURL = QUrl(u"file:///media/devis.pdf"_s);
    put({imported});
    const auto d = requested(imported.id, quoteStatus(u"Validé"_s));
    EXPECT_EQ(d.action, Action::applied);
    EXPECT_FALSE(d.alert);
    EXPECT_EQ(stored(imported.id).statusID, quoteStatus(u"Validé"_s));
    EXPECT_FALSE(stored(imported.id).pdfSnapshot);
}

TEST_F(DocumentStatusTest, AnIncompleteDraftCannotBePaidEither) {
    CommercialDocumentItem empty = makeInvoice(u"F-1"_s);
    empty.clientID.reset();
    put({empty});
    const auto request = requested(empty.id, invoiceStatus(u"Payé"_s));
    ASSERT_EQ(request.action, Action::incomplete);
    ASSERT_TRUE(request.alert);
    EXPECT_EQ(*request.alert,
              incompleteDocumentAlert(empty, {u"• Sélectionner un client"_s,
                                              u"• Ajouter au moins une ligne avec un titre"_s}));

    // Nor through the sheet itself, whatever opened it.
    const PaymentSheetModel sheet(empty.id, invoiceStatus(u"Payé"_s), m_clock);
    const Result<> paid = m_store->edit([&](SessionEdit& e) { return sheet.confirm(e, m_clock); });
    EXPECT_EQ(paid.kind(), ResultKind::invalid);
    EXPECT_EQ(paid.alert(), request.alert);
    EXPECT_EQ(stored(empty.id), empty);
}

TEST_F(DocumentStatusTest, FreezingIsAskedOnceAndTheSnapshotIsPermanent) {
    CompanySettings company = m_store->companySettings();
    company.displayName = u"Studio Nord"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.companySettings() = company; });
    AppPreferences prefs = m_store->preferences();
    prefs.invoiceLogoURL = QUrl(u"file:///media/logo.png"_s);
    test::changeSession(*m_store, [&](SessionEdit& e) { e.preferences() = prefs; });
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-2025-004"_s, {serviceLine(10)}));
    const QUuid sent = invoiceStatus(u"Envoyé"_s);
    const QUuid draft = invoiceStatus(u"Brouillon"_s);

    const auto first = requested(invoice.id, sent);
    ASSERT_EQ(first.action, Action::confirmFreeze);
    ASSERT_TRUE(first.alert);
    EXPECT_EQ(first.alert->title, u"Figer définitivement ce document ?");
    EXPECT_EQ(first.alert->message,
              u"Cette facture F-2025-004 va passer hors du statut Brouillon. Le document ne sera "
              u"plus modifiable après confirmation de l'opération.\n\nMême si vous modifiez les "
              u"informations bancaires, les paramètres entreprise ou la fiche client plus tard, la "
              u"facture conservera ses valeurs d'origine. Cette action est irréversible.");
    EXPECT_EQ(first.alert->buttons, (QList<AlertButton>{{u"Annuler"_s, AlertRole::cancel},
                                                        {u"Confirmer"_s, AlertRole::destructive}}));
    EXPECT_EQ(stored(invoice.id), invoice) << "held until confirmed";

    ASSERT_TRUE(run(setDocumentStatus, invoice.id, sent, m_clock).ok());
    const auto snapshot = stored(invoice.id).pdfSnapshot;
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->capturedAt, m_clock.now());
    EXPECT_EQ(snapshot->companySettings.displayName, u"Studio Nord");
    EXPECT_EQ(snapshot->client, m_client);
    EXPECT_EQ(snapshot->companyLogoURL, prefs.invoiceLogoURL);
    EXPECT_EQ(onDisk().documents.first().pdfSnapshot, snapshot) << "saved";

    // Back to draft, then issued again: no second confirmation, same snapshot.
    ASSERT_EQ(requested(invoice.id, draft).action, Action::applied);
    company.displayName = u"Autre nom"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.companySettings() = company; });
    m_clock.set(m_clock.now().addDays(3));
    ASSERT_EQ(requested(invoice.id, sent).action, Action::applied);
    EXPECT_EQ(stored(invoice.id).statusID, sent);
    EXPECT_EQ(stored(invoice.id).pdfSnapshot, snapshot);

    const Alert quoteAlert = freezeConfirmation(makeQuote(u"D-7"_s));
    EXPECT_TRUE(quoteAlert.message.startsWith(u"Ce devis D-7 va passer hors du statut Brouillon."));
    EXPECT_TRUE(quoteAlert.message.contains(u"plus tard, le devis conservera"));
}

TEST_F(DocumentStatusTest, GoneDocumentsAndFailedSavesChangeNothing) {
    const CommercialDocumentItem quote = putOne(makeQuote(u"D-1"_s, {serviceLine(5)}));
    EXPECT_EQ(run(setDocumentStatus, QUuid::createUuid(), quoteStatus(u"Envoyé"_s), m_clock).kind(),
              ResultKind::notFound);
    EXPECT_EQ(requested(quote.id, QUuid::createUuid()).action, Action::notFound);

    m_fs.failOn(FaultyFileSystem::Op::Write);
    const Result<> failed = run(setDocumentStatus, quote.id, quoteStatus(u"Envoyé"_s), m_clock);
    EXPECT_EQ(failed.kind(), ResultKind::notSaved);
    EXPECT_FALSE(failed.error().isEmpty());
    EXPECT_EQ(stored(quote.id), quote) << "the change is undone";
}

TEST_F(DocumentStatusTest, MarkAsSentOnlyMovesDrafts) {
    CommercialDocumentItem quote = makeQuote(u"D-1"_s, {serviceLine(5)});
    CommercialDocumentItem validated = withNewId(quote);
    validated.statusID = quoteStatus(u"Validé"_s);
    put({quote, validated});
    ASSERT_TRUE(run(markAsSentIfDraft, quote.id, m_clock).ok());
    EXPECT_EQ(stored(quote.id).statusID, quoteStatus(u"Envoyé"_s));
    EXPECT_TRUE(stored(quote.id).pdfSnapshot) << "frozen without confirmation";
    EXPECT_EQ(run(markAsSentIfDraft, validated.id, m_clock).kind(), ResultKind::unchanged);

    CommercialDocumentItem other = putOne(makeQuote(u"D-2"_s, {serviceLine(5)}));
    renameQuoteStatus(u"Envoyé"_s, u"Transmis"_s);
    EXPECT_EQ(run(markAsSentIfDraft, other.id, m_clock).kind(), ResultKind::unchanged);
    EXPECT_EQ(stored(other.id), other);
}

class DeadlinesTest : public DocumentsFixture {};

TEST_F(DeadlinesTest, QuotesExpireTheDayAfterTheirValidity) {
    const QDateTime now = m_clock.now(); // 10 June 2025, 11:00 in Paris
    CommercialDocumentItem quote = makeQuote(u"D-1"_s, {serviceLine(5)}, u"Envoyé"_s);
    quote.validityDate = localNoon(2025, 6, 10);
    EXPECT_FALSE(isExpiredQuote(quote, lists(), now)) << "valid until today";
    quote.validityDate = QDateTime(QDate(2025, 6, 10), QTime(0, 0), QTimeZone::systemTimeZone());
    EXPECT_FALSE(isExpiredQuote(quote, lists(), now));
    quote.validityDate = localNoon(2025, 6, 9);
    EXPECT_TRUE(isExpiredQuote(quote, lists(), now));
    for (const QString& settled : {u"Brouillon"_s, u"Validé"_s, u"Refusé"_s}) {
        quote.statusID = quoteStatus(settled);
        EXPECT_FALSE(isExpiredQuote(quote, lists(), now)) << settled.toStdString();
    }
    quote.statusID.reset();
    EXPECT_TRUE(isExpiredQuote(quote, lists(), now)) << "no status is not settled";
    quote.validityDate.reset();
    EXPECT_FALSE(isExpiredQuote(quote, lists(), now));
}

TEST_F(DeadlinesTest, ThirtyDayInvoiceIssuedFirstMarchIsLateFromFirstApril) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(5)}, u"Envoyé"_s);
    invoice.issueDate = localNoon(2025, 3, 1);
    invoice.dueDays = 30;
    EXPECT_EQ(localDay(invoiceDueDate(invoice)), QDate(2025, 3, 31));
    EXPECT_FALSE(isLateInvoice(invoice, lists(), localNoon(2025, 3, 31)));
    EXPECT_EQ(daysLate(invoice, lists(),
                       QDateTime(QDate(2025, 3, 31), QTime(23, 59), QTimeZone::systemTimeZone())),
              0);
    const QDateTime firstApril(QDate(2025, 4, 1), QTime(0, 5), QTimeZone::systemTimeZone());
    EXPECT_TRUE(isLateInvoice(invoice, lists(), firstApril));
    EXPECT_EQ(daysLate(invoice, lists(), firstApril), 1);
    EXPECT_EQ(daysLate(invoice, lists(), localNoon(2025, 4, 10)), 10);

    invoice.dueDays = 0;
    EXPECT_EQ(daysLate(invoice, lists(), localNoon(2025, 3, 2)), 1) << "immediate payment";
    invoice.statusID = invoiceStatus(u"Payé"_s);
    EXPECT_FALSE(isLateInvoice(invoice, lists(), localNoon(2025, 4, 10)));
    invoice.statusID = invoiceStatus(u"Brouillon"_s);
    EXPECT_FALSE(isLateInvoice(invoice, lists(), localNoon(2025, 4, 10)));

    EXPECT_EQ(paymentTermsText(0), u"Paiement immédiat");
    EXPECT_EQ(paymentTermsText(45), u"45 jours");
}

TEST_F(DeadlinesTest, AnInvoiceItsPaymentsCoverIsNeitherLateNorDueSoon) {
    struct Case {
        const char* name;
        QList<Encaissement> payments;
        qint64 dueDays; // issued 5 June, today 10 June
        QStringList filters;
        qint64 daysLate;
    };
    for (const Case& c : {
             Case{"unpaid, due in 5 days", {}, 10, {u"soon"_s}, 0},
             Case{"partly paid, due in 5 days", {payment(60)}, 10, {u"soon"_s}, 0},
             Case{"fully paid, due in 5 days", {payment(60), payment(40)}, 10, {}, 0},
             Case{"partly paid, 3 days late", {payment(60)}, 2, {u"late"_s}, 3},
             Case{"fully paid, 3 days late", {payment(100)}, 2, {}, 0},
         }) {
        CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(100)}, u"Envoyé"_s);
        invoice.issueDate = localNoon(2025, 6, 5);
        invoice.dueDays = c.dueDays;
        invoice.encaissements = c.payments;
        EXPECT_EQ(alertFilterValues(invoice, lists(), {}, m_clock.now()), c.filters) << c.name;
        EXPECT_EQ(daysLate(invoice, lists(), m_clock.now()), c.daysLate) << c.name;
    }
}

TEST_F(DeadlinesTest, CancelledActivitiesAndTheListFilter) {
    const auto filters = [&](const CommercialDocumentItem& d, const QList<ProjectItem>& projects) {
        return alertFilterValues(d, lists(), projects, m_clock.now());
    };
    ProjectItem cancelled = m_project;
    cancelled.isCancelled = true;
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(5)});
    invoice.linkedProjectIDs = {QUuid::createUuid(), cancelled.id};
    EXPECT_FALSE(isInCancelledActivity(invoice, lists(), {cancelled})) << "a draft never is";
    invoice.statusID = invoiceStatus(u"Envoyé"_s);
    EXPECT_TRUE(isInCancelledActivity(invoice, lists(), {cancelled}));
    EXPECT_FALSE(isInCancelledActivity(invoice, lists(), {m_project}));

    invoice.acompteRefundStatus = AcompteRefundStatus::kept;
    invoice.issueDate = localNoon(2025, 6, 5);
    invoice.dueDays = 10; // due 15 June
    EXPECT_EQ(filters(invoice, {cancelled}), (QStringList{u"acompte_conserve"_s, u"cancelled"_s}));
    EXPECT_EQ(filters(invoice, {m_project}), (QStringList{u"soon"_s, u"acompte_conserve"_s}));
    invoice.dueDays = 2;
    invoice.acompteRefundStatus = AcompteRefundStatus::refunded;
    EXPECT_EQ(filters(invoice, {m_project}), (QStringList{u"late"_s, u"acompte_rembourse"_s}));

    CommercialDocumentItem quote = makeQuote(u"D-1"_s, {serviceLine(5)}, u"Envoyé"_s);
    quote.validityDate = localNoon(2025, 6, 17);
    EXPECT_EQ(filters(quote, {}), (QStringList{u"soon"_s, u"valid"_s}));
    quote.validityDate = localNoon(2025, 6, 18);
    EXPECT_EQ(filters(quote, {}), QStringList{u"valid"_s});
    quote.validityDate = localNoon(2025, 6, 9);
    EXPECT_EQ(filters(quote, {}), QStringList{u"expired"_s});
    EXPECT_EQ(soonLabel(CommercialDocumentKind::quote), u"Bientôt expiré");
    EXPECT_EQ(soonLabel(CommercialDocumentKind::invoice), u"Bientôt à échéance");
}

TEST_F(DeadlinesTest, ExpiredQuotesAreReportedOncePerRun) {
    CommercialDocumentItem a = makeQuote(u"D-2025-003"_s, {serviceLine(5)}, u"Envoyé"_s);
    a.validityDate = localNoon(2025, 6, 1);
    CommercialDocumentItem b = withNewId(a);
    b.number = u"D-2025-004"_s;
    CommercialDocumentItem fresh = withNewId(a);
    fresh.validityDate = localNoon(2025, 6, 30);

    ExpiredQuotesCheck check;
    const auto one = check.check({a, fresh}, lists(), m_clock.now());
    ASSERT_TRUE(one);
    EXPECT_EQ(one->quoteIDs, QList<QUuid>{a.id});
    EXPECT_EQ(one->alert.title, u"Devis D-2025-003 expiré");
    EXPECT_EQ(one->alert.message, u"Ce devis a dépassé sa date de validité sans changement de "
                                  u"statut. Que souhaitez-vous faire ?");
    EXPECT_EQ(mapped(one->alert.buttons, &AlertButton::text),
              (QStringList{u"Refusé"_s, u"Accepté"_s, u"Ne rien faire"_s}));
    EXPECT_TRUE(check.hasCheckedExpiredQuotes());
    EXPECT_FALSE(check.check({a, b}, lists(), m_clock.now())) << "once per run";

    const auto several = ExpiredQuotesCheck().check({a, b, fresh}, lists(), m_clock.now());
    ASSERT_TRUE(several);
    EXPECT_EQ(several->alert.title, u"2 devis expirés sans suite");
    EXPECT_EQ(several->alert.message,
              u"2 devis ont dépassé leur date de validité sans changement de statut.");
    ASSERT_EQ(several->alert.buttons.size(), 1);
    EXPECT_EQ(several->alert.buttons.first().text, u"J'ai compris");
    EXPECT_FALSE(ExpiredQuotesCheck().check({fresh}, lists(), m_clock.now()));
}

TEST_F(DeadlinesTest, ExpiredQuoteAnswersApplyTheirStatus) {
    CommercialDocumentItem a = makeQuote(u"D-1"_s, {serviceLine(5)}, u"Envoyé"_s);
    a.validityDate = localNoon(2025, 6, 1);
    CommercialDocumentItem b = withNewId(a);
    put({a, b});
    using Answer = ExpiredQuotesCheck::Answer;
    ASSERT_TRUE(run(ExpiredQuotesCheck::answer, a.id, Answer::refused, m_clock).ok());
    EXPECT_EQ(stored(a.id).statusID, quoteStatus(u"Refusé"_s));
    ASSERT_TRUE(run(ExpiredQuotesCheck::answer, b.id, Answer::accepted, m_clock).ok());
    EXPECT_EQ(stored(b.id).statusID, quoteStatus(u"Validé"_s));
    EXPECT_EQ(run(ExpiredQuotesCheck::answer, b.id, Answer::nothing, m_clock).kind(),
              ResultKind::unchanged);
    renameQuoteStatus(u"Refusé"_s, u"Perdu"_s);
    EXPECT_EQ(run(ExpiredQuotesCheck::answer, b.id, Answer::refused, m_clock).kind(),
              ResultKind::unchanged);
    EXPECT_EQ(stored(b.id).statusID, quoteStatus(u"Validé"_s));
}

class DocumentCreationTest : public DocumentsFixture {
protected:
    DocumentForm form(CommercialDocumentKind kind, const QString& number) {
        DocumentForm f;
        f.kind = kind;
        f.number = number;
        f.issueDate = m_clock.now();
        f.validityDate = localNoon(2025, 7, 10);
        f.dueDays = 30;
        f.paymentTerms = u"À réception"_s;
        f.clientID = m_client.id;
        f.statusID = kind == CommercialDocumentKind::invoice ? invoiceStatus(u"Brouillon"_s)
                                                             : quoteStatus(u"Brouillon"_s);
        f.lines = {serviceLine(100)};
        return f;
    }
};

TEST_F(DocumentCreationTest, RefusesAMissingNumberAndADepositWithoutClient) {
    DocumentForm f = form(CommercialDocumentKind::invoice, u" \n "_s);
    Result<> r = test::inEdit(
        *m_store, [&](SessionEdit& e) { return DocumentCreation::create(e, f, m_clock); });
    EXPECT_EQ(r.kind(), ResultKind::invalid);
    EXPECT_EQ(r.error(),
              u"Le numéro du document est obligatoire pour créer une facture ou un devis.");

    f.number = u"F-2025-001"_s;
    f.clientID.reset();
    f.lines.append(otherLine(CommercialDocumentLineKind::deposit, 50));
    r = test::inEdit(*m_store,
                     [&](SessionEdit& e) { return DocumentCreation::create(e, f, m_clock); });
    EXPECT_EQ(r.error(),
              u"Un client doit être sélectionné avant de créer une facture avec acompte.");
    EXPECT_EQ(DocumentCreation::validate(f, false),
              u"Un client doit être sélectionné avant d'enregistrer une facture avec acompte.");
    EXPECT_TRUE(m_store->documents().isEmpty());

    f.lines.last().priceTTC = 0;
    EXPECT_TRUE(DocumentCreation::validate(f, true).isEmpty()) << "a zero deposit needs no client";
    f.kind = CommercialDocumentKind::quote;
    f.lines.last().priceTTC = 50;
    EXPECT_TRUE(DocumentCreation::validate(f, true).isEmpty()) << "the rule is for invoices";
}

TEST_F(DocumentCreationTest, CreatesAtTheFrontWithLinksAndNoPayments) {
    put({makeQuote(u"D-0"_s)});
    const ProjectItem second = anotherProject();
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {m_project, second}; });

    DocumentForm f = form(CommercialDocumentKind::invoice, u"F-2025-001"_s);
    f.linkedProjectIDs = {m_project.id, m_project.id, QUuid::createUuid(), second.id};
    const Result<QUuid> r = test::inEdit(
        *m_store, [&](SessionEdit& e) { return DocumentCreation::create(e, f, m_clock); });
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_FALSE(r.alert());
    const CommercialDocumentItem& created = m_store->documents().first();
    EXPECT_EQ(created.id, r.value());
    EXPECT_EQ(created.number, u"F-2025-001");
    EXPECT_FALSE(created.validityDate) << "an invoice has no validity date";
    EXPECT_EQ(created.dueDays, 30);
    EXPECT_EQ(created.linkedProjectIDs, (QList<QUuid>{m_project.id, second.id}));
    EXPECT_TRUE(created.encaissements.isEmpty());
    EXPECT_FALSE(created.pdfSnapshot) << "a draft is not frozen";
    EXPECT_EQ(m_store->projects()[0].linkedInvoiceIDs, QList<QUuid>{created.id});
    EXPECT_EQ(m_store->projects()[1].linkedInvoiceIDs, QList<QUuid>{created.id});
    EXPECT_EQ(onDisk().documents.size(), 2);

    DocumentForm imported = form(CommercialDocumentKind::quote, u"D-1"_s);
    imported.sourceKind = CommercialDocumentSourceKind::importedPDF;
    imported.statusID = quoteStatus(u"Envoyé"_s);
    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return DocumentCreation::create(e, imported, m_clock);
                }).ok());
    const CommercialDocumentItem& quote = m_store->documents().first();
    EXPECT_EQ(quote.dueDays, 0);
    EXPECT_TRUE(quote.paymentTerms.isEmpty());
    EXPECT_EQ(quote.validityDate, imported.validityDate);
    EXPECT_FALSE(quote.pdfSnapshot) << "imported PDFs are never frozen";

    DocumentForm issued = form(CommercialDocumentKind::quote, u"D-2"_s);
    issued.statusID = quoteStatus(u"Envoyé"_s);
    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return DocumentCreation::create(e, issued, m_clock);
                }).ok());
    EXPECT_TRUE(m_store->documents().first().pdfSnapshot) << "created issued, frozen at once";
}

TEST_F(DocumentCreationTest, DraftInvoiceWithDepositLinesAnnouncesThePaidStatus) {
    DocumentForm f = form(CommercialDocumentKind::invoice, u"F-2025-012"_s);
    f.lines = {serviceLine(1000), otherLine(CommercialDocumentLineKind::deposit, 200),
               otherLine(CommercialDocumentLineKind::deposit, 100.5)};
    const Result<QUuid> r = test::inEdit(
        *m_store, [&](SessionEdit& e) { return DocumentCreation::create(e, f, m_clock); });
    ASSERT_TRUE(r.ok());
    ASSERT_TRUE(r.alert());
    EXPECT_EQ(r.alert()->title, u"Passage automatique en Payé");
    EXPECT_EQ(r.alert()->message,
              u"Un acompte de 300,50\u00a0€ a été ajouté à cette facture (F-2025-012). Le statut "
              u"va automatiquement passer en « Payé » et le document ne sera plus modifiable "
              u"après confirmation.\n\nIl ne reste qu'à renseigner la date d'encaissement et le "
              u"mode de paiement reçu — le montant est verrouillé sur celui de l'acompte.\n\n"
              u"D'autres paiements pourront être ajoutés par la suite depuis la section « "
              u"Règlement » de la fiche facture.");
    EXPECT_EQ(r.alert()->buttons, (QList<AlertButton>{{u"Annuler"_s, AlertRole::cancel},
                                                      {u"Continuer"_s, AlertRole::defaultAction}}));

    CommercialDocumentItem invoice = m_store->documents().first();
    invoice.encaissements = {payment(300.5, true)};
    EXPECT_FALSE(depositAutoPaidAlert(invoice, lists())) << "the deposit is already received";
    invoice.encaissements = {payment(300.5, false)};
    EXPECT_TRUE(depositAutoPaidAlert(invoice, lists()));
    invoice.statusID = invoiceStatus(u"Envoyé"_s);
    EXPECT_FALSE(depositAutoPaidAlert(invoice, lists()));
}

TEST_F(DocumentCreationTest, SavingAnEditMovesActivityLinks) {
    const ProjectItem second = anotherProject();
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {m_project, second}; });
    DocumentForm f = form(CommercialDocumentKind::quote, u"D-1"_s);
    f.linkedProjectIDs = {m_project.id};
    const Result<QUuid> created = test::inEdit(
        *m_store, [&](SessionEdit& e) { return DocumentCreation::create(e, f, m_clock); });
    ASSERT_TRUE(created.ok());
    const QUuid id = created.value();
    EXPECT_EQ(m_store->projects()[0].linkedQuoteIDs, QList<QUuid>{id});

    f.linkedProjectIDs = {second.id};
    f.notes = u"Revu"_s;
    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return DocumentCreation::save(e, id, f, m_clock);
                }).ok());
    EXPECT_TRUE(m_store->projects()[0].linkedQuoteIDs.isEmpty());
    EXPECT_EQ(m_store->projects()[1].linkedQuoteIDs, QList<QUuid>{id});
    EXPECT_EQ(stored(id).notes, u"Revu");
    EXPECT_EQ(test::inEdit(*m_store,
                           [&](SessionEdit& e) {
                               return DocumentCreation::save(e, QUuid::createUuid(), f, m_clock);
                           })
                  .kind(),
              ResultKind::notFound);
}

TEST_F(DocumentCreationTest, ConversionAndDuplication) {
    CommercialDocumentItem quote = makeQuote(u"D-2025-002"_s, {serviceLine(100)}, u"Validé"_s);
    quote.validityDate = localNoon(2025, 7, 1);
    quote.dueDays = 15;
    quote.paymentTerms = u"30 % à la commande"_s;
    quote.linkedProjectIDs = {m_project.id};
    quote.pdfSnapshot = DocumentSnapshot{m_clock.now(), {}, {}, {}};
    CommercialDocumentItem oldInvoice = makeInvoice(u"F-2025-007"_s);
    put({quote, oldInvoice});

    const Result<QUuid> converted = test::inEdit(
        *m_store, [&](SessionEdit& e) { return convertQuoteToInvoice(e, quote.id, m_clock); });
    ASSERT_TRUE(converted.ok());
    const CommercialDocumentItem& invoice = m_store->documents().first();
    EXPECT_EQ(invoice.id, converted.value());
    EXPECT_EQ(invoice.kind, CommercialDocumentKind::invoice);
    EXPECT_EQ(invoice.number, u"F-2025-008");
    EXPECT_EQ(invoice.statusID, m_store->invoiceStatuses().first().id);
    EXPECT_EQ(invoice.issueDate, m_clock.now());
    EXPECT_FALSE(invoice.validityDate);
    EXPECT_EQ(invoice.dueDays, 15);
    EXPECT_TRUE(invoice.paymentTerms.isEmpty());
    EXPECT_EQ(invoice.lines, quote.lines);
    EXPECT_EQ(invoice.linkedQuoteID, quote.id);
    EXPECT_FALSE(invoice.pdfSnapshot);
    EXPECT_EQ(stored(quote.id), quote) << "the quote is not modified";
    EXPECT_EQ(m_store->projects()[0].linkedInvoiceIDs, QList<QUuid>{invoice.id});

    const Result<QUuid> copied = test::inEdit(
        *m_store, [&](SessionEdit& e) { return duplicateDocument(e, quote.id, m_clock); });
    ASSERT_TRUE(copied.ok());
    const CommercialDocumentItem& copy = m_store->documents().first();
    EXPECT_EQ(copy.number, u"D-2025-002 - Copie");
    EXPECT_EQ(copy.statusID, quoteStatus(u"Brouillon"_s));
    EXPECT_EQ(copy.validityDate, quote.validityDate);
    EXPECT_FALSE(copy.linkedQuoteID);
    EXPECT_FALSE(copy.pdfSnapshot);
    EXPECT_TRUE(copy.paymentTerms.isEmpty());
    EXPECT_EQ(m_store->documents().size(), 4);

    m_fs.failOn(FaultyFileSystem::Op::Write, u"Disque plein"_s);
    const Result<QUuid> failed = test::inEdit(
        *m_store, [&](SessionEdit& e) { return convertQuoteToInvoice(e, quote.id, m_clock); });
    EXPECT_EQ(failed.kind(), ResultKind::notSaved);
    ASSERT_TRUE(failed.alert());
    EXPECT_EQ(failed.alert()->title, u"Conversion impossible");
    EXPECT_TRUE(failed.alert()->message.contains(u"Disque plein"));
    EXPECT_EQ(m_store->documents().size(), 4);
    EXPECT_EQ(test::inEdit(*m_store,
                           [&](SessionEdit& e) { return duplicateDocument(e, quote.id, m_clock); })
                  .alert()
                  ->title,
              u"Duplication impossible");
}

TEST_F(DocumentCreationTest, AConvertedQuoteNamesItsLatestInvoice) {
    const CommercialDocumentItem quote =
        makeQuote(u"D-2025-002"_s, {serviceLine(100)}, u"Validé"_s);
    put({quote});
    EXPECT_EQ(invoiceFromQuote(m_store->documents(), quote.id), nullptr);
    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return convertQuoteToInvoice(e, quote.id, m_clock);
                }).ok());
    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return convertQuoteToInvoice(e, quote.id, m_clock);
                }).ok());
    const CommercialDocumentItem* latest = invoiceFromQuote(m_store->documents(), quote.id);
    ASSERT_NE(latest, nullptr);
    EXPECT_EQ(latest->number, u"F-2025-002");
    EXPECT_EQ(convertedIntoText(*latest), u"Converti en facture F-2025-002");
    const Alert asked = reconversionConfirmation(*latest);
    EXPECT_EQ(asked.message,
              u"Ce devis a déjà été converti en facture F-2025-002. Créer une autre facture ?");
    EXPECT_EQ(asked.buttons,
              (QList<AlertButton>{{u"Annuler"_s, AlertRole::cancel},
                                  {u"Créer une autre facture"_s, AlertRole::defaultAction}}));
}

class DocumentLinksTest : public DocumentsFixture {};

TEST_F(DocumentLinksTest, SyncAddsAndRemovesOnTheActivitySide) {
    QList<ProjectItem> projects{anotherProject(), anotherProject(), anotherProject()};
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s);
    projects[1].linkedInvoiceIDs = {QUuid::createUuid(), invoice.id};
    projects[2].linkedInvoiceIDs = {invoice.id};
    invoice.linkedProjectIDs = {projects[0].id, projects[2].id};
    syncDocumentLinks(projects, invoice, {projects[1].id, projects[2].id});
    EXPECT_EQ(projects[0].linkedInvoiceIDs, QList<QUuid>{invoice.id});
    EXPECT_EQ(projects[1].linkedInvoiceIDs.size(), 1) << "only this document leaves";
    EXPECT_FALSE(projects[1].linkedInvoiceIDs.contains(invoice.id));
    EXPECT_EQ(projects[2].linkedInvoiceIDs, QList<QUuid>{invoice.id}) << "never twice";
    EXPECT_TRUE(projects[0].linkedQuoteIDs.isEmpty());
}

TEST_F(DocumentLinksTest, SyncOnTheSessionSavesOnlyWhatChanged) {
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s);
    invoice.linkedProjectIDs = {m_project.id};
    put({invoice});
    const auto sync = [&](const QUuid& id) {
        return run([](SessionEdit& e, const QUuid& id) { return syncDocumentLinks(e, id, {}); },
                   id);
    };
    ASSERT_TRUE(sync(invoice.id).ok());
    EXPECT_EQ(m_store->projects().first().linkedInvoiceIDs, QList<QUuid>{invoice.id});
    EXPECT_EQ(onDisk().projects.first().linkedInvoiceIDs, QList<QUuid>{invoice.id});
    EXPECT_EQ(sync(invoice.id).kind(), ResultKind::unchanged);
    EXPECT_EQ(sync(QUuid::createUuid()).kind(), ResultKind::notFound);
}

TEST_F(DocumentLinksTest, AtMostThreeActivitiesAndTheMoveTexts) {
    QList<ProjectItem> projects;
    for (int i = 0; i < 4; ++i)
        projects.append(anotherProject(u"Activité %1"_s.arg(i)));
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = projects; });
    const CommercialDocumentItem quote = putOne(makeQuote(u"D-1"_s));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(run(ActivityLinks::link, quote.id, projects[i].id).ok());
    const Result<> fourth = run(ActivityLinks::link, quote.id, projects[3].id);
    EXPECT_EQ(fourth.kind(), ResultKind::invalid);
    EXPECT_EQ(fourth.error(), ActivityLinks::tooManyMessage());
    EXPECT_EQ(stored(quote.id).linkedProjectIDs.size(), 3);
    EXPECT_EQ(m_store->projects()[1].linkedQuoteIDs, QList<QUuid>{quote.id});
    EXPECT_TRUE(m_store->projects()[3].linkedQuoteIDs.isEmpty());

    const auto elsewhere =
        ActivityLinks::linkedElsewhere(stored(quote.id), m_store->projects(), projects[0].id);
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->title, u"Activité 1");
    const Alert quoteMove =
        ActivityLinks::moveConfirmation(CommercialDocumentKind::quote, elsewhere->title);
    EXPECT_EQ(quoteMove.title, u"Déplacer le devis ?");
    EXPECT_EQ(quoteMove.message, u"Ce devis est déjà lié à l'activité « Activité 1 ». Voulez-vous "
                                 u"l'ajouter à cette activité également ?");
    const Alert invoiceMove =
        ActivityLinks::moveConfirmation(CommercialDocumentKind::invoice, u"Site"_s);
    EXPECT_EQ(invoiceMove.title, u"Déplacer la facture ?");
    EXPECT_EQ(invoiceMove.message, u"Cette facture est déjà liée à l'activité « Site ». "
                                   u"Voulez-vous l'ajouter à cette activité également ?");

    ASSERT_TRUE(run(ActivityLinks::unlink, quote.id, projects[1].id).ok());
    EXPECT_TRUE(m_store->projects()[1].linkedQuoteIDs.isEmpty());
    EXPECT_EQ(stored(quote.id).linkedProjectIDs, (QList<QUuid>{projects[0].id, projects[2].id}));
}

TEST_F(DocumentLinksTest, QuoteAssociationAndDissociation) {
    const CommercialDocumentItem quote = makeQuote(QString());
    const CommercialDocumentItem invoice = makeInvoice(u"F-1"_s);
    put({quote, invoice});
    EXPECT_EQ(QuoteAssociation::quoteLabel(quote), u"Devis sans numéro");
    ASSERT_TRUE(run(QuoteAssociation::associateQuote, invoice.id, quote.id).ok());
    EXPECT_EQ(stored(invoice.id).linkedQuoteID, quote.id);
    EXPECT_EQ(run(QuoteAssociation::associateQuote, quote.id, invoice.id).kind(),
              ResultKind::notFound)
        << "only an invoice carries a quote";

    const QUrl pdf(u"file:///media/devis.pdf"_s);
    ASSERT_TRUE(run(QuoteAssociation::associateQuotePDF, invoice.id, pdf).ok());
    EXPECT_EQ(stored(invoice.id).linkedQuotePDFURL, pdf);
    EXPECT_FALSE(stored(invoice.id).linkedQuoteID);

    const Alert confirm = QuoteAssociation::dissociateConfirmation();
    EXPECT_EQ(confirm.title, u"Dissocier le devis ?");
    EXPECT_EQ(confirm.message,
              u"Le lien avec le devis associé sera supprimé. Cette action est irréversible.");
    ASSERT_TRUE(run(QuoteAssociation::dissociate, invoice.id).ok());
    EXPECT_FALSE(stored(invoice.id).linkedQuotePDFURL);
    EXPECT_EQ(run(QuoteAssociation::dissociate, invoice.id).kind(), ResultKind::unchanged);
}

} // namespace
