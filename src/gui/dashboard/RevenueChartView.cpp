#include "gui/dashboard/RevenueChartView.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"
#include "gui/common/WheelGuard.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace velmora::gui {

namespace {

constexpr int kChartHeight = 300;
// Room above the highest bar for its label.
constexpr double kHeadroom = 1.18;

} // namespace

RevenueChartView::RevenueChartView(const AppDataStore& store, QWidget* parent)
    : QWidget(parent), m_store(store) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    auto* head = new QHBoxLayout;
    head->addWidget(theme::label(QStringLiteral("Évolution mensuelle du CA"), "section", this), 1);
    auto* yearLabel = theme::label(QStringLiteral("Année"), "hint", this);
    yearLabel->setWordWrap(false);
    head->addWidget(yearLabel);
    m_years = new QComboBox(this);
    m_years->setObjectName(QStringLiteral("dashboardChartYear"));
    m_years->setAccessibleName(QStringLiteral("Année du graphique"));
    yearLabel->setBuddy(m_years);
    head->addWidget(m_years);
    layout->addLayout(head);

    auto* card = new QFrame(this);
    card->setProperty("role", QStringLiteral("card"));
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(card);

    m_chart = new QChart;
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->hide();
    m_chart->setBackgroundVisible(false);
    m_chart->setMargins(QMargins(4, 8, 4, 4));
    auto* series = new QBarSeries(m_chart);
    m_bars = new QBarSet(QStringLiteral("CA"), series);
    series->append(m_bars);
    series->setBarWidth(0.62);
    m_chart->addSeries(series);
    m_months = new QBarCategoryAxis(m_chart);
    for (int month = 1; month <= 12; ++month)
        m_months->append(revenueMonthLabel(month));
    m_months->setGridLineVisible(false);
    m_chart->addAxis(m_months, Qt::AlignBottom);
    series->attachAxis(m_months);
    m_amounts = new QValueAxis(m_chart);
    // The bars carry their amounts; the axis only gives the grid.
    m_amounts->setLabelsVisible(false);
    m_amounts->setTickCount(5);
    m_chart->addAxis(m_amounts, Qt::AlignLeft);
    series->attachAxis(m_amounts);
    for (int month = 0; month < 12; ++month) {
        auto* label = new QGraphicsSimpleTextItem(m_chart);
        label->setZValue(10);
        m_labels << label;
    }
    connect(m_chart, &QChart::plotAreaChanged, this, [this] { placeBarLabels(); });

    m_view = new QChartView(m_chart, card);
    m_view->setObjectName(QStringLiteral("dashboardChart"));
    m_view->setAccessibleName(QStringLiteral("Évolution mensuelle du CA"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setMinimumHeight(kChartHeight);
    cardLayout->addWidget(m_view);
    // Short, so that an empty year does not leave a hole in the page.
    auto* empty = new QWidget(card);
    auto* emptyLayout = new QVBoxLayout(empty);
    emptyLayout->setContentsMargins(12, 28, 12, 28);
    emptyLayout->setSpacing(8);
    m_emptySymbol = new QLabel(empty);
    m_emptySymbol->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(m_emptySymbol);
    m_empty = theme::label(QString(), "hint", empty);
    m_empty->setObjectName(QStringLiteral("dashboardChartEmpty"));
    m_empty->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(m_empty);
    cardLayout->addWidget(empty);
    m_emptyState = empty;

    guardWheel(this);
    paintColours();
    connect(m_years, &QComboBox::currentIndexChanged, this, [this] { showYear(); });
}

int RevenueChartView::year() const {
    return m_years->currentData().toInt();
}

void RevenueChartView::setYear(int year) {
    if (const int index = m_years->findData(year); index >= 0)
        m_years->setCurrentIndex(index);
}

QStringList RevenueChartView::barLabels() const {
    QStringList texts;
    for (const QGraphicsSimpleTextItem* label : m_labels)
        texts << label->text();
    return texts;
}

void RevenueChartView::refresh() {
    const QDateTime now = m_store.clock().now();
    const int chosen = m_years->count() > 0 ? year() : now.toLocalTime().date().year();
    const QSignalBlocker blocker(m_years);
    m_years->clear();
    for (int y : revenueYears(m_store.session(), now))
        m_years->addItem(QString::number(y), y);
    const int index = m_years->findData(chosen);
    m_years->setCurrentIndex(index >= 0 ? index
                                        : m_years->findData(now.toLocalTime().date().year()));
    showYear();
}

void RevenueChartView::showYear() {
    const int y = year();
    m_revenue = monthlyRevenue(m_store.session(), y);
    m_empty->setText(noRevenueText(y));
    m_view->setVisible(!m_revenue.isEmpty());
    m_emptyState->setVisible(m_revenue.isEmpty());
    QList<qreal> values(m_revenue.months.begin(), m_revenue.months.end());
    m_bars->remove(0, m_bars->count());
    m_bars->append(values);
    const double highest = *std::max_element(values.cbegin(), values.cend());
    m_amounts->setRange(0, highest > 0 ? highest * kHeadroom : 1);
    for (int month = 0; month < 12; ++month)
        m_labels[month]->setText(m_revenue.months[std::size_t(month)] > 0
                                     ? revenueBarLabel(m_revenue.months[std::size_t(month)])
                                     : QString());
    placeBarLabels();
}

void RevenueChartView::placeBarLabels() {
    auto* series = m_chart->series().value(0);
    for (int month = 0; month < m_labels.size(); ++month) {
        QGraphicsSimpleTextItem* label = m_labels[month];
        const QPointF top =
            m_chart->mapToPosition(QPointF(month, m_revenue.months[std::size_t(month)]), series);
        const QRectF box = label->boundingRect();
        label->setPos(top.x() - box.width() / 2, top.y() - box.height() - 3);
    }
}

void RevenueChartView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintColours();
}

void RevenueChartView::paintColours() {
    const AppAppearanceMode mode = theme::current();
    m_view->setBackgroundBrush(theme::surface(mode));
    m_emptySymbol->setPixmap(
        symbolPixmap(QStringLiteral("chart.bar.fill"), 28, theme::secondaryText(mode)));
    m_bars->setColor(theme::accent());
    m_bars->setBorderColor(theme::accent());
    m_months->setLabelsColor(theme::secondaryText(mode));
    m_months->setLinePen(QPen(theme::border(mode)));
    m_amounts->setGridLinePen(QPen(theme::border(mode)));
    m_amounts->setLineVisible(false);
    for (QGraphicsSimpleTextItem* label : m_labels) {
        label->setBrush(theme::text(mode));
        label->setFont(font());
    }
}

} // namespace velmora::gui
