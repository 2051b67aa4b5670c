#pragma once

#include "core/Result.h"
#include "gui/common/PendingInput.h"

#include <QDialog>

#include <optional>

class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmora::gui {

// The sheet of a record's form over the window: a title, the fields, the
// form's error and "Annuler" / "Enregistrer". Return saves, Escape cancels.
// A subclass fills form() and writes the record in save(). What was typed
// is settled before the window closes or the session changes.
class FormSheet : public QDialog, public PendingInput {
    Q_OBJECT

public:
    static QString cancelText() { return QStringLiteral("Annuler"); }
    static QString saveText() { return QStringLiteral("Enregistrer"); }

    // `name` prefixes the buttons' and error's object names: NAMECancel,
    // NAMESave, NAMEError.
    FormSheet(const QString& name, const QString& title, QWidget* parent);

    QString pendingTitle() const override { return windowTitle(); }
    // Whether a field differs from what the sheet showed when it opened; a
    // sheet whose record holds more than its fields adds its own changes.
    bool hasTypedInput() const override;
    bool saveTypedInput() override;
    void discardTypedInput() override { reject(); }

protected:
    void showEvent(QShowEvent* event) override;
    QFormLayout* form() const { return m_form; }
    // A row whose label stands level with the field's first line (with
    // `alignedWith` when the field is a compound of several widgets).
    void addRow(const QString& label, QWidget* field, QWidget* alignedWith = nullptr);
    void addRow(const QString& label, QLayout* field, QWidget* alignedWith);
    // Under the fields, before the buttons; for lists of sub-records.
    void addBlock(QWidget* block);
    // Shows the form's message; an empty text hides it.
    void showError(const QString& message);
    // Shows why the form's record was refused or not saved; true when it
    // was stored or had not changed, and the sheet may close.
    bool applied(const Result<>& result);
    // The field keeps what was typed, in red, with the focus and the message.
    void refuseField(QWidget* field, const QString& message);
    // A text box of a few lines whose Tab moves on to the next field.
    static QPlainTextEdit* textBox(const QString& text, const QString& name, QWidget* parent);
    // Writes the record; true closes the sheet.
    virtual bool save() = 0;
    // A sheet whose action is not a plain save names it ("Ajouter la ligne").
    void setSaveText(const QString& text);

private:
    QFormLayout* m_form = nullptr;
    QLabel* m_error = nullptr;
    QWidget* m_body = nullptr;
    QPushButton* m_save = nullptr;
    std::optional<QStringList> m_shown;
};

} // namespace velmora::gui
