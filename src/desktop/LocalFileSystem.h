#pragma once

#include "core/platform/FileSystem.h"

namespace velmora {

class LocalFileSystem final : public FileSystem {
public:
    bool exists(const QString& path) const override;
    bool isDirectory(const QString& path) const override;
    Result<QByteArray> readFile(const QString& path) const override;
    Result<> writeFileAtomically(const QString& path, QByteArrayView bytes) override;
    Result<> writeStreamAtomically(const QString& path, const Producer& produce) override;
    void removeWriteLeftovers(const QString& folder,
                              const QString& targetName = QString()) override;
    Result<> copyFile(const QString& from, const QString& to) override;
    Result<> moveItem(const QString& from, const QString& to) override;
    Result<> removeItem(const QString& path) override;
    Result<> createDirectories(const QString& path) override;
    QList<FileEntry> listDirectory(const QString& path) const override;
};

} // namespace velmora
