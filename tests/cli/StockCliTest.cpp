// velmora-cli stock: every item with its level, or only one level.

#include "CliRun.h"

#include "core/model/SessionFile.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

TEST(StockCli, ItemsAndLevels) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"s.cdb"_s);
    AppDatabase db;
    const std::pair<const char*, std::optional<qint64>> items[] = {
        {"Papier", 5}, {"Encre", 2}, {"Cartons", std::nullopt}, {"Rubans", -3}};
    for (const auto& [title, quantity] : items) {
        StockItem item;
        item.id = QUuid::createUuid();
        item.title = QString::fromUtf8(title);
        item.quantity = quantity;
        db.stockItems.append(item);
    }
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    const auto entry = [&](int i, const QJsonValue& quantity, const QString& status) {
        return QJsonObject{{u"id"_s, db.stockItems[i].id.toString(QUuid::WithoutBraces).toUpper()},
                           {u"title"_s, db.stockItems[i].title},
                           {u"quantity"_s, quantity},
                           {u"status"_s, status}};
    };
    EXPECT_EQ(parseOutput(runCli({u"stock"_s, file})),
              (QJsonObject{{u"items"_s,
                            QJsonArray{entry(0, 5, u"En stock"_s), entry(1, 2, u"Presque épuisé"_s),
                                       entry(2, QJsonValue(), u"En rupture"_s),
                                       entry(3, -3, u"En rupture"_s)}}}));
    EXPECT_EQ(parseOutput(runCli({u"stock"_s, file, u"--level"_s, u"out"_s})),
              (QJsonObject{{u"items"_s, QJsonArray{entry(2, QJsonValue(), u"En rupture"_s),
                                                   entry(3, -3, u"En rupture"_s)}}}));
    const CliRun wrong = runCli({u"stock"_s, file, u"--level"_s, u"bas"_s});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err, "L'option --level attend out, low ou ok.\nVoir : velmora-cli --help\n");
}

} // namespace
