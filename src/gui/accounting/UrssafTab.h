#pragma once

#include "core/Result.h"
#include "gui/common/SectionServices.h"
#include "gui/main/SectionPage.h"

#include <QUuid>
#include <QWidget>

#include <optional>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;

namespace velmora {
struct URSSAFDeclaration;
}

namespace velmora::gui {

// The "URSSAF" tab of the accounting section: the estimate of the current
// month, the declarations by year (newest period first) with their year's
// sums, and what can be done to one of them; the declaration and settings
// sheets open from here. As a tab of the section it takes "Nouveau",
// "Modifier" and the Delete key.
class UrssafTab : public SectionPage {
    Q_OBJECT

public:
    explicit UrssafTab(const SectionServices& services, QWidget* parent = nullptr);

    // Columns of the list.
    enum Column { periodColumn, frequencyColumn, turnoverColumn, contributionsColumn, stateColumn };

    void reveal(const QUuid& declarationID) override { select(declarationID); }
    bool holds(const QUuid& declarationID) const override;

    void newDeclaration();
    void editSelected();
    void showSettings();
    // Asks first, naming the period.
    void deleteSelected();
    void toggleDeclared();
    void togglePaid();
    void showAttachments();

    // The selected declaration; none when a year or nothing is selected.
    std::optional<URSSAFDeclaration> selected() const;
    void select(const QUuid& declarationID);

private:
    void rebuild();
    void refreshActions();
    void refreshEstimate();
    void report(const Result<>& result);
    void openMenu(const QPoint& at);

    SectionServices m_services;
    QFrame* m_estimate = nullptr;
    QLabel* m_estimateText = nullptr;
    QStackedWidget* m_pages = nullptr;
    QTreeView* m_list = nullptr;
    QStandardItemModel* m_model = nullptr;
    QAction* m_declared = nullptr;
    QAction* m_paid = nullptr;
    QAction* m_files = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_delete = nullptr;
    QList<QPushButton*> m_actionButtons;
};

} // namespace velmora::gui
