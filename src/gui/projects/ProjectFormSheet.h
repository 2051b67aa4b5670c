#pragma once

#include "core/activities/ActivityForm.h"
#include "gui/common/FormSheet.h"

class QCheckBox;
class QDateEdit;
class QVBoxLayout;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class Dialogs;
class TagChips;

// "Nouvelle activité" / "Modifier l'activité", bound to ActivityForm: title,
// type, status, completion, client, service, optional dates, texts, tags,
// milestones and shortcuts to working files.
class ProjectFormSheet : public FormSheet {
    Q_OBJECT

public:
    ProjectFormSheet(AppDataStore& store, Dialogs& dialogs, ActivityForm activity, QWidget* parent);

    const ActivityForm& model() const { return m_form; }

signals:
    void saved(const QUuid& projectID);

protected:
    bool save() override;

private:
    void addCombos();
    void addDate(const QString& label, const QString& name,
                 std::optional<QDateTime> ProjectItem::*field);
    QVBoxLayout* addListBlock(const QString& title, const QString& addText, const QString& addName,
                              std::function<void()> add);
    void rebuildEvents();
    void rebuildFilePaths();
    void browse(const QUuid& shortcutID);

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    ActivityForm m_form;
    TagChips* m_tags = nullptr;
    QVBoxLayout* m_events = nullptr;
    QVBoxLayout* m_filePaths = nullptr;
};

} // namespace velmora::gui
