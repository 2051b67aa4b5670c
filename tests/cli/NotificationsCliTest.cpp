// velmora-cli notifications: the JSON of a dated and an undated item, a
// never-shown one left out, and the session file left untouched.

#include "CliRun.h"

#include "core/model/SessionFile.h"
#include "core/notifications/NotificationsFixture.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::test;

namespace {

TEST(NotificationsCli, VisibleItemsAndHeader) {
    QTemporaryDir dir;
    RecipeSession s;
    CommercialDocumentItem& invoice = s.invoice(u"F-1"_s, u"Envoyé"_s);
    invoice.issueDate = QDateTime(QDate(2025, 6, 8), QTime(7, 0), Qt::UTC);
    const QString id = upperId(invoice.id);
    s.db.urssafDeclarations = {unpaidQuarter(2025, 2)};
    const StockItem gone = stockItem(u"Vis"_s);
    s.db.stockItems = {gone};
    NotificationState never;
    never.neverShow = true;
    s.db.notificationStates.insert(u"stock.out."_s + upperId(gone.id), never);
    const QString file = dir.filePath(u"s.cdb"_s);
    ASSERT_TRUE(writeSessionFile(s.db, SessionFormat::Compact, file).ok());
    const QByteArray before = contentsOf(file);

    const CliRun r = runCli({u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"notifications"_s, file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QJsonObject out = parseOutput(r);
    EXPECT_EQ(out[u"header"_s], u"Notifications (2)"_s);
    const QJsonArray items = out[u"items"_s].toArray();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(
        items[0].toObject(),
        (QJsonObject{{u"id"_s, u"invoice.late."_s + id},
                     {u"kind"_s, u"invoiceLate"_s},
                     {u"severity"_s, u"critical"_s},
                     {u"title"_s, u"Facture en retard"_s},
                     {u"message"_s, u"F-1 — 2 j de retard"_s},
                     {u"date"_s, u"2025-06-08T07:00:00Z"_s},
                     {u"systemIcon"_s, u"exclamationmark.triangle.fill"_s},
                     {u"action"_s, QJsonObject{{u"type"_s, u"openDocument"_s}, {u"id"_s, id}}}}));
    EXPECT_EQ(items[1].toObject().value(u"date"_s), QJsonValue());
    EXPECT_EQ(items[1].toObject().value(u"action"_s),
              (QJsonObject{{u"type"_s, u"goToAccounting"_s}, {u"id"_s, QJsonValue()}}));
    EXPECT_EQ(contentsOf(file), before);
}

} // namespace
