#include "core/documents/DocumentListModel.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentTotals.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/FrenchDates.h"
#include "core/text/SearchFolding.h"

#include <algorithm>

namespace velmora {

namespace {

QString cancelledLabel() {
    return QStringLiteral("Activité annulée");
}

} // namespace

QList<DocumentAlertFilter> documentAlertFilters(std::optional<CommercialDocumentKind> kind) {
    using K = CommercialDocumentKind;
    using C = TagColorOption;
    const QList<DocumentAlertFilter> all{
        {QStringLiteral("expired"), K::quote, QStringLiteral("Expiré"), C::orange},
        {QStringLiteral("soon"), K::quote, soonLabel(K::quote), C::yellow},
        {QStringLiteral("valid"), K::quote, QStringLiteral("Valide"), C::green},
        {QStringLiteral("late"), K::invoice, QStringLiteral("En retard"), C::red},
        {QStringLiteral("soon"), K::invoice, soonLabel(K::invoice), C::yellow},
        {QStringLiteral("acompte_rembourse"), K::invoice, QStringLiteral("Acompte remboursé"),
         C::purple},
        {QStringLiteral("acompte_conserve"), K::invoice, QStringLiteral("Acompte conservé"),
         C::mint},
        {QStringLiteral("cancelled"), K::quote, cancelledLabel(), C::gray},
        {QStringLiteral("cancelled"), K::invoice, cancelledLabel(), C::gray},
    };
    QList<DocumentAlertFilter> filters;
    for (const DocumentAlertFilter& filter : all) {
        if (kind && filter.kind != *kind)
            continue;
        // One "Activité annulée" for both kinds.
        if (!kind && filter.value == QStringLiteral("cancelled") && filter.kind == K::invoice)
            continue;
        filters << filter;
    }
    return filters;
}

DocumentListContext DocumentListContext::of(const AppDatabase& db, const QDateTime& now) {
    DocumentListContext context;
    context.statuses = StatusLists::of(db);
    context.clientNames.reserve(db.clients.size());
    for (const ClientItem& client : db.clients)
        context.clientNames.insert(client.id, clientDisplayName(client));
    for (const ProjectItem& project : db.projects)
        if (project.isCancelled)
            context.cancelledProjects << project;
    context.now = now;
    return context;
}

void DocumentListModel::setContext(DocumentListContext context) {
    m_context = std::move(context);
    m_searchTexts.clear();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnTotal - 1));
}

QString DocumentListModel::title(const CommercialDocumentItem& document) {
    const QString number = document.number.trimmed();
    return number.isEmpty() ? displayName(document.kind)
                            : displayName(document.kind) + QLatin1Char(' ') + number;
}

QString DocumentListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucun document");
    return count == 1 ? QStringLiteral("1 document") : QStringLiteral("%1 documents").arg(count);
}

QString DocumentListModel::clientName(const CommercialDocumentItem& document) const {
    return documentClientName(document, m_context.clientNames);
}

DocumentListModel::Badge DocumentListModel::status(const CommercialDocumentItem& document) const {
    if (const TagItem* tag = statusOf(document, m_context.statuses))
        return {tag->name, tag->color};
    return {noStatusName(), std::nullopt};
}

QStringList DocumentListModel::alertValues(const CommercialDocumentItem& document) const {
    return alertFilterValues(document, m_context.statuses, m_context.cancelledProjects,
                             m_context.now);
}

DocumentListModel::Badge DocumentListModel::badge(const CommercialDocumentItem& document) const {
    // The most pressing alert wins over the status it qualifies.
    const QStringList values = alertValues(document);
    for (const QString& value : {QStringLiteral("cancelled"), QStringLiteral("late"),
                                 QStringLiteral("expired"), QStringLiteral("soon")}) {
        if (!values.contains(value))
            continue;
        for (const DocumentAlertFilter& filter : documentAlertFilters(document.kind))
            if (filter.value == value)
                return {filter.label, filter.color};
    }
    return status(document);
}

QVariant DocumentListModel::recordData(const CommercialDocumentItem& document, int column,
                                       int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return title(document);
    case SortRole:
        switch (Column(column)) {
        case numberColumn:
            return document.number.trimmed();
        case clientColumn:
            return clientName(document);
        case amountColumn:
            return netDue(document);
        default:
            // Milliseconds compare far faster than dates, on every step of a sort.
            return document.issueDate.toMSecsSinceEpoch();
        }
    case SubtitleRole: {
        const QString client = clientName(document);
        const QString date = formatMediumDate(document.issueDate);
        return client.isEmpty() ? date : client + QStringLiteral(" · ") + date;
    }
    case BadgeRole:
        return badge(document).text;
    case BadgeColorRole: {
        const std::optional<TagColorOption> color = badge(document).color;
        return color ? QVariant(int(*color)) : QVariant();
    }
    default:
        return {};
    }
}

namespace {

// The searched texts in one: a word of the query holds no white space, so
// it never matches across two of them.
QString searchText(const CommercialDocumentItem& document, const QString& clientName) {
    QString text;
    appendFoldedForSearch(text, document.number);
    text += QLatin1Char('\n');
    appendFoldedForSearch(text, clientName);
    for (const CommercialDocumentLine& line : document.lines) {
        text += QLatin1Char('\n');
        appendFoldedForSearch(text, line.title);
    }
    return text;
}

QStringList queryWords(const QString& query) {
    return foldedForSearch(query).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool containsWords(const QString& folded, const QStringList& words) {
    return std::all_of(words.cbegin(), words.cend(),
                       [&](const QString& word) { return folded.contains(word); });
}

} // namespace

bool DocumentListModel::matches(int row, const QString& query) const {
    const CommercialDocumentItem* document = record(row);
    if (!document)
        return false;
    if (query.trimmed().isEmpty())
        return true;
    // The same query is asked for every row in turn.
    if (query != m_query) {
        m_query = query;
        m_queryWords = queryWords(query);
    }
    auto text = m_searchTexts.find(document->id);
    if (text == m_searchTexts.end())
        text = m_searchTexts.insert(document->id, searchText(*document, clientName(*document)));
    return containsWords(*text, m_queryWords);
}

bool documentMatches(const CommercialDocumentItem& document, const QString& clientName,
                     const QString& query) {
    return query.trimmed().isEmpty() ||
           containsWords(searchText(document, clientName), queryWords(query));
}

} // namespace velmora
