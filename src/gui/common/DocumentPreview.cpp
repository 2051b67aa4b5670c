#include "gui/common/DocumentPreview.h"

#include "gui/common/Theme.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::gui {

namespace {

QToolButton* zoomButton(const QString& text, const QString& tip, const QString& name,
                        QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setObjectName(name);
    button->setAutoRaise(true);
    return button;
}

} // namespace

DocumentPreview::DocumentPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("documentPreview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    tools->addStretch(1);
    QToolButton* out = zoomButton(QStringLiteral("−"), QStringLiteral("Zoom arrière"),
                                  QStringLiteral("documentPreviewZoomOut"), this);
    QToolButton* in = zoomButton(QStringLiteral("+"), QStringLiteral("Zoom avant"),
                                 QStringLiteral("documentPreviewZoomIn"), this);
    QToolButton* fit = zoomButton(QStringLiteral("Ajuster"), QStringLiteral("Ajuster à la largeur"),
                                  QStringLiteral("documentPreviewFit"), this);
    for (QToolButton* button : {out, in, fit})
        tools->addWidget(button);
    layout->addLayout(tools);

    m_document = new QPdfDocument(this);
    m_buffer = new QBuffer(this);
    m_view = new QPdfView(this);
    m_view->setObjectName(QStringLiteral("documentPreviewView"));
    m_view->setDocument(m_document);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    // A whole A4 page at the card's usual width.
    m_view->setMinimumHeight(640);
    layout->addWidget(m_view);
    m_failure = theme::label(QString(), "error", this);
    m_failure->setObjectName(QStringLiteral("documentPreviewFailure"));
    m_failure->setWordWrap(true);
    m_failure->hide();
    layout->addWidget(m_failure);

    connect(out, &QToolButton::clicked, this, [this] { zoomBy(1 / 1.25); });
    connect(in, &QToolButton::clicked, this, [this] { zoomBy(1.25); });
    connect(fit, &QToolButton::clicked, this,
            [this] { m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
}

DocumentPreview::~DocumentPreview() {
    // The document reads the buffer until it is closed.
    m_document->close();
}

void DocumentPreview::setPdf(const QByteArray& pdf, const QString& failure) {
    m_document->close();
    m_buffer->close();
    m_buffer->setData(pdf);
    if (!pdf.isEmpty() && m_buffer->open(QIODevice::ReadOnly))
        m_document->load(m_buffer);
    const bool shown = m_document->status() == QPdfDocument::Status::Ready;
    m_view->setVisible(shown);
    m_failure->setText(failure);
    m_failure->setVisible(!shown && !failure.isEmpty());
}

int DocumentPreview::pageCount() const {
    return m_document->pageCount();
}

void DocumentPreview::zoomBy(double factor) {
    // From the zoom the fitted page has now, when it was fitted.
    double zoom = m_view->zoomFactor();
    if (m_view->zoomMode() != QPdfView::ZoomMode::Custom) {
        const QSizeF page = m_document->pagePointSize(0);
        if (page.width() > 0)
            zoom = m_view->viewport()->width() / (page.width() * logicalDpiX() / 72.0);
        m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    }
    m_view->setZoomFactor(std::clamp(zoom * factor, 0.25, 4.0));
}

} // namespace velmora::gui
