// velmora-cli search: the sections and hits of a query, blank and missing
// queries, and the empty-result text.

#include "CliRun.h"

#include "core/model/NewSession.h"
#include "core/model/SessionFile.h"

#include <QJsonArray>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

QString upperId(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

TEST(SearchCli, SectionsInCategoryOrderWithEveryHit) {
    QTemporaryDir dir;
    AppDatabase db = newSessionContents();
    ClientItem lea;
    lea.id = QUuid::createUuid();
    lea.firstName = u"Léa"_s;
    lea.lastName = u"Dupont"_s;
    ClientItem school;
    school.id = QUuid::createUuid();
    school.kind = ClientKind::professionnel;
    school.company = u"École Dupont"_s;
    db.clients = {lea, school};
    CommercialDocumentItem quote;
    quote.id = QUuid::createUuid();
    quote.number = u"D-1"_s;
    quote.clientID = lea.id;
    quote.issueDate = QDateTime(QDate(2025, 6, 1), QTime(8, 0), Qt::UTC);
    db.documents = {quote};
    const QString file = dir.filePath(u"s.cdb"_s);
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());

    const CliRun r = runCli({u"search"_s, file, u"DUPONT"_s});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const auto hit = [](const QUuid& id, const QString& title, const QJsonValue& subtitle,
                        const QString& icon, const QJsonValue& badge) {
        return QJsonObject{{u"id"_s, upperId(id)},
                           {u"title"_s, title},
                           {u"subtitle"_s, subtitle},
                           {u"systemIcon"_s, icon},
                           {u"badge"_s, badge}};
    };
    const QJsonArray sections{
        QJsonObject{{u"category"_s, u"documents"_s},
                    {u"name"_s, u"Documents"_s},
                    {u"count"_s, 1},
                    {u"hits"_s, QJsonArray{hit(quote.id, u"D-1"_s, u"DUPONT Léa"_s,
                                               u"doc.plaintext.fill"_s, u"Devis"_s)}}},
        QJsonObject{
            {u"category"_s, u"clients"_s},
            {u"name"_s, u"Clients"_s},
            {u"count"_s, 2},
            {u"hits"_s, QJsonArray{hit(lea.id, u"Léa Dupont"_s, {}, u"person.fill"_s, {}),
                                   hit(school.id, u"École Dupont"_s, {}, u"person.2.fill"_s, {})}}},
    };
    EXPECT_EQ(parseOutput(r),
              (QJsonObject{{u"sections"_s, sections}, {u"emptyText"_s, QJsonValue()}}));

    const struct {
        QStringList query;
        int exitCode;
        QJsonValue emptyText;
    } cases[] = {
        {{u"   "_s}, 0, QJsonValue()},
        {{u"zzz"_s}, 0, u"Aucun résultat pour «\u00a0zzz\u00a0»"_s},
        {{}, 2, QJsonValue()},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(QStringList{u"search"_s, file} + c.query);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.query.join(u' ').toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(parseOutput(run),
                      (QJsonObject{{u"sections"_s, QJsonArray()}, {u"emptyText"_s, c.emptyText}}));
        }
    }
}

} // namespace
