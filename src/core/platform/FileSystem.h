#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace velmora {

struct FileEntry {
    QString name;
    QString path;
    std::optional<QDateTime> modified;
    bool isHidden = false;
    bool isDirectory = false;
};

// Every file operation of the session store goes through this service, so
// that a full disk or an unwritable folder can be staged in tests. Failures
// carry a French message that ends with the system's own description.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool exists(const QString& path) const = 0;
    virtual bool isDirectory(const QString& path) const = 0;
    // The whole file, with spare capacity so the decoder can read it in place.
    virtual Result<QByteArray> readFile(const QString& path) const = 0;
    // Temporary file in the same folder, flushed to disk, then renamed over
    // the target: the previous content stays whole until the new one is.
    virtual Result<> writeFileAtomically(const QString& path, QByteArrayView bytes) = 0;
    // The same, for content produced piece by piece; a failure of `produce`
    // leaves the target as it was.
    using Producer = std::function<Result<>(QIODevice&)>;
    virtual Result<> writeStreamAtomically(const QString& path, const Producer& produce) = 0;
    // Removes the temporaries that a crash during an atomic write left beside
    // `targetName` in `folder` (every target of the folder when no name is
    // given), and nothing else.
    virtual void removeWriteLeftovers(const QString& folder,
                                      const QString& targetName = QString()) = 0;
    // Atomic too: the copy appears whole or not at all.
    virtual Result<> copyFile(const QString& from, const QString& to) = 0;
    virtual Result<> moveItem(const QString& from, const QString& to) = 0;
    virtual Result<> removeItem(const QString& path) = 0;
    // With every missing intermediate folder.
    virtual Result<> createDirectories(const QString& path) = 0;
    virtual QList<FileEntry> listDirectory(const QString& path) const = 0;
};

} // namespace velmora
