#pragma once

#include "core/accounting/RecipeBookPdfExport.h"

#include <QByteArray>
#include <QSizeF>

class QPainter;

namespace velmora {

// A page of the recipe book: A4 in PostScript points.
inline constexpr QSizeF kRecipeBookPageSize(595.28, 841.89);

// Paints one page in the painter's coordinates, from (0, 0) to the page size.
void renderRecipeBookPage(QPainter& painter, const LivreRecettesPDFPage& page);

// The pages as one PDF document with its fonts embedded; empty when it could
// not be produced or the progress asked to stop.
QByteArray renderRecipeBookPDF(const QList<LivreRecettesPDFPage>& pages,
                               const RecipePageProgress& progress = {});

} // namespace velmora
