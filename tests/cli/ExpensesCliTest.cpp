// velmora-cli expenses: stored purchases and subscription debits in one list,
// newest first, filtered by local year and month and by type.

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

class ExpensesCli : public ::testing::Test {
protected:
    void SetUp() override {
        StockItem beads;
        beads.id = QUuid(u"cccccccc-0000-4000-8000-000000000003"_s);
        beads.title = u"Perles"_s;
        AccountingPurchaseItem linked;
        linked.id = QUuid(u"dddddddd-0000-4000-8000-000000000004"_s);
        linked.linkedStockID = beads.id;
        linked.customProductName = u"Ancien nom"_s;
        linked.priceTTC = 41.5;
        linked.purchaseDate = utc(u"2025-04-20T10:00:00Z"_s);
        AccountingPurchaseItem newYear = linked;
        newYear.id = QUuid(u"eeeeeeee-0000-4000-8000-000000000005"_s);
        newYear.linkedStockID.reset();
        newYear.customProductName = u"Fil"_s;
        newYear.priceTTC = 3;
        // Already 1 January 2025 in Paris.
        newYear.purchaseDate = utc(u"2024-12-31T23:30:00Z"_s);
        RecurringPurchase hosting;
        hosting.id = QUuid(u"12345678-9abc-4def-8123-456789abcdef"_s);
        hosting.name = u"Hébergement"_s;
        hosting.amount = 9.5;
        hosting.startDate = utc(u"2025-03-15T10:00:00Z"_s);
        hosting.debitDay = 15;
        AppDatabase db;
        db.stockItems = {beads};
        db.accountingPurchases = {newYear, linked};
        db.recurringPurchases = {hosting};
        ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    }

    CliRun run(const QStringList& options) const {
        return runCli(QStringList{u"--now"_s, u"2025-05-01T00:00:00Z"_s, u"expenses"_s, file} +
                      options);
    }

    QTemporaryDir dir;
    QString file = dir.filePath(u"e.cdb"_s);
};

QJsonObject entry(const QString& id, const QString& name, const QString& date, double amount,
                  bool recurring) {
    return QJsonObject{{u"id"_s, id},
                       {u"name"_s, name},
                       {u"date"_s, date},
                       {u"amount"_s, amount},
                       {u"isRecurringEntry"_s, recurring}};
}

TEST_F(ExpensesCli, MergedNewestFirstAndFiltered) {
    const QJsonObject linked = entry(u"DDDDDDDD-0000-4000-8000-000000000004"_s, u"Perles"_s,
                                     u"2025-04-20T10:00:00Z"_s, 41.5, false);
    const QJsonObject april = entry(u"12345678-9ABC-4DEF-0000-000067FE2010"_s, u"Hébergement"_s,
                                    u"2025-04-15T09:00:00Z"_s, 9.5, true);
    const QJsonObject march = entry(u"12345678-9ABC-4DEF-0000-000067D54FA0"_s, u"Hébergement"_s,
                                    u"2025-03-15T10:00:00Z"_s, 9.5, true);
    const QJsonObject thread = entry(u"EEEEEEEE-0000-4000-8000-000000000005"_s, u"Fil"_s,
                                     u"2024-12-31T23:30:00Z"_s, 3, false);
    const struct {
        QStringList options;
        QJsonArray expected;
    } cases[] = {
        {{}, {linked, april, march, thread}},
        {{u"--year"_s, u"2025"_s, u"--month"_s, u"1"_s}, {thread}},
        {{u"--year"_s, u"2024"_s}, {}},
        {{u"--type"_s, u"purchase"_s}, {linked, thread}},
        {{u"--type"_s, u"monthly"_s, u"--year"_s, u"2025"_s, u"--month"_s, u"4"_s}, {april}},
        {{u"--type"_s, u"yearly"_s}, {}},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.options);
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(parseOutput(r), (QJsonObject{{u"entries"_s, c.expected}}))
            << c.options.join(u' ').toStdString();
    }
}

TEST_F(ExpensesCli, BadOptionsAreUsageErrors) {
    const QStringList cases[] = {
        {u"--month"_s, u"4"_s},
        {u"--type"_s, u"weekly"_s},
        {u"--year"_s, u"deux"_s},
        {u"--year"_s, u"2025"_s, u"--month"_s, u"13"_s},
    };
    for (const QStringList& options : cases) {
        const CliRun r = run(options);
        EXPECT_EQ(r.exitCode, 2) << options.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_TRUE(QString::fromUtf8(run({u"--month"_s, u"4"_s}).err).contains(u"--year"_s));
}

} // namespace
