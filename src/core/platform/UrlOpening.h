#pragma once

#include "core/Alert.h"

#include <QUrl>

namespace velmora {

// Nothing on the desktop could open the file or address: what it was and
// where the file is, so that the user can open it by hand.
Alert openFailedAlert(const QUrl& url);

} // namespace velmora
