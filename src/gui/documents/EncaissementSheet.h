#pragma once

#include "core/documents/EncaissementSheetModel.h"
#include "gui/common/FormSheet.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace velmora::gui {

class PaymentMethodsField;

// "Ajouter un encaissement": one more payment of an invoice, at most what
// remains to be paid. The invoice keeps its status.
class EncaissementSheet : public FormSheet {
    Q_OBJECT

public:
    EncaissementSheet(AppDataStore& store, const QUuid& invoiceID, QWidget* parent);

signals:
    void added(const QUuid& invoiceID);

protected:
    bool save() override;

private:
    AppDataStore& m_store;
    EncaissementSheetModel m_model;
    QLineEdit* m_amount = nullptr;
    QDateEdit* m_date = nullptr;
    PaymentMethodsField* m_methods = nullptr;
    QCheckBox* m_deposit = nullptr;
};

} // namespace velmora::gui
