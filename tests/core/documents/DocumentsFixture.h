#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/model/NewSession.h"
#include "support/StoreFixture.h"

#include <QTimeZone>

namespace velmora::test {

// Builders of lines and documents for the document flows.
inline CommercialDocumentLine serviceLine(double unitPrice, double quantity = 1, double tva = 0,
                                          const QString& title = QStringLiteral("Prestation")) {
    CommercialDocumentLine line;
    line.id = QUuid::createUuid();
    line.kind = CommercialDocumentLineKind::service;
    line.title = title;
    line.priceTTC = unitPrice;
    line.quantity = quantity;
    line.tvaRate = tva;
    return line;
}

inline CommercialDocumentLine otherLine(CommercialDocumentLineKind kind, double value,
                                        bool isPercent = false) {
    CommercialDocumentLine line;
    line.id = QUuid::createUuid();
    line.kind = kind;
    line.title = kind == CommercialDocumentLineKind::discount ? QStringLiteral("Remise")
                                                              : QStringLiteral("Acompte");
    line.priceTTC = value;
    line.discountIsPercent = isPercent;
    return line;
}

inline Encaissement payment(double amount, bool isAcompte = false) {
    Encaissement e;
    e.id = QUuid::createUuid();
    e.amount = amount;
    e.date = QDateTime(QDate(2025, 6, 1), QTime(10, 0), Qt::UTC);
    e.paymentMethod = QStringLiteral("Virement");
    e.isAcompte = isAcompte;
    e.createdAt = e.date;
    return e;
}

// A local calendar day at noon, as the user's screens would set it.
inline QDateTime localNoon(int year, int month, int day) {
    return QDateTime(QDate(year, month, day), QTime(12, 0), QTimeZone::systemTimeZone()).toUTC();
}

inline CommercialDocumentItem document(CommercialDocumentKind kind, const QString& number,
                                       QList<CommercialDocumentLine> lines = {}) {
    CommercialDocumentItem d;
    d.id = QUuid::createUuid();
    d.kind = kind;
    d.number = number;
    d.issueDate = localNoon(2025, 6, 1);
    d.lines = std::move(lines);
    return d;
}

inline QUuid statusNamed(const QList<TagItem>& statuses, const QString& name) {
    for (const TagItem& status : statuses) {
        if (status.name == name)
            return status.id;
    }
    ADD_FAILURE() << "no status named " << name.toStdString();
    return {};
}

// A started store holding a brand-new session's statuses, one client and
// one activity; the clock reads 10 June 2025, 09:00 UTC.
class DocumentsFixture : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        m_store = startStore();
        ClientItem client;
        client.id = QUuid::createUuid();
        client.kind = ClientKind::professionnel;
        client.company = QStringLiteral("Atelier Lumen");
        m_client = client;
        m_store->setClients({client});
        ProjectItem project;
        project.id = QUuid::createUuid();
        project.title = QStringLiteral("Refonte du site");
        project.status = QStringLiteral("En cours");
        m_project = project;
        m_store->setProjects({project});
        ASSERT_TRUE(m_store->save().ok());
    }

    StatusLists lists() const { return StatusLists::of(m_store->session()); }
    QUuid invoiceStatus(const QString& name) const {
        return statusNamed(m_store->invoiceStatuses(), name);
    }
    QUuid quoteStatus(const QString& name) const {
        return statusNamed(m_store->quoteStatuses(), name);
    }

    // A draft invoice ready to be issued: a client and one titled line.
    CommercialDocumentItem draftInvoice(const QString& number,
                                        QList<CommercialDocumentLine> lines) {
        CommercialDocumentItem d =
            document(CommercialDocumentKind::invoice, number, std::move(lines));
        d.clientID = m_client.id;
        d.statusID = invoiceStatus(QStringLiteral("Brouillon"));
        return d;
    }
    CommercialDocumentItem draftQuote(const QString& number, QList<CommercialDocumentLine> lines) {
        CommercialDocumentItem d =
            document(CommercialDocumentKind::quote, number, std::move(lines));
        d.clientID = m_client.id;
        d.statusID = quoteStatus(QStringLiteral("Brouillon"));
        return d;
    }

    void put(const QList<CommercialDocumentItem>& documents) {
        m_store->setDocuments(documents);
        ASSERT_TRUE(m_store->save().ok());
    }
    const CommercialDocumentItem& stored(const QUuid& id) const {
        for (const CommercialDocumentItem& d : m_store->documents()) {
            if (d.id == id)
                return d;
        }
        static const CommercialDocumentItem none;
        ADD_FAILURE() << "document not in the store";
        return none;
    }
    // The session as the working copy on disk holds it.
    AppDatabase onDisk() const { return readSession(workingCopy()); }

    std::unique_ptr<AppDataStore> m_store;
    ClientItem m_client;
    ProjectItem m_project;
};

} // namespace velmora::test
