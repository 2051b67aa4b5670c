#pragma once

#include "core/store/Alert.h"
#include "core/store/AppDataStore.h"

#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// What a document flow tells the screen. Only "applied" changed the session
// (and saved it); every other outcome left the store as it was.
struct DocumentResult {
    enum class Kind {
        applied,
        unchanged, // nothing to do: the rule does not apply
        invalid,   // the user's input is refused; message and alert say why
        notFound,  // the record is gone
        notSaved   // the save failed; the change was undone
    };

    Kind kind = Kind::applied;
    QString message;
    std::optional<Alert> alert;
    // A save that succeeded but could not update the user's own file.
    QString warning;
    // The record the flow created, when it created one.
    std::optional<QUuid> createdID;

    bool ok() const { return kind == Kind::applied; }

    static DocumentResult unchanged() { return {Kind::unchanged, {}, {}, {}, {}}; }
    static DocumentResult notFound(QString message) {
        return {Kind::notFound, std::move(message), {}, {}, {}};
    }
    static DocumentResult invalid(QString message, std::optional<Alert> alert = std::nullopt) {
        return {Kind::invalid, std::move(message), std::move(alert), {}, {}};
    }
    static DocumentResult fromSave(const SaveResult& saved) {
        if (!saved.ok)
            return {Kind::notSaved, saved.error, {}, {}, {}};
        return {Kind::applied, {}, {}, saved.warning, {}};
    }
};

// The message of a flow whose document is no longer in the session.
inline QString documentNotFoundMessage() {
    return QStringLiteral("Ce document n'existe plus.");
}

// An alert acknowledged by a single "OK".
inline Alert okAlert(QString title, QString message, Alert::Kind kind = Alert::Kind::warning) {
    return Alert{kind,
                 std::move(title),
                 std::move(message),
                 {AlertButton{QStringLiteral("OK"), AlertRole::defaultAction}}};
}

} // namespace velmora
