#pragma once

#include "core/model/Base64Data.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace velmora {

// One recently used session, kept in the user defaults rather than in any
// session file.
struct RecentEntry {
    QString urlString;
    QString displayName;
    std::optional<Base64Data> bookmarkData;
    std::optional<QString> sessionName;
    std::optional<Base64Data> profilePhotoData;
    std::optional<QString> profileImageName;

    friend bool operator==(const RecentEntry&, const RecentEntry&) = default;
};

template <class Io> void describe(Io& io, RecentEntry& r) {
    io.required("urlString", r.urlString);
    io.required("displayName", r.displayName);
    io.optional("bookmarkData", r.bookmarkData);
    io.optional("sessionName", r.sessionName);
    io.optional("profilePhotoData", r.profilePhotoData);
    io.optional("profileImageName", r.profileImageName);
}

// A JSON array of entries, with the session file's rules: absent values are
// omitted, data is padded Base64.
QByteArray encodeRecentEntries(const QList<RecentEntry>& entries);
// Nothing when any entry is malformed: a damaged list is dropped as a whole.
std::optional<QList<RecentEntry>> decodeRecentEntries(const QByteArray& json);

} // namespace velmora
