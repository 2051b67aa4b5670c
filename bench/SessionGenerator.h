#pragma once

#include "core/model/AppDatabase.h"

namespace velmora::bench {

// How many records of each kind the generated session holds.
struct GeneratorSize {
    int clients = 2000;
    int projects = 1000;
    int documents = 10000;
    int linesPerDocument = 5;
    int services = 300;
    int stockItems = 2000;
    int purchases = 5000;
    int subscriptions = 50;
    int declarations = 120;
    int events = 500;
    int tools = 100;
    int mediaFiles = 300;
    qint64 mediaBytes = 100LL * 1024 * 1024; // all media files together
};

// The benchmark session of the design notes.
GeneratorSize benchmarkSize();
// A few records of each kind, still with every optional field used somewhere.
GeneratorSize smallSize();

// Same size and seed, same session. Every media file is referenced by a record.
// Saves of the session copy it into backupFolder when one is given: a folder
// of the caller's, since the store writes there on every save.
AppDatabase generateSession(const GeneratorSize& size, quint32 seed,
                            const QString& backupFolder = QString());

} // namespace velmora::bench
