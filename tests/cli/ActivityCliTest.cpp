// velmora-cli activity: the effects of a cancellation, and cancelling or
// reactivating with the file written only when something changes.

#include "CliRun.h"

#include "core/documents/DocumentsFixture.h"
#include "core/model/SessionFile.h"
#include "support/SessionJson.h"

#include <QFileInfo>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

TEST(ActivityCli, EffectsCancelReactivateAndNothingToDo) {
    QTemporaryDir dir;
    AppDatabase db = newSessionContents();
    ProjectItem project;
    project.id = QUuid::createUuid();
    project.title = u"Refonte"_s;
    project.status = u"À venir"_s;
    db.projects = {project};
    for (const bool deposit : {true, true, false}) {
        CommercialDocumentItem d = document(CommercialDocumentKind::invoice, u"F"_s);
        d.statusID = db.invoiceStatuses[1].id; // "Envoyé"
        d.linkedProjectIDs = {project.id};
        d.encaissements = {payment(100, deposit)};
        db.documents.append(d);
    }
    const QString file = dir.filePath(u"s.cdb"_s);
    ASSERT_TRUE(writeSessionFile(db, SessionFormat::Compact, file).ok());
    const QString id = project.id.toString(QUuid::WithoutBraces);
    const auto run = [&](const QString& action, const QString& which) {
        return runCli({u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"activity"_s, file, action, which});
    };

    const QJsonObject effects = parseOutput(run(u"effects"_s, id));
    EXPECT_EQ(effects.value(u"withDeposit"_s).toInt(), 2);
    EXPECT_EQ(effects.value(u"withoutDeposit"_s).toInt(), 1);
    EXPECT_TRUE(effects.value(u"message"_s).toString().contains(u"• 2 factures avec acompte"_s));
    EXPECT_TRUE(effects.value(u"reactivateMessage"_s).toString().contains(u"Aucune facture"_s));

    // Nothing to do, nothing found or a wrong action: the file stays as it is.
    const QByteArray bytes = contentsOf(file);
    const QDateTime modified = QFileInfo(file).lastModified();
    QThread::msleep(20);
    const struct {
        QString action, which;
        int exitCode;
    } idle[] = {{u"reactivate"_s, id, 0},
                {u"cancel"_s, QUuid::createUuid().toString(), 1},
                {u"effects"_s, u"x"_s, 1},
                {u"delete"_s, id, 2}};
    for (const auto& row : idle)
        EXPECT_EQ(run(row.action, row.which).exitCode, row.exitCode) << row.action.toStdString();
    EXPECT_EQ(run(u"cancel"_s, u"x"_s).err, "Activité introuvable : « x ».\n");
    EXPECT_EQ(contentsOf(file), bytes);
    EXPECT_EQ(QFileInfo(file).lastModified(), modified);

    const CliRun cancelled = run(u"cancel"_s, id);
    ASSERT_EQ(cancelled.exitCode, 0) << cancelled.err.constData();
    EXPECT_TRUE(cancelled.out.isEmpty());
    const AppDatabase after = decodeOk(contentsOf(file));
    EXPECT_EQ(after.projects[0].cancelledAt, QDateTime(QDate(2025, 6, 10), QTime(9, 0), Qt::UTC));
    EXPECT_EQ(after.documents[0].statusID, db.invoiceStatuses[2].id); // "Payé"
    EXPECT_EQ(after.documents[2], db.documents[2]);
    const QByteArray cancelledBytes = contentsOf(file);
    EXPECT_EQ(run(u"cancel"_s, id).exitCode, 0);
    EXPECT_EQ(contentsOf(file), cancelledBytes);

    ASSERT_EQ(run(u"reactivate"_s, id).exitCode, 0);
    const AppDatabase back = decodeOk(contentsOf(file));
    EXPECT_EQ(back.projects[0], project);
    EXPECT_EQ(back.documents[0].statusID, db.documents[0].statusID);
}

} // namespace
