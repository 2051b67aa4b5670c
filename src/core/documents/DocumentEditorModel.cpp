#include "core/documents/DocumentEditorModel.h"

#include "core/documents/DocumentLines.h"
#include "core/documents/DocumentLinks.h"
#include "core/documents/DocumentNumbering.h"
#include "core/platform/Clock.h"
#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {

DocumentEditorModel::DocumentEditorModel(const AppDatabase& session, CommercialDocumentKind kind,
                                         const QDateTime& now)
    : m_statuses(StatusLists::of(session)), m_documents(session.documents),
      m_projects(session.projects), m_today(now.toLocalTime().date()), m_numberIsAuto(true) {
    m_form.issueDate = now;
    setKind(kind);
    m_initial = document();
}

DocumentEditorModel::DocumentEditorModel(const AppDatabase& session,
                                         const CommercialDocumentItem& document,
                                         const QDateTime& now)
    : m_original(document), m_form(DocumentForm::of(document)),
      m_statuses(StatusLists::of(session)), m_documents(session.documents),
      m_projects(session.projects), m_today(now.toLocalTime().date()), m_initial(this->document()) {
}

QString DocumentEditorModel::title() const {
    if (isNew())
        return newTitle();
    const QString number = m_original->number.trimmed();
    return number.isEmpty() ? QStringLiteral("Modifier le document")
                            : QStringLiteral("Modifier ") + number;
}

QString DocumentEditorModel::commitButton() const {
    return isNew() ? DocumentCreation::createButton() : saveButton();
}

void DocumentEditorModel::setKind(CommercialDocumentKind kind) {
    m_form.kind = kind;
    const QList<TagItem>& list = statuses();
    m_form.statusID = list.isEmpty() ? std::nullopt : std::optional<QUuid>(list.first().id);
    if (kind == CommercialDocumentKind::quote && !m_form.validityDate)
        m_form.validityDate = m_form.issueDate.addDays(kDefaultValidityDays);
    if (m_numberIsAuto)
        m_form.number = generatedNumber();
}

void DocumentEditorModel::setImported(bool imported) {
    m_form.sourceKind =
        imported ? CommercialDocumentSourceKind::importedPDF : CommercialDocumentSourceKind::editor;
}

void DocumentEditorModel::setNumber(const QString& number) {
    m_form.number = number;
    if (m_numberIsAuto && number != generatedNumber())
        m_numberIsAuto = false;
}

void DocumentEditorModel::setNumberIsAuto(bool on) {
    m_numberIsAuto = on;
    if (on)
        m_form.number = generatedNumber();
}

QString DocumentEditorModel::generatedNumber() const {
    return nextDocumentNumber(m_form.kind, m_documents, m_today);
}

CommercialDocumentLine* DocumentEditorModel::line(const QUuid& id) {
    const auto found = std::find_if(m_form.lines.begin(), m_form.lines.end(),
                                    [&](const CommercialDocumentLine& l) { return l.id == id; });
    return found == m_form.lines.end() ? nullptr : &*found;
}

std::optional<QUuid> DocumentEditorModel::appendLine(CommercialDocumentLineKind kind) {
    return LineEditor::append(m_form.lines, kind);
}

void DocumentEditorModel::removeLine(const QUuid& id) {
    m_form.lines.removeIf([&](const CommercialDocumentLine& l) { return l.id == id; });
}

void DocumentEditorModel::moveLine(const QUuid& id, qsizetype position) {
    const qsizetype from =
        std::distance(m_form.lines.begin(),
                      std::find_if(m_form.lines.begin(), m_form.lines.end(),
                                   [&](const CommercialDocumentLine& l) { return l.id == id; }));
    if (from >= m_form.lines.size())
        return;
    m_form.lines.move(from, std::clamp<qsizetype>(position, 0, m_form.lines.size() - 1));
}

QString DocumentEditorModel::setActivityLinked(const QUuid& projectID, bool linked) {
    QList<QUuid>& ids = m_form.linkedProjectIDs;
    if (!linked) {
        ids.removeAll(projectID);
        return QString();
    }
    if (ids.contains(projectID))
        return QString();
    if (ids.size() >= kMaxLinkedActivities)
        return ActivityLinks::tooManyMessage();
    ids.append(projectID);
    return QString();
}

CommercialDocumentItem DocumentEditorModel::document() const {
    CommercialDocumentItem document = m_original.value_or(CommercialDocumentItem{});
    applyDocumentForm(document, m_form, m_projects);
    return document;
}

bool DocumentEditorModel::isPdf(const QUrl& file) {
    return file.isLocalFile() &&
           file.toLocalFile().endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

bool DocumentEditorModel::choosePdf(const QUrl& file) {
    if (!isPdf(file))
        return false;
    m_chosenPdf = file;
    return true;
}

FilePanel DocumentEditorModel::pdfPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::openFile;
    panel.title = QStringLiteral("Importer un PDF");
    panel.prompt = QStringLiteral("Importer");
    panel.extension = QStringLiteral("pdf");
    return panel;
}

Alert DocumentEditorModel::notPdfAlert() {
    return okAlert(QStringLiteral("Import impossible"),
                   QStringLiteral("Seuls les fichiers PDF peuvent être importés comme document."));
}

std::optional<QUrl> DocumentEditorModel::shownPdf() const {
    return m_chosenPdf ? m_chosenPdf : m_form.importedPDFURL;
}

Result<QUuid> DocumentEditorModel::commit(SessionEdit& edit, const Clock& clock) const {
    DocumentForm form = m_form;
    if (m_chosenPdf && form.sourceKind == CommercialDocumentSourceKind::importedPDF) {
        if (const QString error = DocumentCreation::validate(form, isNew()); !error.isEmpty())
            return Result<QUuid>::invalid(error, okAlert(QString(), error));
        // A document that is not stored leaves no copy behind: the copy is
        // staged with the edit.
        const Result<QUrl> copied =
            edit.importMedia(*m_chosenPdf, false, QStringLiteral("document"));
        if (!copied)
            return Result<QUuid>::invalid(pdfNotCopiedMessage(),
                                          okAlert(QString(), pdfNotCopiedMessage()));
        form.importedPDFURL = copied.value();
    }
    return isNew() ? DocumentCreation::create(edit, form, clock)
                   : DocumentCreation::save(edit, m_original->id, form, clock);
}

} // namespace velmora
