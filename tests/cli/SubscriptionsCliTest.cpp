// velmora-cli subscriptions: the past debits of every subscription in one
// dated list, and the next debit of each.

#include "CliRun.h"

#include "core/model/SessionFile.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

QDateTime utc(const QString& iso) {
    return QDateTime::fromString(iso, Qt::ISODate);
}

TEST(SubscriptionsCli, DebitsSortedAndNext) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"s.cdb"_s);
    AppDatabase db;
    RecurringPurchase hosting;
    hosting.id = QUuid(u"12345678-9abc-4def-8123-456789abcdef"_s);
    hosting.name = u"Hébergement"_s;
    hosting.amount = 9.5;
    hosting.startDate = utc(u"2025-03-15T10:00:00Z"_s);
    hosting.debitDay = 15;
    RecurringPurchase domain = hosting;
    domain.id = QUuid(u"aaaaaaaa-0000-4000-8000-000000000001"_s);
    domain.name = u"Domaine"_s;
    domain.amount = 12;
    domain.frequency = RecurringFrequency::yearly;
    domain.startDate = utc(u"2025-04-01T08:00:00Z"_s);
    domain.debitDay = 1;
    domain.exceptionalDates = {
        {QUuid::createUuid(), utc(u"2026-03-31T22:00:00Z"_s), utc(u"2026-04-03T08:00:00Z"_s)}};
    RecurringPurchase free = hosting;
    free.id = QUuid(u"bbbbbbbb-0000-4000-8000-000000000002"_s);
    free.amount = 0;
    free.startDate = utc(u"2040-01-01T08:00:00Z"_s);
    db.recurringPurchases = {hosting, domain, free};
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());

    const CliRun run = runCli({u"--now"_s, u"2025-05-01T00:00:00Z"_s, u"subscriptions"_s, file});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const auto debit = [](const QString& id, const QString& subscription, const QString& name,
                          const QString& date, double amount) {
        return QJsonObject{{u"id"_s, id},
                           {u"subscriptionID"_s, subscription},
                           {u"name"_s, name},
                           {u"date"_s, date},
                           {u"amount"_s, amount}};
    };
    const QString h = u"12345678-9ABC-4DEF-8123-456789ABCDEF"_s;
    const QString d = u"AAAAAAAA-0000-4000-8000-000000000001"_s;
    EXPECT_EQ(
        parseOutput(run),
        (QJsonObject{
            {u"debits"_s, QJsonArray{debit(u"12345678-9ABC-4DEF-0000-000067D54FA0"_s, h,
                                           u"Hébergement"_s, u"2025-03-15T10:00:00Z"_s, 9.5),
                                     debit(u"AAAAAAAA-0000-4000-0000-000067EB9D00"_s, d,
                                           u"Domaine"_s, u"2025-04-01T08:00:00Z"_s, 12),
                                     // Summer time: still 11:00 in Paris.
                                     debit(u"12345678-9ABC-4DEF-0000-000067FE2010"_s, h,
                                           u"Hébergement"_s, u"2025-04-15T09:00:00Z"_s, 9.5)}},
            {u"next"_s, QJsonArray{QJsonObject{{u"subscriptionID"_s, h},
                                               {u"date"_s, u"2025-05-15T09:00:00Z"_s},
                                               {u"exceptional"_s, false}},
                                   QJsonObject{{u"subscriptionID"_s, d},
                                               {u"date"_s, u"2026-04-03T08:00:00Z"_s},
                                               {u"exceptional"_s, true}},
                                   QJsonObject{{u"subscriptionID"_s,
                                                u"BBBBBBBB-0000-4000-8000-000000000002"_s},
                                               {u"date"_s, QJsonValue()},
                                               {u"exceptional"_s, false}}}}}));
}

} // namespace
