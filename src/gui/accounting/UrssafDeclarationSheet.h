#pragma once

#include "core/accounting/UrssafDeclarationForm.h"
#include "gui/common/FormSheet.h"
#include "gui/common/SectionServices.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmora::gui {

// "Nouvelle déclaration" / "Modifier la déclaration", bound to
// UrssafDeclarationForm: the period, the turnover by category with its
// pre-fill, the amounts computed or typed, the paid and declared flags with
// their dates, the notes and the two receipts.
class UrssafDeclarationSheet : public FormSheet {
    Q_OBJECT

public:
    UrssafDeclarationSheet(const SectionServices& services, UrssafDeclarationForm model,
                           QWidget* parent);

    const UrssafDeclarationForm& model() const { return m_form; }
    bool hasTypedInput() const override {
        return FormSheet::hasTypedInput() || m_form.newDeclarationFile || m_form.newPaymentFile;
    }

signals:
    void saved(const QUuid& declarationID);

protected:
    bool save() override;

private:
    QLineEdit* amountField(const QString& name, QString UrssafDeclarationForm::*text,
                           const QString& label);
    QWidget* flagRow(const QString& name, const QString& label, bool UrssafDeclarationForm::*flag,
                     QDateTime UrssafDeclarationForm::*date);
    QWidget* fileRow(const QString& name, const QString& label,
                     std::optional<QUrl> UrssafDeclarationForm::*chosen,
                     std::optional<QUrl> URSSAFDeclaration::*stored);
    void fillPeriods();
    void showAmounts();

    SectionServices m_services;
    UrssafDeclarationForm m_form;
    QComboBox* m_period = nullptr;
    QLineEdit* m_sales = nullptr;
    QLineEdit* m_bic = nullptr;
    QLineEdit* m_bnc = nullptr;
    QLabel* m_total = nullptr;
    QList<QWidget*> m_manualRows;
    QList<QLineEdit*> m_amounts;
};

} // namespace velmora::gui
