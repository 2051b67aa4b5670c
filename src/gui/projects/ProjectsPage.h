#pragma once

#include "gui/common/RecordSectionPage.h"

#include <QList>
#include <QUrl>

namespace velmora {
class ActivityListModel;
struct ProjectFilePath;
} // namespace velmora

namespace velmora::gui {

class ProjectFormSheet;
class RecordCard;
class TagChips;

// "Activités": the list searched by title, information, notes and client,
// filtered by tags and by status; the card of the selected activity with its
// milestones, documents, attachments (files may be dropped on it) and
// working-file shortcuts; the form sheet; cancellation, reactivation and
// deletion after their confirmations.
class ProjectsPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit ProjectsPage(const SectionServices& services, QWidget* parent = nullptr);

    // Clears the status filter too when it hides the activity.
    void reveal(const QUuid& id) override;

public slots:
    // Copies the files into the session and joins them to the activity.
    void attachFiles(const QUuid& projectID, const QList<QUrl>& files);
    // The settings of the activity statuses (names, colours, order).
    void showStatusSettings();

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;
    bool canEdit(const QUuid& id) const override;
    // A status opens the statuses' settings.
    bool holdsTag(const QUuid& id) const override;
    void showTag(const QUuid& id) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    bool isStatus(const QUuid& id) const;
    void openForm(ProjectFormSheet* sheet);
    void cancelRecord(const QUuid& id);
    void reactivateRecord(const QUuid& id);
    void chooseAttachment(const QUuid& id);
    void removeAttachment(const QUuid& projectID, const QUuid& attachmentID);
    void openFilePath(const ProjectFilePath& shortcut);
    void addStatusFilter();
    void addHeaderButton();

    ActivityListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
    TagChips* m_statusChips = nullptr;
};

} // namespace velmora::gui
