#include "render/PaymentMethodIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {
namespace {

// Each picture is drawn on a 12 × 12 grid.
QPainterPath iconPath(const QString& name) {
    QPainterPath path;
    if (name == QLatin1String("banknote")) {
        path.addRoundedRect(QRectF(0.5, 2.5, 11, 7), 1, 1);
        path.addEllipse(QPointF(6, 6), 1.8, 1.8);
        path.moveTo(2.3, 4.3);
        path.lineTo(2.3, 4.31);
        path.moveTo(9.7, 7.7);
        path.lineTo(9.7, 7.71);
    } else if (name == QLatin1String("creditcard")) {
        path.addRoundedRect(QRectF(0.5, 2.5, 11, 7.5), 1.2, 1.2);
        path.moveTo(0.5, 4.8);
        path.lineTo(11.5, 4.8);
        path.moveTo(2.2, 7.8);
        path.lineTo(5, 7.8);
    } else if (name == QLatin1String("building.columns")) {
        path.moveTo(0.8, 4);
        path.lineTo(6, 1);
        path.lineTo(11.2, 4);
        path.closeSubpath();
        for (const double x : {2.4, 4.8, 7.2, 9.6}) {
            path.moveTo(x, 5.3);
            path.lineTo(x, 9.4);
        }
        path.moveTo(0.8, 10.8);
        path.lineTo(11.2, 10.8);
    } else if (name == QLatin1String("signature")) {
        path.addRoundedRect(QRectF(0.5, 2.5, 11, 7), 1, 1);
        path.moveTo(2, 7.6);
        path.cubicTo(3, 5.2, 3.8, 5.2, 4.3, 7);
        path.cubicTo(4.8, 8.6, 5.6, 5.6, 6.6, 6.6);
        path.moveTo(7.8, 7.6);
        path.lineTo(10, 7.6);
        path.moveTo(7.8, 4.5);
        path.lineTo(10, 4.5);
    } else if (name == QLatin1String("iphone")) {
        path.addRoundedRect(QRectF(3, 0.5, 6, 11), 1.3, 1.3);
        path.moveTo(5.2, 9.6);
        path.lineTo(6.8, 9.6);
    } else {
        path.addEllipse(QPointF(6, 6), 5.5, 5.5);
        path.moveTo(8.2, 3.9);
        path.cubicTo(6.4, 2.6, 3.9, 3.6, 3.9, 6);
        path.cubicTo(3.9, 8.4, 6.4, 9.4, 8.2, 8.1);
        path.moveTo(2.8, 5.3);
        path.lineTo(6.4, 5.3);
        path.moveTo(2.8, 6.8);
        path.lineTo(6.4, 6.8);
    }
    return path;
}

} // namespace

void drawPaymentMethodIcon(QPainter& painter, const QString& name, const QRectF& box,
                           const QColor& color) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 12, box.height() / 12);
    QPen pen(color, 1.1);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPath(iconPath(name));
    painter.restore();
}

} // namespace velmora
