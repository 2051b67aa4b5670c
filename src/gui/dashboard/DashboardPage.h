#pragma once

#include "gui/main/SectionPage.h"

class QLabel;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

class AttentionListView;
class RevenueChartView;

// "Tableau de bord": the session's picture and names over the figures of the
// current year, the monthly revenue chart and what needs attention now.
// Everything is computed on display; the page follows the session.
class DashboardPage : public SectionPage {
    Q_OBJECT

public:
    explicit DashboardPage(AppDataStore& store, QWidget* parent = nullptr);

    void showEntry(const SidebarMenuItemConfig& entry) override;

protected:
    // What is late or due depends on the day: coming back to the page
    // shows it as of now.
    void showEvent(QShowEvent* event) override;

private:
    void refreshHeader();
    void refreshFigures();

    AppDataStore& m_store;
    QString m_entryName;
    QLabel* m_picture = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_subtitle = nullptr;
    QLabel* m_figuresTitle = nullptr;
    QWidget* m_cards = nullptr;
    RevenueChartView* m_chart = nullptr;
    AttentionListView* m_attention = nullptr;
};

} // namespace velmora::gui
