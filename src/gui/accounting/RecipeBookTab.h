#pragma once

#include "core/accounting/RecipeBook.h"
#include "gui/common/SectionServices.h"
#include "gui/main/SectionPage.h"

#include <QPointer>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace velmora {
class RecipeBookTableModel;
struct RecipeBookLine;
} // namespace velmora

namespace velmora::gui {

// "Livre de recettes": the receipts of a year or a month in a table with
// their total, taken out of the book and brought back from a row's menu,
// exported to CSV or PDF; the exported PDF is then shown. A row opens its
// invoice in the documents section.
class RecipeBookTab : public SectionPage {
    Q_OBJECT

public:
    explicit RecipeBookTab(const SectionServices& services, QWidget* parent = nullptr);

    // "Exporter en PDF" of the "Fichier" menu.

    RecipeBookTableModel* model() const { return m_model; }
    // The choice of format, then the export.
    void exportBook();
    void exportCsv();
    void exportPdf();

private:
    void refresh();
    void fillYears();
    void readPeriod();
    void updateState();
    const RecipeBookLine* currentLine() const;
    void showContextMenu(const QPoint& at);
    void openCurrent();
    void excludeCurrent();
    void reintegrateCurrent();
    void showPdf(const QByteArray& pdf, const QString& path);

    SectionServices m_services;
    RecipeBookTableModel* m_model = nullptr;
    QWidget* m_filters = nullptr;
    QComboBox* m_year = nullptr;
    QComboBox* m_month = nullptr;
    QCheckBox* m_showRemoved = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_export = nullptr;
    QStackedWidget* m_pages = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_total = nullptr;
    QAction* m_open = nullptr;
    QAction* m_exclude = nullptr;
    QAction* m_reintegrate = nullptr;
    QPointer<QDialog> m_preview;
    bool m_yearChosen = false;
};

} // namespace velmora::gui
