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

// The session of tests/data/recipe-book.csv: quoting, missing texts, a
// pro-rata split that rounds and thousands, all in June 2025.
inline AppDatabase referenceBook() {
    RecipeSession s;
    s.db.clients[0].company = u"Dupont; Fils"_s;
    Encaissement cheque = paidOn(40, localNoon(2025, 6, 12));
    cheque.paymentMethod = u"Chèque"_s;
    s.invoice(u"F-2025-001"_s, u"Envoyé"_s, {cheque, paidOn(80, localNoon(2025, 6, 3))},
              {serviceLine(100, 1, 20, u"Audit \"express\""_s), serviceLine(0, 1, 0, u""_s),
               otherLine(CommercialDocumentLineKind::discount, 0)});
    CommercialDocumentItem& whole =
        s.invoice(u""_s, u"Payé"_s, {}, {serviceLine(1234.5, 1, 0, u""_s)});
    whole.clientID.reset();
    whole.encaissementDate = localNoon(2025, 6, 30);
    CommercialDocumentItem& gone = s.invoice(
        u"F-2025-003"_s, u"Payé"_s, {},
        {serviceLine(50, 2, 0, u"Formation"_s), serviceLine(10, 1, 0, u"Support\nmensuel"_s)});
    gone.clientID = QUuid::createUuid();
    gone.paymentMethod = u"Espèces"_s;
    gone.encaissementDate = localNoon(2025, 6, 12);
    return s.db;
}

} // namespace velmora::test
