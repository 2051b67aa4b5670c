#pragma once

#include "core/documents/DocumentEditorModel.h"
#include "gui/common/PendingInput.h"
#include "gui/common/SectionServices.h"
#include "render/DocumentLogo.h"

#include <QHash>
#include <QUrl>
#include <QWidget>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QVBoxLayout;

namespace velmora::gui {

class DocumentLineEditor;
class DocumentPagePreview;
class DocumentPreview;

// The page where a quote or invoice is written: its form on the left, on
// the right the page as it will print, following what is typed (or the
// imported PDF). "Créer le document" / "Enregistrer" stores it through the
// core's rules; "Annuler" leaves everything as it was.
class DocumentEditor : public QWidget, public PendingInput {
    Q_OBJECT

public:
    DocumentEditor(const SectionServices& services, DocumentEditorModel model,
                   QWidget* parent = nullptr);

    const DocumentEditorModel& model() const { return m_model; }
    // Makes the preview follow the form now rather than after the pause
    // that keeps typing fluid.
    void refreshPreview();
    DocumentPagePreview* pagePreview() const { return m_page; }

    QString pendingTitle() const override;
    bool hasTypedInput() const override;
    bool saveTypedInput() override { return commit(); }
    void discardTypedInput() override { emit cancelled(); }

signals:
    // The document was stored; the result may carry an alert to show next.
    void stored(const Result<QUuid>& result);
    void cancelled();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildDocumentFields(QFormLayout* form);
    void buildClient(QVBoxLayout* column);
    void buildActivities(QVBoxLayout* column);
    void buildLines(QVBoxLayout* column);
    void fillClients(const std::optional<QUuid>& selected);
    void newClient();
    void choosePdf();
    void kindChanged();
    void sourceChanged();
    void showLines(const std::optional<QUuid>& opened = {});
    DocumentLineEditor* lineEditor(const CommercialDocumentLine& line, bool expanded,
                                   const QHash<QString, QString>& typed);
    void appendLine(CommercialDocumentLineKind kind);
    void moveLine(const QUuid& id, int step);
    void fillFromCatalogue(const QUuid& id);
    void formChanged();
    void showLineRefusals();
    void showTotals();
    void showImportedPdf();
    // True once the document is stored.
    bool commit();
    DocumentLineEditor* firstRefusedLine() const;

    SectionServices m_services;
    DocumentEditorModel m_model;
    QLabel* m_title = nullptr;
    QLabel* m_error = nullptr;
    QPushButton* m_commit = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QButtonGroup* m_sources = nullptr;
    QFormLayout* m_fields = nullptr;
    QComboBox* m_status = nullptr;
    QLineEdit* m_number = nullptr;
    QCheckBox* m_autoNumber = nullptr;
    QDateEdit* m_issue = nullptr;
    QDateEdit* m_validity = nullptr;
    QSpinBox* m_dueDays = nullptr;
    QLineEdit* m_terms = nullptr;
    QComboBox* m_client = nullptr;
    QLabel* m_activitiesError = nullptr;
    QWidget* m_importBlock = nullptr;
    QLabel* m_pdfName = nullptr;
    QLabel* m_importedNote = nullptr;
    QVBoxLayout* m_lines = nullptr;
    QWidget* m_linesBox = nullptr;
    QPushButton* m_addDiscount = nullptr;
    QFormLayout* m_totals = nullptr;
    QList<std::pair<QLabel*, QLabel*>> m_totalRows;
    QLabel* m_previewLabel = nullptr;
    QStackedWidget* m_previews = nullptr;
    DocumentPagePreview* m_page = nullptr;
    DocumentPreview* m_pdf = nullptr;
    QTimer* m_previewTimer = nullptr;
    // The logo decoded once per URL: the page is redrawn on every pause.
    std::optional<QUrl> m_logoUrl;
    DocumentLogo m_logo;
    std::optional<QUrl> m_shownPdf;
};

} // namespace velmora::gui
