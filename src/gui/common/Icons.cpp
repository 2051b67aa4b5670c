#include "gui/common/Icons.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QSvgRenderer>

namespace velmora::gui {

namespace {

QString symbolPath(const QString& name) {
    return QStringLiteral(":/icons/symbols/%1.svg").arg(name);
}

QPixmap rounded(const QImage& image, int size) {
    QPixmap out(size, size);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(0, 0, size, size), size * 0.22, size * 0.22);
    p.setClipPath(clip);
    const QImage scaled =
        image.scaled(size, size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    p.drawImage(QPoint((size - scaled.width()) / 2, (size - scaled.height()) / 2), scaled);
    return out;
}

} // namespace

QPixmap symbolPixmap(const QString& name, int size, const QColor& color) {
    QSvgRenderer renderer(symbolPath(name));
    if (!renderer.isValid())
        return QPixmap();
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QImage image(QSize(size, size) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        renderer.render(&p);
        // The symbols are drawn in black: keep their shape, take the colour.
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(image.rect(),
                   color.isValid() ? color : QApplication::palette().color(QPalette::Text));
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon symbolIcon(const QString& name, const QColor& color) {
    if (!QFile::exists(symbolPath(name)))
        return QIcon();
    QIcon icon;
    // Selected rows and menu items are drawn on the accent colour.
    for (int size : {16, 24, 32, 48}) {
        icon.addPixmap(symbolPixmap(name, size, color));
        icon.addPixmap(symbolPixmap(name, size, Qt::white), QIcon::Selected);
    }
    return icon;
}

QPixmap presetPicture(const QString& name, int size) {
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    QImage image(size * 2, size * 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p);
    p.end();
    return rounded(image, size);
}

QPixmap photoPicture(const QByteArray& bytes, int size) {
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes))
        return QPixmap();
    return rounded(image, size);
}

} // namespace velmora::gui
