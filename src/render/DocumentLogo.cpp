#include "render/DocumentLogo.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace velmora {
namespace {

// About three times the logo's box: sharp when printed, small in the file.
constexpr int kLargestSide = 600;

quint32 crc32(QByteArrayView bytes) {
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// libpng reports a damaged header on standard error by itself, past any
// message handler; bytes that claim to be a PNG must show a sound header
// (its first chunk, IHDR, with its checksum) before they are decoded.
bool isDamagedPng(const QByteArray& bytes) {
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!bytes.startsWith(signature))
        return false;
    constexpr qsizetype kHeaderEnd = 8 + 4 + 4 + 13 + 4;
    if (bytes.size() < kHeaderEnd || bytes.mid(8, 8) != QByteArray("\0\0\0\x0dIHDR", 8))
        return true;
    const QByteArrayView stored(bytes.constData() + 29, 4);
    const quint32 expected = qFromBigEndian<quint32>(stored.data());
    return crc32(QByteArrayView(bytes.constData() + 12, 17)) != expected;
}

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
    if (isDamagedPng(bytes) || !image.loadFromData(bytes) || image.isNull())
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
