#include "core/documents/DocumentNumbering.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace velmora {
namespace {

struct YearSequence {
    qint64 year = 0;
    qint64 sequence = 0;
};

std::optional<qint64> parseInteger(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<YearSequence> parseNumber(const QString& number, const QString& prefix) {
    if (!number.startsWith(prefix))
        return std::nullopt;
    const QStringList pieces =
        number.mid(prefix.size()).split(QLatin1Char('-'), Qt::SkipEmptyParts);
    if (pieces.size() != 2)
        return std::nullopt;
    const auto year = parseInteger(pieces[0]);
    const auto sequence = parseInteger(pieces[1]);
    if (!year || !sequence)
        return std::nullopt;
    return YearSequence{*year, *sequence};
}

} // namespace

QString documentNumberPrefix(CommercialDocumentKind kind) {
    return kind == CommercialDocumentKind::invoice ? QStringLiteral("F-") : QStringLiteral("D-");
}

QString nextDocumentNumber(CommercialDocumentKind kind,
                           const QList<CommercialDocumentItem>& documents, const QDate& today) {
    const QString prefix = documentNumberPrefix(kind);
    QList<YearSequence> found;
    for (const CommercialDocumentItem& document : documents) {
        if (document.kind != kind)
            continue;
        if (const auto parsed = parseNumber(document.number, prefix))
            found.append(*parsed);
    }
    qint64 year = today.year();
    qint64 sequence = 1;
    if (!found.isEmpty()) {
        year = found.first().year;
        for (const YearSequence& n : found)
            year = std::max(year, n.year);
        qint64 largest = 0;
        bool any = false;
        for (const YearSequence& n : found) {
            if (n.year == year) {
                largest = any ? std::max(largest, n.sequence) : n.sequence;
                any = true;
            }
        }
        // A sequence already at the largest integer cannot grow; it is reused
        // rather than wrapped to a negative number.
        sequence = largest < std::numeric_limits<qint64>::max() ? largest + 1 : largest;
    }
    // "%@%d-%03d": the sequence is zero-padded to three digits, longer ones
    // are written whole.
    return prefix + QString::asprintf("%lld-%03lld", static_cast<long long>(year),
                                      static_cast<long long>(sequence));
}

} // namespace velmora
