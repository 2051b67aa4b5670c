#pragma once

#include "model/AppDatabase.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace velmora {

enum class SessionFormat {
    Compact,      // the working copy and its mirrors
    PrettySorted, // the user's explicit export
};

QByteArray encodeSession(const AppDatabase& db, SessionFormat format);

// Encodes into `out`, replacing its content but keeping its memory: a caller
// that saves again and again (the session store) reuses one buffer instead of
// touching fresh pages for every save.
void encodeSession(const AppDatabase& db, SessionFormat format, QByteArray& out);

// Streams the session into a device. False, with the device's error text in
// *error, when a write failed.
bool encodeSession(const AppDatabase& db, SessionFormat format, QIODevice& device,
                   QString* error = nullptr);

} // namespace velmora
