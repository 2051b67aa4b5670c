// libFuzzer target: any bytes given to the session decoders either read or
// are refused with a French message; what reads must write and read back the
// same.

#include "core/model/SessionDecoder.h"
#include "core/model/SessionEncoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace velmora;

namespace {

const QString kRefusal = QStringLiteral("Fichier de session illisible : ");

[[noreturn]] void finding(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "%s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void checkRefusal(const QString& message) {
    if (!message.startsWith(kRefusal))
        finding("refusal without the expected message:", message);
}

void checkRoundTrip(const AppDatabase& db, const Clock& clock, SessionFormat format) {
    const auto again = decodeSession(encodeSession(db, format), clock);
    if (!again)
        finding("written session does not read back:", again.error());
    if (!(again.value() == db))
        finding("written session reads back different");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FixedClock clock(QDateTime(QDate(2025, 6, 10), QTime(9, 0), Qt::UTC));
    const auto* chars = reinterpret_cast<const char*>(data);

    // Files come from disk with spare room behind them and are parsed in
    // place; a buffer without that room is copied first. Take both roads.
    QByteArray padded;
    padded.reserve(qsizetype(size) + kDecodePadding);
    padded.append(chars, qsizetype(size));
    const QByteArray tight(chars, qsizetype(size));

    const auto db = decodeSession(padded, clock);
    if (db) {
        checkRoundTrip(db.value(), clock, SessionFormat::Compact);
        checkRoundTrip(db.value(), clock, SessionFormat::PrettySorted);
    } else {
        checkRefusal(db.error());
    }

    const auto preview = decodePreview(tight);
    if (!preview)
        checkRefusal(preview.error());
    return 0;
}
