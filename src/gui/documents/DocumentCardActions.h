#pragma once

#include "core/Result.h"
#include "core/documents/ExpiredQuotes.h"
#include "core/model/CommercialDocumentItem.h"
#include "gui/common/SectionServices.h"

#include <QObject>
#include <QUuid>

#include <functional>

namespace velmora::gui {

class RecordCard;

// What a document's card lets the user do besides editing it: change its
// status (with the completeness check, the freezing confirmation and the
// payment sheet), record payments, decide on a deposit, add late charges,
// name the quote an invoice comes from, send it by e-mail or send a
// reminder; and, the first time the documents are shown, the expired quotes.
class DocumentCardActions : public QObject {
    Q_OBJECT

public:
    // `report` tells the user why a change did not go through, as the page
    // does for its own.
    using Report = std::function<bool(const Result<>&)>;

    DocumentCardActions(const SectionServices& services, QWidget* page, Report report);

    // The header: the status menu and "Envoyer par email".
    void addHeaderActions(RecordCard& card, const CommercialDocumentItem& document);
    // "Brouillon — champs requis manquants" on a draft that cannot leave draft.
    void addDraftBanner(RecordCard& card, const CommercialDocumentItem& document);
    // "Règlement": the payments, what remains, and the buttons that add a
    // payment, late charges or a reminder.
    void addSettlement(RecordCard& card, const CommercialDocumentItem& invoice);
    // The deposit decision of an invoice in a cancelled activity.
    void addDepositDecision(RecordCard& card, const CommercialDocumentItem& invoice);
    // The quote the invoice comes from, or the means to name it.
    void addQuoteAssociation(RecordCard& card, const CommercialDocumentItem& invoice);
    // Whether its receipts are in the recipe book; reintegration when not.
    void addRecipeBookState(RecordCard& card, const CommercialDocumentItem& invoice);

    void changeStatus(const QUuid& documentID, const QUuid& statusID);
    void openPaymentSheet(const QUuid& invoiceID, const QUuid& paidStatusID, bool lockedToDeposit);
    // After a draft invoice with deposit lines was saved: "Passage
    // automatique en Payé", then the payment sheet locked to the deposit.
    // False when it does not apply to the invoice.
    bool offerDepositPayment(const QUuid& invoiceID);
    void addPayment(const QUuid& invoiceID);
    void decideDeposit(const QUuid& invoiceID, AcompteRefundStatus decision);
    void editLateCharge(const QUuid& invoiceID);
    void associateQuote(const QUuid& invoiceID);
    void importQuotePdf(const QUuid& invoiceID);
    void dissociateQuote(const QUuid& invoiceID);
    void sendByEmail(const QUuid& documentID);
    void sendReminder(const QUuid& invoiceID);
    // Once per run, on the first showing of the page.
    void checkExpiredQuotes();
    // Scrolls the card to the block of that title ("Règlement").
    void scrollToSection(const QString& title);

signals:
    // A payment was added: the card shows the invoice's settlement.
    void paymentAdded(const QUuid& invoiceID);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SectionServices m_services;
    QWidget* m_page = nullptr;
    Report m_report;
    ExpiredQuotesCheck m_expired;
};

} // namespace velmora::gui
