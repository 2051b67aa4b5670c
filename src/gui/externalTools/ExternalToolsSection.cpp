#include "gui/externalTools/ExternalToolsSection.h"

#include "gui/common/VaultSession.h"
#include "gui/externalTools/ExternalToolsPage.h"

namespace velmora::gui {

SectionPage* externalToolsPage(const SectionServices& services) {
    return new ExternalToolsPage(services);
}

SessionService* vaultSession(const SectionServices&, QObject* parent) {
    return new VaultSession(parent);
}

} // namespace velmora::gui
