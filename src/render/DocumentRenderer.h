#pragma once

#include "core/documents/DocumentPageContent.h"
#include "core/documents/DocumentPdfExport.h"
#include "render/DocumentLogo.h"

#include <QByteArray>
#include <QSizeF>

class QPainter;

namespace velmora {

// A quote or invoice page: 794 × 1123 points, A4 at 96 points per inch.
inline constexpr QSizeF kDocumentPageSize(794, 1123);

// Paints the page in the painter's coordinates, from (0, 0) to the page
// size; a preview scales the painter first. Content taller than the page is
// shrunk to fit it, never cut.
void renderDocumentPage(QPainter& painter, const DocumentPageContent& page,
                        const DocumentLogo& logo);

// The page as a one-page PDF with its fonts embedded; empty when it could not
// be produced.
QByteArray renderPDF(const DocumentPageContent& page, const DocumentLogo& logo);

// The PDF of an editor document as its parties print it, the logo read
// through the media reader.
QByteArray renderDocumentPDF(const CommercialDocumentItem& document, const DocumentParties& parties,
                             const MediaReader& media);

} // namespace velmora
