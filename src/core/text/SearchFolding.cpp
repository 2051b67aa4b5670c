#include "core/text/SearchFolding.h"

#include <QStringList>

#include <algorithm>

namespace velmora {

QString foldedForSearch(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        // The accents, separated by the decomposition.
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        // The French ligatures do not decompose.
        if (c == u'œ' || c == u'Œ')
            folded += QStringLiteral("oe");
        else if (c == u'æ' || c == u'Æ')
            folded += QStringLiteral("ae");
        else
            folded += c;
    }
    return folded.toCaseFolded();
}

bool matchesSearch(const QString& query, const QStringList& texts) {
    const QStringList words =
        foldedForSearch(query).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList folded;
    for (const QString& text : texts)
        folded << foldedForSearch(text);
    return std::all_of(words.cbegin(), words.cend(), [&](const QString& word) {
        return std::any_of(folded.cbegin(), folded.cend(),
                           [&](const QString& text) { return text.contains(word); });
    });
}

} // namespace velmora
