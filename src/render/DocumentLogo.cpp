#include "render/DocumentLogo.h"

#include <QPainter>
#include <QSvgRenderer>

namespace velmora {
namespace {

// About three times the logo's box: sharp when printed, small in the file.
constexpr int kLargestSide = 600;

} // namespace

DocumentLogo DocumentLogo::fromBytes(const QByteArray& bytes) {
    DocumentLogo logo;
    if (bytes.isEmpty())
        return logo;
    if (bytes.left(512).contains("<svg")) {
        auto svg = std::make_shared<QSvgRenderer>(bytes);
        if (svg->isValid() && !svg->defaultSize().isEmpty()) {
            logo.m_svg = std::move(svg);
            return logo;
        }
    }
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull())
        return logo;
    if (image.width() > kLargestSide || image.height() > kLargestSide)
        image =
            image.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    logo.m_image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                 : QImage::Format_RGB32);
    return logo;
}

QSizeF DocumentLogo::naturalSize() const {
    return m_svg ? QSizeF(m_svg->defaultSize()) : QSizeF(m_image.size());
}

void DocumentLogo::draw(QPainter& painter, const QRectF& box) const {
    if (isNull())
        return;
    const QSizeF size = naturalSize().scaled(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.topLeft(), size);
    if (m_svg)
        m_svg->render(&painter, target);
    else
        painter.drawImage(target, m_image);
}

} // namespace velmora
