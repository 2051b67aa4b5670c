#pragma once

#include "core/documents/DocumentEditorModel.h"
#include "core/documents/DocumentListModel.h"
#include "gui/common/RecordSectionPage.h"

#include <QElapsedTimer>

#include <optional>

class QButtonGroup;

namespace velmora::gui {

class DocumentCardActions;
class DocumentPreview;
class RecordCard;
class TagChips;

// "Documents": the quotes and invoices, shown by kind, filtered by status
// and by alert, searched by number, client and line; the card of the
// selected document with its PDF, which it saves, duplicates, converts (a
// quote) and deletes. Documents are written in the editor, over the whole
// section; a PDF chosen or dropped on the list starts an imported one.
class DocumentsPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit DocumentsPage(const SectionServices& services, QWidget* parent = nullptr);

    bool canRun(SectionCommand command) const override;
    void run(SectionCommand command) override;
    void reveal(const QUuid& id) override;

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;
    // A frozen document keeps what it was issued with.
    bool canEdit(const QUuid& id) const override;
    // A quote or invoice status lists the documents of that status name.
    bool holdsTag(const QUuid& id) const override;
    void showTag(const QUuid& id) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::optional<CommercialDocumentKind> shownKind() const;
    std::optional<QUuid> statusChip(const QUuid& statusID) const;
    void kindChanged();
    void filtersChanged();
    void refresh();
    // The status and alert chips of the kind shown.
    void offerChips();
    // The kind, status and alert filters; the model answers the search.
    bool accepts(const CommercialDocumentItem& document) const;
    QByteArray renderPdf(const CommercialDocumentItem& document, QString* failure) const;
    void showPreview(const CommercialDocumentItem& document);
    void savePdf(const QUuid& id);
    void duplicate(const QUuid& id);
    void convert(const QUuid& id);
    void openEditor(DocumentEditorModel model);
    void importPdf(std::optional<QUrl> file = {});
    void editorStored(const Result<QUuid>& result);

    DocumentListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
    DocumentCardActions* m_actions = nullptr;
    DocumentPreview* m_preview = nullptr;
    QButtonGroup* m_kinds = nullptr;
    TagChips* m_alerts = nullptr;
    // Chip id → normalised status name, and → alert filter.
    QHash<QUuid, QString> m_statusChips;
    QHash<QUuid, DocumentAlertFilter> m_alertChips;
    // The document the preview shows, as it was rendered; cleared when
    // what a draft prints (company, clients, logo) changes.
    std::optional<CommercialDocumentItem> m_previewed;
};

} // namespace velmora::gui
