#pragma once

#include "core/model/AppDatabase.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

class QIODevice;

namespace velmora {

enum class SessionFormat {
    Compact,      // the working copy and its mirrors
    PrettySorted, // the user's explicit export
};

QByteArray encodeSession(const AppDatabase& db, SessionFormat format);

// The compact text of the session's lists, kept between saves: a list that
// was not changed since the last save is not encoded again. Lists are shared
// on copy, so a list holding the same data as the remembered one is the same
// list; the cache keeps that data alive so that its address is never reused.
class EncodedListCache {
public:
    EncodedListCache();
    ~EncodedListCache();
    EncodedListCache(const EncodedListCache&) = delete;
    EncodedListCache& operator=(const EncodedListCache&) = delete;

    void clear() { m_entries.clear(); }
    // How many lists the last save took from the cache, for the benchmarks.
    int reusedInLastSave() const { return m_reused; }

private:
    friend class EncodedListCacheAccess;
    struct Entry {
        std::shared_ptr<const void> list;
        const void* data = nullptr;
        qsizetype size = -1;
        QByteArray text;
    };
    QHash<QByteArray, Entry> m_entries;
    int m_reused = 0;
};

// Encodes into `out`, replacing its content but keeping its memory: a caller
// that saves again and again (the session store) reuses one buffer instead of
// touching fresh pages for every save. With a cache, compact lists that did
// not change since the previous call are copied instead of encoded.
void encodeSession(const AppDatabase& db, SessionFormat format, QByteArray& out,
                   EncodedListCache* cache = nullptr);

// Streams the session into a device. False, with the device's error text in
// *error, when a write failed.
bool encodeSession(const AppDatabase& db, SessionFormat format, QIODevice& device,
                   QString* error = nullptr);

} // namespace velmora
