#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTreeWidget;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

class Dialogs;

// "Paramètres du calendrier": every filter, switched on or off, shown in the
// filter bar or not, in the order the user drags them to; then the tags of
// user events, added with a name and a colour, deleted after a confirmation.
// Each change is saved at once.
class CalendarSettingsSheet : public QDialog {
    Q_OBJECT

public:
    CalendarSettingsSheet(AppDataStore& store, Dialogs& dialogs, QWidget* parent);

private:
    void refresh();
    void saveFilters();
    void addTag();
    void deleteTag();

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    QTreeWidget* m_filters = nullptr;
    QListWidget* m_tags = nullptr;
    QLabel* m_noTags = nullptr;
    QLineEdit* m_tagName = nullptr;
    QComboBox* m_tagColor = nullptr;
    bool m_filling = false;
};

} // namespace velmora::gui
