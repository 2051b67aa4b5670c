#pragma once

#include <QString>
#include <QVariant>

namespace velmora {

// The per-user key-value store (outside session files).
class UserDefaults {
public:
    virtual ~UserDefaults() = default;
    virtual QVariant value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void remove(const QString& key) = 0;
};

} // namespace velmora
