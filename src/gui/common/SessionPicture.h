#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>

#include <optional>

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// The picture that stands for a session: its photo, else its preset picture,
// else its initial on the accent colour.
QPixmap sessionPicture(const std::optional<QByteArray>& photo,
                       const std::optional<QString>& presetName, const QString& name, int size);
QPixmap sessionPicture(const AppDataStore& store, int size);

} // namespace velmora::gui
