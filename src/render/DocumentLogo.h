#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>

#include <memory>

class QPainter;
class QSvgRenderer;

namespace velmora {

// The company logo of a page, decoded once so that a preview redrawn on
// every keystroke never decodes it again. SVG logos stay vectors; bitmaps
// are reduced to what a printed logo needs.
class DocumentLogo {
public:
    DocumentLogo() = default;
    // Unreadable or empty bytes give a null logo: the page shows its
    // placeholder.
    static DocumentLogo fromBytes(const QByteArray& bytes);

    bool isNull() const { return m_image.isNull() && !m_svg; }
    // Centred in the box, proportions kept.
    void draw(QPainter& painter, const QRectF& box) const;

private:
    QSizeF naturalSize() const;

    QImage m_image;
    std::shared_ptr<QSvgRenderer> m_svg;
};

} // namespace velmora
