#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/model/NewSession.h"
#include "support/SessionChange.h"
#include "support/StoreFixture.h"

#include <QTimeZone>

#include <functional>

using namespace Qt::StringLiterals;

namespace velmora::test {

// Builders of lines and documents for the document flows.
inline CommercialDocumentLine serviceLine(double unitPrice, double quantity = 1, double tva = 0,
                                          const QString& title = u"Prestation"_s) {
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
    line.title = kind == CommercialDocumentLineKind::discount ? u"Remise"_s : u"Acompte"_s;
    line.priceTTC = value;
    line.discountIsPercent = isPercent;
    return line;
}

inline Encaissement payment(double amount, bool isAcompte = false) {
    Encaissement e;
    e.id = QUuid::createUuid();
    e.amount = amount;
    e.date = QDateTime(QDate(2025, 6, 1), QTime(10, 0), Qt::UTC);
    e.paymentMethod = u"Virement"_s;
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

inline QList<TagItem> renamed(QList<TagItem> statuses, const QString& from, const QString& to) {
    for (TagItem& status : statuses) {
        if (status.name == from)
            status.name = to;
    }
    return statuses;
}

inline CommercialDocumentItem withNewId(CommercialDocumentItem d) {
    d.id = QUuid::createUuid();
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
        client.company = u"Atelier Lumen"_s;
        m_client = client;
        test::changeSession(*m_store, [&](SessionEdit& e) { e.clients() = {client}; });
        ProjectItem project;
        project.id = QUuid::createUuid();
        project.title = u"Refonte du site"_s;
        project.status = u"En cours"_s;
        m_project = project;
        test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {project}; });
        ASSERT_TRUE(m_store->save().ok());
    }

    StatusLists lists() const { return StatusLists::of(m_store->session()); }
    QUuid invoiceStatus(const QString& name) const {
        return statusNamed(m_store->invoiceStatuses(), name);
    }
    QUuid quoteStatus(const QString& name) const {
        return statusNamed(m_store->quoteStatuses(), name);
    }
    void renameInvoiceStatus(const QString& from, const QString& to) {
        test::changeSession(*m_store, [&](SessionEdit& e) {
            e.invoiceStatuses() = renamed(m_store->invoiceStatuses(), from, to);
        });
    }
    void renameQuoteStatus(const QString& from, const QString& to) {
        test::changeSession(*m_store, [&](SessionEdit& e) {
            e.quoteStatuses() = renamed(m_store->quoteStatuses(), from, to);
        });
    }

    // Documents of the fixture's client, in the status named (a draft by
    // default: ready to be issued once it has a titled line).
    CommercialDocumentItem makeInvoice(const QString& number,
                                       QList<CommercialDocumentLine> lines = {},
                                       const QString& status = u"Brouillon"_s) {
        return ofClient(document(CommercialDocumentKind::invoice, number, std::move(lines)),
                        invoiceStatus(status));
    }
    CommercialDocumentItem makeQuote(const QString& number,
                                     QList<CommercialDocumentLine> lines = {},
                                     const QString& status = u"Brouillon"_s) {
        return ofClient(document(CommercialDocumentKind::quote, number, std::move(lines)),
                        quoteStatus(status));
    }
    CommercialDocumentItem ofClient(CommercialDocumentItem d, const QUuid& status) const {
        d.clientID = m_client.id;
        d.statusID = status;
        return d;
    }
    // The fixture's activity under another id.
    ProjectItem anotherProject(const QString& title = u"Refonte du site"_s) const {
        ProjectItem p = m_project;
        p.id = QUuid::createUuid();
        p.title = title;
        return p;
    }

    // Runs a document flow through the store's edit: run(f, a, b) is
    // f(edit, a, b), published and saved when it succeeds.
    template <class Flow, class... Args> auto run(Flow&& flow, Args&&... args) {
        return m_store->edit(
            [&](SessionEdit& e) { return std::invoke(flow, e, std::forward<Args>(args)...); });
    }

    void put(const QList<CommercialDocumentItem>& documents) {
        test::changeSession(*m_store, [&](SessionEdit& e) { e.documents() = documents; });
        ASSERT_TRUE(m_store->save().ok());
    }
    // The store's only document.
    CommercialDocumentItem putOne(CommercialDocumentItem d) {
        put({d});
        return d;
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
