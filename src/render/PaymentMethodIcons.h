#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace velmora {

// Draws one of paymentMethodIconNames() as strokes in the box: vector
// pictures stay sharp in the PDF and add no text to it.
void drawPaymentMethodIcon(QPainter& painter, const QString& name, const QRectF& box,
                           const QColor& color);

} // namespace velmora
