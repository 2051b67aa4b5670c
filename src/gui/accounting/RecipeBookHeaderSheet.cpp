#include "gui/accounting/RecipeBookHeaderSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmora::gui {

using Field = RecipeBookHeaderForm::Field;

RecipeBookHeaderSheet::RecipeBookHeaderSheet(const SectionServices& services, QWidget* parent)
    : FormSheet(QStringLiteral("recipeHeader"), RecipeBookHeaderForm::title(), parent),
      m_services(services), m_form(services.store.accountingRecipeSettings()) {
    setAttribute(Qt::WA_DeleteOnClose);

    QLabel* intro = theme::label(RecipeBookHeaderForm::intro(), "hint", this);
    intro->setWordWrap(true);
    form()->addRow(intro);

    for (const Field field : RecipeBookHeaderForm::fields()) {
        auto* edit = new QLineEdit(m_form.text(field), this);
        edit->setObjectName(RecipeBookHeaderForm::objectName(field));
        edit->setPlaceholderText(RecipeBookHeaderForm::placeholder(field));
        edit->setAccessibleName(RecipeBookHeaderForm::label(field));
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            m_form.setText(field, text);
            // A refusal on screen follows the typing until it is put right.
            if (field == Field::siret && !m_siretError->isHidden())
                showSiretCheck();
        });
        m_edits.append({field, edit});
        if (field == Field::siret) {
            connect(edit, &QLineEdit::editingFinished, this,
                    &RecipeBookHeaderSheet::showSiretCheck);
            m_siretError = settingslayout::errorLabel(edit->objectName() + QStringLiteral("Error"));
            addRow(RecipeBookHeaderForm::label(field),
                   settingslayout::withError(edit, m_siretError), edit);
        } else {
            addRow(RecipeBookHeaderForm::label(field), edit);
        }
    }

    QPushButton* fromCompany =
        theme::button(RecipeBookHeaderForm::fromCompanyButton(), "link", this);
    fromCompany->setObjectName(QStringLiteral("recipeHeaderFromCompany"));
    fromCompany->setAutoDefault(false);
    connect(fromCompany, &QPushButton::clicked, this, [this] {
        m_form.fillFromCompany(m_services.store.companySettings());
        showTexts();
    });
    addRow(QString(), fromCompany);
    resize(600, 520);
}

void RecipeBookHeaderSheet::showTexts() {
    for (const auto& [field, edit] : std::as_const(m_edits))
        edit->setText(m_form.text(field));
    showSiretCheck();
}

void RecipeBookHeaderSheet::showSiretCheck() {
    settingslayout::setMessage(m_siretError, m_form.check(Field::siret));
}

bool RecipeBookHeaderSheet::save() {
    showSiretCheck();
    if (!m_siretError->isHidden()) {
        for (const auto& [field, edit] : std::as_const(m_edits))
            if (field == Field::siret)
                edit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return applied(m_services.store.edit([&](SessionEdit& edit) { return m_form.save(edit); }));
}

} // namespace velmora::gui
