#pragma once

#include "core/store/AppDataStore.h"

#include <QString>

#include <utility>

namespace velmora {

// How the saving of a settings page ended. `invalid` carries the message
// shown under the field; `notSaved` the system's description of the failed
// save, in which case the session is as it was before.
struct SettingsResult {
    enum class Kind { applied, invalid, notSaved };
    Kind kind = Kind::applied;
    QString message;
    // A save that succeeded but could not update the user's own file.
    QString warning;

    bool ok() const { return kind == Kind::applied; }
    static SettingsResult applied(QString warning = {}) {
        return {Kind::applied, {}, std::move(warning)};
    }
    static SettingsResult invalid(QString message) {
        return {Kind::invalid, std::move(message), {}};
    }
    static SettingsResult notSaved(QString message) {
        return {Kind::notSaved, std::move(message), {}};
    }
};

// Saves a change already made in the store; when the save fails, `restore`
// puts the previous values back so that the session in memory stays the one
// on disk.
template <class Restore> SettingsResult saveOrRestore(AppDataStore& store, Restore&& restore) {
    const SaveResult saved = store.save();
    if (saved.ok)
        return SettingsResult::applied(saved.warning);
    restore();
    return SettingsResult::notSaved(saved.error);
}

} // namespace velmora
