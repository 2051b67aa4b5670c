#pragma once

#include "core/app/CompanySettingsForm.h"

#include "gui/settings/SettingsPanel.h"

#include <QMap>

class QFormLayout;
class QLabel;
class QPushButton;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class PaymentMethodsField;

// "Entreprise": the company's identity, legal mentions, payment methods,
// bank details and logo. Each field is written as the user leaves it, the logo once chosen.
class CompanyPage : public SettingsPanel {
    Q_OBJECT

public:
    CompanyPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    static QString objectNameOf(CompanySettingsForm::Field field);

    QWidget* settle() override;
    void discard() override;

private:
    using Field = CompanySettingsForm::Field;

    QWidget* addField(QFormLayout* form, Field field, bool multiLine);
    void edit(Field field, const QString& text);
    // Applies the field as the user leaves it; the field when its text is
    // refused.
    QWidget* commit(Field field);
    void chooseLogo();
    void removeLogo();
    void reloadFromStore();
    void showForm();
    void showLogo();

    AppDataStore& m_store;
    CompanySettingsForm m_form;
    QMap<Field, QWidget*> m_fields;
    QMap<Field, QLabel*> m_errors;
    QLabel* m_logoPreview = nullptr;
    QPushButton* m_removeLogo = nullptr;
    PaymentMethodsField* m_methods = nullptr;
    bool m_applying = false;
};

} // namespace velmora::gui
