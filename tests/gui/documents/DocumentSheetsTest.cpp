// The actions of a document's card: leaving draft with the freezing
// confirmation, the paid sheet (also locked to a deposit), payments, late
// charges, the quote an invoice comes from, the deposit decision, the
// reminder, the e-mail (and what nothing on the desktop took) and the expired
// quotes asked about once.

#include "SectionFixture.h"

#include "core/app/PaymentMethodChoice.h"
#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentMail.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/lists/RecordListModelBase.h"
#include "core/text/MoneyFormat.h"
#include "gui/common/FieldFeedback.h"
#include "gui/documents/DocumentCardActions.h"
#include "gui/documents/EncaissementSheet.h"
#include "gui/documents/LateChargeSheet.h"
#include "gui/documents/PaymentSheet.h"
#include "gui/documents/QuotePickerSheet.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QMenu>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfView>
#include <QPushButton>

namespace velmora::gui::test {
namespace {

class DocumentSheetsTest : public SectionFixture {
protected:
    // A client, a quote and an invoice of 450 € in the given statuses; the
    // invoice issued `issuedDaysAgo` days ago, payable at 30 days.
    void openDocuments(const QString& quoteStatus, const QString& invoiceStatus,
                       int issuedDaysAgo = 0, std::optional<QDateTime> validity = {}) {
        openSection(u"documents"_s, [&](AppDatabase& db) {
            db.companySettings.displayName = u"Studio Ancien"_s;
            ClientItem client;
            client.id = QUuid::createUuid();
            client.kind = ClientKind::professionnel;
            client.company = u"Atelier Lumen"_s;
            client.email = u"compta@lumen.fr"_s;
            db.clients = {client};
            const QDateTime now = QDateTime::currentDateTimeUtc();
            m_quote = documentOf(CommercialDocumentKind::quote, u"D-1"_s, u"Reportage"_s, client.id,
                                 statusNamed(db.quoteStatuses, quoteStatus), now);
            m_quote.validityDate = validity;
            m_invoice = documentOf(CommercialDocumentKind::invoice, u"F-1"_s, u"Reportage"_s,
                                   client.id, statusNamed(db.invoiceStatuses, invoiceStatus),
                                   now.addDays(-issuedDaysAgo));
            m_invoice.dueDays = 30;
            db.documents = {m_quote, m_invoice};
        });
    }
    CommercialDocumentItem stored(const QUuid& id) {
        for (const CommercialDocumentItem& d : store().documents())
            if (d.id == id)
                return d;
        return {};
    }
    // Chooses a status in the card's status menu.
    void chooseStatus(const QString& name) {
        auto* button = find<QPushButton>(u"documentCardStatus"_s);
        ASSERT_TRUE(button && button->menu());
        QAction* action = button->menu()->findChild<QAction*>(u"documentStatus_"_s + name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        action->trigger();
    }
    QString previewText() {
        auto* preview = find<QPdfView>(u"documentPreviewView"_s);
        return preview && preview->document() ? preview->document()->getAllText(0).text()
                                              : QString();
    }
    template <class Sheet> Sheet* openSheet() {
        for (Sheet* sheet : window().findChildren<Sheet*>())
            if (sheet->isVisible())
                return sheet;
        return nullptr;
    }

    CommercialDocumentItem m_quote;
    CommercialDocumentItem m_invoice;
};

TEST_F(DocumentSheetsTest, SendingFreezesTheDocumentOnConfirmation) {
    openDocuments(u"Brouillon"_s, u"Brouillon"_s);
    page()->reveal(m_quote.id);
    // "Annuler" keeps the draft; "Confirmer" issues and freezes it.
    m_dialogs.answerNext(u"Annuler"_s);
    chooseStatus(u"Envoyé"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last(), freezeConfirmation(m_quote));
    EXPECT_EQ(stored(m_quote.id).statusID, m_quote.statusID);

    m_dialogs.answerNext(u"Confirmer"_s);
    chooseStatus(u"Envoyé"_s);
    const CommercialDocumentItem sent = stored(m_quote.id);
    EXPECT_EQ(sent.statusID, statusNamed(store().quoteStatuses(), u"Envoyé"_s));
    ASSERT_TRUE(sent.pdfSnapshot.has_value());
    EXPECT_TRUE(previewText().contains(u"Studio Ancien"_s));

    (void)store().edit([](SessionEdit& edit) {
        edit.companySettings().displayName = u"Studio Nouveau"_s;
        return Result<>();
    });
    EXPECT_TRUE(previewText().contains(u"Studio Ancien"_s)) << "the frozen quote keeps its issuer";
    EXPECT_FALSE(previewText().contains(u"Studio Nouveau"_s));

    // A draft without a client cannot leave draft; its card says why.
    (void)store().edit([&](SessionEdit& edit) {
        edit.document(m_invoice.id)->clientID.reset();
        return Result<>();
    });
    page()->reveal(m_invoice.id);
    EXPECT_EQ(shownText(u"documentCardDraftBanner"_s), incompleteDraftBanner());
    const qsizetype asked = m_dialogs.alerts.size();
    chooseStatus(u"Envoyé"_s);
    ASSERT_EQ(m_dialogs.alerts.size(), asked + 1);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Document incomplet"_s);
    EXPECT_EQ(stored(m_invoice.id).statusID, m_invoice.statusID);
}

TEST_F(DocumentSheetsTest, AnEmptyDraftCannotBeMarkedPaid) {
    openDocuments(u"Brouillon"_s, u"Brouillon"_s);
    (void)store().edit([&](SessionEdit& edit) {
        edit.document(m_invoice.id)->clientID.reset();
        edit.document(m_invoice.id)->lines.clear();
        return Result<>();
    });
    page()->reveal(m_invoice.id);
    const CommercialDocumentItem before = stored(m_invoice.id);
    chooseStatus(u"Payé"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Document incomplet"_s);
    EXPECT_EQ(openSheet<PaymentSheet>(), nullptr);
    EXPECT_EQ(stored(m_invoice.id), before) << "neither frozen nor numbered nor paid";
}

TEST_F(DocumentSheetsTest, PaidSheetKeepsEarlierPaymentsAndReceivesWhatRemains) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s);
    page()->reveal(m_invoice.id);
    for (const QString& typed : {u"200,00"_s, u"100"_s}) {
        click(u"documentCardAddPayment"_s);
        auto* sheet = openSheet<EncaissementSheet>();
        ASSERT_NE(sheet, nullptr);
        typeInto(sheet->findChild<QLineEdit*>(u"encaissementAmount"_s), typed);
        QTest::mouseClick(sheet->findChild<QPushButton*>(u"encaissementSheetSave"_s),
                          Qt::LeftButton);
    }
    const QList<Encaissement> earlier = stored(m_invoice.id).encaissements;
    ASSERT_EQ(earlier.size(), 2);

    chooseStatus(u"Payé"_s);
    auto* sheet = openSheet<PaymentSheet>();
    ASSERT_NE(sheet, nullptr);
    auto* remaining = sheet->findChild<QLabel*>(u"paymentRemaining"_s);
    ASSERT_NE(remaining, nullptr);
    EXPECT_EQ(remaining->text(), u"Reste à payer : "_s + formatMoney(150));
    m_dialogs.answerNext(u"Confirmer"_s);
    click(u"paymentSheetSave"_s);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Confirmer le passage en Payé ?"_s);
    const CommercialDocumentItem paid = stored(m_invoice.id);
    EXPECT_EQ(paid.statusID, statusNamed(store().invoiceStatuses(), u"Payé"_s));
    ASSERT_EQ(paid.encaissements.size(), 3);
    EXPECT_EQ(paid.encaissements.mid(0, 2), earlier);
    EXPECT_DOUBLE_EQ(paid.encaissements.last().amount, 150);
    EXPECT_EQ(paid.encaissements.last().paymentMethod, u"Non renseigné"_s);
}

TEST_F(DocumentSheetsTest, DepositLinesTakeADraftToPaidWithTheDepositLocked) {
    openDocuments(u"Brouillon"_s, u"Brouillon"_s);
    (void)store().edit([&](SessionEdit& edit) {
        CommercialDocumentLine deposit;
        deposit.id = QUuid::createUuid();
        deposit.kind = CommercialDocumentLineKind::deposit;
        deposit.priceTTC = 150;
        edit.document(m_invoice.id)->lines.append(deposit);
        return Result<>();
    });
    m_dialogs.answerNext(u"Continuer"_s);
    page()->findChild<DocumentCardActions*>()->offerDepositPayment(m_invoice.id);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Passage automatique en Payé"_s);
    auto* sheet = openSheet<PaymentSheet>();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->findChild<QLineEdit*>(u"paymentAmount"_s)->isReadOnly());
    m_dialogs.answerNext(u"Confirmer"_s);
    QTest::mouseClick(sheet->findChild<QPushButton*>(u"paymentSheetSave"_s), Qt::LeftButton);
    const CommercialDocumentItem paid = stored(m_invoice.id);
    EXPECT_EQ(paid.statusID, statusNamed(store().invoiceStatuses(), u"Payé"_s));
    ASSERT_EQ(paid.encaissements.size(), 1);
    EXPECT_DOUBLE_EQ(paid.encaissements.first().amount, 150);
    EXPECT_TRUE(paid.encaissements.first().isAcompte);
    EXPECT_TRUE(paid.pdfSnapshot.has_value()) << "leaving draft freezes it";
}

TEST_F(DocumentSheetsTest, PartialPaymentThenTheRest) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s);
    page()->reveal(m_invoice.id);
    struct Step {
        QString typed;
        QString remainingBefore;
        qsizetype payments;
        const char* refusal; // the start of the message under the fields when refused
    };
    for (const Step& step :
         {Step{u"450,02"_s, u"Reste à payer : "_s + formatMoney(450), 0, "Le montant doit être"},
          Step{u"200"_s, u"Reste à payer : "_s + formatMoney(450), 1, nullptr},
          Step{u"250,00"_s, u"Reste à payer : "_s + formatMoney(250), 2, nullptr}}) {
        click(u"documentCardAddPayment"_s);
        auto* sheet = openSheet<EncaissementSheet>();
        ASSERT_NE(sheet, nullptr) << step.typed.toStdString();
        EXPECT_EQ(sheet->findChild<QLabel*>(u"encaissementRemaining"_s)->text(),
                  step.remainingBefore);
        EXPECT_EQ(sheet->findChild<QLabel*>(u"encaissementTotal"_s)->text(),
                  u"Total : "_s + formatMoney(450));
        typeInto(sheet->findChild<QLineEdit*>(u"encaissementAmount"_s), step.typed);
        QTest::mouseClick(sheet->findChild<QPushButton*>(u"encaissementSheetSave"_s),
                          Qt::LeftButton);
        EXPECT_EQ(stored(m_invoice.id).encaissements.size(), step.payments);
        if (step.refusal) {
            EXPECT_TRUE(sheet->findChild<QLabel*>(u"encaissementSheetError"_s)
                            ->text()
                            .startsWith(QString::fromUtf8(step.refusal)));
            sheet->reject();
        }
    }
    const CommercialDocumentItem settled = stored(m_invoice.id);
    EXPECT_NEAR(remainingDue(settled), 0, 1e-9);
    EXPECT_EQ(settled.statusID, m_invoice.statusID) << "a payment never changes the status";
    EXPECT_FALSE(isShown(u"documentCardAddPayment"_s)) << "nothing remains to be paid";
}

TEST_F(DocumentSheetsTest, AFullyPaidInvoiceLosesItsDueSoonBadge) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s, 25); // due in 5 days
    page()->reveal(m_invoice.id);
    const auto listBadge = [&] {
        auto* list = find<QListView>(u"documentsList"_s);
        for (int row = 0; list && row < list->model()->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            if (index.data().toString() == u"Facture F-1"_s)
                return index.data(RecordListModelBase::BadgeRole).toString();
        }
        return QString();
    };
    EXPECT_EQ(shownText(u"documentCardAlert"_s), u"Bientôt à échéance"_s);
    EXPECT_EQ(listBadge(), u"Bientôt à échéance"_s);

    click(u"documentCardAddPayment"_s);
    auto* sheet = openSheet<EncaissementSheet>();
    ASSERT_NE(sheet, nullptr);
    typeInto(sheet->findChild<QLineEdit*>(u"encaissementAmount"_s), u"450"_s);
    QTest::mouseClick(sheet->findChild<QPushButton*>(u"encaissementSheetSave"_s), Qt::LeftButton);
    ASSERT_TRUE(isFullyPaid(stored(m_invoice.id)));
    EXPECT_FALSE(isShown(u"documentCardAlert"_s));
    EXPECT_EQ(listBadge(), u"Envoyé"_s);
}

TEST_F(DocumentSheetsTest, PaymentSheetsOfferTheMethodsTickedInTheSettings) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s);
    ASSERT_TRUE(store()
                    .edit([&](SessionEdit& e) {
                        return PaymentMethodChoice::setAccepted(e, u"Virement"_s, true);
                    })
                    .ok());
    page()->reveal(m_invoice.id);
    click(u"documentCardAddPayment"_s);
    auto* sheet = openSheet<EncaissementSheet>();
    ASSERT_NE(sheet, nullptr);
    auto* box = sheet->findChild<QCheckBox*>(u"encaissementMethod_Virement"_s);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->icon().isNull());
    typeInto(sheet->findChild<QLineEdit*>(u"encaissementAmount"_s), u"100"_s);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(sheet->findChild<QPushButton*>(u"encaissementSheetSave"_s), Qt::LeftButton);
    ASSERT_EQ(stored(m_invoice.id).encaissements.size(), 1);
    EXPECT_EQ(stored(m_invoice.id).encaissements.first().paymentMethod, u"Virement"_s);
}

// A refused amount keeps its text, in red, with the focus and the message.
TEST_F(DocumentSheetsTest, ARefusedAmountStaysAsTypedWithTheFocus) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s);
    page()->reveal(m_invoice.id);
    click(u"documentCardAddPayment"_s);
    auto* sheet = openSheet<EncaissementSheet>();
    ASSERT_NE(sheet, nullptr);
    auto* amount = sheet->findChild<QLineEdit*>(u"encaissementAmount"_s);
    typeInto(amount, u"12,5,0"_s);
    sheet->findChild<QDateEdit*>()->setFocus();
    QTest::mouseClick(sheet->findChild<QPushButton*>(u"encaissementSheetSave"_s), Qt::LeftButton);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(stored(m_invoice.id).encaissements.isEmpty());
    EXPECT_EQ(amount->text(), u"12,5,0"_s);
    EXPECT_TRUE(isMarkedRefused(amount));
    EXPECT_EQ(sheet->focusWidget(), amount);
    EXPECT_FALSE(sheet->findChild<QLabel*>(u"encaissementSheetError"_s)->text().isEmpty());
}

// A quote's PDF that nothing on the desktop opens is said, with its place.
TEST_F(DocumentSheetsTest, AQuotePdfNothingOpensIsSaidWithWhereItIs) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s);
    const QUrl pdf = QUrl::fromLocalFile(m_dir.path() + u"/devis D-7.pdf"_s);
    ASSERT_TRUE(store()
                    .edit([&](SessionEdit& edit) {
                        edit.document(m_invoice.id)->linkedQuotePDFURL = pdf;
                        return Result<>::success();
                    })
                    .ok());
    page()->reveal(m_invoice.id);
    m_urls.fails = true;
    click(u"documentCardOpenQuotePdf"_s);
    ASSERT_EQ(m_urls.opened, QList<QUrl>{pdf});
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Ouverture impossible"_s);
    EXPECT_EQ(m_dialogs.alerts.last().message,
              u"Aucun programme n’a pu ouvrir «\u00a0devis D-7.pdf\u00a0»."_s);
    EXPECT_EQ(m_dialogs.alerts.last().informativeText,
              u"Le fichier est ici\u00a0: "_s + pdf.toLocalFile());
}

TEST_F(DocumentSheetsTest, AFailedSaveLeavesTheInvoiceAsItWas) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s);
    page()->reveal(m_invoice.id);
    const QByteArray before = sessionFile();
    click(u"documentCardAddPayment"_s);
    auto* sheet = openSheet<EncaissementSheet>();
    ASSERT_NE(sheet, nullptr);
    m_fs.failOn(velmora::test::FaultyFileSystem::Op::Write);
    typeInto(sheet->findChild<QLineEdit*>(u"encaissementAmount"_s), u"100"_s);
    QTest::mouseClick(sheet->findChild<QPushButton*>(u"encaissementSheetSave"_s), Qt::LeftButton);
    EXPECT_TRUE(sheet->isVisible()) << "the sheet stays open with the reason";
    EXPECT_FALSE(sheet->findChild<QLabel*>(u"encaissementSheetError"_s)->text().isEmpty());
    EXPECT_TRUE(stored(m_invoice.id).encaissements.isEmpty());
    EXPECT_EQ(sessionFile(), before);
    m_fs.heal();
}

TEST_F(DocumentSheetsTest, ReminderOfALateInvoiceAndTheDocumentByEmail) {
    openDocuments(u"Brouillon"_s, u"Envoyé"_s, 40);
    page()->reveal(m_invoice.id);
    click(u"documentCardReminder"_s);
    const CommercialDocumentItem invoice = stored(m_invoice.id);
    const qint64 late = daysLate(invoice, StatusLists::of(store().session()), m_clock.now());
    ASSERT_EQ(late, 10);
    ASSERT_EQ(m_urls.opened.size(), 1);
    EXPECT_EQ(
        m_urls.opened.first().toString(QUrl::FullyEncoded),
        QUrl(composeReminder(invoice, late, DocumentParties::of(invoice, store().session())).url)
            .toString(QUrl::FullyEncoded));
    EXPECT_EQ(stored(m_invoice.id).statusID, m_invoice.statusID);

    // E-mailing the draft quote hands it over with its PDF and issues it.
    page()->reveal(m_quote.id);
    click(u"documentCardEmail"_s);
    ASSERT_EQ(m_mail.composed.size(), 1);
    const MailMessage& sent = m_mail.composed.first();
    EXPECT_EQ(sent.recipients, QStringList{u"compta@lumen.fr"_s});
    EXPECT_TRUE(sent.subject.startsWith(u"Devis D-1"_s));
    EXPECT_TRUE(sent.attachmentPath.endsWith(u"/D-1.pdf"_s));
    EXPECT_TRUE(QFile::exists(sent.attachmentPath));
    EXPECT_TRUE(sent.attachmentPath.startsWith(m_dir.path()));
    EXPECT_EQ(stored(m_quote.id).statusID, statusNamed(store().quoteStatuses(), u"Envoyé"_s));
}

// Neither a mail program nor a PDF viewer took it: the alert says so and
// where the PDF is, and the draft stays a draft.
TEST_F(DocumentSheetsTest, EmailThatNothingTookSaysWhereThePdfIs) {
    openDocuments(u"Brouillon"_s, u"Envoyé"_s);
    m_mail.composeFails = true;
    m_urls.fails = true;
    page()->reveal(m_quote.id);
    click(u"documentCardEmail"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    const Alert& alert = m_dialogs.alerts.last();
    EXPECT_EQ(alert.title, u"Envoi automatique impossible"_s);
    EXPECT_FALSE(alert.message.contains(u"a été ouvert"_s)) << alert.message.toStdString();
    EXPECT_TRUE(alert.message.contains(u"Le PDF n'a pas pu être ouvert non plus."_s));
    const qsizetype from = alert.message.indexOf(u"«\u00a0"_s);
    const qsizetype to = alert.message.indexOf(u"\u00a0»"_s);
    ASSERT_TRUE(from > 0 && to > from) << alert.message.toStdString();
    const QString saved = alert.message.mid(from + 2, to - from - 2);
    EXPECT_TRUE(saved.endsWith(u"/D-1.pdf"_s)) << saved.toStdString();
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(m_urls.opened, QList<QUrl>{QUrl::fromLocalFile(saved)});
    EXPECT_EQ(stored(m_quote.id).statusID, m_quote.statusID);
}

TEST_F(DocumentSheetsTest, LateChargeQuoteAssociationAndDepositDecision) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s, 40);
    page()->reveal(m_invoice.id);
    // Added, then edited in place: one line whose price follows.
    for (const QString& amount : {u"40"_s, u"55,5"_s}) {
        click(u"documentCardLateCharge"_s);
        auto* sheet = openSheet<LateChargeSheet>();
        ASSERT_NE(sheet, nullptr);
        typeInto(sheet->findChild<QLineEdit*>(u"lateChargeAmount"_s), amount);
        m_dialogs.answerNext(u"OK"_s);
        QTest::mouseClick(sheet->findChild<QPushButton*>(u"lateChargeSheetSave"_s), Qt::LeftButton);
        EXPECT_EQ(m_dialogs.alerts.last().title, u"Frais de retard ajouté"_s);
    }
    const CommercialDocumentItem charged = stored(m_invoice.id);
    ASSERT_EQ(charged.lines.size(), 2);
    EXPECT_DOUBLE_EQ(charged.lines.last().priceTTC, 55.5);
    EXPECT_EQ(shownText(u"documentCardLateCharge"_s), u"Frais de retard appliqués"_s);

    click(u"documentCardAssociateQuote"_s);
    auto* picker = openSheet<QuotePickerSheet>();
    ASSERT_NE(picker, nullptr);
    QTest::mouseClick(picker->findChild<QPushButton*>(u"quotePickerSave"_s), Qt::LeftButton);
    EXPECT_EQ(stored(m_invoice.id).linkedQuoteID, m_quote.id);
    m_dialogs.answerNext(u"Dissocier"_s);
    click(u"documentCardDissociateQuote"_s);
    EXPECT_EQ(m_dialogs.alerts.last(), QuoteAssociation::dissociateConfirmation());
    EXPECT_FALSE(stored(m_invoice.id).linkedQuoteID.has_value());

    // The invoice's activity is cancelled while it holds a deposit.
    (void)store().edit([&](SessionEdit& edit) {
        ProjectItem project;
        project.id = QUuid::createUuid();
        project.title = u"Mariage"_s;
        project.isCancelled = true;
        edit.projects().append(project);
        CommercialDocumentItem* invoice = edit.document(m_invoice.id);
        invoice->linkedProjectIDs = {project.id};
        Encaissement deposit;
        deposit.id = QUuid::createUuid();
        deposit.amount = 100;
        deposit.isAcompte = true;
        deposit.date = deposit.createdAt = QDateTime::currentDateTimeUtc();
        invoice->encaissements = {deposit};
        return Result<>();
    });
    m_dialogs.answerNext(u"Annuler"_s);
    click(u"documentCardDepositKept"_s);
    EXPECT_EQ(m_dialogs.alerts.last(), DepositDecision::confirmation(AcompteRefundStatus::kept));
    EXPECT_FALSE(stored(m_invoice.id).acompteRefundStatus.has_value());
    m_dialogs.answerNext(u"Confirmer"_s);
    click(u"documentCardDepositRefunded"_s);
    EXPECT_EQ(stored(m_invoice.id).acompteRefundStatus, AcompteRefundStatus::refunded);
    EXPECT_EQ(shownText(u"documentCardDepositDecision"_s), u"Acompte remboursé"_s);
}

TEST_F(DocumentSheetsTest, ExpiredQuoteIsAskedAboutOnce) {
    openDocuments(u"Envoyé"_s, u"Envoyé"_s, 0, QDateTime::currentDateTimeUtc().addDays(-3));
    const qsizetype asked = m_dialogs.alerts.size();
    m_dialogs.answerNext(u"Refusé"_s);
    QCoreApplication::processEvents();
    ASSERT_EQ(m_dialogs.alerts.size(), asked + 1);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Devis D-1 expiré"_s);
    EXPECT_EQ(stored(m_quote.id).statusID, statusNamed(store().quoteStatuses(), u"Refusé"_s));

    window().workspace().showSection(u"clients"_s);
    window().workspace().showSection(u"documents"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_dialogs.alerts.size(), asked + 1);
}

} // namespace
} // namespace velmora::gui::test
