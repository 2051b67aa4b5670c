#include "render/PdfPages.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace velmora {

QByteArray paintPdf(const QSizeF& pageSize, const QString& title, int count,
                    const std::function<bool(QPainter&, int)>& paint) {
    if (count <= 0)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(pageSize, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        // One device unit per point: the page's coordinates are its own.
        writer.setResolution(72);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Velmora Core"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        for (int i = 0; i < count; ++i) {
            if ((i > 0 && !writer.newPage()) || !paint(painter, i)) {
                painter.end();
                return {};
            }
        }
        if (!painter.end())
            return {};
    }
    return bytes;
}

} // namespace velmora
