#include "core/text/SearchFolding.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace velmora {

namespace {

void appendFolded(QString& folded, QStringView decomposed) {
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
}

// One letter outside ASCII as the search folds it, decomposed once per
// thread and remembered: lists fold every record's texts.
const QString& foldedLetter(char16_t letter) {
    thread_local QHash<char16_t, QString> folded;
    if (const auto known = folded.constFind(letter); known != folded.cend())
        return *known;
    QString text;
    appendFolded(text, QString(QChar(letter)).normalized(QString::NormalizationForm_KD));
    return *folded.insert(letter, text.toCaseFolded());
}

} // namespace

void appendFoldedForSearch(QString& out, QStringView text) {
    // Written in place: a list folds the texts of ten thousand records.
    qsizetype n = out.size();
    out.resize(n + text.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            d[n++] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            QString rest;
            appendFolded(rest, text.mid(i).toString().normalized(QString::NormalizationForm_KD));
            out.truncate(n);
            out += rest.toCaseFolded();
            return;
        }
        const QString& letter = foldedLetter(c);
        if (letter.size() == 1) {
            d[n++] = letter.front();
        } else if (letter.size() > 1) {
            out.truncate(n);
            out += letter;
            n = out.size();
            out.resize(n + text.size() - i - 1);
            d = out.data();
        }
    }
    out.truncate(n);
}

QString foldedForSearch(QStringView text) {
    QString folded;
    appendFoldedForSearch(folded, text);
    return folded;
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
