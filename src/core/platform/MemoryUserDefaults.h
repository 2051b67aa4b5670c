#pragma once

#include "core/platform/UserDefaults.h"

#include <QHash>

namespace velmora {

// User defaults that live for one run only: for tools that must not touch the
// user's own settings, and for tests.
class MemoryUserDefaults final : public UserDefaults {
public:
    QVariant value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& value) override {
        m_values.insert(key, value);
    }
    void remove(const QString& key) override { m_values.remove(key); }

private:
    QHash<QString, QVariant> m_values;
};

} // namespace velmora
