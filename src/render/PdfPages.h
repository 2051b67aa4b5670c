#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;

namespace velmora {

// A PDF of `count` pages of `pageSize` points, painted one device unit per
// point by `paint(painter, pageIndex)`, which returns false to stop. Empty
// when it could not be produced or was stopped.
QByteArray paintPdf(const QSizeF& pageSize, const QString& title, int count,
                    const std::function<bool(QPainter&, int)>& paint);

} // namespace velmora
