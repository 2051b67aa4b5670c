#pragma once

#include "core/model/AppDatabase.h"

#include <QUrl>

#include <functional>

namespace velmora {

// Every URL of the records that names a media file of the session (photos,
// attachments, logos, imported PDFs, receipts). The backup folder of the
// storage preferences is a place, not a media file, and is left out.
void forEachMediaUrl(const AppDatabase& db, const std::function<void(const QUrl&)>& visit);
void rewriteMediaUrls(AppDatabase& db, const std::function<void(QUrl&)>& rewrite);

} // namespace velmora
