#pragma once

#include "core/security/ChangeCodeModel.h"

#include <QDialog>

class QAction;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class Dialogs;

// The sheet "Modifier le mot de passe": three secret fields, each with its
// show/hide toggle, bound to ChangeCodeModel. Leaving it with something
// typed asks first.
class ChangeCodeSheet : public QDialog {
    Q_OBJECT

public:
    ChangeCodeSheet(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    // Empty fields, hidden texts, no error.
    void start();
    const ChangeCodeModel& model() const { return m_model; }

    void reject() override;

signals:
    void saveRescueRequested();

private:
    struct SecretField {
        QLineEdit* edit = nullptr;
        QAction* toggle = nullptr;
    };

    SecretField addSecret(QFormLayout* form, const QString& label, const QString& name,
                          QString ChangeCodeModel::*text, bool ChangeCodeModel::*visible);
    void showVisibility(const SecretField& field, bool visible);
    void save();

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    ChangeCodeModel m_model;
    QList<SecretField> m_secrets;
    QLabel* m_error = nullptr;
};

} // namespace velmora::gui
