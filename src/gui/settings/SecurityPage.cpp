#include "gui/settings/SecurityPage.h"

#include "core/app/SettingsPages.h"
#include "core/security/AccessCode.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"
#include "gui/settings/ChangeCodeSheet.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::gui {

SecurityPage::SecurityPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : SettingsPanel(dialogs, parent), m_store(store) {
    auto* layout = settingslayout::pageLayout(this, settingspages::title(SettingsPage::security),
                                              settingspages::securityIntro());
    auto* form = settingslayout::form();

    m_code = new QLabel;
    m_code->setObjectName(QStringLiteral("securityCodeValue"));
    auto* change = new QPushButton(settingspages::changeCodeButton());
    change->setObjectName(QStringLiteral("changeCodeButton"));
    change->setIcon(symbolIcon(QStringLiteral("lock")));
    auto* codeRow = new QHBoxLayout;
    codeRow->setSpacing(20);
    codeRow->addWidget(m_code);
    codeRow->addWidget(change);
    codeRow->addStretch();
    form->addRow(settingslayout::rowLabel(settingspages::codeLabel(), change), codeRow);

    m_questions = new QLabel;
    m_questions->setObjectName(QStringLiteral("securityQuestionCount"));
    auto* questionsLabel = new QLabel(settingspages::questionsLabel());
    questionsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(questionsLabel, m_questions);
    auto* help = theme::label(securitytext::hashingHelp(), "hint");
    help->setObjectName(QStringLiteral("securityHashingHelp"));
    form->addRow(QString(), help);
    layout->addLayout(form);
    layout->addStretch();

    showStored();
    connect(change, &QPushButton::clicked, this, &SecurityPage::openChangeCodeSheet);
    followSession(this, m_store, {SessionField::preferences, SessionField::securityQuestions},
                  [this] { showStored(); });
}

ChangeCodeSheet* SecurityPage::changeCodeSheet() {
    if (!m_sheet) {
        m_sheet = new ChangeCodeSheet(m_store, dialogs(), this);
        connect(m_sheet, &ChangeCodeSheet::saveRescueRequested, this,
                &SettingsPanel::saveRescueRequested);
    }
    return m_sheet;
}

void SecurityPage::openChangeCodeSheet() {
    ChangeCodeSheet* sheet = changeCodeSheet();
    sheet->start();
    // Window-modal without a nested loop: the settings stay responsive to
    // the store, and tests drive the sheet directly.
    sheet->open();
}

void SecurityPage::showStored() {
    m_code->setText(settingspages::codeSummary(m_store.preferences().appPassword));
    m_questions->setText(settingspages::questionCountText(m_store.securityQuestions().size()));
}

} // namespace velmora::gui
