#include "gui/documents/DocumentEditor.h"

#include "core/activities/ActivityTexts.h"
#include "core/clients/ClientForm.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentLines.h"
#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentPageContent.h"
#include "core/documents/DocumentPdfExport.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/store/AppDataStore.h"
#include "core/text/ClientDisplayName.h"
#include "gui/common/Dialogs.h"
#include "gui/common/DocumentPreview.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/Theme.h"
#include "gui/common/WheelGuard.h"
#include "gui/documents/CataloguePicker.h"
#include "gui/documents/DocumentLineEditor.h"
#include "gui/documents/DocumentPagePreview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDateEdit>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

// The pause after a keystroke before the page is drawn again.
constexpr int kPreviewPauseMs = 120;

QToolButton* segment(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setProperty("role", QStringLiteral("chip"));
    return button;
}

QDateEdit* dateEdit(const QString& name, const QDateTime& date, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setDate(date.isValid() ? date.toLocalTime().date() : QDate::currentDate());
    return edit;
}

// The day chosen, at the time of day the date had: only the day changes.
QDateTime onDay(const QDate& day, const QDateTime& was) {
    return QDateTime(day, was.isValid() ? was.toLocalTime().time() : QTime(12, 0));
}

QLabel* sectionLabel(const QString& text, QWidget* parent) {
    QLabel* label = theme::label(text, "section", parent);
    label->setContentsMargins(0, 12, 0, 2);
    return label;
}

} // namespace

DocumentEditor::DocumentEditor(const SectionServices& services, DocumentEditorModel model,
                               QWidget* parent)
    : QWidget(parent), m_services(services), m_model(std::move(model)) {
    setObjectName(QStringLiteral("documentEditor"));
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(8);

    auto* header = new QHBoxLayout;
    m_title = theme::label(m_model.title(), "title", this);
    m_title->setObjectName(QStringLiteral("documentEditorTitle"));
    header->addWidget(m_title, 1);
    auto* cancel = theme::button(QStringLiteral("Annuler"), "", this);
    cancel->setObjectName(QStringLiteral("documentEditorCancel"));
    cancel->setShortcut(Qt::Key_Escape);
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (!m_model.hasChanges() ||
            confirm(m_services.dialogs, this, DocumentEditorModel::discardConfirmation()))
            emit cancelled();
    });
    header->addWidget(cancel);
    m_commit = theme::button(m_model.commitButton(), "primary", this);
    m_commit->setObjectName(QStringLiteral("documentEditorCommit"));
    m_commit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    m_commit->setToolTip(m_model.commitButton() + QStringLiteral(" (Ctrl+Entrée)"));
    connect(m_commit, &QPushButton::clicked, this, &DocumentEditor::commit);
    header->addWidget(m_commit);
    layout->addLayout(header);
    m_error = theme::label(QString(), "error", this);
    m_error->setObjectName(QStringLiteral("documentEditorError"));
    m_error->setWordWrap(true);
    m_error->hide();
    layout->addWidget(m_error);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);

    auto* formArea = new QScrollArea(splitter);
    formArea->setWidgetResizable(true);
    formArea->setFrameShape(QFrame::NoFrame);
    formArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* formPage = new QWidget(formArea);
    auto* column = new QVBoxLayout(formPage);
    column->setContentsMargins(0, 0, 12, 12);
    column->setSpacing(6);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    column->addWidget(sectionLabel(QStringLiteral("Document"), formPage));
    column->addLayout(form);
    buildDocumentFields(form);
    buildClient(column);
    buildActivities(column);
    buildLines(column);

    column->addWidget(sectionLabel(QStringLiteral("Totaux"), formPage));
    m_totals = new QFormLayout;
    m_totals->setLabelAlignment(Qt::AlignLeft);
    column->addLayout(m_totals);

    column->addWidget(sectionLabel(QStringLiteral("Notes"), formPage));
    auto* notes = new QPlainTextEdit(m_model.form().notes, formPage);
    notes->setObjectName(QStringLiteral("documentEditorNotes"));
    notes->setAccessibleName(QStringLiteral("Notes"));
    notes->setTabChangesFocus(true);
    notes->setFixedHeight(notes->fontMetrics().lineSpacing() * 4 + 14);
    connect(notes, &QPlainTextEdit::textChanged, this, [this, notes] {
        m_model.form().notes = notes->toPlainText();
        formChanged();
    });
    column->addWidget(notes);
    column->addStretch(1);
    formArea->setWidget(formPage);
    guardWheel(formPage);

    auto* previewColumn = new QWidget(splitter);
    auto* previewLayout = new QVBoxLayout(previewColumn);
    previewLayout->setContentsMargins(12, 0, 0, 0);
    m_previewLabel = theme::label(QString(), "hint", previewColumn);
    m_previewLabel->setObjectName(QStringLiteral("documentEditorPreviewLabel"));
    previewLayout->addWidget(m_previewLabel);
    m_previews = new QStackedWidget(previewColumn);
    auto* pageArea = new QScrollArea(m_previews);
    pageArea->setWidgetResizable(true);
    pageArea->setFrameShape(QFrame::NoFrame);
    m_page = new DocumentPagePreview(pageArea);
    pageArea->setWidget(m_page);
    m_previews->addWidget(pageArea);
    m_pdf = new DocumentPreview(m_previews);
    m_previews->addWidget(m_pdf);
    previewLayout->addWidget(m_previews, 1);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({600, 400});

    m_previewTimer = new QTimer(this);
    m_previewTimer->setSingleShot(true);
    m_previewTimer->setInterval(kPreviewPauseMs);
    connect(m_previewTimer, &QTimer::timeout, this, &DocumentEditor::refreshPreview);
    // A client created or renamed elsewhere, the company's own details:
    // what the page prints changed.
    followSession(this, m_services.store,
                  {SessionField::companySettings, SessionField::clients, SessionField::preferences},
                  [this] { m_previewTimer->start(); });

    sourceChanged();
    refreshPreview();
}

void DocumentEditor::buildDocumentFields(QFormLayout* form) {
    m_fields = form;
    QWidget* parent = form->parentWidget();
    const DocumentForm& fields = m_model.form();
    if (m_model.isNew()) {
        auto* kinds = new QHBoxLayout;
        m_kinds = new QButtonGroup(this);
        QToolButton* quote =
            segment(QStringLiteral("Devis"), QStringLiteral("documentEditorQuote"), parent);
        QToolButton* invoice =
            segment(QStringLiteral("Facture"), QStringLiteral("documentEditorInvoice"), parent);
        m_kinds->addButton(quote, int(CommercialDocumentKind::quote));
        m_kinds->addButton(invoice, int(CommercialDocumentKind::invoice));
        m_kinds->button(int(fields.kind))->setChecked(true);
        kinds->addWidget(quote);
        kinds->addWidget(invoice);
        kinds->addStretch(1);
        // Toggled rather than clicked: an accessibility action checks the
        // chip without a click.
        connect(m_kinds, &QButtonGroup::idToggled, this, [this](int kind, bool checked) {
            if (!checked)
                return;
            m_model.setKind(CommercialDocumentKind(kind));
            kindChanged();
        });
        form->addRow(QStringLiteral("Type"), kinds);
    }

    auto* sources = new QHBoxLayout;
    m_sources = new QButtonGroup(this);
    QToolButton* editor =
        segment(QStringLiteral("Saisie des lignes"), QStringLiteral("documentEditorTyped"), parent);
    QToolButton* imported =
        segment(QStringLiteral("PDF importé"), QStringLiteral("documentEditorImported"), parent);
    m_sources->addButton(editor, 0);
    m_sources->addButton(imported, 1);
    m_sources->button(fields.sourceKind == CommercialDocumentSourceKind::importedPDF)
        ->setChecked(true);
    sources->addWidget(editor);
    sources->addWidget(imported);
    sources->addStretch(1);
    connect(m_sources, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        m_model.setImported(id == 1);
        sourceChanged();
    });
    form->addRow(QStringLiteral("Origine"), sources);

    m_status = new QComboBox(parent);
    m_status->setObjectName(QStringLiteral("documentEditorStatus"));
    m_status->setAccessibleName(QStringLiteral("Statut"));
    connect(m_status, &QComboBox::activated, this, [this](int index) {
        m_model.form().statusID = m_status->itemData(index).toUuid();
        formChanged();
    });
    form->addRow(QStringLiteral("Statut"), m_status);

    auto* numberCell = new QVBoxLayout;
    m_number = new QLineEdit(fields.number, parent);
    m_number->setObjectName(QStringLiteral("documentEditorNumber"));
    m_number->setAccessibleName(QStringLiteral("Numéro"));
    m_autoNumber = new QCheckBox(DocumentCreation::autoNumberSwitch(), parent);
    m_autoNumber->setObjectName(QStringLiteral("documentEditorAutoNumber"));
    m_autoNumber->setChecked(m_model.numberIsAuto());
    numberCell->addWidget(m_number);
    numberCell->addWidget(m_autoNumber);
    connect(m_number, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.setNumber(text);
        m_autoNumber->setChecked(m_model.numberIsAuto());
        formChanged();
    });
    connect(m_autoNumber, &QCheckBox::clicked, this, [this](bool on) {
        m_model.setNumberIsAuto(on);
        m_number->setText(m_model.form().number);
        formChanged();
    });
    form->addRow(QStringLiteral("Numéro"), numberCell);

    m_issue = dateEdit(QStringLiteral("documentEditorIssueDate"), fields.issueDate, parent);
    connect(m_issue, &QDateEdit::dateChanged, this, [this](QDate day) {
        m_model.form().issueDate = onDay(day, m_model.form().issueDate);
        formChanged();
    });
    form->addRow(QStringLiteral("Date d’émission"), m_issue);

    m_validity = dateEdit(QStringLiteral("documentEditorValidity"),
                          fields.validityDate.value_or(QDateTime()), parent);
    connect(m_validity, &QDateEdit::dateChanged, this, [this](QDate day) {
        m_model.form().validityDate =
            onDay(day, m_model.form().validityDate.value_or(m_model.form().issueDate));
        formChanged();
    });
    form->addRow(QStringLiteral("Valable jusqu’au"), m_validity);

    m_dueDays = new QSpinBox(parent);
    m_dueDays->setObjectName(QStringLiteral("documentEditorDueDays"));
    m_dueDays->setAccessibleName(QStringLiteral("Délai de paiement"));
    m_dueDays->setRange(0, 365);
    m_dueDays->setSpecialValueText(paymentTermsText(0));
    m_dueDays->setSuffix(QStringLiteral(" jours"));
    m_dueDays->setValue(int(fields.dueDays));
    connect(m_dueDays, &QSpinBox::valueChanged, this, [this](int days) {
        m_model.form().dueDays = days;
        formChanged();
    });
    form->addRow(QStringLiteral("Délai de paiement"), m_dueDays);

    auto* terms = new QLineEdit(fields.paymentTerms, parent);
    terms->setObjectName(QStringLiteral("documentEditorTerms"));
    terms->setPlaceholderText(QStringLiteral("Laissez vide pour la mention habituelle"));
    connect(terms, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.form().paymentTerms = text;
        formChanged();
    });
    form->addRow(QStringLiteral("Conditions de paiement"), terms);
    m_terms = terms;
}

void DocumentEditor::buildClient(QVBoxLayout* column) {
    QWidget* parent = column->parentWidget();
    column->addWidget(sectionLabel(QStringLiteral("Client"), parent));
    auto* row = new QHBoxLayout;
    m_client = new QComboBox(parent);
    m_client->setObjectName(QStringLiteral("documentEditorClient"));
    m_client->setAccessibleName(QStringLiteral("Client"));
    // A long company name must not widen the whole form.
    m_client->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_client->setMinimumContentsLength(14);
    connect(m_client, &QComboBox::activated, this, [this](int index) {
        const QUuid id = m_client->itemData(index).toUuid();
        m_model.form().clientID = id.isNull() ? std::nullopt : std::optional<QUuid>(id);
        formChanged();
    });
    row->addWidget(m_client, 1);
    auto* add = theme::button(QStringLiteral("+ Nouveau client"), "", parent);
    add->setObjectName(QStringLiteral("documentEditorNewClient"));
    connect(add, &QPushButton::clicked, this, &DocumentEditor::newClient);
    row->addWidget(add);
    column->addLayout(row);
    fillClients(m_model.form().clientID);
}

void DocumentEditor::fillClients(const std::optional<QUuid>& selected) {
    QList<std::pair<QString, QUuid>> clients;
    for (const ClientItem& client : m_services.store.clients())
        clients.append({clientDisplayName(client), client.id});
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(clients.begin(), clients.end(),
              [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
    m_client->clear();
    m_client->addItem(QStringLiteral("Aucun client"), QUuid());
    for (const auto& [name, id] : clients)
        m_client->addItem(name, id);
    m_client->setCurrentIndex(selected ? std::max(0, m_client->findData(*selected)) : 0);
}

void DocumentEditor::newClient() {
    if (!m_services.newClient)
        return;
    m_services.newClient(this, [this](const QUuid& id) {
        m_model.form().clientID = id;
        fillClients(id);
        formChanged();
    });
}

void DocumentEditor::buildActivities(QVBoxLayout* column) {
    QWidget* parent = column->parentWidget();
    column->addWidget(sectionLabel(ActivityLinks::sectionTitle(), parent));
    const QList<ProjectItem>& projects = m_services.store.projects();
    if (projects.isEmpty()) {
        column->addWidget(theme::label(ActivityLinks::emptyText(), "hint", parent));
        return;
    }
    // A box per activity; a long list scrolls within a few rows.
    auto* area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("documentEditorActivities"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* boxes = new QWidget(area);
    auto* boxesLayout = new QVBoxLayout(boxes);
    boxesLayout->setContentsMargins(0, 0, 0, 0);
    m_activitiesError = theme::label(QString(), "error", parent);
    m_activitiesError->setObjectName(QStringLiteral("documentEditorActivitiesError"));
    m_activitiesError->hide();
    for (const ProjectItem& project : projects) {
        // "&" would underline the next letter as a shortcut.
        auto* box =
            new QCheckBox(ActivityTexts::title(project).replace(u'&', QStringLiteral("&&")), boxes);
        box->setChecked(m_model.form().linkedProjectIDs.contains(project.id));
        connect(box, &QCheckBox::clicked, this, [this, box, id = project.id](bool on) {
            const QString refusal = m_model.setActivityLinked(id, on);
            m_activitiesError->setText(refusal);
            m_activitiesError->setVisible(!refusal.isEmpty());
            if (!refusal.isEmpty())
                box->setChecked(false);
            formChanged();
        });
        boxesLayout->addWidget(box);
    }
    area->setWidget(boxes);
    area->setMaximumHeight(
        int(std::min<qsizetype>(6, projects.size())) * (boxes->fontMetrics().height() + 12) + 4);
    column->addWidget(area);
    column->addWidget(m_activitiesError);
}

void DocumentEditor::buildLines(QVBoxLayout* column) {
    QWidget* parent = column->parentWidget();
    m_importBlock = new QWidget(parent);
    auto* importLayout = new QVBoxLayout(m_importBlock);
    importLayout->setContentsMargins(0, 0, 0, 0);
    importLayout->addWidget(sectionLabel(QStringLiteral("PDF importé"), m_importBlock));
    auto* pdfRow = new QHBoxLayout;
    m_pdfName = theme::label(QString(), "", m_importBlock);
    m_pdfName->setObjectName(QStringLiteral("documentEditorPdfName"));
    pdfRow->addWidget(m_pdfName, 1);
    auto* choose = theme::button(QStringLiteral("Choisir un PDF…"), "", m_importBlock);
    choose->setObjectName(QStringLiteral("documentEditorChoosePdf"));
    connect(choose, &QPushButton::clicked, this, &DocumentEditor::choosePdf);
    pdfRow->addWidget(choose);
    importLayout->addLayout(pdfRow);
    column->addWidget(m_importBlock);

    column->addWidget(sectionLabel(QStringLiteral("Lignes"), parent));
    m_importedNote = theme::label(LineEditor::importedPdfNote(), "hint", parent);
    m_importedNote->setWordWrap(true);
    column->addWidget(m_importedNote);
    m_linesBox = new QWidget(parent);
    m_lines = new QVBoxLayout(m_linesBox);
    m_lines->setContentsMargins(0, 0, 0, 0);
    m_lines->setSpacing(8);
    column->addWidget(m_linesBox);

    auto* buttons = new QHBoxLayout;
    const QList<std::tuple<QString, QString, CommercialDocumentLineKind>> adds{
        {LineEditor::addServiceButton(), QStringLiteral("documentEditorAddService"),
         CommercialDocumentLineKind::service},
        {LineEditor::addDiscountButton(), QStringLiteral("documentEditorAddDiscount"),
         CommercialDocumentLineKind::discount},
        {LineEditor::addDepositButton(), QStringLiteral("documentEditorAddDeposit"),
         CommercialDocumentLineKind::deposit}};
    for (const auto& [text, name, kind] : adds) {
        auto* button = theme::button(text, "", parent);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, kind] { appendLine(kind); });
        buttons->addWidget(button);
        if (kind == CommercialDocumentLineKind::discount)
            m_addDiscount = button;
        else if (kind == CommercialDocumentLineKind::deposit)
            button->setToolTip(LineEditor::depositExplanation());
    }
    buttons->addStretch(1);
    column->addLayout(buttons);
    showLines();
}

DocumentLineEditor* DocumentEditor::lineEditor(const CommercialDocumentLine& line, bool expanded,
                                               const QHash<QString, QString>& typed) {
    auto* editor = new DocumentLineEditor(line, m_linesBox, typed);
    editor->setExpanded(expanded);
    connect(editor, &DocumentLineEditor::edited, this,
            [this](const CommercialDocumentLine& edited) {
                if (CommercialDocumentLine* stored = m_model.line(edited.id))
                    *stored = edited;
                formChanged();
            });
    connect(editor, &DocumentLineEditor::removeRequested, this, [this](const QUuid& id) {
        m_model.removeLine(id);
        showLines();
        formChanged();
    });
    connect(editor, &DocumentLineEditor::moveRequested, this, &DocumentEditor::moveLine);
    connect(editor, &DocumentLineEditor::catalogueRequested, this,
            &DocumentEditor::fillFromCatalogue);
    return editor;
}

void DocumentEditor::showLines(const std::optional<QUuid>& opened) {
    // Lines keep whether they were folded, and their amounts as typed, when
    // the list is laid out again.
    QHash<QUuid, bool> expanded;
    QHash<QUuid, QHash<QString, QString>> typed;
    while (QLayoutItem* item = m_lines->takeAt(0)) {
        if (auto* editor = qobject_cast<DocumentLineEditor*>(item->widget())) {
            expanded.insert(editor->lineId(), editor->isExpanded());
            typed.insert(editor->lineId(), editor->typedAmounts());
            editor->hide();
            editor->deleteLater();
        }
        delete item;
    }
    for (const CommercialDocumentLine& line : m_model.form().lines) {
        DocumentLineEditor* editor =
            lineEditor(line, line.id == opened || expanded.value(line.id, !opened.has_value()),
                       typed.value(line.id));
        m_lines->addWidget(editor);
        // At once, not on the next turn of the event loop: the user's
        // next keystroke may already be for it.
        editor->show();
    }
    const bool canDiscount = LineEditor::canAddDiscount(m_model.form().lines);
    m_addDiscount->setEnabled(canDiscount);
    m_addDiscount->setToolTip(LineEditor::addDiscountHint(m_model.form().lines));
    showLineRefusals();
}

void DocumentEditor::showLineRefusals() {
    // A discount's bound moves with the services: every line is checked again.
    const QList<CommercialDocumentLine>& lines = m_model.form().lines;
    for (int i = 0; i < m_lines->count(); ++i)
        if (auto* editor = qobject_cast<DocumentLineEditor*>(m_lines->itemAt(i)->widget()))
            if (const CommercialDocumentLine* line = m_model.line(editor->lineId()))
                editor->showRefusal(LineEditor::refusal(lines, *line));
}

void DocumentEditor::appendLine(CommercialDocumentLineKind kind) {
    if (const std::optional<QUuid> id = m_model.appendLine(kind)) {
        showLines(id);
        formChanged();
    }
}

void DocumentEditor::moveLine(const QUuid& id, int step) {
    const QList<CommercialDocumentLine>& lines = m_model.form().lines;
    const auto at = std::find_if(lines.cbegin(), lines.cend(),
                                 [&](const CommercialDocumentLine& l) { return l.id == id; });
    if (at == lines.cend())
        return;
    m_model.moveLine(id, std::distance(lines.cbegin(), at) + step);
    showLines();
    formChanged();
}

void DocumentEditor::fillFromCatalogue(const QUuid& id) {
    auto* picker = new CataloguePicker(m_services.store.services(), this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    connect(picker, &QDialog::accepted, this, [this, picker, id] {
        CommercialDocumentLine* line = m_model.line(id);
        const QList<ServiceItem>& services = m_services.store.services();
        const auto service =
            std::find_if(services.cbegin(), services.cend(),
                         [&](const ServiceItem& s) { return s.id == picker->chosen(); });
        if (!line || service == services.cend())
            return;
        fillLineFromService(*line, *service);
        for (DocumentLineEditor* editor : m_linesBox->findChildren<DocumentLineEditor*>())
            if (editor->lineId() == id)
                editor->forgetTypedAmounts();
        showLines(id);
        formChanged();
    });
    picker->open();
}

void DocumentEditor::kindChanged() {
    m_number->setText(m_model.form().number);
    const QSignalBlocker quiet(m_validity);
    if (m_model.form().validityDate)
        m_validity->setDate(m_model.form().validityDate->toLocalTime().date());
    sourceChanged();
}

void DocumentEditor::sourceChanged() {
    const DocumentForm& form = m_model.form();
    const bool quote = form.kind == CommercialDocumentKind::quote;
    const bool imported = form.sourceKind == CommercialDocumentSourceKind::importedPDF;
    m_status->clear();
    for (const TagItem& status : m_model.statuses())
        m_status->addItem(status.name.trimmed(), status.id);
    m_status->setCurrentIndex(form.statusID ? m_status->findData(*form.statusID) : -1);
    m_fields->setRowVisible(m_validity, quote);
    m_fields->setRowVisible(m_dueDays, !quote && !imported);
    m_fields->setRowVisible(m_terms, !imported);
    m_importBlock->setVisible(imported);
    m_importedNote->setVisible(imported);
    showImportedPdf();
    formChanged();
}

void DocumentEditor::choosePdf() {
    const std::optional<QUrl> url =
        m_services.dialogs.choose(this, DocumentEditorModel::pdfPanel());
    if (!url)
        return;
    if (!m_model.choosePdf(*url)) {
        m_services.dialogs.ask(this, DocumentEditorModel::notPdfAlert());
        return;
    }
    showImportedPdf();
    formChanged();
}

void DocumentEditor::showImportedPdf() {
    const bool imported = m_model.form().sourceKind == CommercialDocumentSourceKind::importedPDF;
    m_previews->setCurrentIndex(imported ? 1 : 0);
    const std::optional<QUrl> pdf = m_model.shownPdf();
    m_pdfName->setText(pdf ? QFileInfo(pdf->toLocalFile()).fileName()
                           : QStringLiteral("Aucun PDF choisi."));
    if (!imported || pdf == m_shownPdf)
        return;
    m_shownPdf = pdf;
    if (!pdf) {
        m_pdf->setPdf({}, QStringLiteral("Choisissez le PDF du document."));
        return;
    }
    const Result<QByteArray> bytes = m_services.store.fileSystem().readFile(pdf->toLocalFile());
    m_pdf->setPdf(bytes ? bytes.value() : QByteArray(),
                  bytes ? QString()
                        : QStringLiteral("Le PDF ne peut pas être lu : ") + bytes.error());
}

void DocumentEditor::formChanged() {
    m_error->hide();
    showLineRefusals();
    showTotals();
    m_previewTimer->start();
}

void DocumentEditor::showTotals() {
    const CommercialDocumentItem document = m_model.document();
    const DocumentPageContent content = DocumentPageContent::of(
        document, DocumentParties::of(document, m_services.store.session()));
    // The rows are kept and relabelled: this runs on every keystroke.
    while (m_totalRows.size() < content.totals.size()) {
        auto* label = new QLabel(m_totals->parentWidget());
        auto* amount = new QLabel(m_totals->parentWidget());
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_totals->addRow(label, amount);
        m_totalRows.append(std::pair{label, amount});
    }
    for (qsizetype i = 0; i < m_totalRows.size(); ++i) {
        const auto [label, amount] = m_totalRows.at(i);
        const bool used = i < content.totals.size();
        m_totals->setRowVisible(int(i), used);
        if (!used)
            continue;
        const DocumentPageContent::Total& total = content.totals.at(i);
        label->setText(total.label);
        amount->setText(total.amount);
        amount->setObjectName(total.isGrandTotal ? QStringLiteral("documentEditorGrandTotal")
                                                 : QString());
        for (QLabel* l : {label, amount}) {
            l->setStyleSheet(total.isGrandTotal ? QStringLiteral("font-weight: 600;") : QString());
            l->show();
        }
    }
}

void DocumentEditor::refreshPreview() {
    m_previewTimer->stop();
    const CommercialDocumentItem document = m_model.document();
    const AppDataStore& store = m_services.store;
    const DocumentParties parties = DocumentParties::of(document, store.session());
    const bool draft = !document.pdfSnapshot;
    m_previewLabel->setText(draft ? draftPreviewLabel() : QStringLiteral("Aperçu"));
    if (document.sourceKind == CommercialDocumentSourceKind::importedPDF)
        return;
    if (parties.logoURL != m_logoUrl) {
        m_logoUrl = parties.logoURL;
        m_logo = DocumentLogo();
        if (m_logoUrl) {
            const MediaReader media = mediaFolderReader(store.fileSystem(), store.mediaFolder());
            if (const std::optional<QByteArray> bytes = media(*m_logoUrl))
                m_logo = DocumentLogo::fromBytes(*bytes);
        }
    }
    m_page->setPage(DocumentPageContent::of(document, parties), m_logo);
}

QString DocumentEditor::pendingTitle() const {
    return m_title->text();
}

// In the order of the lines on screen.
DocumentLineEditor* DocumentEditor::firstRefusedLine() const {
    for (int i = 0; i < m_lines->count(); ++i)
        if (auto* line = qobject_cast<DocumentLineEditor*>(m_lines->itemAt(i)->widget());
            line && line->hasInvalidAmount())
            return line;
    return nullptr;
}

// An amount the model refused was still typed.
bool DocumentEditor::hasTypedInput() const {
    return m_model.hasChanges() || firstRefusedLine();
}

bool DocumentEditor::commit() {
    // The first refused amount comes into view.
    if (DocumentLineEditor* line = firstRefusedLine()) {
        m_error->setText(QStringLiteral("Corrigez les montants signalés en rouge avant "
                                        "d’enregistrer le document."));
        m_error->show();
        line->setExpanded(true);
        revealField(line->firstInvalidAmount());
        return false;
    }
    AppDataStore& store = m_services.store;
    const Result<QUuid> result =
        store.edit([&](SessionEdit& edit) { return m_model.commit(edit, store.clock()); });
    if (result.ok()) {
        emit stored(result);
        return true;
    }
    if (result.kind() == ResultKind::invalid) {
        m_error->setText(result.error());
        m_error->show();
        return false;
    }
    m_services.dialogs.ask(
        this, result.alert().value_or(okAlert(QStringLiteral("Enregistrement impossible"),
                                              result.error(), Alert::Kind::error)));
    return false;
}

void DocumentEditor::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    const bool line = mime->hasFormat(DocumentLineEditor::dragMimeType());
    const bool pdf = mime->hasUrls() && mime->urls().size() == 1 &&
                     DocumentEditorModel::isPdf(mime->urls().first());
    if (line || pdf)
        event->acceptProposedAction();
}

void DocumentEditor::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls()) {
        if (!m_model.choosePdf(mime->urls().first()))
            return;
        m_sources->button(1)->setChecked(true);
        m_model.setImported(true);
        sourceChanged();
        event->acceptProposedAction();
        return;
    }
    // A line lands before the first line whose middle is below the drop.
    const QUuid id = QUuid::fromString(mime->data(DocumentLineEditor::dragMimeType()));
    const QPoint at = m_linesBox->mapFrom(this, event->position().toPoint());
    qsizetype position = 0;
    qsizetype from = -1;
    for (int i = 0; i < m_lines->count(); ++i) {
        auto* editor = qobject_cast<DocumentLineEditor*>(m_lines->itemAt(i)->widget());
        if (!editor)
            continue;
        if (editor->lineId() == id)
            from = i;
        if (editor->geometry().center().y() < at.y())
            position = i + 1;
    }
    if (from < 0)
        return;
    m_model.moveLine(id, position > from ? position - 1 : position);
    showLines();
    formChanged();
    event->acceptProposedAction();
}

} // namespace velmora::gui
