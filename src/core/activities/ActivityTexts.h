#pragma once

#include "core/model/ProjectItem.h"

#include <QString>

namespace velmora {

// The texts of an activity's card and form that the screens show as they
// are, next to the rules that name activities.
namespace ActivityTexts {

inline QString untitled() {
    return QStringLiteral("Activité sans titre");
}
// How an activity is named: its title, or "Activité sans titre" when the
// title holds nothing but white space.
inline QString title(const ProjectItem& project) {
    return project.title.trimmed().isEmpty() ? untitled() : project.title;
}

inline QString notFoundMessage() {
    return QStringLiteral("Cette activité n'existe plus.");
}

// The status the system writes on cancellation and falls back to on
// reactivation; both keep their names in the status settings.
inline QString cancelledStatus() {
    return QStringLiteral("Annulé");
}
inline QString defaultStatus() {
    return QStringLiteral("En cours");
}

inline QString completionLabel(ProjectCompletionState state) {
    return state == ProjectCompletionState::delivered ? QStringLiteral("Livré")
                                                      : QStringLiteral("Terminé");
}

// Attachments: the card's empty state, then the form's drop zone.
inline QString noAttachmentText() {
    return QStringLiteral("Aucun fichier joint.");
}
inline QString noAttachmentDropText() {
    return QStringLiteral(
        "Aucun fichier ajouté. Glissez-déposez des fichiers ici ou utilisez le bouton Ajouter.");
}

// Shortcuts to working files outside the session.
inline QString filePathsSection() {
    return QStringLiteral("Fichiers de travail");
}
inline QString filePathNameHint() {
    return QStringLiteral("Nom (ex. Dossier Photoshop)");
}
inline QString filePathPathHint() {
    return QStringLiteral("Chemin du fichier ou dossier");
}
inline QString noFilePathText() {
    return QStringLiteral(
        "Aucun chemin de fichier. Ajoutez des raccourcis vers vos fichiers de travail.");
}

} // namespace ActivityTexts

} // namespace velmora
