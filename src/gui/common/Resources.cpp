#include "gui/common/Resources.h"

#include <QtGlobal>

static void initVelmoraResources() {
    Q_INIT_RESOURCE(velmora);
}

namespace velmora::gui {

void initResources() {
    initVelmoraResources();
}

} // namespace velmora::gui
