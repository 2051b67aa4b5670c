#pragma once

#include "gui/common/OverlayPanel.h"

#include <QUuid>

#include <functional>

class QLabel;
class QLineEdit;
class QListView;

namespace velmora {
class SpotlightListModel;
} // namespace velmora

namespace velmora::gui {

class SpotlightIndexService;

// The global search over the window, under the toolbar: one field, and as
// the user types the hits grouped by section. Up and Down move between hits
// while the focus stays in the field, Return or a click opens the hit's
// record in its section; Escape or a click elsewhere closes the panel.
class SpotlightPanel : public OverlayPanel {
    Q_OBJECT

public:
    // The hits listed per section: enough to choose from, few enough that a
    // keystroke stays quick on a large session.
    static constexpr qsizetype hitLimit = 20;

    SpotlightPanel(SpotlightIndexService& index,
                   std::function<void(const QString& key, const QUuid& id)> open, QWidget& window,
                   QWidget& anchor);

protected:
    void aboutToOpen() override;
    void place() override;
    void opened() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void moveCurrent(int step);
    void activate(int row);

    SpotlightIndexService& m_index;
    std::function<void(const QString& key, const QUuid& id)> m_open;
    SpotlightListModel* m_model = nullptr;
    QLineEdit* m_field = nullptr;
    QListView* m_list = nullptr;
    QLabel* m_empty = nullptr;
};

} // namespace velmora::gui
