#include "gui/documents/DocumentsPage.h"

#include "core/activities/ActivityTexts.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentPageContent.h"
#include "core/documents/DocumentPdfExport.h"
#include "core/documents/DocumentTotals.h"
#include "core/documents/RecordDeletion.h"
#include "core/lists/RecordFilterModel.h"
#include "core/store/AppDataStore.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"
#include "core/text/NumberFormat.h"
#include "gui/common/Dialogs.h"
#include "gui/common/DocumentPreview.h"
#include "gui/common/Icons.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"
#include "gui/documents/DocumentCardActions.h"
#include "gui/documents/DocumentEditor.h"
#include "render/DocumentRenderer.h"

#include <QButtonGroup>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>

namespace velmora::gui {

namespace {

// Chips stand for a name or a value, not for one record: their ids are
// derived from it, so a checked chip stays checked across refreshes.
QUuid chipId(const QString& what) {
    static const QUuid space = QUuid::fromString(u"6f1d2a4e-3c57-4b8e-9a0d-5e7c1b2f8a90");
    return QUuid::createUuidV5(space, what);
}

QString lineAmount(const CommercialDocumentLine& line) {
    if (line.isOffered)
        return QStringLiteral("Offert");
    const QString amount = formatMoney(lineNetAmount(line) * (1 + line.tvaRate / 100));
    return line.quantity == 1 ? amount
                              : QStringLiteral("%1 × %2 = %3")
                                    .arg(formatQuantity(line.quantity),
                                         formatMoney(effectiveUnitPrice(line)), amount);
}

} // namespace

DocumentsPage::DocumentsPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("documents"), parent) {
    AppDataStore& store = services.store;
    m_model = new DocumentListModel(this);
    m_card = new RecordCard(QStringLiteral("documentCard"), this);
    connect(m_card, &RecordCard::openRequested, this, &SectionPage::openRequested);
    setCard(m_card);
    m_actions = new DocumentCardActions(services, this,
                                        [this](const Result<>& result) { return report(result); });
    m_preview = new DocumentPreview(this);
    m_preview->hide();
    setCountText(&DocumentListModel::countText);

    // The kind and the alerts go under the status chips.
    auto* kinds = new QWidget(this);
    auto* kindsRow = new QHBoxLayout(kinds);
    kindsRow->setContentsMargins(0, 0, 0, 0);
    kindsRow->setSpacing(4);
    m_kinds = new QButtonGroup(this);
    const QList<std::pair<QString, QString>> kindButtons{
        {QStringLiteral("Tous"), QStringLiteral("documentsKindAll")},
        {QStringLiteral("Devis"), QStringLiteral("documentsKindQuotes")},
        {QStringLiteral("Factures"), QStringLiteral("documentsKindInvoices")}};
    for (int i = 0; i < kindButtons.size(); ++i) {
        auto* button = new QToolButton(kinds);
        button->setText(kindButtons[i].first);
        button->setObjectName(kindButtons[i].second);
        button->setCheckable(true);
        button->setChecked(i == 0);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setProperty("role", QStringLiteral("chip"));
        m_kinds->addButton(button, i);
        kindsRow->addWidget(button);
    }
    kindsRow->addStretch(1);
    connect(m_kinds, &QButtonGroup::idClicked, this, &DocumentsPage::kindChanged);
    m_alerts = new TagChips(this);
    m_alerts->setObjectName(QStringLiteral("documentsAlerts"));
    connect(m_alerts, &TagChips::toggled, this, &DocumentsPage::filtersChanged);
    addFilterRow(kinds);
    addFilterRow(m_alerts);
    auto* import = new QToolButton(this);
    import->setObjectName(QStringLiteral("documentsImport"));
    import->setIcon(symbolIcon(QStringLiteral("square.and.arrow.down"), theme::accent()));
    import->setToolTip(
        QStringLiteral("Importer un PDF comme document (ou déposez-le sur la liste)"));
    import->setAccessibleName(QStringLiteral("Importer un PDF"));
    import->setAutoRaise(true);
    connect(import, &QToolButton::clicked, this, [this] { importPdf(); });
    addHeaderWidget(import);
    auto* importFirst = theme::button(QStringLiteral("Importer un PDF"), "link", this);
    importFirst->setObjectName(QStringLiteral("documentsEmptyImport"));
    importFirst->setToolTip(import->toolTip());
    connect(importFirst, &QPushButton::clicked, this, [this] { importPdf(); });
    addEmptyStateWidget(importFirst);
    setAcceptDrops(true);

    filter().setAccept([this](int row) {
        return accepts(*m_model->record(row)) && m_model->matches(row, query());
    });
    refresh();
    setRecords(m_model,
               {{QStringLiteral("Date (récentes d’abord)"), DocumentListModel::dateColumn,
                 Qt::DescendingOrder},
                {QStringLiteral("Date (anciennes d’abord)"), DocumentListModel::dateColumn,
                 Qt::AscendingOrder},
                {QStringLiteral("Numéro"), DocumentListModel::numberColumn, Qt::AscendingOrder},
                {QStringLiteral("Client"), DocumentListModel::clientColumn, Qt::AscendingOrder},
                {QStringLiteral("Montant décroissant"), DocumentListModel::amountColumn,
                 Qt::DescendingOrder},
                {QStringLiteral("Montant croissant"), DocumentListModel::amountColumn,
                 Qt::AscendingOrder}},
               {QStringLiteral("doc.text"),
                QStringLiteral("Aucun devis ni facture pour le moment."),
                QStringLiteral("Nouveau document")},
               QStringLiteral("Rechercher un document"));
    followSession(this, store,
                  {SessionField::documents, SessionField::clients, SessionField::quoteStatuses,
                   SessionField::invoiceStatuses, SessionField::projects},
                  [this] { refresh(); });
    // What a draft prints (company, client, logo) or whether an invoice's
    // total is struck through changed: its preview is made again.
    followSession(this, store,
                  {SessionField::companySettings, SessionField::clients, SessionField::preferences,
                   SessionField::projects},
                  [this] {
                      m_previewed.reset();
                      if (!currentId().isNull())
                          showRecord(currentId());
                  });
}

std::optional<CommercialDocumentKind> DocumentsPage::shownKind() const {
    switch (m_kinds->checkedId()) {
    case 1:
        return CommercialDocumentKind::quote;
    case 2:
        return CommercialDocumentKind::invoice;
    default:
        return std::nullopt;
    }
}

void DocumentsPage::kindChanged() {
    offerChips();
    filtersChanged();
}

void DocumentsPage::filtersChanged() {
    filter().refilter();
    recordsChanged();
}

void DocumentsPage::offerChips() {
    const std::optional<CommercialDocumentKind> kind = shownKind();
    const StatusLists& lists = m_model->context().statuses;
    // One chip per status name: "Brouillon" stands for the draft quotes and
    // invoices alike.
    QList<TagItem> statuses;
    m_statusChips.clear();
    for (const CommercialDocumentKind k :
         {CommercialDocumentKind::quote, CommercialDocumentKind::invoice}) {
        if (kind && k != *kind)
            continue;
        for (const TagItem& status : lists.of(k)) {
            const QString key = normalizedStatusName(status.name);
            const QUuid id = chipId(QStringLiteral("status:") + key);
            if (m_statusChips.contains(id))
                continue;
            m_statusChips.insert(id, key);
            statuses << TagItem{id, status.name.trimmed(), status.color};
        }
    }
    filterChips()->setTags(statuses);
    filterChips()->setVisible(!statuses.isEmpty());

    QList<TagItem> alerts;
    m_alertChips.clear();
    for (const DocumentAlertFilter& alert : documentAlertFilters(kind)) {
        const QUuid id =
            chipId(QStringLiteral("alert:%1:%2").arg(alert.value).arg(int(alert.kind)));
        m_alertChips.insert(id, alert);
        alerts << TagItem{id, alert.label, alert.color};
    }
    m_alerts->setTags(alerts);
}

bool DocumentsPage::accepts(const CommercialDocumentItem& document) const {
    if (const auto kind = shownKind(); kind && document.kind != *kind)
        return false;
    if (const QSet<QUuid> checked = filterChips()->checked(); !checked.isEmpty()) {
        const QString key = statusKey(document, m_model->context().statuses);
        if (!std::any_of(checked.cbegin(), checked.cend(),
                         [&](const QUuid& id) { return m_statusChips.value(id) == key; }))
            return false;
    }
    if (const QSet<QUuid> checked = m_alerts->checked(); !checked.isEmpty()) {
        const QStringList values = m_model->alertValues(document);
        if (!std::any_of(checked.cbegin(), checked.cend(), [&](const QUuid& id) {
                const auto alert = m_alertChips.constFind(id);
                return alert != m_alertChips.cend() && alert->kind == document.kind &&
                       values.contains(alert->value);
            }))
            return false;
    }
    return true;
}

void DocumentsPage::refresh() {
    const AppDataStore& store = services().store;
    m_model->setContext(DocumentListContext::of(store.session(), store.clock().now()));
    m_model->setRecords(store.documents());
    offerChips();
    filtersChanged();
}

void DocumentsPage::reveal(const QUuid& id) {
    // The kind and alerts could hide it; select() clears the rest.
    if (m_kinds->checkedId() != 0 || !m_alerts->checked().isEmpty()) {
        m_kinds->button(0)->setChecked(true);
        m_alerts->setChecked({});
        kindChanged();
    }
    select(id);
}

// A status chip stands for every status of that name.
std::optional<QUuid> DocumentsPage::statusChip(const QUuid& statusID) const {
    const StatusLists& lists = m_model->context().statuses;
    for (const CommercialDocumentKind kind :
         {CommercialDocumentKind::quote, CommercialDocumentKind::invoice})
        for (const TagItem& status : lists.of(kind))
            if (status.id == statusID)
                return chipId(QStringLiteral("status:") + normalizedStatusName(status.name));
    return std::nullopt;
}

bool DocumentsPage::holdsTag(const QUuid& id) const {
    return statusChip(id).has_value();
}

void DocumentsPage::showTag(const QUuid& id) {
    if (const std::optional<QUuid> chip = statusChip(id)) {
        showOnlyChip(*chip);
        recordsChanged();
    }
}

bool DocumentsPage::canRun(SectionCommand command) const {
    switch (command) {
    case SectionCommand::exportPDF:
        return !hasFullPage() && !currentId().isNull();
    default:
        return RecordSectionPage::canRun(command);
    }
}

void DocumentsPage::run(SectionCommand command) {
    if (command == SectionCommand::exportPDF) {
        if (canRun(command))
            savePdf(currentId());
        return;
    }
    RecordSectionPage::run(command);
}

QByteArray DocumentsPage::renderPdf(const CommercialDocumentItem& document,
                                    QString* failure) const {
    const AppDataStore& store = services().store;
    const MediaReader media = mediaFolderReader(store.fileSystem(), store.mediaFolder());
    const DocumentParties parties = DocumentParties::of(document, store.session());
    const DocumentPdf pdf = documentPdf(
        document, [&] { return renderDocumentPDF(document, parties, media); }, media);
    if (pdf.failure && failure)
        *failure = pdf.failure->title + QStringLiteral(" : ") + pdf.failure->message;
    return pdf.bytes;
}

void DocumentsPage::showPreview(const CommercialDocumentItem& document) {
    // The card is rebuilt on every change of the store; the PDF only when
    // the document itself changed.
    if (!m_previewed || !(*m_previewed == document)) {
        QString failure;
        const QByteArray pdf = renderPdf(document, &failure);
        m_preview->setPdf(pdf, failure);
        m_previewed = document;
    }
    m_card->addWidget(m_preview);
}

void DocumentsPage::showRecord(const QUuid& id) {
    const AppDataStore& store = services().store;
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const CommercialDocumentItem& document = *m_model->record(row);
    const bool invoice = document.kind == CommercialDocumentKind::invoice;
    const DocumentListModel::Badge status = m_model->status(document);
    m_card->start(symbolPixmap(QStringLiteral("doc.text.fill"), 48,
                               status.color ? theme::tagColor(*status.color) : theme::accent()),
                  DocumentListModel::title(document), status.text);
    m_actions->addHeaderActions(*m_card, document);
    if (canEdit(id))
        connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
                &QPushButton::clicked, this, [this, id] { editRecord(id); });
    // An imported document's own file is downloaded, not rendered.
    const bool imported = document.sourceKind == CommercialDocumentSourceKind::importedPDF;
    connect(m_card->addAction(imported ? QStringLiteral("Télécharger PDF")
                                       : QStringLiteral("Enregistrer le PDF"),
                              QStringLiteral("SavePdf")),
            &QPushButton::clicked, this, [this, id] { savePdf(id); });
    connect(m_card->addAction(QStringLiteral("Dupliquer"), QStringLiteral("Duplicate")),
            &QPushButton::clicked, this, [this, id] { duplicate(id); });
    if (!invoice)
        connect(
            m_card->addAction(QStringLiteral("Convertir en facture"), QStringLiteral("Convert")),
            &QPushButton::clicked, this, [this, id] { convert(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (const DocumentListModel::Badge alert = m_model->badge(document); alert.text != status.text)
        m_card->addText(alert.text, "error")->setObjectName(QStringLiteral("documentCardAlert"));
    m_actions->addDraftBanner(*m_card, document);
    if (!invoice) {
        if (const CommercialDocumentItem* made = invoiceFromQuote(store.documents(), id))
            m_card->addLink(convertedIntoText(*made), QStringLiteral("documents"), made->id)
                ->setObjectName(QStringLiteral("documentCardConverted"));
    }
    if (document.pdfSnapshot)
        m_card
            ->addText(QStringLiteral("Figé le %1 : ce document n’est plus modifiable.")
                          .arg(formatMediumDate(document.pdfSnapshot->capturedAt)),
                      "hint")
            ->setObjectName(QStringLiteral("documentCardFrozen"));

    m_card->addSection(QStringLiteral("Informations"));
    m_card->addRow(QStringLiteral("Numéro"), document.number.trimmed());
    m_card->addRow(QStringLiteral("Type"), displayName(document.kind));
    m_card->addRow(QStringLiteral("Statut"), status.text);
    m_card->addRow(QStringLiteral("Date d’émission"), formatMediumDate(document.issueDate));
    if (!invoice && document.validityDate)
        m_card->addRow(QStringLiteral("Valable jusqu’au"),
                       formatMediumDate(*document.validityDate));
    if (invoice && document.sourceKind == CommercialDocumentSourceKind::editor) {
        m_card->addRow(QStringLiteral("Délai de paiement"), paymentTermsText(document.dueDays));
        m_card->addRow(QStringLiteral("Échéance"), formatMediumDate(invoiceDueDate(document)));
    }

    m_card->addSection(QStringLiteral("Client"));
    const QString client = m_model->clientName(document);
    const bool clientExists =
        document.clientID && m_model->context().clientNames.contains(*document.clientID);
    if (client.isEmpty())
        m_card->addText(QStringLiteral("Aucun client sélectionné."), "hint");
    else if (clientExists)
        m_card->addLink(client, QStringLiteral("clients"), *document.clientID);
    else
        m_card->addText(client);

    if (!document.linkedProjectIDs.isEmpty()) {
        m_card->addSection(QStringLiteral("Activités liées"));
        for (const ProjectItem& project : store.projects())
            if (document.linkedProjectIDs.contains(project.id))
                m_card->addLink(ActivityTexts::title(project), QStringLiteral("projects"),
                                project.id);
    }

    if (document.sourceKind == CommercialDocumentSourceKind::editor) {
        m_card->addSection(QStringLiteral("Lignes"));
        bool anyLine = false;
        for (const CommercialDocumentLine& line : document.lines) {
            if (line.kind != CommercialDocumentLineKind::service)
                continue;
            m_card->addRow(line.title.trimmed().isEmpty() ? QStringLiteral("Sans titre")
                                                          : line.title.trimmed(),
                           lineAmount(line));
            anyLine = true;
        }
        if (!anyLine)
            m_card->addText(QStringLiteral("Aucune prestation sélectionnée."), "hint");

        m_card->addSection(QStringLiteral("Totaux"));
        m_card->addRow(QStringLiteral("Total HT"), formatMoney(grossServicesTTC(document.lines)));
        for (const auto& [label, amount] :
             {std::pair{QStringLiteral("Remise"), offeredTotalTTC(document.lines)},
              std::pair{QStringLiteral("Remise commerciale"), discountTotal(document.lines)},
              std::pair{QStringLiteral("Acompte"), depositTotal(document.lines)}})
            if (amount > 0)
                m_card->addRow(label, formatMoney(amount));
        m_card->addRow(QStringLiteral("Total TTC"), formatMoney(netDue(document)));
    }
    if (invoice) {
        m_actions->addSettlement(*m_card, document);
        m_actions->addDepositDecision(*m_card, document);
        m_actions->addQuoteAssociation(*m_card, document);
        m_actions->addRecipeBookState(*m_card, document);
    }
    if (!document.notes.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Notes"));
        m_card->addText(document.notes);
    }

    m_card->addSection(QStringLiteral("Aperçu"));
    showPreview(document);
}

void DocumentsPage::savePdf(const QUuid& id) {
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const CommercialDocumentItem document = *m_model->record(row);
    const std::optional<QUrl> url = services().dialogs.choose(this, documentPdfSavePanel(document));
    if (!url)
        return;
    AppDataStore& store = services().store;
    const MediaReader media = mediaFolderReader(store.fileSystem(), store.mediaFolder());
    const DocumentParties parties = DocumentParties::of(document, store.session());
    if (const std::optional<Alert> failure = saveDocumentPdf(
            store.fileSystem(), document, url->toLocalFile(),
            [&] { return renderDocumentPDF(document, parties, media); }, media))
        services().dialogs.ask(this, *failure);
}

void DocumentsPage::duplicate(const QUuid& id) {
    AppDataStore& store = services().store;
    const Result<QUuid> copy =
        store.edit([&](SessionEdit& edit) { return duplicateDocument(edit, id, store.clock()); });
    if (report(copy) && copy.ok())
        reveal(copy.value());
}

void DocumentsPage::convert(const QUuid& id) {
    AppDataStore& store = services().store;
    // A second invoice for the same quote is rarely meant: asked first.
    if (const CommercialDocumentItem* made = invoiceFromQuote(store.documents(), id);
        made && !confirm(services().dialogs, this, reconversionConfirmation(*made)))
        return;
    const Result<QUuid> invoice = store.edit(
        [&](SessionEdit& edit) { return convertQuoteToInvoice(edit, id, store.clock()); });
    if (report(invoice) && invoice.ok())
        reveal(invoice.value());
}

void DocumentsPage::createRecord() {
    const AppDataStore& store = services().store;
    openEditor(DocumentEditorModel(store.session(),
                                   shownKind().value_or(CommercialDocumentKind::invoice),
                                   store.clock().now()));
}

bool DocumentsPage::canEdit(const QUuid& id) const {
    const CommercialDocumentItem* document = m_model->record(m_model->rowOf(id));
    return document && !document->pdfSnapshot;
}

void DocumentsPage::editRecord(const QUuid& id) {
    if (!canEdit(id))
        return;
    const AppDataStore& store = services().store;
    openEditor(DocumentEditorModel(store.session(), *m_model->record(m_model->rowOf(id)),
                                   store.clock().now()));
}

void DocumentsPage::openEditor(DocumentEditorModel model) {
    auto* editor = new DocumentEditor(services(), std::move(model), this);
    connect(editor, &DocumentEditor::cancelled, this, [this] { closeFullPage(); });
    connect(editor, &DocumentEditor::stored, this, &DocumentsPage::editorStored);
    openFullPage(editor);
}

void DocumentsPage::editorStored(const Result<QUuid>& result) {
    closeFullPage();
    reveal(result.value());
    // "Passage automatique en Payé" goes on to the payment sheet.
    if (result.alert() && !m_actions->offerDepositPayment(result.value()))
        services().dialogs.ask(this, *result.alert());
}

void DocumentsPage::importPdf(std::optional<QUrl> file) {
    if (hasFullPage())
        return;
    if (!file)
        file = services().dialogs.choose(this, DocumentEditorModel::pdfPanel());
    if (!file)
        return;
    const AppDataStore& store = services().store;
    DocumentEditorModel model(store.session(),
                              shownKind().value_or(CommercialDocumentKind::invoice),
                              store.clock().now());
    model.setImported(true);
    if (!model.choosePdf(*file)) {
        services().dialogs.ask(this, DocumentEditorModel::notPdfAlert());
        return;
    }
    openEditor(std::move(model));
}

void DocumentsPage::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!hasFullPage() && urls.size() == 1 && DocumentEditorModel::isPdf(urls.first()))
        event->acceptProposedAction();
}

void DocumentsPage::dropEvent(QDropEvent* event) {
    importPdf(event->mimeData()->urls().first());
    event->acceptProposedAction();
}

void DocumentsPage::removeRecord(const QUuid& id) {
    if (const auto* record = m_model->record(m_model->rowOf(id)))
        removeAfter(RecordDeletion::documentConfirmation(*record),
                    [id](SessionEdit& edit) { return RecordDeletion::deleteDocument(edit, id); });
}

} // namespace velmora::gui
