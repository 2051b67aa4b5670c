// The subscriptions tab driven as a person would: a subscription added with
// its form, deactivated so that its debits stop, then reactivated.

#include "SectionFixture.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/lists/RecordListModelBase.h"
#include "gui/accounting/SubscriptionsTab.h"
#include "support/SessionJson.h"

#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace velmora::gui::test {
namespace {

class SubscriptionsTabTest : public SectionFixture {
protected:
    QWidget& driven() override { return m_host ? *m_host : window(); }

    void openTab() {
        openSection(u"dashboard"_s);
        m_host = std::make_unique<QWidget>();
        m_tab = new SubscriptionsTab(
            SectionServices{store(), m_dialogs, m_mail, m_urls, m_notifications, QString()},
            m_host.get());
        m_host->resize(1000, 700);
        m_host->show();
    }
    QString subtitle() {
        auto* list = find<QListView>(u"subscriptionsList"_s);
        return list->model()->index(0, 0).data(RecordListModelBase::SubtitleRole).toString();
    }
    int debitsUntil(const QDateTime& moment) {
        return int(subscriptionDebits(store().session().recurringPurchases, moment).size());
    }
    void TearDown() override {
        m_host.reset();
        SectionFixture::TearDown();
    }

    std::unique_ptr<QWidget> m_host;
    SubscriptionsTab* m_tab = nullptr;
};

TEST_F(SubscriptionsTabTest, DeactivatedDebitsStopThenResume) {
    openTab();
    click(u"subscriptionsEmptyAction"_s);
    type(u"subscriptionName"_s, u"Figma"_s);
    type(u"subscriptionAmount"_s, u"12,5"_s);
    click(u"subscriptionFormSave"_s);
    ASSERT_EQ(store().session().recurringPurchases.size(), 1);
    const RecurringPurchase created = store().session().recurringPurchases[0];
    EXPECT_EQ(created.amount, 12.5);
    EXPECT_TRUE(subtitle().startsWith(u"12,50\u00a0€ · 12,50\u00a0€/mois · "_s))
        << subtitle().toStdString();
    EXPECT_TRUE(sessionFile().contains("Figma"));

    const QDateTime later = QDateTime::currentDateTimeUtc().addDays(100);
    const int whileActive = debitsUntil(later);
    EXPECT_GE(whileActive, 4);
    m_tab->select(created.id);
    EXPECT_EQ(find<QPushButton>(u"subscriptionCardToggle"_s)->text(),
              u"Actif — cliquer pour désactiver"_s);
    click(u"subscriptionCardToggle"_s);
    EXPECT_FALSE(store().session().recurringPurchases[0].isActive);
    EXPECT_EQ(debitsUntil(later), 1) << "only the first debit, taken before the pause";
    EXPECT_TRUE(subtitle().endsWith(u" · Inactif"_s));
    EXPECT_EQ(find<QPushButton>(u"subscriptionCardToggle"_s)->text(),
              u"Inactif — cliquer pour activer"_s);

    click(u"subscriptionCardToggle"_s);
    const RecurringPurchase resumed = store().session().recurringPurchases[0];
    EXPECT_TRUE(resumed.isActive);
    EXPECT_EQ(resumed.endDate, std::nullopt);
    EXPECT_EQ(debitsUntil(later), whileActive) << "no debit fell in the short pause";
}

// The end passed while the application was closed: the session shown, the
// subscription is inactive and paused from its end, as its form would save it.
TEST_F(SubscriptionsTabTest, AnEndPassedMeanwhileIsSettledWhenTheSessionAppears) {
    const QDateTime end =
        QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 2 * 86400, Qt::UTC);
    openSection(u"accounting"_s, [&](AppDatabase& db) {
        RecurringPurchase ended;
        ended.id = QUuid::createUuid();
        ended.name = u"Ancien hébergeur"_s;
        ended.amount = 5;
        ended.startDate = end.addMonths(-4);
        ended.endDate = end;
        db.recurringPurchases = {ended};
    });
    ASSERT_EQ(store().session().recurringPurchases.size(), 1);
    const RecurringPurchase settled = store().session().recurringPurchases[0];
    EXPECT_FALSE(settled.isActive);
    ASSERT_EQ(settled.pausePeriods.size(), 1);
    EXPECT_EQ(settled.pausePeriods[0].startDate, end);
    EXPECT_EQ(velmora::test::decodeOk(sessionFile()).recurringPurchases, QList{settled})
        << "saved at once";
}

} // namespace
} // namespace velmora::gui::test
