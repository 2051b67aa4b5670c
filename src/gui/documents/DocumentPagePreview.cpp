#include "gui/documents/DocumentPagePreview.h"

#include "render/DocumentRenderer.h"

#include <QPainter>
#include <QSizePolicy>

namespace velmora::gui {

namespace {
constexpr int kMargin = 12;
} // namespace

DocumentPagePreview::DocumentPagePreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("documentPagePreview"));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMinimumWidth(280);
    setAccessibleName(QStringLiteral("Aperçu du document"));
}

void DocumentPagePreview::setPage(DocumentPageContent content, DocumentLogo logo) {
    m_content = std::move(content);
    m_logo = std::move(logo);
    update();
}

int DocumentPagePreview::heightForWidth(int width) const {
    const double pageWidth = width - 2 * kMargin;
    return int(pageWidth * kDocumentPageSize.height() / kDocumentPageSize.width()) + 2 * kMargin;
}

QSize DocumentPagePreview::sizeHint() const {
    return {460, heightForWidth(460)};
}

void DocumentPagePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const double scale = std::min((width() - 2.0 * kMargin) / kDocumentPageSize.width(),
                                  (height() - 2.0 * kMargin) / kDocumentPageSize.height());
    if (scale <= 0)
        return;
    const QSizeF shown = kDocumentPageSize * scale;
    const QPointF origin((width() - shown.width()) / 2, kMargin);
    // Paper: white in both appearances, lifted by a soft shadow.
    painter.fillRect(QRectF(origin + QPointF(0, 2), shown), QColor(0, 0, 0, 40));
    painter.fillRect(QRectF(origin, shown), Qt::white);
    painter.translate(origin);
    painter.scale(scale, scale);
    renderDocumentPage(painter, m_content, m_logo);
}

} // namespace velmora::gui
