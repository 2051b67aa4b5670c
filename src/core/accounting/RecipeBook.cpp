#include "core/accounting/RecipeBook.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/text/ClientDisplayName.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// What the book needs of the session besides the documents, read once.
struct BookRules {
    RecipeInvoiceSelection selection;
    // Only the cancelled activities matter; the rule runs over those alone.
    QList<ProjectItem> cancelledProjects;

    explicit BookRules(const AppDatabase& db) : selection(db) {
        for (const ProjectItem& project : db.projects) {
            if (project.isCancelled)
                cancelledProjects.append(project);
        }
    }
};

// A payment of an invoice of a cancelled activity counts unless it went back
// to the client: a deposit by the deposit decision, any other by its flag.
bool countsInCancelledActivity(const CommercialDocumentItem& invoice, const Encaissement& payment) {
    if (payment.isAcompte)
        return invoice.acompteRefundStatus != AcompteRefundStatus::refunded;
    return !payment.isRefunded;
}

template <class Add>
void forEachEntry(const CommercialDocumentItem& invoice, const BookRules& rules, Add&& add) {
    if (!rules.selection.contains(invoice))
        return;
    const bool cancelled =
        !rules.cancelledProjects.isEmpty() &&
        isInCancelledActivity(invoice, rules.selection.lists(), rules.cancelledProjects);
    if (invoice.encaissements.isEmpty()) {
        if (!cancelled)
            add(invoice, nullptr);
        return;
    }
    for (const Encaissement& payment : invoice.encaissements) {
        if (rules.selection.excludesPayment(payment.id))
            continue;
        if (cancelled && !countsInCancelledActivity(invoice, payment))
            continue;
        add(invoice, &payment);
    }
}

RecipeEntry makeEntry(const CommercialDocumentItem& invoice, const Encaissement* payment) {
    if (payment)
        return RecipeEntry{payment->id, invoice, *payment};
    return RecipeEntry{invoice.id, invoice, std::nullopt};
}

QString orDash(const QString& text) {
    return text.isEmpty() ? QStringLiteral("—") : text;
}

QString natureOf(const CommercialDocumentItem& invoice) {
    QStringList titles;
    for (const CommercialDocumentLine& line : invoice.lines) {
        if (line.kind == CommercialDocumentLineKind::service && !line.title.isEmpty())
            titles << line.title;
    }
    return titles.isEmpty() ? QStringLiteral("Prestation de services")
                            : titles.join(QStringLiteral(" • "));
}

} // namespace

RecipeInvoiceSelection::RecipeInvoiceSelection(const AppDatabase& db)
    : m_excludedInvoices(db.preferences.recipeBookExcludedIDs.cbegin(),
                         db.preferences.recipeBookExcludedIDs.cend()),
      m_excludedPayments(db.preferences.recipeBookExcludedEncaissementIDs.cbegin(),
                         db.preferences.recipeBookExcludedEncaissementIDs.cend()),
      m_lists(StatusLists::of(db)) {}

bool RecipeInvoiceSelection::contains(const CommercialDocumentItem& document) const {
    if (document.kind != CommercialDocumentKind::invoice)
        return false;
    if (document.encaissements.isEmpty() && statusKey(document, m_lists) != StatusKeys::paid())
        return false;
    return !m_excludedInvoices.contains(document.id);
}

QDateTime recipeEntryDate(const RecipeEntry& entry) {
    if (entry.encaissement)
        return entry.encaissement->date;
    return entry.document.encaissementDate.value_or(entry.document.issueDate);
}

QString recipeEntryPaymentMethod(const RecipeEntry& entry) {
    const QString method = entry.encaissement ? entry.encaissement->paymentMethod
                                              : entry.document.paymentMethod.value_or(QString());
    return method.isEmpty() ? QStringLiteral("Non renseigné") : method;
}

double recipeEntryAmount(const RecipeEntry& entry) {
    return entry.encaissement ? entry.encaissement->amount : netDue(entry.document);
}

RecipeSplit recipeEntrySplit(const RecipeEntry& entry) {
    const double collected = recipeEntryAmount(entry);
    const double ht = servicesTotalHT(entry.document.lines);
    const double tva = servicesTotalTVA(entry.document.lines);
    const double due = netDue(entry.document);
    if (due > 0) {
        const double ratio = collected / due;
        return {ht * ratio, tva * ratio, collected};
    }
    // Nothing due (discounts or deposit lines cover the services): the
    // collected amount, often 0, is split in the invoice's own proportions,
    // so that HT + TVA never exceeds what was collected.
    const double base = ht + tva;
    if (base > 0)
        return {collected * ht / base, collected * tva / base, collected};
    return {collected, 0, collected};
}

bool isInRecipePeriod(const QDateTime& date, const RecipePeriod& period) {
    return (!period.year && !period.month) || isInRecipePeriod(localDay(date), period);
}

bool isInRecipePeriod(const QDate& day, const RecipePeriod& period) {
    if (period.year && day.year() != *period.year)
        return false;
    return !period.month || day.month() == *period.month;
}

QList<RecipeEntry> recipeEntries(const AppDatabase& db, const RecipePeriod& period) {
    const BookRules rules(db);
    // Built in document then payment order; the stable sort keeps that order
    // among receipts of the same moment.
    std::vector<std::pair<QDateTime, RecipeEntry>> dated;
    for (const CommercialDocumentItem& document : db.documents) {
        forEachEntry(document, rules,
                     [&](const CommercialDocumentItem& invoice, const Encaissement* payment) {
                         RecipeEntry entry = makeEntry(invoice, payment);
                         QDateTime date = recipeEntryDate(entry);
                         if (isInRecipePeriod(date, period))
                             dated.emplace_back(std::move(date), std::move(entry));
                     });
    }
    std::stable_sort(dated.begin(), dated.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<RecipeEntry> entries;
    entries.reserve(qsizetype(dated.size()));
    for (auto& [date, entry] : dated)
        entries.append(std::move(entry));
    return entries;
}

QList<RecipeEntry> recipeEntriesOf(const AppDatabase& db, const QUuid& invoiceID) {
    QList<RecipeEntry> entries;
    for (const CommercialDocumentItem& document : db.documents) {
        if (document.id != invoiceID)
            continue;
        forEachEntry(document, BookRules(db),
                     [&](const CommercialDocumentItem& invoice, const Encaissement* payment) {
                         entries.append(makeEntry(invoice, payment));
                     });
        break;
    }
    return entries;
}

double recipeTotal(const QList<RecipeEntry>& entries) {
    double total = 0;
    for (const RecipeEntry& entry : entries)
        total += recipeEntryAmount(entry);
    return total;
}

QList<LivreRecettesRow> recipeRows(const QList<RecipeEntry>& entries,
                                   const QList<ClientItem>& clients) {
    QHash<QUuid, QString> names;
    names.reserve(clients.size());
    for (const ClientItem& client : clients)
        names.insert(client.id, clientDisplayName(client));
    QList<LivreRecettesRow> rows;
    rows.reserve(entries.size());
    for (const RecipeEntry& entry : entries) {
        const CommercialDocumentItem& invoice = entry.document;
        const QString client = orDash(documentClientName(invoice, names));
        rows.append({localDay(recipeEntryDate(entry)).toString(QStringLiteral("dd/MM/yy")),
                     orDash(invoice.number), client, natureOf(invoice),
                     recipeEntryPaymentMethod(entry), recipeEntryAmount(entry)});
    }
    return rows;
}

QString recipePeriodLabel(const RecipePeriod& period) {
    static const char* const months[] = {"janvier",   "février", "mars",     "avril",
                                         "mai",       "juin",    "juillet",  "août",
                                         "septembre", "octobre", "novembre", "décembre"};
    QString label = QStringLiteral("Période : ") +
                    (period.year ? QString::number(*period.year) : QStringLiteral("toutes années"));
    if (period.month && *period.month >= 1 && *period.month <= 12)
        return label + QStringLiteral(" — ") + QString::fromUtf8(months[*period.month - 1]);
    return label + QStringLiteral(" — année complète");
}

QString recipeBookFileName(const RecipePeriod& period, const QString& extension) {
    const QString year =
        period.year ? QString::number(*period.year) : QStringLiteral("toutes-annees");
    QString name = QStringLiteral("livre-recettes-") + year;
    if (period.month)
        name += QLatin1Char('-') + QStringLiteral("%1").arg(*period.month, 2, 10, QLatin1Char('0'));
    return name + QLatin1Char('.') + extension;
}

} // namespace velmora
