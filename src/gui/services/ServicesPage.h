#pragma once

#include "gui/common/RecordSectionPage.h"

namespace velmora {
class ServiceListModel;
}

namespace velmora::gui {

class RecordCard;

// "Catalogue": the services, searched by title, description and notes and
// filtered by tags; a price that is not an amount is shown with its warning.
class ServicesPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit ServicesPage(const SectionServices& services, QWidget* parent = nullptr);

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;

private:
    void refresh();

    ServiceListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
};

} // namespace velmora::gui
