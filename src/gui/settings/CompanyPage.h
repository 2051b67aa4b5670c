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

// "Entreprise": the company's identity, legal mentions, bank details and
// logo, written with "Enregistrer".
class CompanyPage : public SettingsPanel {
    Q_OBJECT

public:
    CompanyPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    static QString objectNameOf(CompanySettingsForm::Field field);

private:
    using Field = CompanySettingsForm::Field;

    QWidget* addField(QFormLayout* form, Field field, bool multiLine);
    void save();
    void chooseLogo();
    void removeLogo();
    void reloadFromStore();
    void showForm();
    void showLogo();
    void showErrors();
    void clearErrors();

    AppDataStore& m_store;
    CompanySettingsForm m_form;
    QMap<Field, QWidget*> m_fields;
    QMap<Field, QLabel*> m_errors;
    QLabel* m_logoPreview = nullptr;
    QPushButton* m_removeLogo = nullptr;
    QLabel* m_saved = nullptr;
    bool m_applying = false;
};

} // namespace velmora::gui
