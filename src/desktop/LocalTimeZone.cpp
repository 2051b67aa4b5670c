#include "desktop/LocalTimeZone.h"

#include <QFileInfo>
#include <QtGlobal>

namespace velmora {

void pinLocalTimeZone() {
    const QString systemZone = QStringLiteral("/etc/localtime");
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(systemZone))
        qputenv("TZ", ":" + systemZone.toLocal8Bit());
}

} // namespace velmora
