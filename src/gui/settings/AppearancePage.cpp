#include "gui/settings/AppearancePage.h"

#include "core/app/SettingsPages.h"
#include "core/store/AppDataStore.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SettingsLayout.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora::gui {

AppearancePage::AppearancePage(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : SettingsPanel(dialogs, parent), m_store(store) {
    auto* layout = settingslayout::pageLayout(this, settingspages::title(SettingsPage::appearance),
                                              settingspages::appearanceIntro());
    m_dark = new QRadioButton(displayName(AppAppearanceMode::dark));
    m_dark->setObjectName(QStringLiteral("appearanceDark"));
    m_light = new QRadioButton(displayName(AppAppearanceMode::light));
    m_light->setObjectName(QStringLiteral("appearanceLight"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_dark);
    group->addButton(m_light);

    auto* choices = new QVBoxLayout;
    choices->setSpacing(8);
    choices->addWidget(m_dark);
    choices->addWidget(m_light);
    auto* form = settingslayout::form();
    form->addRow(settingspages::appearanceLabel(), choices);
    layout->addLayout(form);
    layout->addStretch();

    showStored();
    connect(m_light, &QRadioButton::toggled, this, &AppearancePage::choose);
    followSession(this, m_store, {SessionField::preferences}, [this] { showStored(); });
}

void AppearancePage::choose(bool light) {
    const AppAppearanceMode mode = light ? AppAppearanceMode::light : AppAppearanceMode::dark;
    if (m_store.preferences().appearanceMode == mode)
        return;
    if (!report(m_store.edit(
            [&](SessionEdit& edit) { return settingspages::applyAppearance(edit, mode); })))
        showStored();
}

void AppearancePage::showStored() {
    const bool light = m_store.preferences().appearanceMode == AppAppearanceMode::light;
    const QSignalBlocker blockDark(m_dark);
    const QSignalBlocker blockLight(m_light);
    m_light->setChecked(light);
    m_dark->setChecked(!light);
}

} // namespace velmora::gui
