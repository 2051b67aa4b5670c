// The document commands of velmora-cli, on sessions built here.

#include "CliRun.h"

#include "core/model/NewSession.h"
#include "core/model/SessionFile.h"
#include "support/SampleDocuments.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>

using namespace Qt::StringLiterals;

using namespace velmora;
using velmora::test::CliRun;
using velmora::test::parseOutput;
using velmora::test::runCli;
using velmora::test::SampleDocuments;

namespace {

CommercialDocumentLine line(CommercialDocumentLineKind kind, double price) {
    return SampleDocuments::line(kind, u"Ligne"_s, {}, price);
}

QUuid statusNamed(const QList<TagItem>& statuses, const QString& name) {
    for (const TagItem& status : statuses)
        if (status.name == name)
            return status.id;
    return {};
}

CommercialDocumentItem invoice(const QString& number) {
    CommercialDocumentItem d;
    d.id = QUuid::createUuid();
    d.kind = CommercialDocumentKind::invoice;
    d.number = number;
    d.issueDate = QDateTime(QDate(2025, 3, 1), QTime(11, 0), Qt::UTC);
    return d;
}

class DocumentCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = newSessionContents();
    }

    QString write() {
        const QString path = m_dir.filePath(u"session.cdb"_s);
        const Result<> written = writeSessionFile(m_db, SessionFormat::Compact, path);
        EXPECT_TRUE(written.ok()) << written.error().toStdString();
        return path;
    }

    QJsonObject run(const QStringList& args) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
        return parseOutput(r);
    }

    QTemporaryDir m_dir;
    AppDatabase m_db;
};

TEST_F(DocumentCli, TotalsOfAnInvoiceWithReductionDiscountAndDeposit) {
    CommercialDocumentItem d = invoice(u"F-2025-001"_s);
    CommercialDocumentLine service = line(CommercialDocumentLineKind::service, 100);
    service.tvaRate = 20;
    service.quantity = 2;
    service.lineDiscountEnabled = true;
    service.lineDiscountIsPercent = true;
    service.lineDiscountValue = 10;
    CommercialDocumentLine offered = line(CommercialDocumentLineKind::service, 50);
    offered.isOffered = true;
    CommercialDocumentLine discount = line(CommercialDocumentLineKind::discount, 10);
    discount.discountIsPercent = true;
    d.lines = {service, offered, discount, line(CommercialDocumentLineKind::deposit, 50)};
    Encaissement paid;
    paid.id = QUuid::createUuid();
    paid.amount = 100;
    paid.isAcompte = true; // 50 of it covers the deposit line
    paid.date = d.issueDate;
    paid.createdAt = d.issueDate;
    d.encaissements = {paid};
    d.statusID = statusNamed(m_db.invoiceStatuses, u"Envoyé"_s);
    d.dueDays = 30;
    m_db.documents = {d};
    const QString file = write();

    const QJsonObject out =
        run({u"--now"_s, u"2025-04-01T08:00:00Z"_s, u"totals"_s, file, u"F-2025-001"_s});
    // Due on 31 March: 1 April in Paris is one day late.
    const QJsonObject expected{
        {"number", "F-2025-001"},
        {"kind", "invoice"},
        {"statusKey", "envoyé"},
        {"servicesTotalHT", 180},
        {"servicesTotalTVA", 36},
        {"servicesTotalTTC", 216},
        {"offeredTotalTTC", 50},
        {"grossServicesTTC", 266},
        {"discountTotal", 21.6},
        {"depositTotal", 50},
        {"netDue", 144.4},
        {"remainingDue", 94.4},
        {"isFullyPaid", false},
        {"isLate", true},
        {"daysLate", 1},
        {"isExpiredQuote", false},
        {"isInCancelledActivity", false},
    };
    ASSERT_EQ(out.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (it->isDouble())
            EXPECT_NEAR(out.value(it.key()).toDouble(), it->toDouble(), 1e-9)
                << it.key().toStdString();
        else
            EXPECT_EQ(out.value(it.key()), *it) << it.key().toStdString();
    }

    const QJsonObject before =
        run({u"--now"_s, u"2025-03-31T20:00:00Z"_s, u"totals"_s, file, u"F-2025-001"_s});
    EXPECT_EQ(before.value("isLate"), QJsonValue(false));
    EXPECT_EQ(before.value("daysLate").toInt(), 0);
}

TEST_F(DocumentCli, DocumentsAreNamedByFirstNumberThenById) {
    CommercialDocumentItem first = invoice(u"F-7"_s);
    first.lines = {line(CommercialDocumentLineKind::service, 10)};
    CommercialDocumentItem second = invoice(u"F-7"_s);
    second.lines = {line(CommercialDocumentLineKind::service, 20)};
    CommercialDocumentItem quote = invoice(u"D-1"_s);
    quote.kind = CommercialDocumentKind::quote;
    quote.statusID = statusNamed(m_db.quoteStatuses, u"Envoyé"_s);
    quote.validityDate = QDateTime(QDate(2025, 6, 9), QTime(10, 0), Qt::UTC);
    ProjectItem cancelled;
    cancelled.id = QUuid::createUuid();
    cancelled.isCancelled = true;
    quote.linkedProjectIDs = {cancelled.id};
    m_db.projects = {cancelled};
    m_db.documents = {first, second, quote};
    const QString file = write();

    EXPECT_DOUBLE_EQ(run({u"totals"_s, file, u"F-7"_s}).value("servicesTotalTTC").toDouble(), 10);
    EXPECT_DOUBLE_EQ(run({u"totals"_s, file, second.id.toString(QUuid::WithoutBraces)})
                         .value("servicesTotalTTC")
                         .toDouble(),
                     20);
    const QJsonObject q = run({u"--now"_s, u"2025-06-10T09:00:00Z"_s, u"totals"_s, file, u"D-1"_s});
    EXPECT_EQ(q.value("kind").toString(), u"quote");
    EXPECT_EQ(q.value("isExpiredQuote"), QJsonValue(true));
    EXPECT_EQ(q.value("isInCancelledActivity"), QJsonValue(true));
    EXPECT_EQ(q.value("isFullyPaid"), QJsonValue(false));
    EXPECT_EQ(q.value("statusKey").toString(), u"envoyé");

    const CliRun missing = runCli({u"totals"_s, file, u"F-404"_s});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(missing.err, QByteArray("Document introuvable : « F-404 ».\n"));
}

TEST_F(DocumentCli, NextNumberFollowsTheLargestYear) {
    for (const QString& n :
         {u"F-2024-012"_s, u"F-2025-003"_s, u"F-2025-010"_s, u"2025-99"_s, u"F-2025"_s})
        m_db.documents.append(invoice(n));
    const QString file = write();
    const QStringList now{u"--now"_s, u"2025-06-10T09:00:00Z"_s};
    EXPECT_EQ(run(now + QStringList{u"next-number"_s, file, u"invoice"_s}),
              (QJsonObject{{u"number"_s, u"F-2025-011"_s}}));
    EXPECT_EQ(run(now + QStringList{u"next-number"_s, file, u"quote"_s}).value("number").toString(),
              u"D-2025-001");
    // New Year's Eve at 23:30 UTC is already 2026 in Paris.
    EXPECT_EQ(run({u"--now"_s, u"2025-12-31T23:30:00Z"_s, u"next-number"_s, file, u"quote"_s})
                  .value("number")
                  .toString(),
              u"D-2026-001");
}

TEST_F(DocumentCli, PdfMailAndReminderOfAnInvoice) {
    m_db.companySettings = SampleDocuments::company();
    m_db.clients = {SampleDocuments::client()};
    CommercialDocumentItem d = SampleDocuments::invoice();
    d.statusID = statusNamed(m_db.invoiceStatuses, u"Envoyé"_s);
    CommercialDocumentItem quote = SampleDocuments::quote();
    m_db.documents = {d, quote};
    const QString file = write();

    const QString out = m_dir.filePath(u"F-2025-014.pdf"_s);
    const CliRun pdf = runCli({u"pdf"_s, file, u"F-2025-014"_s, out});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.constData();
    EXPECT_TRUE(pdf.out.isEmpty());
    EXPECT_TRUE(pdf.err.isEmpty()) << pdf.err.constData();
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF-"));

    const QJsonObject mail = run({u"mail"_s, file, u"F-2025-014"_s});
    EXPECT_EQ(mail,
              (QJsonObject{
                  {u"subject"_s, u"Facture F-2025-014 — Atelier Lumen"_qs},
                  {u"body"_s, u"Bonjour,\n\nVeuillez trouver ci-joint la facture F-2025-014.\n\n"
                              u"Cordialement,\nAtelier Lumen\nCamille Moreau"_qs},
                  {u"recipients"_s, QJsonArray{u"compta@maison-verdier.fr"_s}},
              }));

    // Issued on 2 June with 30 days: due 2 July, 3 days late on 5 July.
    const QJsonObject reminder =
        run({u"--now"_s, u"2025-07-05T10:00:00Z"_s, u"reminder"_s, file, u"F-2025-014"_s});
    EXPECT_EQ(reminder.size(), 3);
    EXPECT_EQ(reminder.value("subject").toString(),
              u"Relance : facture F-2025-014 — solde restant à régler");
    EXPECT_TRUE(reminder.value("body").toString().contains(
        u"présente un solde impayé de 1\u202f205,51\u00a0€ depuis 3 jours."));
    EXPECT_TRUE(reminder.value("url").toString().startsWith(
        u"mailto:compta@maison-verdier.fr?subject=Relance%20:%20facture%20F-2025-014%20"));

    const CliRun onQuote = runCli({u"reminder"_s, file, u"D-2025-031"_s});
    EXPECT_EQ(onQuote.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(onQuote.err).trimmed(),
              u"Une relance ne concerne qu'une facture : « D-2025-031 » est un devis.");
}

TEST_F(DocumentCli, PdfOfAnImportedDocumentIsItsOwnFile) {
    CommercialDocumentItem signedQuote = invoice(u"D-1"_s);
    signedQuote.kind = CommercialDocumentKind::quote;
    signedQuote.sourceKind = CommercialDocumentSourceKind::importedPDF;
    signedQuote.importedPDFURL = QUrl::fromLocalFile(u"/Users/lea/Media/devis.pdf"_s);
    m_db.embeddedMedia.insert(u"devis.pdf"_s, Base64Data::fromBytes("%PDF-imported"));
    CommercialDocumentItem lost = signedQuote;
    lost.number = u"D-2"_s;
    lost.importedPDFURL = QUrl::fromLocalFile(u"/Users/lea/Media/perdu.pdf"_s);
    m_db.documents = {signedQuote, lost};
    const QString file = write();

    const QString out = m_dir.filePath(u"out.pdf"_s);
    const CliRun copied = runCli({u"pdf"_s, file, u"D-1"_s, out});
    EXPECT_EQ(copied.exitCode, 0) << copied.err.constData();
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "%PDF-imported");

    const QString none = m_dir.filePath(u"none.pdf"_s);
    const CliRun missing = runCli({u"pdf"_s, file, u"D-2"_s, none});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(missing.err).trimmed(),
              u"Le fichier PDF est introuvable. Il a peut-être été déplacé ou supprimé.");
    EXPECT_FALSE(QFile::exists(none)) << "nothing written";
}

} // namespace
