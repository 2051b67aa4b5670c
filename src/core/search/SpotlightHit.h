#pragma once

#include "core/model/RawNames.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The groups of the global search, in display order.
enum class SpotlightCategory {
    projects,
    documents,
    clients,
    services,
    stock,
    wishlist,
    accounting,
    urssaf,
    recurring,
    externalTools,
    tagsProjects,
    tagsDocuments,
    tagsClients,
    tagsServices,
    tagsStock,
    tagsExternalTools,
};
VELMORA_RAW(SpotlightCategory, "projects", "documents", "clients", "services", "stock", "wishlist",
            "accounting", "urssaf", "recurring", "externalTools", "tagsProjects", "tagsDocuments",
            "tagsClients", "tagsServices", "tagsStock", "tagsExternalTools");
inline constexpr std::size_t spotlightCategoryCount = std::size(EnumTable<SpotlightCategory>::raw);

// Which list of its section a chosen hit opens: a section such as the stock
// or the accounting shows several, and a tag opens its context's settings.
enum class SpotlightPane { records, wishlist, expenses, urssaf, subscriptions, tagSettings };
VELMORA_RAW(SpotlightPane, "records", "wishlist", "expenses", "urssaf", "subscriptions",
            "tagSettings");

// What choosing a hit does: switch to the sidebar section of `sectionKey`
// (its defaultKey), show `pane` and select the record (or tag) `recordID`.
struct SpotlightAction {
    QString sectionKey;
    SpotlightPane pane = SpotlightPane::records;
    QUuid recordID;

    friend bool operator==(const SpotlightAction&, const SpotlightAction&) = default;
};

// The defaultKey of the section holding the records (or tags) of `category`.
QString spotlightSectionKey(SpotlightCategory category);
// Where a hit of `category` on the record `id` leads.
SpotlightAction spotlightAction(SpotlightCategory category, const QUuid& id);

// One match: a record, or a tag, as the search panel lists it.
struct SpotlightHit {
    QUuid id;
    SpotlightCategory category = SpotlightCategory::projects;
    QString title;
    std::optional<QString> subtitle;
    QString systemIcon;
    std::optional<QString> badge;
    // A tag hit takes the tag's colour.
    std::optional<TagColorOption> customTint;
    SpotlightAction action;

    friend bool operator==(const SpotlightHit&, const SpotlightHit&) = default;
};

// The hits of one category, in record order. `count` is the number of
// matches, which can exceed the hits listed when the search was asked for
// the first ones only.
struct SpotlightSection {
    SpotlightCategory category = SpotlightCategory::projects;
    QString name;
    qsizetype count = 0;
    QList<SpotlightHit> hits;

    friend bool operator==(const SpotlightSection&, const SpotlightSection&) = default;
};

// What the panel shows for a query: the sections that have hits, and the
// empty-result text when a query was typed and nothing matched.
struct SpotlightResult {
    QList<SpotlightSection> sections;
    std::optional<QString> emptyText;

    friend bool operator==(const SpotlightResult&, const SpotlightResult&) = default;
};

} // namespace velmora
