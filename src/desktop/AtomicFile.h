#pragma once

#include "core/Result.h"

#include <QFile>
#include <QString>

namespace velmora {

// Writes a file so that the previous content stays whole until the new one is
// on disk: a temporary named after the target (".NAME.velmora-XXXXXX", in the
// same folder) is written, synced, renamed over the target, and the folder is
// synced. A crash can leave only such a temporary, which removeLeftovers()
// recognises by its name and nothing else.
class AtomicFile {
public:
    explicit AtomicFile(QString target);
    ~AtomicFile(); // removes the temporary unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    Result<> open();
    QFile& device() { return m_file; }
    Result<> commit();

    // The temporaries a crash left for `targetName` in `folder`; with no
    // target name, those of every target in the folder.
    static void removeLeftovers(const QString& folder, const QString& targetName = QString());
    static bool isLeftoverName(const QString& fileName, const QString& targetName = QString());

    // Tests only: runs after the temporary is synced, before the rename.
    static void setBeforeRenameHook(void (*hook)());

private:
    Result<> failure(int errnum, const char* step);

    QString m_target;
    QString m_temporary;
    int m_fd = -1;
    QFile m_file;
    bool m_committed = false;
};

} // namespace velmora
