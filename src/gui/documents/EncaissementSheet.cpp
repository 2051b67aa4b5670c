#include "gui/documents/EncaissementSheet.h"

#include "gui/common/FieldFeedback.h"
#include "gui/common/PaymentMethodsField.h"
#include "gui/common/Theme.h"
#include "gui/documents/DocumentSheets.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmora::gui {

EncaissementSheet::EncaissementSheet(AppDataStore& store, const QUuid& invoiceID, QWidget* parent)
    : FormSheet(QStringLiteral("encaissementSheet"), EncaissementSheetModel::title(), parent),
      m_store(store), m_model(invoiceID, store.clock()) {
    setSaveText(QStringLiteral("Ajouter"));
    const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID);
    if (invoice) {
        QLabel* remaining =
            theme::label(EncaissementSheetModel::remainingText(*invoice), "section", this);
        remaining->setObjectName(QStringLiteral("encaissementRemaining"));
        QLabel* total = theme::label(EncaissementSheetModel::totalText(*invoice), "hint", this);
        total->setObjectName(QStringLiteral("encaissementTotal"));
        form()->addRow(remaining);
        form()->addRow(total);
    }
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("encaissementAmount"));
    watchAmount(m_amount);
    m_amount->setPlaceholderText(QStringLiteral("Ex : 150,00"));
    addRow(QStringLiteral("Montant"), m_amount);
    m_date = documentsheets::dayField(QStringLiteral("encaissementDate"), store.clock(), this);
    addRow(EncaissementSheetModel::dateLabel(), m_date);
    m_methods = new PaymentMethodsField(QStringLiteral("encaissementMethod"),
                                        store.companySettings().acceptedPaymentMethods, this);
    m_methods->showIcons(store.companySettings());
    addRow(QStringLiteral("Modes de paiement"), m_methods);

    auto* deposit = new QWidget(this);
    auto* column = new QVBoxLayout(deposit);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    m_deposit = new QCheckBox(EncaissementSheetModel::depositSwitchLabel(), deposit);
    m_deposit->setObjectName(QStringLiteral("encaissementDeposit"));
    column->addWidget(m_deposit);
    const bool available = invoice && EncaissementSheetModel::isDepositSwitchAvailable(*invoice);
    m_deposit->setEnabled(available);
    column->addWidget(theme::label(available ? EncaissementSheetModel::depositSwitchCaption()
                                             : EncaissementSheetModel::depositAlreadyRecordedNote(),
                                   "hint", deposit));
    addRow(QString(), deposit, m_deposit);
    m_amount->setFocus();
}

bool EncaissementSheet::save() {
    const CommercialDocumentItem* invoice = documentsheets::find(m_store, m_model.invoiceID());
    if (!invoice)
        return true;
    m_model.amountText = m_amount->text();
    m_model.date = documentsheets::moment(m_date->date(), m_store.clock());
    m_model.tickedMethods = m_methods->ticked();
    m_model.addEncaissementIsAcompte = m_deposit->isChecked();
    if (const std::optional<Alert> invalid = m_model.validate(*invoice)) {
        refuseField(m_amount, invalid->message);
        return false;
    }
    if (!applied(
            m_store.edit([&](SessionEdit& edit) { return m_model.apply(edit, m_store.clock()); })))
        return false;
    emit added(m_model.invoiceID());
    return true;
}

} // namespace velmora::gui
