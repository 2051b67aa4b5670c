#pragma once

#include "desktop/LocalFileSystem.h"

#include <QSet>

namespace velmora::test {

// The real file system, except for the operations told to fail: they fail as
// the system would, with its description (for example a full disk).
class FaultyFileSystem final : public FileSystem {
public:
    enum class Op { Write, Copy, Move, Remove, CreateDirectories };

    void failOn(Op op, const QString& systemError = QStringLiteral("No space left on device")) {
        m_failing.insert(op);
        m_error = systemError;
    }
    // Only the operations on paths that contain `pathPart` fail.
    void failOnPath(Op op, const QString& pathPart,
                    const QString& systemError = QStringLiteral("Permission denied")) {
        failOn(op, systemError);
        m_onlyPath = pathPart;
    }
    void heal() {
        m_failing.clear();
        m_onlyPath.clear();
    }
    int attempts(Op op) const { return m_attempts.value(op); }
    int reads(const QString& path) const { return m_reads.value(path); }

    bool exists(const QString& path) const override { return m_real.exists(path); }
    bool isDirectory(const QString& path) const override { return m_real.isDirectory(path); }
    Result<QByteArray> readFile(const QString& path) const override {
        ++m_reads[path];
        return m_real.readFile(path);
    }
    Result<> writeFileAtomically(const QString& path, QByteArrayView bytes) override {
        return guard(Op::Write, path) ? m_real.writeFileAtomically(path, bytes) : failure(path);
    }
    Result<> writeStreamAtomically(const QString& path, const Producer& produce) override {
        return guard(Op::Write, path) ? m_real.writeStreamAtomically(path, produce) : failure(path);
    }
    void removeWriteLeftovers(const QString& folder, const QString& targetName) override {
        m_real.removeWriteLeftovers(folder, targetName);
    }
    Result<> copyFile(const QString& from, const QString& to) override {
        return guard(Op::Copy, to) ? m_real.copyFile(from, to) : failure(to);
    }
    Result<> moveItem(const QString& from, const QString& to) override {
        return guard(Op::Move, to) ? m_real.moveItem(from, to) : failure(from);
    }
    Result<> removeItem(const QString& path) override {
        return guard(Op::Remove, path) ? m_real.removeItem(path) : failure(path);
    }
    Result<> createDirectories(const QString& path) override {
        return guard(Op::CreateDirectories, path) ? m_real.createDirectories(path) : failure(path);
    }
    QList<FileEntry> listDirectory(const QString& path) const override {
        return m_real.listDirectory(path);
    }

private:
    bool guard(Op op, const QString& path) {
        ++m_attempts[op];
        return !m_failing.contains(op) || (!m_onlyPath.isEmpty() && !path.contains(m_onlyPath));
    }
    Result<> failure(const QString& path) const {
        return Result<>::failure(QStringLiteral("« %1 » : %2").arg(path, m_error));
    }

    LocalFileSystem m_real;
    QSet<Op> m_failing;
    QHash<Op, int> m_attempts;
    mutable QHash<QString, int> m_reads;
    QString m_error;
    QString m_onlyPath;
};

} // namespace velmora::test
