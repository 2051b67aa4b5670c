#pragma once

#include "core/Alert.h"
#include "core/accounting/RecipeBook.h"

#include <QByteArray>

#include <optional>

namespace velmora {

class FileSystem;

// "Aucune recette trouvée": the export of an empty period writes nothing.
Alert noRecipeAlert();

// The book as a semicolon-separated file for spreadsheets: UTF-8 with a
// byte-order mark, CR LF line ends, amounts with a decimal comma and a TOTAL
// row.
QByteArray recipeBookCsv(const QList<RecipeEntry>& entries, const QList<ClientItem>& clients);

FilePanel recipeBookCsvSavePanel(const RecipePeriod& period);

// Writes the book atomically to `destination`; the alert to show when there
// is nothing to export or the write fails.
std::optional<Alert> saveRecipeBookCsv(FileSystem& fs, const QList<RecipeEntry>& entries,
                                       const QList<ClientItem>& clients,
                                       const QString& destination);

} // namespace velmora
