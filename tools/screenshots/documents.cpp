// The documents: listed with the editor; the invoice's card with its
// settlement, the sheets of its actions, the card of an invoice whose
// activity was cancelled, and the alerts.

#include "Tour.h"

#include "core/activities/ActivityLifecycle.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/ExpiredQuotes.h"
#include "gui/app/Application.h"
#include "gui/documents/DocumentCardActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace velmora::tour {

void shootDocumentList(Tour& tour) {
    tour.shootRecordSection(u"documents"_s);
}

void shootDocumentCards(Tour& tour) {
    AppDataStore& store = tour.app.store();
    CommercialDocumentItem invoice;
    CommercialDocumentItem quote;
    for (const CommercialDocumentItem& d : store.documents())
        (d.kind == CommercialDocumentKind::invoice ? invoice : quote) = d;
    const QUuid cancelled = QUuid::createUuid();
    (void)store.edit([&](SessionEdit& edit) {
        Encaissement payment;
        payment.id = QUuid::createUuid();
        payment.amount = 300;
        payment.date = invoice.issueDate.addDays(20);
        payment.paymentMethod = u"Virement"_s;
        payment.createdAt = payment.date;
        edit.document(invoice.id)->encaissements = {payment};
        // An invoice of the cancelled activity, its deposit received.
        CommercialDocumentItem deposit = invoice;
        deposit.id = cancelled;
        deposit.number = u"F-2025-015"_s;
        deposit.statusID = edit.session().invoiceStatuses.value(2).id;
        deposit.linkedProjectIDs = {edit.projects().last().id};
        payment.id = QUuid::createUuid();
        payment.isAcompte = true;
        deposit.encaissements = {payment};
        deposit.pdfSnapshot.reset();
        edit.documents().append(deposit);
        return Result<>();
    });
    tour.window.workspace().showSection(u"documents"_s);
    SectionPage* page = tour.window.sections().page(u"documents"_s);
    // The editor left open by the forms' tour goes first.
    if (auto* cancel = page->findChild<QPushButton*>(u"documentEditorCancel"_s))
        cancel->click();
    tour.settle();
    auto* actions = page->findChild<DocumentCardActions*>();
    page->reveal(invoice.id);
    tour.shoot(tour.window, u"documents-invoice"_s);
    actions->scrollToSection(u"Règlement"_s);
    tour.shoot(tour.window, u"documents-invoice-settlement"_s);
    if (auto* status = page->findChild<QPushButton*>(u"documentCardStatus"_s);
        status && status->menu()) {
        status->menu()->popup(status->mapToGlobal(QPoint(0, status->height())));
        tour.shoot(*status->menu(), u"documents-status-menu"_s);
        status->menu()->hide();
    }
    const auto shootSheet = [&](const std::function<void()>& open, const QString& name) {
        open();
        if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            tour.shoot(*sheet, name);
            sheet->reject();
        }
        tour.settle();
    };
    const QUuid paid = store.session().invoiceStatuses.value(2).id;
    shootSheet([&] { actions->openPaymentSheet(invoice.id, paid, false); },
               u"documents-paid-sheet"_s);
    shootSheet([&] { actions->addPayment(invoice.id); }, u"documents-payment-sheet"_s);
    shootSheet([&] { actions->editLateCharge(invoice.id); }, u"documents-late-charge-sheet"_s);
    shootSheet([&] { actions->associateQuote(invoice.id); }, u"documents-quote-picker"_s);
    page->reveal(cancelled);
    tour.settle();
    actions->scrollToSection(u"Règlement"_s);
    tour.shoot(tour.window, u"documents-deposit-decision"_s);

    CommercialDocumentItem draft = invoice;
    draft.statusID = store.session().invoiceStatuses.value(0).id;
    CommercialDocumentLine line;
    line.id = QUuid::createUuid();
    line.kind = CommercialDocumentLineKind::deposit;
    line.title = u"Acompte versé le 12 juin"_s;
    line.priceTTC = 200;
    draft.lines.append(line);
    draft.encaissements.clear();
    if (const auto alert = depositAutoPaidAlert(draft, StatusLists::of(store.session())))
        tour.shootAlert(tour.window, *alert, u"documents-deposit-paid-alert"_s);
    shootSheet(
        [&] {
            (void)store.edit([&](SessionEdit& edit) {
                *edit.document(invoice.id) = draft;
                return Result<>();
            });
            actions->openPaymentSheet(invoice.id, paid, true);
        },
        u"documents-paid-sheet-deposit"_s);
    tour.shootAlert(tour.window, freezeConfirmation(quote), u"documents-freeze-alert"_s);
    draft.clientID.reset();
    tour.shootAlert(tour.window, incompleteDocumentAlert(draft, missingItemsForIssue(draft)),
                    u"documents-incomplete-alert"_s);
    if (const auto expired = ExpiredQuotesCheck::alertFor({quote}))
        tour.shootAlert(tour.window, expired->alert, u"documents-expired-alert"_s);
}

} // namespace velmora::tour
