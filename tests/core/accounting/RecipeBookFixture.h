#pragma once

#include "core/accounting/RecipeBook.h"
#include "core/documents/DocumentsFixture.h"

namespace velmora::test {

// A brand-new session with one client; invoices are added by number.
struct RecipeSession {
    AppDatabase db = newSessionContents();
    ClientItem client;

    RecipeSession() {
        client.id = QUuid::createUuid();
        client.kind = ClientKind::professionnel;
        client.company = u"Atelier Lumen"_s;
        db.clients = {client};
    }

    // An invoice of the client in the named status, appended to the session.
    CommercialDocumentItem& invoice(const QString& number, const QString& status,
                                    QList<Encaissement> payments = {},
                                    QList<CommercialDocumentLine> lines = {serviceLine(100)}) {
        CommercialDocumentItem d = document(CommercialDocumentKind::invoice, number, lines);
        d.clientID = client.id;
        d.statusID = statusNamed(db.invoiceStatuses, status);
        d.encaissements = std::move(payments);
        db.documents.append(d);
        return db.documents.last();
    }

    QStringList numbers(const RecipePeriod& period = {}) const {
        QStringList list;
        for (const RecipeEntry& entry : recipeEntries(db, period))
            list << entry.document.number;
        return list;
    }
};

inline Encaissement paidOn(double amount, const QDateTime& date, bool isAcompte = false) {
    Encaissement e = payment(amount, isAcompte);
    e.date = date;
    return e;
}

} // namespace velmora::test
