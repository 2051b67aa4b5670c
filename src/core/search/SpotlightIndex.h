#pragma once

#include "core/search/SpotlightHit.h"
#include "core/search/SpotlightSession.h"

#include <QList>
#include <QString>

#include <array>

namespace velmora {

struct SpotlightOptions {
    // The external tools vault is locked: its tools are found by their name
    // alone and show nothing else.
    bool vaultLocked = false;
    // The hits listed per section, all of them when negative; a section's
    // count stays the number of its matches.
    qsizetype hitLimit = -1;
};

// The global search over one session. Every searched field of every record
// is folded once, when the index is built, and kept beside the record it
// comes from, so a query only looks for its own folded text in prepared
// strings. Building is a pure function of the session, which may run on a
// worker thread after each change of the store; the index keeps a copy of
// the session that shares its lists.
class SpotlightIndex {
public:
    explicit SpotlightIndex(AppDatabase session = {});

    // The sections with hits, in category order, and the empty-result text
    // when the trimmed query holds something and nothing matched. A blank
    // query gives neither.
    SpotlightResult search(const QString& query, const SpotlightOptions& options = {}) const;

private:
    // The folded fields of a category's records end to end, in record order.
    // A field never matches across its end into the next one.
    struct FoldedRecords {
        QString text;
        QList<qsizetype> fieldEnds;  // in `text`, one per non-empty field
        QList<qint32> fieldRecords;  // the record of each field, in `records`
        QList<qsizetype> recordEnds; // in `text`, one per record
        QList<SpotlightRef> records;

        // `folded` is one more field, already folded.
        void add(SpotlightRef ref, std::initializer_list<const QString*> fields,
                 const QString& folded = {});
        void endField(qint32 record);
        // The records with a field holding `folded`, in order.
        QList<SpotlightRef> matching(const QString& folded) const;
    };

    void fold(const AppDatabase& db);
    const FoldedRecords& folded(SpotlightCategory category, bool vaultLocked) const;

    SpotlightSession m_session;
    std::array<FoldedRecords, spotlightCategoryCount> m_folded;
    // The tools by name only, as a locked vault lets them be found.
    FoldedRecords m_toolNames;
};

} // namespace velmora
