#include "gui/documents/QuotePickerSheet.h"

#include "core/documents/DocumentLinks.h"
#include "core/store/AppDataStore.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/FrenchDates.h"
#include "gui/documents/DocumentSheets.h"

#include <QListWidget>

#include <algorithm>

namespace velmora::gui {

QuotePickerSheet::QuotePickerSheet(AppDataStore& store, const QUuid& invoiceID, QWidget* parent)
    : FormSheet(QStringLiteral("quotePicker"), QuoteAssociation::associateButton(), parent),
      m_store(store), m_invoiceID(invoiceID) {
    setSaveText(QStringLiteral("Associer"));
    const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID);
    QList<const CommercialDocumentItem*> quotes;
    for (const CommercialDocumentItem& document : store.documents())
        if (document.kind == CommercialDocumentKind::quote)
            quotes << &document;
    // The quotes of the invoice's client come first; the list order stays otherwise.
    std::stable_partition(quotes.begin(), quotes.end(), [&](const CommercialDocumentItem* quote) {
        return invoice && invoice->clientID && quote->clientID == invoice->clientID;
    });
    QHash<QUuid, QString> clients;
    for (const ClientItem& client : store.clients())
        clients.insert(client.id, clientDisplayName(client));

    m_quotes = new QListWidget(this);
    m_quotes->setObjectName(QStringLiteral("quotePickerList"));
    m_quotes->setAccessibleName(QStringLiteral("Devis"));
    m_quotes->setMinimumHeight(220);
    for (const CommercialDocumentItem* quote : quotes) {
        QStringList parts{QuoteAssociation::quoteLabel(*quote)};
        if (const QString client = documentClientName(*quote, clients); !client.isEmpty())
            parts << client;
        parts << formatMediumDate(quote->issueDate);
        auto* item = new QListWidgetItem(parts.join(QStringLiteral(" · ")), m_quotes);
        item->setData(Qt::UserRole, quote->id);
        if (invoice && invoice->linkedQuoteID == quote->id)
            m_quotes->setCurrentItem(item);
    }
    if (!m_quotes->currentItem() && m_quotes->count() > 0)
        m_quotes->setCurrentRow(0);
    addRow(QStringLiteral("Devis"), m_quotes);
    connect(m_quotes, &QListWidget::itemDoubleClicked, this, [this] {
        if (save())
            accept();
    });
}

bool QuotePickerSheet::save() {
    const QListWidgetItem* item = m_quotes->currentItem();
    if (!item) {
        showError(QStringLiteral("Choisissez un devis."));
        return false;
    }
    const QUuid quoteID = item->data(Qt::UserRole).toUuid();
    return applied(m_store.edit([&](SessionEdit& edit) {
        return QuoteAssociation::associateQuote(edit, m_invoiceID, quoteID);
    }));
}

} // namespace velmora::gui
