#pragma once

#include "core/Result.h"

#include <QDialog>
#include <QList>

#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace velmora {
class AppDataStore;
class SessionEdit;
} // namespace velmora

namespace velmora::gui {

class Dialogs;

// The activity statuses of the session as a list editor: colour, name,
// order, deletion, and a new status below. Each change is saved at once,
// so the sheet only has "Fermer"; refusals show under the list.
class ProjectStatusesSheet : public QDialog {
    Q_OBJECT

public:
    static QString title() { return QStringLiteral("Statuts des activités"); }
    static QString closeText() { return QStringLiteral("Fermer"); }
    static QString addText() { return QStringLiteral("Ajouter"); }

    ProjectStatusesSheet(AppDataStore& store, Dialogs& dialogs, QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;

private:
    // The widgets of one line; a line stands for the status at its index.
    struct Row {
        QComboBox* color = nullptr;
        QLineEdit* name = nullptr;
        QLabel* lock = nullptr;
        QToolButton* up = nullptr;
        QToolButton* down = nullptr;
        QToolButton* remove = nullptr;
    };

    void refresh();
    Row makeRow(int index);
    void dropRow();
    void fillRow(int index);
    void chainTabs();

    // Runs one change through the store; false (and the message shown)
    // when it was refused or not saved.
    bool apply(const std::function<Result<>(SessionEdit&)>& change);

    void recolor(int index);
    void rename(int index);
    void move(int index, int to);
    void remove(int index);
    void add();
    void showError(const QString& message);

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    QGridLayout* m_grid = nullptr;
    QList<Row> m_rows;
    QLabel* m_error = nullptr;
    QLineEdit* m_newName = nullptr;
    QComboBox* m_newColor = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace velmora::gui
