#pragma once

#include "core/platform/UserDefaults.h"

#include <QSettings>

namespace velmora {

// The user's defaults in an INI file of the organisation and application
// "Velmora Core" (~/.config/Velmora Core/Velmora Core.ini on Linux).
class SettingsUserDefaults final : public UserDefaults {
public:
    SettingsUserDefaults()
        : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora Core"),
                     QStringLiteral("Velmora Core")) {}

    QVariant value(const QString& key) const override { return m_settings.value(key); }
    void setValue(const QString& key, const QVariant& value) override {
        m_settings.setValue(key, value);
        m_settings.sync();
    }
    void remove(const QString& key) override {
        m_settings.remove(key);
        m_settings.sync();
    }

private:
    QSettings m_settings;
};

} // namespace velmora
