#pragma once

#include "gui/common/RecordSectionPage.h"

namespace velmora {
class SubscriptionListModel;
}

namespace velmora::gui {

class RecordCard;

// The "Abonnements" tab of the accounting section: the subscriptions with
// their frequency badge, amount, monthly cost and next debit; the card of
// the selected one with its activation toggle and its computed payments,
// newest first, with their total; the form sheet; deletion after
// confirmation.
class SubscriptionsTab : public RecordSectionPage {
    Q_OBJECT

public:
    static QString listTitle() { return QStringLiteral("Abonnements & récurrents"); }

    explicit SubscriptionsTab(const SectionServices& services, QWidget* parent = nullptr);

    // The selected subscription's toggle, as its card's button does.
    void toggleActive(const QUuid& id);

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;

private:
    void refresh();
    void openForm(class SubscriptionFormSheet* sheet);

    SubscriptionListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
};

} // namespace velmora::gui
