#pragma once

#include "core/documents/DocumentPageContent.h"
#include "core/documents/DocumentPdfExport.h"
#include "render/DocumentLogo.h"

#include <QByteArray>
#include <QSizeF>

class QPainter;

namespace velmora {

// The design of a quote or invoice page: 794 × 1123 units, A4 at 96 units
// per inch, the size the in-app preview lays it out at.
inline constexpr QSizeF kDocumentPageSize(794, 1123);
// The printed page: A4 in PostScript points, the design scaled by 0.75 so
// that it prints at the size the user sees.
inline constexpr QSizeF kDocumentPdfPageSize(595.28, 841.89);
inline constexpr double kDocumentPdfScale = 0.75;

// What stands in the logo's place when the company has none: the preview
// invites the user to add one; a page that leaves the application keeps the
// space empty.
enum class MissingLogo { placeholder, blank };

// Paints the page in the painter's coordinates, from (0, 0) to the page
// size; a preview scales the painter first. Content taller than the page is
// shrunk to fit it, never cut.
void renderDocumentPage(QPainter& painter, const DocumentPageContent& page,
                        const DocumentLogo& logo,
                        MissingLogo missingLogo = MissingLogo::placeholder);

// The page as a one-page A4 PDF with its fonts embedded, without the logo's
// placeholder; empty when it could not be produced.
QByteArray renderPDF(const DocumentPageContent& page, const DocumentLogo& logo);

// The PDF of an editor document as its parties print it, the logo read
// through the media reader.
QByteArray renderDocumentPDF(const CommercialDocumentItem& document, const DocumentParties& parties,
                             const MediaReader& media);

} // namespace velmora
