#pragma once

#include "core/model/RawNames.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace velmora {

enum class ProjectCompletionState { delivered, finished };
VELMORA_RAW(ProjectCompletionState, "delivered", "finished");

enum class ProjectAttachmentKind { image, document };
VELMORA_RAW(ProjectAttachmentKind, "image", "document");

enum class ProjectFilePathType { folder, file };
VELMORA_RAW_DISPLAY(ProjectFilePathType, VELMORA_LIST("folder", "file"),
                    VELMORA_LIST(u"Dossier", u"Fichier"));

struct ProjectEvent {
    QUuid id;
    QString name;
    QDateTime date;
    QString location;
    QString duration;

    friend bool operator==(const ProjectEvent&, const ProjectEvent&) = default;
};

template <class Io> void describe(Io& io, ProjectEvent& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.required("date", r.date);
    io.required("location", r.location);
    io.required("duration", r.duration);
}

struct ProjectAttachment {
    QUuid id;
    QString originalFileName;
    QUrl storedFileURL;
    ProjectAttachmentKind kind = ProjectAttachmentKind::document;

    friend bool operator==(const ProjectAttachment&, const ProjectAttachment&) = default;
};

template <class Io> void describe(Io& io, ProjectAttachment& r) {
    io.required("id", r.id);
    io.required("originalFileName", r.originalFileName);
    io.required("storedFileURL", r.storedFileURL);
    io.required("kind", r.kind);
}

// A folder or file of the user's disk; only its path is kept, never its bytes.
struct ProjectFilePath {
    QUuid id;
    QString name;
    ProjectFilePathType type = ProjectFilePathType::folder;
    QString path;

    friend bool operator==(const ProjectFilePath&, const ProjectFilePath&) = default;
};

template <class Io> void describe(Io& io, ProjectFilePath& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.required("type", r.type);
    io.required("path", r.path);
}

// An activity (mission).
struct ProjectItem {
    QUuid id;
    QString title;
    QString info;
    QString type;
    QString status;
    QString notes;
    std::optional<QUuid> linkedClientID;
    std::optional<QUuid> linkedServiceID;
    std::optional<QUrl> photoURL;
    std::optional<QString> iconName;
    QList<ProjectEvent> events;
    QList<QUuid> tagIDs;
    std::optional<QDateTime> endDate;
    std::optional<ProjectCompletionState> completionState;
    QList<ProjectAttachment> attachments;
    QList<ProjectFilePath> filePaths;
    bool isCancelled = false;
    std::optional<QDateTime> cancelledAt;
    std::optional<QString> preCancelStatus;
    QList<QUuid> linkedInvoiceIDs;
    QList<QUuid> linkedQuoteIDs;
    std::optional<QDateTime> startDate;

    friend bool operator==(const ProjectItem&, const ProjectItem&) = default;
};

template <class Io> void describe(Io& io, ProjectItem& r) {
    io.required("id", r.id);
    io.required("title", r.title);
    io.required("info", r.info);
    io.required("type", r.type);
    io.required("status", r.status);
    io.required("notes", r.notes);
    io.optional("linkedClientID", r.linkedClientID);
    io.optional("linkedServiceID", r.linkedServiceID);
    io.optional("photoURL", r.photoURL);
    io.optional("iconName", r.iconName);
    io.fallback("events", r.events);
    io.fallback("tagIDs", r.tagIDs);
    io.optional("endDate", r.endDate);
    io.optional("completionState", r.completionState);
    io.fallback("attachments", r.attachments);
    io.fallback("filePaths", r.filePaths);
    io.fallback("isCancelled", r.isCancelled);
    io.optional("cancelledAt", r.cancelledAt);
    io.optional("preCancelStatus", r.preCancelStatus);
    io.fallback("linkedInvoiceIDs", r.linkedInvoiceIDs);
    io.fallback("linkedQuoteIDs", r.linkedQuoteIDs);
    io.optional("startDate", r.startDate);
}

} // namespace velmora
