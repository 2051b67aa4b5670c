#include "gui/settings/ChangeCodeSheet.h"

#include "core/app/SettingsPages.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"
#include "gui/settings/SettingsFeedback.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::gui {

ChangeCodeSheet::ChangeCodeSheet(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("changeCodeSheet"));
    setWindowTitle(ChangeCodeModel::title());
    setModal(true);
    setMinimumWidth(460);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 20);
    layout->setSpacing(14);
    layout->addWidget(theme::label(ChangeCodeModel::title(), "section"));

    auto* form = settingslayout::form();
    m_secrets << addSecret(form, ChangeCodeModel::oldCodeLabel(), QStringLiteral("oldCode"),
                           &ChangeCodeModel::oldCode, &ChangeCodeModel::oldCodeVisible);
    m_secrets << addSecret(form, ChangeCodeModel::newCodeLabel(), QStringLiteral("newCode"),
                           &ChangeCodeModel::newCode, &ChangeCodeModel::newCodeVisible);
    m_secrets << addSecret(form, ChangeCodeModel::confirmationLabel(),
                           QStringLiteral("confirmCode"), &ChangeCodeModel::confirmation,
                           &ChangeCodeModel::confirmationVisible);
    layout->addLayout(form);

    m_error = settingslayout::errorLabel(QStringLiteral("changeCodeError"));
    layout->addWidget(m_error);
    layout->addStretch();

    auto* cancel = new QPushButton(ChangeCodeModel::discardCancelButton());
    cancel->setObjectName(QStringLiteral("changeCodeCancel"));
    cancel->setAutoDefault(false);
    auto* save = theme::button(ChangeCodeModel::saveButton(), "primary");
    save->setObjectName(QStringLiteral("changeCodeSave"));
    save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    layout->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, &ChangeCodeSheet::reject);
    connect(save, &QPushButton::clicked, this, &ChangeCodeSheet::save);
}

ChangeCodeSheet::SecretField ChangeCodeSheet::addSecret(QFormLayout* form, const QString& label,
                                                        const QString& name,
                                                        QString ChangeCodeModel::*text,
                                                        bool ChangeCodeModel::*visible) {
    SecretField field;
    field.edit = new QLineEdit;
    field.edit->setObjectName(name + QStringLiteral("Field"));
    field.edit->setEchoMode(QLineEdit::Password);
    field.edit->setMinimumWidth(220);
    field.toggle = field.edit->addAction(QIcon(), QLineEdit::TrailingPosition);
    field.toggle->setObjectName(name + QStringLiteral("Toggle"));
    field.toggle->setCheckable(true);
    showVisibility(field, false);
    connect(field.edit, &QLineEdit::textChanged, this, [this, text](const QString& value) {
        m_model.*text = value;
        // The message goes as soon as the fields no longer deserve it.
        if (m_error && m_error->text() != m_model.validate(m_store.preferences().appPassword))
            settingslayout::setMessage(m_error, QString());
    });
    connect(field.toggle, &QAction::toggled, this, [this, field, visible](bool shown) {
        m_model.*visible = shown;
        showVisibility(field, shown);
    });
    form->addRow(settingslayout::rowLabel(label + QStringLiteral("\u00a0:"), field.edit),
                 field.edit);
    return field;
}

void ChangeCodeSheet::showVisibility(const SecretField& field, bool visible) {
    field.edit->setEchoMode(visible ? QLineEdit::Normal : QLineEdit::Password);
    field.toggle->setIcon(
        symbolIcon(visible ? QStringLiteral("eye.slash") : QStringLiteral("eye")));
    field.toggle->setToolTip(visible ? settingspages::hideCodeTooltip()
                                     : settingspages::showCodeTooltip());
}

void ChangeCodeSheet::start() {
    m_model.reset();
    for (const SecretField& field : std::as_const(m_secrets)) {
        {
            const QSignalBlocker block(field.toggle);
            field.toggle->setChecked(false);
        }
        showVisibility(field, false);
        field.edit->clear();
    }
    settingslayout::setMessage(m_error, QString());
    if (!m_secrets.isEmpty())
        m_secrets.first().edit->setFocus();
}

void ChangeCodeSheet::save() {
    const Result<> result = m_store.edit([&](SessionEdit& edit) { return m_model.apply(edit); });
    settingslayout::setMessage(m_error, m_model.error());
    const SaveFeedback feedback = reportSave(m_dialogs, this, result);
    if (feedback.applied) {
        start();
        accept();
    }
    if (feedback.rescue)
        emit saveRescueRequested();
}

void ChangeCodeSheet::reject() {
    if (m_model.hasUnsavedInput() &&
        !confirm(m_dialogs, this, settingspages::changeCodeDiscardAlert()))
        return;
    start();
    QDialog::reject();
}

} // namespace velmora::gui
