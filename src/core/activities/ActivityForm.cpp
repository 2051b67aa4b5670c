#include "core/activities/ActivityForm.h"

#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"

#include <QFileInfo>

#include <algorithm>

namespace velmora {
namespace {

bool isBlank(const ProjectEvent& event) {
    return event.name.trimmed().isEmpty() && event.location.trimmed().isEmpty() &&
           event.duration.trimmed().isEmpty();
}

bool isBlank(const ProjectFilePath& shortcut) {
    return shortcut.name.trimmed().isEmpty() && shortcut.path.trimmed().isEmpty();
}

// The last part of a path, or the path itself ("/", "C:/").
QString nameOfPath(const QString& path) {
    QString trimmed = path;
    while (trimmed.size() > 1 &&
           (trimmed.endsWith(QLatin1Char('/')) || trimmed.endsWith(QLatin1Char('\\'))))
        trimmed.chop(1);
    const QString name = QFileInfo(trimmed).fileName();
    return name.isEmpty() ? path : name;
}

// Days as the user picked them: an end later the same day is not earlier.
bool endsBeforeStart(const ProjectItem& project) {
    return project.startDate && project.endDate &&
           project.endDate->toLocalTime().date() < project.startDate->toLocalTime().date();
}

// The refusal of a written record, or an empty text.
QString refusal(const ProjectItem& project, const AppDatabase& session) {
    if (project.status.isEmpty() || !session.projectStatusOptions.contains(project.status))
        return ActivityForm::statusRequiredMessage();
    if (endsBeforeStart(project))
        return ActivityForm::endBeforeStartMessage();
    if (std::any_of(project.events.cbegin(), project.events.cend(),
                    [](const ProjectEvent& e) { return e.name.isEmpty(); }))
        return ActivityForm::unnamedEventMessage();
    for (const ProjectFilePath& shortcut : project.filePaths) {
        if (shortcut.path.isEmpty())
            return ActivityForm::filePathRequiredMessage(shortcut.name);
    }
    return {};
}

} // namespace

QList<TagItem> activityTags(const AppDatabase& session) {
    return session.projectTags + session.clientProjectTags + session.personalProjectTags;
}

ActivityForm::ActivityForm(const AppDatabase& session, std::optional<QUuid> clientID) {
    fields.id = QUuid::createUuid();
    fields.linkedClientID = clientID;
    const QList<QString>& statuses = session.projectStatusOptions;
    if (statuses.contains(ActivityTexts::defaultStatus()))
        fields.status = ActivityTexts::defaultStatus();
    else if (!statuses.isEmpty())
        fields.status = statuses.first();
    if (!session.projectTypeOptions.isEmpty())
        fields.type = session.projectTypeOptions.first();
    m_openedStatus = fields.status;
}

ActivityForm::ActivityForm(const ProjectItem& project)
    : fields(project), m_isNew(false), m_openedStatus(project.status) {}

QUuid ActivityForm::addEvent(const QDateTime& date) {
    ProjectEvent event;
    event.id = QUuid::createUuid();
    event.date = date;
    fields.events.append(event);
    return event.id;
}

bool ActivityForm::removeEvent(const QUuid& id) {
    return fields.events.removeIf([&](const ProjectEvent& e) { return e.id == id; }) > 0;
}

QUuid ActivityForm::addFilePath(const QString& name, ProjectFilePathType type,
                                const QString& path) {
    const ProjectFilePath shortcut{QUuid::createUuid(), name, type, path};
    fields.filePaths.append(shortcut);
    return shortcut.id;
}

bool ActivityForm::removeFilePath(const QUuid& id) {
    return fields.filePaths.removeIf([&](const ProjectFilePath& f) { return f.id == id; }) > 0;
}

void ActivityForm::setTag(const QUuid& tagID, bool on) {
    setIdIn(fields.tagIDs, tagID, on);
}

QString ActivityForm::validate(const AppDatabase& session) const {
    return refusal(written(), session);
}

ProjectItem ActivityForm::written() const {
    ProjectItem project = fields;
    project.title = project.title.trimmed();
    if (project.iconName && project.iconName->trimmed().isEmpty())
        project.iconName.reset();
    project.events.removeIf([](const ProjectEvent& e) { return isBlank(e); });
    for (ProjectEvent& event : project.events) {
        for (QString* text : {&event.name, &event.location, &event.duration})
            *text = text->trimmed();
    }
    project.filePaths.removeIf([](const ProjectFilePath& f) { return isBlank(f); });
    for (ProjectFilePath& shortcut : project.filePaths) {
        shortcut.name = shortcut.name.trimmed();
        shortcut.path = shortcut.path.trimmed();
        if (shortcut.name.isEmpty())
            shortcut.name = nameOfPath(shortcut.path);
    }
    return project;
}

Result<> ActivityForm::apply(SessionEdit& edit) {
    ProjectItem project = written();
    const AppDatabase& session = edit.session();
    if (!m_isNew) {
        const auto current = std::find_if(session.projects.cbegin(), session.projects.cend(),
                                          [&](const ProjectItem& p) { return p.id == project.id; });
        if (current == session.projects.cend())
            return Result<>::notFound(notFoundMessage());
        if (project.status == m_openedStatus)
            project.status = current->status;
        project.isCancelled = current->isCancelled;
        project.cancelledAt = current->cancelledAt;
        project.preCancelStatus = current->preCancelStatus;
        project.linkedInvoiceIDs = current->linkedInvoiceIDs;
        project.linkedQuoteIDs = current->linkedQuoteIDs;
        project.attachments = current->attachments;
    }
    if (const QString message = refusal(project, session); !message.isEmpty())
        return Result<>::invalid(message);
    keepKnownTags(project.tagIDs, activityTags(session));
    Result<> applied = putRecord(
        session.projects, [&]() -> QList<ProjectItem>& { return edit.projects(); }, project,
        m_isNew, notFoundMessage());
    if (applied.ok())
        edit.whenSaved([this, project] {
            fields = project;
            m_isNew = false;
            m_openedStatus = project.status;
        });
    return applied;
}

} // namespace velmora
