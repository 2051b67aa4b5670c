#pragma once

#include "core/documents/PaymentSheetModel.h"
#include "gui/common/FormSheet.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;

namespace velmora::gui {

class Dialogs;
class PaymentMethodsField;

// "Confirmer le paiement": an invoice marked paid with the date, the
// methods received and, when not the whole amount, the amount; asks once
// more before storing, since it cannot be undone. Locked to the deposit
// after "Passage automatique en Payé".
class PaymentSheet : public FormSheet {
    Q_OBJECT

public:
    PaymentSheet(AppDataStore& store, Dialogs& dialogs, const QUuid& invoiceID,
                 const QUuid& paidStatusID, bool lockedToDeposit, QWidget* parent);

protected:
    bool save() override;

private:
    void partialChanged();

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    PaymentSheetModel m_model;
    QDateEdit* m_date = nullptr;
    PaymentMethodsField* m_methods = nullptr;
    QCheckBox* m_partial = nullptr;
    QLineEdit* m_amount = nullptr;
    QCheckBox* m_deposit = nullptr;
};

} // namespace velmora::gui
