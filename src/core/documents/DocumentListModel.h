#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/lists/RecordListModel.h"
#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QHash>

#include <optional>

namespace velmora {

// One choice of the document list's alert filter: a value of
// alertFilterValues, for the quotes or the invoices.
struct DocumentAlertFilter {
    QString value;
    CommercialDocumentKind kind = CommercialDocumentKind::quote;
    QString label;
    TagColorOption color = TagColorOption::gray;
};

// The alert filters that make sense for the kind shown (both kinds without
// one): "Expiré", "Bientôt expiré", "Valide" for quotes; "En retard",
// "Bientôt à échéance", "Acompte remboursé", "Acompte conservé" for
// invoices; "Activité annulée" for both.
QList<DocumentAlertFilter> documentAlertFilters(std::optional<CommercialDocumentKind> kind);

// What the list knows besides the documents: the statuses, the clients'
// names, the cancelled activities and the day that decides late and expired.
struct DocumentListContext {
    StatusLists statuses;
    QHash<QUuid, QString> clientNames;
    QList<ProjectItem> cancelledProjects;
    QDateTime now;

    static DocumentListContext of(const AppDatabase& db, const QDateTime& now);
};

// The quotes and invoices of the section's list: "Facture F-2025-001", the
// client and the issue date under it, and at the end the alert that applies
// (activity cancelled, late, expired, soon) or else the status, each in its
// colour. The columns are the sort keys.
class DocumentListModel final : public RecordListModel<CommercialDocumentItem> {
    Q_OBJECT

public:
    enum Column { dateColumn, numberColumn, clientColumn, amountColumn, columnTotal };

    struct Badge {
        QString text;
        std::optional<TagColorOption> color;
    };

    explicit DocumentListModel(QObject* parent = nullptr) : RecordListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    const DocumentListContext& context() const { return m_context; }
    // Every row may read differently afterwards.
    void setContext(DocumentListContext context);
    void setRecords(const QList<CommercialDocumentItem>& records) {
        m_searchTexts.clear();
        RecordListModel::setRecords(records);
    }

    // documentMatches for the document of this row. Its folded texts are
    // kept until the records or the context change: typing a query does not
    // fold the whole list again at every key.
    bool matches(int row, const QString& query) const;

    // "Facture F-2025-001".
    static QString title(const CommercialDocumentItem& document);
    // "Aucun document", "1 document", "N documents".
    static QString countText(int count);

    // documentClientName with the clients of the context.
    QString clientName(const CommercialDocumentItem& document) const;
    // The status's name, "Sans statut" without a known one, and its colour.
    Badge status(const CommercialDocumentItem& document) const;
    Badge badge(const CommercialDocumentItem& document) const;
    QStringList alertValues(const CommercialDocumentItem& document) const;

private:
    QVariant recordData(const CommercialDocumentItem& document, int column,
                        int role) const override;

    DocumentListContext m_context;
    mutable QHash<QUuid, QString> m_searchTexts;
    mutable QString m_query;
    mutable QStringList m_queryWords;
};

// Whether every word of the query is in the number, the client's name or a
// line's title, case and accents aside.
bool documentMatches(const CommercialDocumentItem& document, const QString& clientName,
                     const QString& query);

} // namespace velmora
