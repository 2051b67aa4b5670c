#pragma once

#include "core/Alert.h"
#include "core/model/AppPreferences.h"
#include "core/store/AppDataStore.h"

#include <QList>
#include <QString>

namespace velmora {

class SessionEdit;

// The pages of the settings window, in the order of its list, and the small
// rules of the pages that need no form of their own.
enum class SettingsPage { appearance, company, security, backup, sidebar };

namespace settingspages {

QList<SettingsPage> all();
QString windowTitle();
QString title(SettingsPage page);
// The symbol shown in front of the page's name.
QString symbol(SettingsPage page);

// "Apparence": applied as soon as it is chosen. A failed save puts the
// previous appearance back.
QString appearanceIntro();
QString appearanceLabel();
Result<> applyAppearance(SessionEdit& edit, AppAppearanceMode mode);

// "Sécurité".
QString securityIntro();
QString codeLabel();
// "Aucun" without a code, else a fixed mask that tells nothing of its length.
QString codeSummary(const QString& appPassword);
QString changeCodeButton();
QString showCodeTooltip();
QString hideCodeTooltip();
QString questionsLabel();
QString questionCountText(qsizetype count);
// Leaving the "Modifier le mot de passe" sheet with something typed.
Alert changeCodeDiscardAlert();

} // namespace settingspages
} // namespace velmora
