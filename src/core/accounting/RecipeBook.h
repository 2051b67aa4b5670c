#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// One cash receipt of the recipe book, derived from an invoice and never
// stored: a payment of the invoice, or the whole invoice when it is paid
// without any payment recorded.
struct RecipeEntry {
    QUuid id; // the payment's id, or the invoice's for a whole-invoice entry
    CommercialDocumentItem document;
    std::optional<Encaissement> encaissement;

    friend bool operator==(const RecipeEntry&, const RecipeEntry&) = default;
};

// The period the book shows: a year, a month 1–12, both or neither. A month
// without a year keeps that month of every year.
struct RecipePeriod {
    std::optional<int> year;
    std::optional<int> month;

    friend bool operator==(const RecipePeriod&, const RecipePeriod&) = default;
};

// The invoices the book draws its receipts from: invoices paid or holding at
// least one payment, unless excluded as a whole. What the book then does with
// invoices of cancelled activities is its own affair; the URSSAF turnover
// takes these invoices as they are.
class RecipeInvoiceSelection {
public:
    explicit RecipeInvoiceSelection(const AppDatabase& db);
    bool contains(const CommercialDocumentItem& document) const;
    const StatusLists& lists() const { return m_lists; }
    bool excludesPayment(const QUuid& paymentID) const {
        return m_excludedPayments.contains(paymentID);
    }

private:
    QSet<QUuid> m_excludedInvoices;
    QSet<QUuid> m_excludedPayments;
    StatusLists m_lists;
};

// The payment's date, else the invoice's encaissement date, else its issue
// date.
QDateTime recipeEntryDate(const RecipeEntry& entry);
// The payment's method, else the invoice's; "Non renseigné" when empty.
QString recipeEntryPaymentMethod(const RecipeEntry& entry);
// What was collected, tax included: the payment's amount, or the invoice's
// net due for a whole-invoice entry.
double recipeEntryAmount(const RecipeEntry& entry);

// The collected amount split into HT and VAT in the invoice's proportions.
struct RecipeSplit {
    double ht = 0;
    double tva = 0;
    double ttc = 0;
};
RecipeSplit recipeEntrySplit(const RecipeEntry& entry);

// The local calendar day of the date falls in the period.
bool isInRecipePeriod(const QDateTime& date, const RecipePeriod& period);
// The same for a day already in local time.
bool isInRecipePeriod(const QDate& day, const RecipePeriod& period);

// The book of the session for the period, most recent first; receipts of
// one day keep the order of the documents, then of their payments.
QList<RecipeEntry> recipeEntries(const AppDatabase& db, const RecipePeriod& period = {});
// The entries of one invoice that the book holds, whatever their date.
QList<RecipeEntry> recipeEntriesOf(const AppDatabase& db, const QUuid& invoiceID);

double recipeTotal(const QList<RecipeEntry>& entries);

// The text columns of a row, as both exports print them.
struct LivreRecettesRow {
    QString date;       // "dd/MM/yy"
    QString number;     // "—" when empty
    QString client;     // "—" without a client
    QString nature;     // the service line titles, or "Prestation de services"
    QString settlement; // the payment method
    double amount = 0;

    friend bool operator==(const LivreRecettesRow&, const LivreRecettesRow&) = default;
};
QList<LivreRecettesRow> recipeRows(const QList<RecipeEntry>& entries,
                                   const QList<ClientItem>& clients);

// "Période : 2025 — mars", "Période : toutes années — année complète".
QString recipePeriodLabel(const RecipePeriod& period);
// "livre-recettes-2025-03.csv", "livre-recettes-toutes-annees.pdf".
QString recipeBookFileName(const RecipePeriod& period, const QString& extension);

} // namespace velmora
