#include "gui/common/SessionPicture.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora::gui {

namespace {

QPixmap initialPicture(const QString& name, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, size, size), size * 0.22, size * 0.22);
    QLinearGradient gradient(0, 0, size, size);
    gradient.setColorAt(0, theme::accent().lighter(125));
    gradient.setColorAt(1, theme::accent());
    p.fillPath(shape, gradient);
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        const QPixmap symbol = symbolPixmap(QStringLiteral("briefcase.fill"), size / 2, Qt::white);
        p.drawPixmap(size / 4, size / 4, symbol);
        return pixmap;
    }
    QFont font = p.font();
    font.setPixelSize(size * 2 / 5);
    font.setWeight(QFont::DemiBold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, trimmed.left(1).toUpper());
    return pixmap;
}

} // namespace

QPixmap sessionPicture(const std::optional<QByteArray>& photo,
                       const std::optional<QString>& presetName, const QString& name, int size) {
    if (photo) {
        if (QPixmap picture = photoPicture(*photo, size); !picture.isNull())
            return picture;
    }
    if (presetName) {
        if (QPixmap picture = presetPicture(*presetName, size); !picture.isNull())
            return picture;
    }
    return initialPicture(name, size);
}

QPixmap sessionPicture(const AppDataStore& store, int size) {
    const auto& photo = store.sessionProfilePhotoData();
    return sessionPicture(photo ? std::optional(photo->decoded()) : std::nullopt,
                          store.sessionProfileImageName(), store.sessionName().value_or(QString()),
                          size);
}

} // namespace velmora::gui
