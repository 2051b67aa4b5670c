// Deleting records: the confirmation names the record, and links on the
// other side are cleaned except the history that names clients and services.

#include "DocumentsFixture.h"

#include "core/documents/RecordDeletion.h"
#include "support/SessionChange.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

class RecordDeletionTest : public DocumentsFixture {};

TEST_F(RecordDeletionTest, ConfirmationsNameTheRecord) {
    const Alert client = RecordDeletion::clientConfirmation(m_client, {});
    EXPECT_EQ(client.message, u"Le client « Atelier Lumen » sera supprimé définitivement.");
    EXPECT_EQ(client.buttons.last().role, AlertRole::destructive);
    const Alert doc = RecordDeletion::documentConfirmation(makeInvoice(u"F-2025-001"_s));
    EXPECT_EQ(doc.message, u"Le document « F-2025-001 » sera supprimé définitivement.");
    ProjectItem untitled = m_project;
    untitled.title = u"  "_s;
    EXPECT_EQ(RecordDeletion::activityConfirmation(untitled).message,
              u"L'activité « Activité sans titre » sera supprimée définitivement.");
    ServiceItem service;
    service.title = u"Retouche"_s;
    EXPECT_EQ(RecordDeletion::serviceConfirmation(service).message,
              u"La prestation « Retouche » sera supprimée définitivement.");
}

TEST_F(RecordDeletionTest, AClientsConfirmationCountsTheDocumentsThatKeepIt) {
    const auto issued = [&](const QString& number) {
        CommercialDocumentItem d = makeInvoice(number, {serviceLine(10)}, u"Envoyé"_s);
        d.pdfSnapshot = DocumentSnapshot{m_clock.now(), {}, m_client, {}};
        return d;
    };
    CommercialDocumentItem otherClient = issued(u"F-9"_s);
    otherClient.clientID = QUuid::createUuid();
    const QString base = u"Le client « Atelier Lumen » sera supprimé définitivement."_s;
    const struct {
        QList<CommercialDocumentItem> documents;
        QString message;
    } rows[] = {
        {{makeInvoice(u"F-1"_s), otherClient}, base},
        {{issued(u"F-1"_s), makeQuote(u"D-1"_s)},
         base + u"\n\nSon document gardera le client tel qu’émis."_s},
        {{issued(u"F-1"_s), issued(u"F-2"_s), issued(u"F-3"_s), otherClient},
         base + u"\n\nSes 3 documents garderont le client tel qu’émis."_s},
    };
    for (const auto& row : rows)
        EXPECT_EQ(RecordDeletion::clientConfirmation(m_client, row.documents).message, row.message);
}

TEST_F(RecordDeletionTest, DeletingAnActivityUnlinksItsDocuments) {
    const ProjectItem other = anotherProject();
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {m_project, other}; });
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s);
    invoice.linkedProjectIDs = {m_project.id, other.id};
    CommercialDocumentItem quote = makeQuote(u"D-1"_s);
    quote.linkedProjectIDs = {m_project.id};
    put({invoice, quote});
    ASSERT_TRUE(run(RecordDeletion::deleteActivity, m_project.id).ok());
    EXPECT_EQ(m_store->projects().size(), 1);
    EXPECT_EQ(stored(invoice.id).linkedProjectIDs, QList<QUuid>{other.id});
    EXPECT_TRUE(stored(quote.id).linkedProjectIDs.isEmpty());
    EXPECT_TRUE(onDisk().documents[1].linkedProjectIDs.isEmpty());
    EXPECT_EQ(run(RecordDeletion::deleteActivity, m_project.id).kind(), ResultKind::notFound);
}

TEST_F(RecordDeletionTest, DeletingADocumentUnlinksActivitiesAndInvoices) {
    CommercialDocumentItem quote = makeQuote(u"D-1"_s);
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s);
    invoice.linkedQuoteID = quote.id;
    ProjectItem project = m_project;
    project.linkedQuoteIDs = {quote.id};
    project.linkedInvoiceIDs = {invoice.id};
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {project}; });
    put({quote, invoice});
    ASSERT_TRUE(run(RecordDeletion::deleteDocument, quote.id).ok());
    EXPECT_EQ(m_store->documents().size(), 1);
    EXPECT_FALSE(stored(invoice.id).linkedQuoteID);
    EXPECT_TRUE(m_store->projects().first().linkedQuoteIDs.isEmpty());
    EXPECT_EQ(m_store->projects().first().linkedInvoiceIDs, QList<QUuid>{invoice.id});
}

TEST_F(RecordDeletionTest, ClientsAndServicesLeaveTheirReferences) {
    ServiceItem service;
    service.id = QUuid::createUuid();
    service.title = u"Retouche"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.services() = {service}; });
    CommercialDocumentLine line = serviceLine(10);
    line.linkedServiceID = service.id;
    const CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {line});
    ProjectItem project = m_project;
    project.linkedClientID = m_client.id;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {project}; });
    put({invoice});
    ASSERT_TRUE(run(RecordDeletion::deleteClient, m_client.id).ok());
    ASSERT_TRUE(run(RecordDeletion::deleteService, service.id).ok());
    EXPECT_TRUE(m_store->clients().isEmpty());
    EXPECT_TRUE(m_store->services().isEmpty());
    EXPECT_EQ(stored(invoice.id), invoice);
    EXPECT_EQ(m_store->projects().first().linkedClientID, m_client.id);
}

TEST_F(RecordDeletionTest, FailedSaveKeepsEverything) {
    const CommercialDocumentItem invoice = putOne(makeInvoice(u"F-1"_s));
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(run(RecordDeletion::deleteDocument, invoice.id).kind(), ResultKind::notSaved);
    EXPECT_EQ(m_store->documents(), QList<CommercialDocumentItem>{invoice});
    EXPECT_EQ(run(RecordDeletion::deleteClient, m_client.id).kind(), ResultKind::notSaved);
    EXPECT_EQ(m_store->clients(), QList<ClientItem>{m_client});
}

} // namespace
