#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QString>

namespace velmora::gui {

// A monochrome symbol of the resources (":/icons/symbols/NAME.svg") painted
// in one colour; the palette's text colour when none is given. An unknown
// name gives an empty icon rather than a broken picture. The icon is drawn
// each time it is painted, in white when selected and in the palette of
// that moment, so it follows a change of appearance by itself.
QIcon symbolIcon(const QString& name, const QColor& color = QColor());
// In a colour of the palette in use.
QIcon symbolIcon(const QString& name, QPalette::ColorRole role);
QPixmap symbolPixmap(const QString& name, int size, const QColor& color = QColor());

// A picture of the resources (":/pictures/NAME.svg") at that size, with
// rounded corners; a null pixmap for an unknown name.
QPixmap presetPicture(const QString& name, int size);
// A stored photo cropped to a rounded square of that size; null when the
// bytes are not an image.
QPixmap photoPicture(const QByteArray& bytes, int size);

} // namespace velmora::gui
