#include "gui/documents/DocumentCardActions.h"

#include "core/accounting/RecipeBook.h"
#include "core/accounting/RecipeBookExclusion.h"

#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentCardModel.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentMail.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/LateCharge.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/RecordCard.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"
#include "gui/documents/DocumentSheets.h"
#include "gui/documents/EncaissementSheet.h"
#include "gui/documents/LateChargeSheet.h"
#include "gui/documents/PaymentSheet.h"
#include "gui/documents/QuotePickerSheet.h"
#include "render/DocumentRenderer.h"

#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace velmora::gui {

namespace {

// A row of buttons under a block of the card.
QWidget* buttonRow(const QList<QPushButton*>& buttons) {
    auto* row = new QWidget;
    auto* layout = new FlowLayout(row, 8);
    layout->setContentsMargins(0, 4, 0, 0);
    for (QPushButton* button : buttons) {
        button->setParent(row);
        layout->addWidget(button);
    }
    return row;
}

QPushButton* cardButton(const QString& text, const QString& name, const char* role = "") {
    QPushButton* button = theme::button(text, role);
    button->setObjectName(QStringLiteral("documentCard") + name);
    return button;
}

template <class Sheet> void openSheet(Sheet* sheet) {
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

} // namespace

DocumentCardActions::DocumentCardActions(const SectionServices& services, QWidget* page,
                                         Report report)
    : QObject(page), m_services(services), m_page(page), m_report(std::move(report)) {
    page->installEventFilter(this);
    // After a payment the card opens on its settlement, once laid out again.
    connect(this, &DocumentCardActions::paymentAdded, this, [this] {
        QTimer::singleShot(0, this, [this] { scrollToSection(SettlementCard::title()); });
    });
}

void DocumentCardActions::scrollToSection(const QString& title) {
    auto* card = m_page->findChild<RecordCard*>();
    if (!card)
        return;
    for (QLabel* label : card->findChildren<QLabel*>()) {
        if (label->text() != title || !label->isVisibleTo(card))
            continue;
        for (QWidget* parent = card->parentWidget(); parent; parent = parent->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(parent)) {
                area->verticalScrollBar()->setValue(label->mapTo(area->widget(), QPoint()).y());
                return;
            }
        }
    }
}

bool DocumentCardActions::eventFilter(QObject* watched, QEvent* event) {
    // Asked once the page is on screen, not while it is being shown.
    if (watched == m_page && event->type() == QEvent::Show && !m_expired.hasCheckedExpiredQuotes())
        QTimer::singleShot(0, this, &DocumentCardActions::checkExpiredQuotes);
    return QObject::eventFilter(watched, event);
}

void DocumentCardActions::addHeaderActions(RecordCard& card,
                                           const CommercialDocumentItem& document) {
    const StatusLists lists = StatusLists::of(m_services.store.session());
    const TagItem* current = statusOf(document, lists);
    QPushButton* status = card.addAction(current ? current->name.trimmed() : noStatusName(),
                                         QStringLiteral("Status"));
    status->setToolTip(QStringLiteral("Changer le statut"));
    status->setAccessibleName(QStringLiteral("Statut : ") + status->text());
    if (current)
        status->setIcon(tagDot(current->color));
    // Room for the menu's arrow beside the name.
    status->setStyleSheet(QStringLiteral(
        "QPushButton { padding-right: 24px; } QPushButton::menu-indicator { subcontrol-origin: "
        "padding; subcontrol-position: center right; right: 8px; }"));
    auto* menu = new QMenu(status);
    menu->setObjectName(QStringLiteral("documentStatusMenu"));
    for (const TagItem& choice : lists.of(document.kind)) {
        QAction* action = menu->addAction(tagDot(choice.color), choice.name.trimmed());
        action->setObjectName(QStringLiteral("documentStatus_") + choice.name.trimmed());
        action->setCheckable(true);
        action->setChecked(current && current->id == choice.id);
        connect(action, &QAction::triggered, this,
                [this, id = document.id, statusID = choice.id] { changeStatus(id, statusID); });
    }
    status->setMenu(menu);

    connect(card.addAction(QStringLiteral("Envoyer par email"), QStringLiteral("Email")),
            &QPushButton::clicked, this, [this, id = document.id] { sendByEmail(id); });
}

void DocumentCardActions::addDraftBanner(RecordCard& card, const CommercialDocumentItem& document) {
    const StatusLists lists = StatusLists::of(m_services.store.session());
    if (statusKey(document, lists) != StatusKeys::draft() ||
        missingItemsForIssue(document).isEmpty())
        return;
    card.addText(incompleteDraftBanner(), "error")
        ->setObjectName(QStringLiteral("documentCardDraftBanner"));
}

void DocumentCardActions::addSettlement(RecordCard& card, const CommercialDocumentItem& invoice) {
    const AppDataStore& store = m_services.store;
    const SettlementCard model = SettlementCard::of(invoice, store.session(), store.clock().now());
    card.addSection(SettlementCard::title());
    for (const SettlementCard::Payment& payment : model.payments)
        card.addRow(payment.date, payment.details);
    if (model.payments.isEmpty())
        card.addText(SettlementCard::noPaymentLine(), "hint");
    card.addRow(SettlementCard::receivedLabel(), model.received);
    card.addRow(SettlementCard::remainingLabel(), model.remaining);
    if (model.hasLateCharge)
        card.addText(LateCharge::appliedBadge(), "hint")
            ->setObjectName(QStringLiteral("documentCardLateCharge"));

    QList<QPushButton*> buttons;
    if (model.offersPayment) {
        QPushButton* add =
            cardButton(EncaissementSheetModel::title(), QStringLiteral("AddPayment"));
        connect(add, &QPushButton::clicked, this, [this, id = invoice.id] { addPayment(id); });
        buttons << add;
    }
    if (!model.lateChargeButton.isEmpty()) {
        QPushButton* late = cardButton(model.lateChargeButton, QStringLiteral("LateCharge"));
        connect(late, &QPushButton::clicked, this, [this, id = invoice.id] { editLateCharge(id); });
        buttons << late;
    }
    if (model.offersReminder) {
        QPushButton* remind =
            cardButton(SettlementCard::reminderButton(), QStringLiteral("Reminder"));
        connect(remind, &QPushButton::clicked, this, [this, id = invoice.id] { sendReminder(id); });
        buttons << remind;
    }
    if (!buttons.isEmpty())
        card.addWidget(buttonRow(buttons));
}

void DocumentCardActions::addDepositDecision(RecordCard& card,
                                             const CommercialDocumentItem& invoice) {
    const AppDataStore& store = m_services.store;
    const bool cancelled =
        isInCancelledActivity(invoice, StatusLists::of(store.session()), store.projects());
    if (DepositDecision::isPending(invoice, cancelled)) {
        card.addSection(DepositDecision::pendingTitle());
        card.addText(DepositDecision::pendingQuestion());
        card.addText(DepositDecision::pendingNote(), "hint");
        QPushButton* kept =
            cardButton(DepositDecision::keptChoice(), QStringLiteral("DepositKept"));
        QPushButton* refunded =
            cardButton(DepositDecision::refundedChoice(), QStringLiteral("DepositRefunded"));
        connect(kept, &QPushButton::clicked, this,
                [this, id = invoice.id] { decideDeposit(id, AcompteRefundStatus::kept); });
        connect(refunded, &QPushButton::clicked, this,
                [this, id = invoice.id] { decideDeposit(id, AcompteRefundStatus::refunded); });
        card.addWidget(buttonRow({kept, refunded}));
    } else if (cancelled && invoice.acompteRefundStatus) {
        card.addSection(DepositDecision::cancelledActivityLabel());
        card.addText(DepositDecision::decidedLabel(*invoice.acompteRefundStatus))
            ->setObjectName(QStringLiteral("documentCardDepositDecision"));
    }
}

void DocumentCardActions::addQuoteAssociation(RecordCard& card,
                                              const CommercialDocumentItem& invoice) {
    card.addSection(QStringLiteral("Devis associé"));
    QList<QPushButton*> buttons;
    if (invoice.linkedQuoteID) {
        const CommercialDocumentItem* quote =
            documentsheets::find(m_services.store, *invoice.linkedQuoteID);
        if (quote)
            card.addLink(QStringLiteral("Devis ") + QuoteAssociation::quoteLabel(*quote),
                         QStringLiteral("documents"), quote->id);
        else
            card.addText(QStringLiteral("Le devis associé a été supprimé."), "hint");
    } else if (invoice.linkedQuotePDFURL) {
        QPushButton* open = cardButton(QStringLiteral("Ouvrir le PDF du devis"),
                                       QStringLiteral("OpenQuotePdf"), "link");
        connect(open, &QPushButton::clicked, this, [this, url = *invoice.linkedQuotePDFURL] {
            openOrExplain(m_services.dialogs, m_services.urls, m_page, url);
        });
        buttons << open;
    } else {
        QPushButton* associate =
            cardButton(QuoteAssociation::associateButton(), QStringLiteral("AssociateQuote"));
        QPushButton* import =
            cardButton(QuoteAssociation::importButton(), QStringLiteral("ImportQuotePdf"));
        connect(associate, &QPushButton::clicked, this,
                [this, id = invoice.id] { associateQuote(id); });
        connect(import, &QPushButton::clicked, this,
                [this, id = invoice.id] { importQuotePdf(id); });
        card.addWidget(buttonRow({associate, import}));
        return;
    }
    QPushButton* dissociate =
        cardButton(QStringLiteral("Dissocier"), QStringLiteral("DissociateQuote"), "destructive");
    connect(dissociate, &QPushButton::clicked, this,
            [this, id = invoice.id] { dissociateQuote(id); });
    card.addWidget(buttonRow(buttons << dissociate));
}

void DocumentCardActions::addRecipeBookState(RecordCard& card,
                                             const CommercialDocumentItem& invoice) {
    const AppDatabase& session = m_services.store.session();
    const QList<RecipeEntry> entries = recipeEntriesOf(session, invoice.id);
    const bool removed = isRemovedFromRecipeBook(invoice, session.preferences);
    if (entries.isEmpty() && !removed)
        return;
    card.addSection(QStringLiteral("Livre de recettes"));
    card.addText(recipeBookStateText(invoice, session.preferences))
        ->setObjectName(QStringLiteral("documentCardRecipeState"));
    const auto payments = std::count_if(entries.cbegin(), entries.cend(), [](const RecipeEntry& e) {
        return e.encaissement.has_value();
    });
    if (payments > 0)
        card.addText(recipeBookPaymentsText(payments), "hint");
    if (!removed)
        return;
    QPushButton* back = cardButton(QStringLiteral("Réintégrer au livre de recettes"),
                                   QStringLiteral("ReintegrateRecipe"));
    connect(back, &QPushButton::clicked, this, [this, id = invoice.id] {
        m_report(
            m_services.store.edit([&](SessionEdit& edit) { return reintegrateInvoice(edit, id); }));
    });
    card.addWidget(buttonRow({back}));
}

void DocumentCardActions::changeStatus(const QUuid& documentID, const QUuid& statusID) {
    AppDataStore& store = m_services.store;
    const Result<StatusChangeRequest> outcome = store.edit([&](SessionEdit& edit) {
        return requestStatusChange(edit, documentID, statusID, store.clock());
    });
    if (!outcome) {
        m_report(Result<>(outcome));
        return;
    }
    const StatusChangeRequest& request = outcome.value();
    switch (request.action) {
    case StatusChangeRequest::Action::applied:
        break;
    case StatusChangeRequest::Action::incomplete:
        m_services.dialogs.ask(m_page, *request.alert);
        break;
    case StatusChangeRequest::Action::confirmFreeze:
        if (confirm(m_services.dialogs, m_page, *request.alert))
            m_report(store.edit([&](SessionEdit& edit) {
                return setDocumentStatus(edit, documentID, statusID, store.clock());
            }));
        break;
    case StatusChangeRequest::Action::openPaymentSheet:
        openPaymentSheet(documentID, statusID, false);
        break;
    case StatusChangeRequest::Action::notFound:
        m_report(Result<>::notFound(request.message));
        break;
    }
}

void DocumentCardActions::openPaymentSheet(const QUuid& invoiceID, const QUuid& paidStatusID,
                                           bool lockedToDeposit) {
    openSheet(new PaymentSheet(m_services.store, m_services.dialogs, invoiceID, paidStatusID,
                               lockedToDeposit, m_page));
}

bool DocumentCardActions::offerDepositPayment(const QUuid& invoiceID) {
    const AppDataStore& store = m_services.store;
    const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID);
    if (!invoice)
        return false;
    const StatusLists lists = StatusLists::of(store.session());
    const std::optional<Alert> alert = depositAutoPaidAlert(*invoice, lists);
    const std::optional<QUuid> paid = firstStatusWithKey(lists.invoices, {StatusKeys::paid()});
    if (!alert || !paid)
        return false;
    if (confirm(m_services.dialogs, m_page, *alert))
        openPaymentSheet(invoiceID, *paid, true);
    return true;
}

void DocumentCardActions::addPayment(const QUuid& invoiceID) {
    auto* sheet = new EncaissementSheet(m_services.store, invoiceID, m_page);
    connect(sheet, &EncaissementSheet::added, this, &DocumentCardActions::paymentAdded);
    openSheet(sheet);
}

void DocumentCardActions::decideDeposit(const QUuid& invoiceID, AcompteRefundStatus decision) {
    if (!confirm(m_services.dialogs, m_page, DepositDecision::confirmation(decision)))
        return;
    m_report(m_services.store.edit([&](SessionEdit& edit) {
        return DepositDecision::setDepositDecision(edit, invoiceID, decision);
    }));
}

void DocumentCardActions::editLateCharge(const QUuid& invoiceID) {
    openSheet(new LateChargeSheet(m_services.store, m_services.dialogs, invoiceID, m_page));
}

void DocumentCardActions::associateQuote(const QUuid& invoiceID) {
    openSheet(new QuotePickerSheet(m_services.store, invoiceID, m_page));
}

void DocumentCardActions::importQuotePdf(const QUuid& invoiceID) {
    FilePanel panel;
    panel.title = QuoteAssociation::importButton();
    panel.prompt = QStringLiteral("Importer");
    panel.extension = QStringLiteral("pdf");
    const std::optional<QUrl> chosen = m_services.dialogs.choose(m_page, panel);
    if (!chosen)
        return;
    // Nothing is left behind when the invoice does not take it: the copy is
    // staged with the edit.
    m_report(m_services.store.edit([&](SessionEdit& edit) -> Result<> {
        const Result<QUrl> copy = edit.importMedia(*chosen, false, QStringLiteral("devis"));
        if (!copy)
            return Result<>::failure(
                QStringLiteral("Le fichier « %1 » n’a pas pu être copié dans la session.")
                    .arg(chosen->fileName()));
        return QuoteAssociation::associateQuotePDF(edit, invoiceID, copy.value());
    }));
}

void DocumentCardActions::dissociateQuote(const QUuid& invoiceID) {
    if (!confirm(m_services.dialogs, m_page, QuoteAssociation::dissociateConfirmation()))
        return;
    m_report(m_services.store.edit(
        [&](SessionEdit& edit) { return QuoteAssociation::dissociate(edit, invoiceID); }));
}

void DocumentCardActions::sendByEmail(const QUuid& documentID) {
    AppDataStore& store = m_services.store;
    const MediaReader media = mediaFolderReader(store.fileSystem(), store.mediaFolder());
    const MailServices services{m_services.mail, m_services.urls, store.fileSystem(),
                                m_services.attachmentFolder};
    const Result<EmailOutcome> outcome = store.edit([&](SessionEdit& edit) {
        return sendDocumentByEmail(
            edit, documentID, services,
            [&](const CommercialDocumentItem& document, const DocumentParties& parties) {
                return renderDocumentPDF(document, parties, media);
            },
            media, store.clock());
    });
    if (const std::optional<Alert>& alert = outcome ? outcome->alert : outcome.alert())
        m_services.dialogs.ask(m_page, *alert);
}

void DocumentCardActions::sendReminder(const QUuid& invoiceID) {
    const AppDataStore& store = m_services.store;
    const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID);
    if (!invoice)
        return;
    const qint64 days = daysLate(*invoice, StatusLists::of(store.session()), store.clock().now());
    openReminder(m_services.urls,
                 composeReminder(*invoice, days, DocumentParties::of(*invoice, store.session())));
}

void DocumentCardActions::checkExpiredQuotes() {
    AppDataStore& store = m_services.store;
    const std::optional<ExpiredQuotesAlert> expired =
        m_expired.check(store.documents(), StatusLists::of(store.session()), store.clock().now());
    if (!expired)
        return;
    const int answer = m_services.dialogs.ask(m_page, expired->alert);
    if (expired->quoteIDs.size() != 1 || answer < 0 || answer >= expired->alert.buttons.size())
        return;
    const QString chosen = expired->alert.buttons[answer].text;
    const ExpiredQuotesCheck::Answer reply =
        chosen == ExpiredQuotesCheck::refusedButton()    ? ExpiredQuotesCheck::Answer::refused
        : chosen == ExpiredQuotesCheck::acceptedButton() ? ExpiredQuotesCheck::Answer::accepted
                                                         : ExpiredQuotesCheck::Answer::nothing;
    if (reply == ExpiredQuotesCheck::Answer::nothing)
        return;
    m_report(store.edit([&](SessionEdit& edit) {
        return ExpiredQuotesCheck::answer(edit, expired->quoteIDs.first(), reply, store.clock());
    }));
}

} // namespace velmora::gui
