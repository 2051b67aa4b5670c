#pragma once

#include <QString>

namespace velmora::gui {

// What each section's screen will hold, told plainly until it is built.
QString sectionPromise(const QString& defaultKey);

} // namespace velmora::gui
