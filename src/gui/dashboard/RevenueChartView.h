#pragma once

#include "core/accounting/SummaryIndicators.h"

#include <QWidget>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QGraphicsSimpleTextItem;
class QLabel;
class QValueAxis;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

// "Évolution mensuelle du CA": the twelve months of the chosen year as bars,
// each under its amount, or the year's empty text when it issued nothing.
class RevenueChartView : public QWidget {
    Q_OBJECT

public:
    explicit RevenueChartView(const AppDataStore& store, QWidget* parent = nullptr);

    // The years follow the session; the chosen one stays while it is offered.
    void refresh();
    int year() const;
    void setYear(int year);
    // What each bar reads, empty for a month without invoices.
    QStringList barLabels() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void showYear();
    void paintColours();
    void placeBarLabels();

    const AppDataStore& m_store;
    QComboBox* m_years = nullptr;
    QChartView* m_view = nullptr;
    QWidget* m_emptyState = nullptr;
    QLabel* m_emptySymbol = nullptr;
    QLabel* m_empty = nullptr;
    QChart* m_chart = nullptr;
    QBarSet* m_bars = nullptr;
    QBarCategoryAxis* m_months = nullptr;
    QValueAxis* m_amounts = nullptr;
    QList<QGraphicsSimpleTextItem*> m_labels;
    MonthlyRevenue m_revenue;
};

} // namespace velmora::gui
