#include "gui/common/Icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
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

// The symbol at that many device pixels.
QImage symbolImage(QSvgRenderer& renderer, const QSize& pixels, const QColor& color) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p);
    // The symbols are drawn in black: keep their shape, take the colour.
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(image.rect(), color);
    return image;
}

// Draws the symbol when it is painted, in the colours of that moment: an
// icon made once follows every later change of appearance.
class SymbolEngine final : public QIconEngine {
public:
    SymbolEngine(const QString& name, const QColor& color, QPalette::ColorRole role)
        : m_name(name), m_color(color), m_role(role) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QSvgRenderer renderer(symbolPath(m_name));
        if (!renderer.isValid() || size.isEmpty())
            return QPixmap();
        // Selected rows and menu items are drawn on the accent colour.
        QColor color = mode == QIcon::Selected ? QColor(Qt::white)
                       : m_color.isValid()     ? m_color
                                               : QApplication::palette().color(m_role);
        // Faded in both appearances: the style's grey is as bright as a light
        // symbol on the dark background.
        if (mode == QIcon::Disabled) {
            color = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
            color.setAlphaF(0.45f);
        }
        return QPixmap::fromImage(symbolImage(renderer, size, color));
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap shown = pixmap(rect.size() * ratio, mode, state);
        shown.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, shown);
    }
    QIconEngine* clone() const override { return new SymbolEngine(*this); }
    QString key() const override { return QStringLiteral("VelmoraSymbol"); }

private:
    QString m_name;
    QColor m_color;
    QPalette::ColorRole m_role;
};

QIcon makeSymbolIcon(const QString& name, const QColor& color, QPalette::ColorRole role) {
    if (!QFile::exists(symbolPath(name)))
        return QIcon();
    return QIcon(new SymbolEngine(name, color, role));
}

} // namespace

QPixmap symbolPixmap(const QString& name, int size, const QColor& color) {
    QSvgRenderer renderer(symbolPath(name));
    if (!renderer.isValid())
        return QPixmap();
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap = QPixmap::fromImage(
        symbolImage(renderer, QSize(size, size) * ratio,
                    color.isValid() ? color : QApplication::palette().color(QPalette::Text)));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon symbolIcon(const QString& name, const QColor& color) {
    return makeSymbolIcon(name, color, QPalette::Text);
}

QIcon symbolIcon(const QString& name, QPalette::ColorRole role) {
    return makeSymbolIcon(name, QColor(), role);
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
