// The documents list: row texts, badges, sort keys and search.

#include "DocumentsFixture.h"
#include "core/documents/DocumentStatus.h"

#include "core/documents/DocumentListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "core/text/FrenchDates.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const QDateTime kNow = localNoon(2025, 6, 10);

QUuid statusOf(const QList<TagItem>& statuses, const QString& name) {
    return statusNamed(statuses, name);
}

class DocumentList : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.quoteStatuses = seededQuoteStatuses();
        m_db.invoiceStatuses = seededInvoiceStatuses();
        m_client.id = QUuid::createUuid();
        m_client.kind = ClientKind::professionnel;
        m_client.company = u"Atelier Lumen"_s;
        m_db.clients = {m_client};
        m_cancelled.id = QUuid::createUuid();
        m_cancelled.isCancelled = true;
        m_db.projects = {m_cancelled};
    }
    CommercialDocumentItem invoice(const QString& number, const QString& status,
                                   QList<CommercialDocumentLine> lines = {}) {
        CommercialDocumentItem d =
            document(CommercialDocumentKind::invoice, number, std::move(lines));
        d.statusID = statusOf(m_db.invoiceStatuses, status);
        d.clientID = m_client.id;
        return d;
    }
    CommercialDocumentItem quote(const QString& number, const QString& status) {
        CommercialDocumentItem d = document(CommercialDocumentKind::quote, number);
        d.statusID = statusOf(m_db.quoteStatuses, status);
        return d;
    }
    void show(const QList<CommercialDocumentItem>& documents) {
        m_model.setContext(DocumentListContext::of(m_db, kNow));
        m_model.setRecords(documents);
    }
    QVariant cell(int row, int role, int column = 0) {
        return m_model.index(row, column).data(role);
    }

    AppDatabase m_db;
    ClientItem m_client;
    ProjectItem m_cancelled;
    DocumentListModel m_model;
};

TEST_F(DocumentList, RowNamesTheDocumentItsClientAndDate) {
    show({invoice(u"F-2025-001"_s, u"Envoyé"_s)});
    EXPECT_EQ(cell(0, Qt::DisplayRole).toString(), u"Facture F-2025-001"_s);
    EXPECT_EQ(cell(0, RecordListModelBase::SubtitleRole).toString(),
              u"Atelier Lumen · "_s + formatMediumDate(localNoon(2025, 6, 1)));
}

TEST_F(DocumentList, FrozenDocumentNamesTheClientOfItsSnapshot) {
    CommercialDocumentItem d = invoice(u"F-1"_s, u"Envoyé"_s);
    ClientItem then = m_client;
    then.company = u"Lumen SARL"_s;
    d.pdfSnapshot = DocumentSnapshot{kNow, {}, then, std::nullopt};
    show({d});
    EXPECT_EQ(m_model.clientName(d), u"Lumen SARL"_s);
    d.pdfSnapshot->client.reset();
    EXPECT_EQ(m_model.clientName(d), u"Atelier Lumen"_s) << "no client frozen: the record's";
}

TEST_F(DocumentList, CountTexts) {
    EXPECT_EQ(DocumentListModel::countText(0), u"Aucun document"_s);
    EXPECT_EQ(DocumentListModel::countText(1), u"1 document"_s);
    EXPECT_EQ(DocumentListModel::countText(2), u"2 documents"_s);
}

TEST_F(DocumentList, AmountSortsByValueNotText) {
    show({invoice(u"A"_s, u"Envoyé"_s, {serviceLine(9)}),
          invoice(u"B"_s, u"Envoyé"_s, {serviceLine(100)}),
          invoice(u"C"_s, u"Envoyé"_s, {serviceLine(10, 2)})});
    RecordFilterModel shown;
    shown.setSourceModel(&m_model);
    shown.sort(DocumentListModel::amountColumn, Qt::AscendingOrder);
    QStringList order;
    for (int row = 0; row < shown.rowCount(); ++row)
        order << shown.index(row, 0).data().toString();
    EXPECT_EQ(order, (QStringList{u"Facture A"_s, u"Facture C"_s, u"Facture B"_s}));
}

TEST_F(DocumentList, BadgeShowsTheMostPressingAlertOrElseTheStatus) {
    struct Case {
        const char* name;
        std::function<CommercialDocumentItem()> make;
        QString text;
        std::optional<TagColorOption> color;
    };
    const QList<Case> cases{
        {"issued, due in 21 days",
         [&] {
             auto d = invoice(u"F"_s, u"Envoyé"_s);
             d.dueDays = 30;
             return d;
         },
         u"Envoyé"_s, TagColorOption::blue},
        {"due in 7 days",
         [&] {
             auto d = invoice(u"F"_s, u"Envoyé"_s);
             d.dueDays = 16;
             return d;
         },
         u"Bientôt à échéance"_s, TagColorOption::yellow},
        {"late",
         [&] {
             auto d = invoice(u"F"_s, u"Envoyé"_s);
             d.dueDays = 8;
             return d;
         },
         u"En retard"_s, TagColorOption::red},
        {"late but in a cancelled activity",
         [&] {
             auto d = invoice(u"F"_s, u"Envoyé"_s);
             d.linkedProjectIDs = {m_cancelled.id};
             return d;
         },
         u"Activité annulée"_s, TagColorOption::gray},
        {"paid long ago", [&] { return invoice(u"F"_s, u"Payé"_s); }, u"Payé"_s,
         TagColorOption::green},
        {"quote past its validity",
         [&] {
             auto d = quote(u"D"_s, u"Envoyé"_s);
             d.validityDate = localNoon(2025, 6, 9);
             return d;
         },
         u"Expiré"_s, TagColorOption::orange},
        {"quote valid until today",
         [&] {
             auto d = quote(u"D"_s, u"Envoyé"_s);
             d.validityDate = kNow;
             return d;
         },
         u"Bientôt expiré"_s, TagColorOption::yellow},
        {"unknown status",
         [&] {
             auto d = quote(u"D"_s, u"Envoyé"_s);
             d.statusID = QUuid::createUuid();
             return d;
         },
         u"Sans statut"_s, std::nullopt},
    };
    for (const Case& c : cases) {
        show({c.make()});
        EXPECT_EQ(cell(0, RecordListModelBase::BadgeRole).toString(), c.text) << c.name;
        const QVariant color = cell(0, RecordListModelBase::BadgeColorRole);
        EXPECT_EQ(color.isValid() ? std::optional(TagColorOption(color.toInt())) : std::nullopt,
                  c.color)
            << c.name;
    }
}

TEST_F(DocumentList, SearchLooksAtNumberClientAndLineTitles) {
    const CommercialDocumentItem d =
        invoice(u"F-2025-007"_s, u"Envoyé"_s, {serviceLine(10, 1, 0, u"Refonte du site"_s)});
    struct Case {
        QString query;
        bool found;
    };
    for (const auto& [query, found] : QList<Case>{{u""_s, true},
                                                  {u"f-2025-007"_s, true},
                                                  {u"lumen"_s, true},
                                                  {u"refonte site"_s, true},
                                                  {u"refonte logo"_s, false},
                                                  {u"Envoyé"_s, false}})
        EXPECT_EQ(documentMatches(d, u"Atelier Lumen"_s, query), found) << query.toStdString();
}

TEST_F(DocumentList, SearchForgetsWhatItFoldedWhenTheRecordsOrClientsChange) {
    CommercialDocumentItem d =
        invoice(u"F-1"_s, u"Envoyé"_s, {serviceLine(10, 1, 0, u"Refonte du site"_s)});
    show({d});
    EXPECT_TRUE(m_model.matches(0, u"refonte"_s));
    d.lines[0].title = u"Logo"_s;
    m_model.setRecords({d});
    EXPECT_FALSE(m_model.matches(0, u"refonte"_s));
    EXPECT_TRUE(m_model.matches(0, u"logo"_s));
    m_db.clients[0].company = u"Studio Nord"_s;
    m_model.setContext(DocumentListContext::of(m_db, kNow));
    EXPECT_TRUE(m_model.matches(0, u"nord logo"_s));
    EXPECT_FALSE(m_model.matches(0, u"lumen"_s));
}

TEST_F(DocumentList, AlertFiltersFollowTheKindShown) {
    auto labels = [](std::optional<CommercialDocumentKind> kind) {
        QStringList out;
        for (const DocumentAlertFilter& f : documentAlertFilters(kind))
            out << f.label;
        return out;
    };
    EXPECT_EQ(labels(CommercialDocumentKind::quote),
              (QStringList{u"Expiré"_s, u"Bientôt expiré"_s, u"Valide"_s, u"Activité annulée"_s}));
    EXPECT_EQ(labels(CommercialDocumentKind::invoice),
              (QStringList{u"En retard"_s, u"Bientôt à échéance"_s, u"Acompte remboursé"_s,
                           u"Acompte conservé"_s, u"Activité annulée"_s}));
    EXPECT_EQ(labels(std::nullopt).count(u"Activité annulée"_s), 1);
}

} // namespace
