#pragma once

#include "gui/common/OverlayPanel.h"

class QLabel;
class QListView;

namespace velmora {
class NotificationListModel;
} // namespace velmora

namespace velmora::gui {

class NotificationCentre;

// The notification centre, over the window under its bell: the header, the
// items by severity with their relative date; a click opens an item's
// record, its "…" or context menu gives the reactions. Escape or a click
// elsewhere closes it.
class NotificationPanel : public OverlayPanel {
    Q_OBJECT

public:
    NotificationPanel(NotificationCentre& centre, QWidget& window, QWidget& anchor);

protected:
    void aboutToOpen() override;
    void place() override;
    void opened() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void activate(const QModelIndex& index);
    void showReactions(const QModelIndex& index, const QPoint& globalPos);

    NotificationCentre& m_centre;
    NotificationListModel* m_model = nullptr;
    QLabel* m_header = nullptr;
    QLabel* m_unavailable = nullptr;
    QWidget* m_empty = nullptr;
    QListView* m_list = nullptr;
};

} // namespace velmora::gui
