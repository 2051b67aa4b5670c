#pragma once

#include "core/clients/ClientForm.h"
#include "gui/common/FormSheet.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class PictureField;

class Dialogs;
class TagChips;

// "Nouveau client" / "Modifier le client", bound to ClientForm: the kind,
// names or company, details, photo, tags and, for a company, its contacts.
class ClientFormSheet : public FormSheet {
    Q_OBJECT

public:
    ClientFormSheet(AppDataStore& store, Dialogs& dialogs, ClientForm model, QWidget* parent);

    const ClientForm& model() const { return m_form; }
    // A photo or a contact counts as typed, as a field does.
    bool hasTypedInput() const override {
        return FormSheet::hasTypedInput() || !(m_form.fields == m_opened);
    }
    // Cancelling leaves no chosen photo behind in the session's media.

signals:
    void saved(const QUuid& clientID);

protected:
    bool save() override;

private:
    // The row's field (with its message under it when given); the line
    // edit itself through `made`.
    QWidget* addField(const QString& label, const QString& name, QString ClientItem::*field,
                      QLabel* message = nullptr, QLineEdit** made = nullptr);
    void showSiretError(const QString& message);
    void showKind();
    void rebuildContacts();

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    ClientForm m_form;
    ClientItem m_opened;
    QComboBox* m_kind = nullptr;
    QList<QWidget*> m_privateRows;
    QList<QWidget*> m_companyRows;
    QLineEdit* m_siret = nullptr;
    QLabel* m_siretError = nullptr;
    QLabel* m_emailWarning = nullptr;
    PictureField* m_photo = nullptr;
    TagChips* m_tags = nullptr;
    QWidget* m_contactsBlock = nullptr;
    QVBoxLayout* m_contacts = nullptr;
};

} // namespace velmora::gui
