#pragma once

#include "core/accounting/ExpenseForm.h"
#include "gui/common/FormSheet.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmora::gui {

struct SectionServices;

// "Nouvelle dépense" / "Modifier la dépense", bound to ExpenseForm: a
// product of the stock or a free name (with, for a new expense, the product
// to create in the stock or the "Liste d’achats"), the date, the quantity
// and the prices as typed, the total computed live from the unit price and
// the quantity, the supplier, the classification, notes and characteristics.
class ExpenseFormSheet : public FormSheet {
    Q_OBJECT

public:
    ExpenseFormSheet(const SectionServices& services, ExpenseForm model, QWidget* parent);

    const ExpenseForm& model() const { return m_form; }

signals:
    void saved(const QUuid& expenseID);

protected:
    bool save() override;

private:
    QLineEdit* amountField(const QString& name, QString& text, const QString& placeholder);
    void showTarget();
    void showPrice();

    const SectionServices& m_services;
    ExpenseForm m_form;
    QRadioButton* m_fromStock = nullptr;
    QComboBox* m_stock = nullptr;
    QLineEdit* m_name = nullptr;
    QWidget* m_linked = nullptr;
    QCheckBox* m_create = nullptr;
    QComboBox* m_destination = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLabel* m_quantityError = nullptr;
    QLineEdit* m_unitPrice = nullptr;
    QLineEdit* m_priceTTC = nullptr;
};

} // namespace velmora::gui
