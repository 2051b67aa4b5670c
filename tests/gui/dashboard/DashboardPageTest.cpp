// The dashboard: the year's figures, the monthly chart and the list of what
// needs attention, whose rows open their record.

#include "SectionFixture.h"

#include "core/accounting/DashboardAttention.h"
#include "core/accounting/SummaryIndicators.h"
#include "core/lists/RecordListModelBase.h"
#include "core/text/MoneyFormat.h"
#include "gui/common/IndicatorCardView.h"
#include "gui/dashboard/RevenueChartView.h"

#include <QComboBox>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace velmora::gui::test {
namespace {

QDateTime todayAtNoon(int daysBack = 0) {
    return QDateTime(QDate::currentDate().addDays(-daysBack), QTime(12, 0),
                     QTimeZone::systemTimeZone())
        .toUTC();
}

class DashboardPageTest : public WidgetDriver<SectionFixture> {
protected:
    QWidget& driven() override { return window(); }

    void openDashboard(const std::function<void(AppDatabase&)>& fill) {
        openSection(u"dashboard"_s, [&](AppDatabase& db) {
            ClientItem client;
            client.id = m_client;
            client.kind = ClientKind::professionnel;
            client.company = u"Studio Nord"_s;
            db.clients = {client};
            fill(db);
        });
    }
    CommercialDocumentItem invoice(const AppDatabase& db, const QString& number,
                                   const QString& status, const QDateTime& issued) {
        return documentOf(CommercialDocumentKind::invoice, number, u"Atelier"_s, m_client,
                          statusNamed(db.invoiceStatuses, status), issued);
    }

    QString cardText(const QString& card, const QString& label) {
        auto* view = find<IndicatorCardView>(card);
        auto* text = view ? view->findChild<QLabel*>(label) : nullptr;
        return text ? text->text() : QString();
    }

    QUuid m_client = QUuid::createUuid();
};

TEST_F(DashboardPageTest, RowsOpenTheirRecordByReturnOrClick) {
    StockItem paper;
    paper.id = QUuid::createUuid();
    paper.title = u"Papier photo"_s;
    paper.quantity = 0;
    // First in the dashboard's list, not in the stock page's.
    StockItem frames = paper;
    frames.id = QUuid::createUuid();
    frames.title = u"Cadres"_s;
    openDashboard([&](AppDatabase& db) {
        db.stockItems = {frames, paper};
        CommercialDocumentItem late = invoice(db, u"F-2025-007"_s, u"Envoyé"_s, todayAtNoon(20));
        late.dueDays = 10;
        db.documents = {late, invoice(db, u"F-2025-008"_s, u"Payé"_s, todayAtNoon())};
    });
    EXPECT_EQ(cardText(u"indicator_ca"_s, u"indicatorValue"_s), formatMoney(450));
    EXPECT_TRUE(cardText(u"indicator_bestClient"_s, u"indicatorDescription"_s)
                    .startsWith(u"Studio Nord"_s));
    EXPECT_FALSE(isShown(u"attentionEmpty"_s));

    auto* list = find<QListView>(u"attentionLateList"_s);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 1);
    const QModelIndex row = list->model()->index(0, 0);
    EXPECT_EQ(row.data().toString(), u"Facture F-2025-007 · Studio Nord"_s);
    EXPECT_EQ(row.data(RecordListModelBase::SubtitleRole).toString(),
              lateDaysText(10) + u" · "_s + formatMoney(450));

    list->setFocus();
    list->setCurrentIndex(row);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    EXPECT_EQ(shownText(u"documentCardTitle"_s), u"Facture F-2025-007"_s);

    // In a section of tabs, the tab that holds the record comes forward.
    window().workspace().showSection(u"dashboard"_s);
    auto* stock = find<QListView>(u"attentionStockList"_s);
    ASSERT_NE(stock, nullptr);
    QTest::mouseClick(stock->viewport(), Qt::LeftButton, {},
                      stock->visualRect(stock->model()->index(0, 0)).center());
    EXPECT_EQ(window().workspace().currentSection(), u"stock"_s);
    EXPECT_EQ(find<QListView>(u"stockList"_s)->currentIndex().data(RecordListModelBase::IdRole),
              frames.id);
}

TEST_F(DashboardPageTest, ChartFollowsTheChosenYearAndSaysWhenItIsEmpty) {
    const int year = QDate::currentDate().year();
    openDashboard([&](AppDatabase& db) {
        CommercialDocumentItem march =
            invoice(db, u"F-1"_s, u"Payé"_s,
                    QDateTime(QDate(year - 1, 3, 10), QTime(12, 0), QTimeZone::systemTimeZone()));
        march.lines[0].priceTTC = 1260;
        db.documents = {march};
    });
    // Nothing paid this year, nothing late: the page says so.
    EXPECT_EQ(shownText(u"attentionEmptyText"_s), noAttentionText());
    EXPECT_EQ(cardText(u"indicator_bestClient"_s, u"indicatorDescription"_s),
              noBestClientText(year));
    EXPECT_EQ(shownText(u"dashboardChartEmpty"_s), noRevenueText(year));
    EXPECT_FALSE(isShown(u"dashboardChart"_s));

    auto* years = find<QComboBox>(u"dashboardChartYear"_s);
    ASSERT_NE(years, nullptr);
    const int last = years->findData(year - 1);
    ASSERT_GE(last, 0);
    years->setCurrentIndex(last);
    EXPECT_TRUE(isShown(u"dashboardChart"_s));
    EXPECT_FALSE(isShown(u"dashboardChartEmpty"_s));
    QStringList bars(12);
    bars[2] = u"1,3 k€"_s;
    EXPECT_EQ(find<RevenueChartView>(u"dashboardRevenue"_s)->barLabels(), bars);
}

} // namespace
} // namespace velmora::gui::test
