#pragma once

#include "core/model/AppDatabase.h"
#include "core/search/SpotlightHit.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <array>

namespace velmora {

// A tag or status as the search sees it, whatever its record.
struct SpotlightTag {
    QUuid id;
    QString name;
    TagColorOption color = TagColorOption::blue;
};

// One list of tags of a context, named as its hits name it ("Type Clients",
// "Statut devis"…).
struct SpotlightTagPool {
    QString name;
    QList<SpotlightTag> tags;
};

// A record of a category: its row in its list, and for tags the pool.
struct SpotlightRef {
    qint32 pool = 0;
    qint32 row = 0;
};

// The session as the search reads it: the records (a copy sharing the
// session's lists), the client names and stock titles by id, the tag pools
// and the names of the sections, all worked out once.
class SpotlightSession {
public:
    explicit SpotlightSession(AppDatabase session = {});

    const AppDatabase& db() const { return m_db; }
    // The display name of the client, empty when there is none.
    QString clientName(const std::optional<QUuid>& id) const;
    // The client a document names, from its snapshot once issued.
    QString documentClient(const CommercialDocumentItem& document) const;
    // A section header: the sidebar's name of the section the category is.
    QString sectionName(SpotlightCategory category) const;
    // Empty for the categories of records.
    const QList<SpotlightTagPool>& tagPools(SpotlightCategory category) const;

    // The hit of a record. With the vault locked a tool shows its name only.
    SpotlightHit hit(SpotlightCategory category, SpotlightRef ref, bool vaultLocked) const;

private:
    SpotlightHit recordHit(SpotlightCategory category, qint32 row, bool vaultLocked) const;

    AppDatabase m_db;
    QHash<QUuid, QString> m_clientNames;
    QHash<QUuid, QString> m_stockTitles;
    std::array<QString, spotlightCategoryCount> m_sectionNames;
    std::array<QList<SpotlightTagPool>, spotlightCategoryCount> m_tagPools;
};

} // namespace velmora
