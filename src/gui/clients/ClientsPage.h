#pragma once

#include "gui/common/RecordSectionPage.h"

namespace velmora {
class ClientListModel;
}

namespace velmora::gui {

class RecordCard;

// "Clients": the list searched by name, company, e-mail and phone and
// filtered by tags; the card of the selected client with its contacts,
// documents and activities; the form sheet; deletion after confirmation.
class ClientsPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit ClientsPage(const SectionServices& services, QWidget* parent = nullptr);

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;

private:
    void refresh();
    void openForm(class ClientFormSheet* sheet);

    ClientListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
};

} // namespace velmora::gui
