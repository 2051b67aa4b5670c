#pragma once

#include "core/accounting/UrssafSettingsForm.h"
#include "gui/common/FormSheet.h"
#include "gui/common/SectionServices.h"

#include <utility>

class QLabel;
class QLineEdit;

namespace velmora::gui {

// "Paramètres cotisations", bound to UrssafSettingsForm: the rates of the
// chosen regime, the CFP, the income-tax instalment, the frequency and the
// reminder. Saving stores them and re-plans the reminders.
class UrssafSettingsSheet : public FormSheet {
    Q_OBJECT

public:
    UrssafSettingsSheet(const SectionServices& services, QWidget* parent);

    const UrssafSettingsForm& model() const { return m_form; }

protected:
    bool save() override;

private:
    QLineEdit* rateRow(const UrssafRateField& field);
    void showRows();

    SectionServices m_services;
    UrssafSettingsForm m_form;
    QList<std::pair<URSSAFRegime, QWidget*>> m_regimeRows;
    QList<QWidget*> m_versementRows;
    QList<QWidget*> m_reminderRows;
    QLabel* m_sentence = nullptr;
};

} // namespace velmora::gui
