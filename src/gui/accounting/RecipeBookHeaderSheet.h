#pragma once

#include "core/accounting/RecipeBookHeaderForm.h"
#include "gui/common/FormSheet.h"
#include "gui/common/SectionServices.h"

#include <QList>
#include <utility>

class QLabel;
class QLineEdit;

namespace velmora::gui {

// "En-tête du livre", bound to RecipeBookHeaderForm: the title and the
// company block printed at the head of the recipe book, filled in one click
// from the company settings.
class RecipeBookHeaderSheet : public FormSheet {
    Q_OBJECT

public:
    RecipeBookHeaderSheet(const SectionServices& services, QWidget* parent);

    const RecipeBookHeaderForm& model() const { return m_form; }

protected:
    bool save() override;

private:
    void showTexts();
    void showSiretCheck();

    SectionServices m_services;
    RecipeBookHeaderForm m_form;
    QList<std::pair<RecipeBookHeaderForm::Field, QLineEdit*>> m_edits;
    QLabel* m_siretError = nullptr;
};

} // namespace velmora::gui
