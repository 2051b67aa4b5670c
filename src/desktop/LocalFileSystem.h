#pragma once

#include "core/platform/FileSystem.h"

namespace velmora {

class LocalFileSystem final : public FileSystem {
public:
    bool exists(const QString& path) const override;
    bool isDirectory(const QString& path) const override;
    Result<QByteArray> readFile(const QString& path) const override;
    Status writeFileAtomically(const QString& path, QByteArrayView bytes) override;
    Status writeStreamAtomically(const QString& path, const Producer& produce) override;
    void removeWriteLeftovers(const QString& folder,
                              const QString& targetName = QString()) override;
    Status copyFile(const QString& from, const QString& to) override;
    Status moveItem(const QString& from, const QString& to) override;
    Status removeItem(const QString& path) override;
    Status createDirectories(const QString& path) override;
    QList<FileEntry> listDirectory(const QString& path) const override;
};

} // namespace velmora
