#include "gui/settings/BackupPage.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velmora::gui {

BackupPage::BackupPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : SettingsPanel(dialogs, parent), m_store(store), m_form(store.storagePreferences()) {
    auto* layout =
        settingslayout::pageLayout(this, BackupSettingsForm::title(), BackupSettingsForm::intro());
    auto* form = settingslayout::form();

    m_folder = new QLabel;
    m_folder->setObjectName(QStringLiteral("backupFolderPath"));
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folder->setWordWrap(true);
    m_folder->setMinimumWidth(200);
    auto* choose = new QPushButton(BackupSettingsForm::chooseFolderButton());
    choose->setObjectName(QStringLiteral("backupChooseFolder"));
    choose->setIcon(symbolIcon(QStringLiteral("folder")));
    m_clear = new QPushButton(BackupSettingsForm::clearFolderButton());
    m_clear->setObjectName(QStringLiteral("backupClearFolder"));
    auto* folderRow = new QHBoxLayout;
    folderRow->setSpacing(10);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(choose);
    folderRow->addWidget(m_clear);
    form->addRow(settingslayout::rowLabel(BackupSettingsForm::folderLabel(), choose), folderRow);

    m_enabled = new QCheckBox(BackupSettingsForm::enabledCheckbox());
    m_enabled->setObjectName(QStringLiteral("backupEnabled"));
    m_error = settingslayout::errorLabel(QStringLiteral("backupError"));
    auto* switchCell = new QVBoxLayout;
    switchCell->setSpacing(6);
    switchCell->addWidget(m_enabled);
    auto* hint = theme::label(BackupSettingsForm::fileNameHint(), "hint");
    // Under the check box's text rather than under its box.
    hint->setIndent(
        m_enabled->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_enabled) +
        m_enabled->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_enabled));
    switchCell->addWidget(hint);
    switchCell->addWidget(m_error);
    form->addRow(QString(), switchCell);
    layout->addLayout(form);
    layout->addStretch();

    showForm();
    connect(choose, &QPushButton::clicked, this, &BackupPage::chooseFolder);
    connect(m_clear, &QPushButton::clicked, this, &BackupPage::clearFolder);
    connect(m_enabled, &QCheckBox::toggled, this, &BackupPage::setEnabled);
    followSession(this, m_store, {SessionField::storagePreferences}, [this] { showStored(); });
}

void BackupPage::chooseFolder() {
    const std::optional<QUrl> folder = dialogs().choose(this, BackupSettingsForm::folderPanel());
    if (!folder)
        return;
    m_form.setFolder(folder);
    applyForm();
}

void BackupPage::clearFolder() {
    m_form.clearFolder();
    applyForm();
}

void BackupPage::setEnabled(bool enabled) {
    m_form.setEnabled(enabled);
    applyForm();
}

void BackupPage::applyForm() {
    m_applying = true;
    const Result<> result = m_store.edit([&](SessionEdit& edit) { return m_form.apply(edit); });
    m_applying = false;
    settingslayout::setMessage(m_error,
                               result.kind() == ResultKind::invalid ? result.error() : QString());
    // A refused or failed change leaves the page showing the session's own
    // settings; the message says why.
    if (!report(result))
        m_form.load(m_store.storagePreferences());
    showForm();
}

void BackupPage::showStored() {
    if (m_applying)
        return;
    m_form.load(m_store.storagePreferences());
    showForm();
}

void BackupPage::showForm() {
    m_folder->setText(m_form.folderText());
    theme::setRole(m_folder, m_form.folder() ? "" : "hint");
    m_clear->setEnabled(m_form.folder().has_value());
    const QSignalBlocker block(m_enabled);
    m_enabled->setChecked(m_form.isEnabled());
}

} // namespace velmora::gui
