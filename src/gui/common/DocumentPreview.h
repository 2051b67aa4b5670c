#pragma once

#include <QByteArray>
#include <QWidget>

class QBuffer;
class QLabel;
class QPdfDocument;
class QPdfView;
class QToolButton;

namespace velmora::gui {

// The PDF of the selected document, fitted to the card's width or zoomed
// in and out. It keeps the bytes it shows: the card rebuilds often, the PDF
// is made again only when asked.
class DocumentPreview : public QWidget {
    Q_OBJECT

public:
    explicit DocumentPreview(QWidget* parent = nullptr);
    ~DocumentPreview() override;

    // Shows these PDF bytes, or the message when there are none.
    void setPdf(const QByteArray& pdf, const QString& failure = QString());
    int pageCount() const;

private:
    void zoomBy(double factor);

    QPdfDocument* m_document = nullptr;
    QBuffer* m_buffer = nullptr;
    QPdfView* m_view = nullptr;
    QLabel* m_failure = nullptr;
};

} // namespace velmora::gui
