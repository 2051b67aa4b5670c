#pragma once

#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

// What needs the user's attention now, as the dashboard lists it: the late
// invoices, what falls due within the week, the coming subscription debits
// and the products out of stock.

enum class AttentionGroup { lateInvoices, dueSoon, debits, stockOut };

struct AttentionRow {
    QString title;      // "Facture F-2025-001 · Studio Nord"
    QString detail;     // "En retard de 3 jours · 450,00 €"
    QString sectionKey; // the sidebar section that shows the record
    QUuid id;
};

struct AttentionSection {
    AttentionGroup group = AttentionGroup::lateInvoices;
    QString heading;
    QList<AttentionRow> rows; // the first ones, most pressing first
    int hiddenCount = 0;      // rows left out of `rows`
};

// How many rows each group shows.
constexpr int kAttentionRowsPerGroup = 5;

// The groups in their fixed order, empty ones left out.
QList<AttentionSection> dashboardAttention(const AppDatabase& db, const QDateTime& now);

QString attentionHeading(AttentionGroup group);
// "En retard de 1 jour", "En retard de 3 jours".
QString lateDaysText(qint64 days);
// "et 1 autre", "et 4 autres".
QString moreAttentionText(int count);
// What an empty list says.
QString noAttentionText();

} // namespace velmora
