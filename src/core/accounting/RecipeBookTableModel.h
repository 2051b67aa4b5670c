#pragma once

#include "core/Alert.h"
#include "core/accounting/RecipeBook.h"
#include "core/lists/RecordListModel.h"
#include "core/model/AppDatabase.h"

namespace velmora {

// One row of the book's table: a receipt with its printed texts, and whether
// the user took it out of the book (shown only on request, never counted).
struct RecipeBookLine {
    QUuid id; // the entry's
    RecipeEntry entry;
    LivreRecettesRow row;
    bool removed = false;

    friend bool operator==(const RecipeBookLine&, const RecipeBookLine&) = default;
};

// The recipe book of the accounting screen: the receipts of the chosen
// period, most recent first, with the columns of the printed book. The
// receipts taken out of the book can be shown among the others, so that they
// can be brought back.
class RecipeBookTableModel final : public RecordListModel<RecipeBookLine> {
    Q_OBJECT

public:
    enum Column {
        dateColumn,
        numberColumn,
        clientColumn,
        natureColumn,
        settlementColumn,
        amountColumn,
        columnTotal
    };
    enum Role {
        // True for a receipt taken out of the book.
        RemovedRole = TagColorsRole + 1,
    };

    explicit RecipeBookTableModel(QObject* parent = nullptr) : RecordListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows of the session for the period; call again after every change
    // of the documents, clients, statuses, activities or preferences.
    void refresh(const AppDatabase& db);
    void setPeriod(const RecipePeriod& period) { m_period = period; }
    const RecipePeriod& period() const { return m_period; }
    void setShowRemoved(bool show) { m_showRemoved = show; }
    bool showsRemoved() const { return m_showRemoved; }

    // The receipts the book holds for the period (the removed ones left out),
    // what both exports print.
    QList<RecipeEntry> entries() const;
    double total() const { return m_total; }
    // The years that have a receipt, removed ones included, most recent first.
    const QList<int>& years() const { return m_years; }
    // No invoice gives a receipt, whatever the period.
    bool isBookEmpty() const { return m_years.isEmpty(); }

    // "Total encaissé : 1 234,50 €".
    QString totalText() const;
    // "Aucune recette", "1 recette", "N recettes" (the removed ones aside).
    QString countText() const;

private:
    QVariant recordData(const RecipeBookLine& line, int column, int role) const override;

    RecipePeriod m_period;
    bool m_showRemoved = false;
    qsizetype m_kept = 0;
    double m_total = 0;
    QList<int> m_years;
};

// "Janvier" … "Décembre", for the month filter.
QString recipeMonthTitle(int month);

// The confirmation of "Retirer": what leaves the book and what it changes.
Alert recipeExclusionConfirmation(const RecipeBookLine& line);
// The confirmation of "Réintégrer au livre de recettes" for the invoice of
// the row.
Alert recipeReintegrationConfirmation(const RecipeBookLine& line);
// The export command's choice: "Télécharger en PDF", "Exporter en CSV
// (Excel / LibreOffice)" or "Annuler".
Alert recipeExportChoice(const AccountingRecipeSettings& settings);
// The empty book: "Aucune facture trouvée" and its explanation.
QString emptyRecipeBookTitle();
QString emptyRecipeBookMessage();

} // namespace velmora
