#include "gui/externalTools/VaultSettingsSheet.h"

#include "core/security/VaultLock.h"
#include "core/store/AppDataStore.h"
#include "gui/common/PasswordField.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::gui {

VaultSettingsSheet::VaultSettingsSheet(AppDataStore& store, QWidget* parent)
    : QDialog(parent), m_store(store) {
    setObjectName(QStringLiteral("vaultSettings"));
    setWindowTitle(VaultCodeSettings::title());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(theme::label(VaultCodeSettings::title(), "cardTitle", this));
    layout->addWidget(settingslayout::section(VaultCodeSettings::sectionTitle()));
    m_state = theme::label(QString(), "hint", this);
    m_state->setObjectName(QStringLiteral("vaultSettingsState"));
    m_state->setWordWrap(true);
    layout->addWidget(m_state);

    QFormLayout* form = m_form = settingslayout::form();
    const auto field = [this, form](const QString& label, const QString& name) {
        QLineEdit* edit = passwordField(label, this);
        edit->setObjectName(name);
        edit->setAccessibleName(label);
        form->addRow(label, edit);
        return edit;
    };
    m_old = field(VaultCodeSettings::oldCodeLabel(), QStringLiteral("vaultOldCode"));
    m_new = field(VaultCodeSettings::newCodeLabel(), QStringLiteral("vaultNewCode"));
    m_confirmation =
        field(VaultCodeSettings::confirmationLabel(), QStringLiteral("vaultConfirmCode"));
    layout->addLayout(form);
    m_error = settingslayout::errorLabel(QStringLiteral("vaultSettingsError"));
    layout->addWidget(m_error);
    m_success = theme::label(QString(), "success", this);
    m_success->setObjectName(QStringLiteral("vaultSettingsSuccess"));
    layout->addWidget(m_success);

    auto* buttons = new QDialogButtonBox(this);
    m_remove = buttons->addButton(VaultCodeSettings::removeButton(), QDialogButtonBox::ActionRole);
    m_remove->setObjectName(QStringLiteral("vaultRemoveCode"));
    theme::setRole(m_remove, "destructive");
    m_remove->setAutoDefault(false);
    m_submit = buttons->addButton(QString(), QDialogButtonBox::ApplyRole);
    m_submit->setObjectName(QStringLiteral("vaultSubmitCode"));
    theme::setRole(m_submit, "primary");
    m_submit->setDefault(true);
    auto* close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    layout->addWidget(buttons);
    connect(m_submit, &QPushButton::clicked, this, [this] { run(false); });
    connect(m_remove, &QPushButton::clicked, this, [this] { run(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(480, sizeHint().height());
    refresh();
}

void VaultSettingsSheet::refresh() {
    const bool hasCode = hasVaultCode(m_store.preferences());
    m_state->setText(VaultCodeSettings::stateText(hasCode));
    m_submit->setText(VaultCodeSettings::submitButton(hasCode));
    m_remove->setVisible(hasCode);
    // The old code's row is there only while there is an old code.
    m_form->setRowVisible(m_old, hasCode);
    m_old->setText(m_settings.oldCode);
    m_new->setText(m_settings.newCode);
    m_confirmation->setText(m_settings.confirmation);
    settingslayout::setMessage(m_error, m_settings.error());
    settingslayout::setMessage(m_success, m_settings.success());
}

void VaultSettingsSheet::run(bool remove) {
    m_settings.oldCode = m_old->text();
    m_settings.newCode = m_new->text();
    m_settings.confirmation = m_confirmation->text();
    const Result<> outcome = m_store.edit([&](SessionEdit& edit) {
        return remove ? m_settings.remove(edit) : m_settings.apply(edit);
    });
    refresh();
    // A failed save says why under the fields, the typed codes kept.
    if (outcome.kind() == ResultKind::notSaved)
        settingslayout::setMessage(m_error, outcome.error());
}

} // namespace velmora::gui
