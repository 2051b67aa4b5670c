#pragma once

#include "core/documents/DocumentPageContent.h"
#include "render/DocumentLogo.h"

#include <QWidget>

namespace velmora::gui {

// The page of a document being written, painted straight from its content
// as the PDF would print it, fitted to the widget's width. Cheap enough to
// follow the editor's keystrokes: no PDF is produced or parsed.
class DocumentPagePreview : public QWidget {
    Q_OBJECT

public:
    explicit DocumentPagePreview(QWidget* parent = nullptr);

    void setPage(DocumentPageContent content, DocumentLogo logo);
    const DocumentPageContent& page() const { return m_content; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DocumentPageContent m_content;
    DocumentLogo m_logo;
};

} // namespace velmora::gui
