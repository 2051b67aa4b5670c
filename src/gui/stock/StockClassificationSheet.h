#pragma once

#include "core/stock/StockClassification.h"

#include <QDialog>
#include <QList>

class QFrame;
class QLabel;
class QListView;
class QPushButton;
class QStackedLayout;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class Dialogs;
class StockClassListModel;
struct SectionServices;

// "Catégories et tags": the four levels of the stock's classification side
// by side, titled as the stock settings name them, each with its "+",
// "Modifier" and "Supprimer" (the Delete key too). An entry is written in a
// small sheet of its own; every change is saved at once, so this one only
// has "Fermer" (Escape too).
class StockClassificationSheet : public QDialog {
    Q_OBJECT

public:
    static QString title() { return StockClassification::sheetTitle(); }
    static QString closeText() { return QStringLiteral("Fermer"); }

    StockClassificationSheet(const SectionServices& services, QWidget* parent);

    // Opens the sheet of a new entry of that level, as its "+" does.
    void addEntry(StockClassLevel level);
    // Opens the sheet of the entry, when it exists.
    void editEntry(StockClassLevel level, const QUuid& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pane {
        StockClassLevel level = StockClassLevel::category;
        QFrame* card = nullptr;
        QLabel* title = nullptr;
        QListView* list = nullptr;
        StockClassListModel* model = nullptr;
        QLabel* empty = nullptr;
        QStackedLayout* stack = nullptr;
        QPushButton* add = nullptr;
        QPushButton* edit = nullptr;
        QPushButton* remove = nullptr;
    };

    Pane makePane(StockClassLevel level);
    void refresh();
    void updateButtons(const Pane& pane);
    QUuid selected(const Pane& pane) const;
    void select(StockClassLevel level, const QUuid& id);
    void editSelected(const Pane& pane);
    void removeSelected(const Pane& pane);
    void showError(const QString& message);

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    QList<Pane> m_panes;
    QLabel* m_error = nullptr;
};

} // namespace velmora::gui
