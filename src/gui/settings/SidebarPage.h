#pragma once

#include "core/app/SidebarMenuEditor.h"

#include "gui/settings/SettingsPanel.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// "Menu latéral": the sections of the main window in the user's order, each
// renamed in place and switched on or off. A move, a switch or the reset is
// written at once, a name as the user leaves its field.
class SidebarPage : public SettingsPanel {
    Q_OBJECT

public:
    SidebarPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    void refreshIcons();

    QWidget* settle() override;
    void discard() override;

    // The widgets of one row of the list.
    QLineEdit* nameField(int row) const;
    QCheckBox* enabledBox(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveSelected(int step);
    void reset();
    // Applies the list as the user leaves a name; false when a name is
    // refused.
    bool commit();
    void showNames();
    QWidget* rowWidget(int row);
    void rename(QLineEdit* field, const QString& name);
    void switchRow(QCheckBox* box, bool enabled);
    int rowOf(const QWidget* child) const;
    void reloadFromStore();
    void showItems(int selectedRow);
    void updateButtons();

    AppDataStore& m_store;
    SidebarMenuEditor m_editor;
    QListWidget* m_list = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QLabel* m_error = nullptr;
    bool m_applying = false;
};

} // namespace velmora::gui
