#include "gui/clients/ClientsSection.h"

#include "gui/clients/ClientFormSheet.h"
#include "gui/clients/ClientsPage.h"

namespace velmora::gui {

SectionPage* clientsPage(const SectionServices& services) {
    return new ClientsPage(services);
}

void openNewClientSheet(const SectionServices& services, QWidget* parent,
                        std::function<void(const QUuid&)> created) {
    auto* sheet = new ClientFormSheet(services.store, services.dialogs, ClientForm(), parent);
    QObject::connect(sheet, &ClientFormSheet::saved, parent, std::move(created));
    sheet->open();
}

} // namespace velmora::gui
