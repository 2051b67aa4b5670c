#include "gui/documents/PaymentSheet.h"

#include "core/documents/EncaissementSheetModel.h"
#include "core/text/MoneyFormat.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/PaymentMethodsField.h"
#include "gui/common/Theme.h"
#include "gui/documents/DocumentSheets.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace velmora::gui {

PaymentSheet::PaymentSheet(AppDataStore& store, Dialogs& dialogs, const QUuid& invoiceID,
                           const QUuid& paidStatusID, bool lockedToDeposit, QWidget* parent)
    : FormSheet(QStringLiteral("paymentSheet"), PaymentSheetModel::title(), parent), m_store(store),
      m_dialogs(dialogs), m_model(invoiceID, paidStatusID, store.clock()) {
    setSaveText(QStringLiteral("Confirmer"));
    const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID);
    if (invoice && lockedToDeposit)
        m_model.lockToDeposit(*invoice);

    QLabel* hint = theme::label(PaymentSheetModel::hint(), "hint", this);
    form()->addRow(hint);
    if (invoice) {
        QLabel* remaining =
            theme::label(PaymentSheetModel::remainingText(*invoice), "section", this);
        remaining->setObjectName(QStringLiteral("paymentRemaining"));
        form()->addRow(remaining);
    }
    m_date = documentsheets::dayField(QStringLiteral("paymentDate"), store.clock(), this);
    addRow(QStringLiteral("Date d'encaissement"), m_date);
    m_methods = new PaymentMethodsField(QStringLiteral("paymentMethod"),
                                        store.companySettings().acceptedPaymentMethods, this);
    m_methods->showIcons(store.companySettings());
    addRow(QStringLiteral("Modes de paiement"), m_methods);

    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("paymentAmount"));
    watchAmount(m_amount);
    if (invoice)
        m_amount->setPlaceholderText(formatMoney(PaymentSheetModel::due(*invoice)));
    if (m_model.isAmountLocked()) {
        // The deposit is what the lines say: shown, not typed.
        m_amount->setText(m_model.amountText);
        m_amount->setReadOnly(true);
        m_amount->addAction(symbolIcon(QStringLiteral("lock.fill"), QPalette::PlaceholderText),
                            QLineEdit::LeadingPosition);
        addRow(PaymentSheetModel::amountLabel(true), m_amount);
    } else {
        m_partial = new QCheckBox(PaymentSheetModel::partialSwitchLabel(), this);
        m_partial->setObjectName(QStringLiteral("paymentPartial"));
        m_deposit = new QCheckBox(QStringLiteral("Marquer comme acompte"), this);
        m_deposit->setObjectName(QStringLiteral("paymentDeposit"));
        addRow(QString(), m_partial);
        addRow(PaymentSheetModel::amountLabel(false), m_amount);
        addRow(QString(), m_deposit);
        connect(m_partial, &QCheckBox::toggled, this, &PaymentSheet::partialChanged);
        partialChanged();
    }
}

void PaymentSheet::partialChanged() {
    // Without a specific amount all that remains is received.
    m_amount->setEnabled(m_partial->isChecked());
    const CommercialDocumentItem* invoice = documentsheets::find(m_store, m_model.invoiceID());
    m_deposit->setEnabled(m_partial->isChecked() && invoice &&
                          EncaissementSheetModel::isDepositSwitchAvailable(*invoice));
    if (m_partial->isChecked())
        m_amount->setFocus();
}

bool PaymentSheet::save() {
    const CommercialDocumentItem* invoice = documentsheets::find(m_store, m_model.invoiceID());
    if (!invoice)
        return true;
    m_model.date = documentsheets::moment(m_date->date(), m_store.clock());
    m_model.tickedMethods = m_methods->ticked();
    if (!m_model.isAmountLocked()) {
        m_model.paymentIsPartial = m_partial->isChecked();
        m_model.amountText = m_amount->text();
        m_model.paymentIsAcompte = m_deposit->isChecked();
    }
    if (const std::optional<Alert> invalid = m_model.validate(*invoice)) {
        refuseField(m_amount, invalid->message);
        return false;
    }
    if (!confirm(m_dialogs, this, m_model.confirmation(*invoice)))
        return false;
    return applied(
        m_store.edit([&](SessionEdit& edit) { return m_model.confirm(edit, m_store.clock()); }));
}

} // namespace velmora::gui
