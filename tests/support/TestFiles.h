#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

namespace velmora::test {

// Writes a file and the folders above it, stamped `modified` when given.
inline void writeFile(const QString& path, const QByteArray& bytes,
                      std::optional<QDateTime> modified = std::nullopt) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
    // Written out first, or closing the file would stamp it again.
    file.flush();
    if (modified) {
        ASSERT_TRUE(file.setFileTime(*modified, QFileDevice::FileModificationTime));
    }
}

// The file's bytes, or nothing when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace velmora::test
