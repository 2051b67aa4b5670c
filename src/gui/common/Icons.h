#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace velmora::gui {

// A monochrome symbol of the resources (":/icons/symbols/NAME.svg") painted
// in one colour; the palette's text colour when none is given. An unknown
// name gives an empty icon rather than a broken picture.
QIcon symbolIcon(const QString& name, const QColor& color = QColor());
QPixmap symbolPixmap(const QString& name, int size, const QColor& color = QColor());

// A picture of the resources (":/pictures/NAME.svg") at that size, with
// rounded corners; a null pixmap for an unknown name.
QPixmap presetPicture(const QString& name, int size);
// A stored photo cropped to a rounded square of that size; null when the
// bytes are not an image.
QPixmap photoPicture(const QByteArray& bytes, int size);

} // namespace velmora::gui
