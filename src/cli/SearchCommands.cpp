#include "cli/Command.h"

#include "core/search/SpotlightIndex.h"

#include <QJsonArray>
#include <QJsonObject>

namespace velmora::cli {
namespace {

QJsonValue textOrNull(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue();
}

QJsonObject sectionJson(const SpotlightSection& section) {
    QJsonArray hits;
    for (const SpotlightHit& hit : section.hits)
        hits.append(QJsonObject{{QStringLiteral("id"), uuidText(hit.id)},
                                {QStringLiteral("title"), hit.title},
                                {QStringLiteral("subtitle"), textOrNull(hit.subtitle)},
                                {QStringLiteral("systemIcon"), hit.systemIcon},
                                {QStringLiteral("badge"), textOrNull(hit.badge)}});
    return {{QStringLiteral("category"), QString::fromLatin1(rawName(section.category))},
            {QStringLiteral("name"), section.name},
            {QStringLiteral("count"), section.count},
            {QStringLiteral("hits"), hits}};
}

// The command line cannot unlock the vault: a vault with a code stays
// locked, its tools found and shown by name only.
int search(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const bool vaultLocked = !db->preferences.externalToolsAccessCode.trimmed().isEmpty();
    const SpotlightResult result =
        SpotlightIndex(db.value()).search(ctx.args[1], {.vaultLocked = vaultLocked});
    QJsonArray sections;
    for (const SpotlightSection& section : result.sections)
        sections.append(sectionJson(section));
    printJson(QJsonObject{{QStringLiteral("sections"), sections},
                          {QStringLiteral("emptyText"), textOrNull(result.emptyText)}});
    return Success;
}

} // namespace

QList<Command> searchCommands() {
    return {
        {.name = QStringLiteral("search"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("REQUÊTE")},
         .help = QStringLiteral("La recherche globale : {\"sections\": [{\"category\", \"name\", "
                                "\"count\", \"hits\": [{\"id\", \"title\", \"subtitle\", "
                                "\"systemIcon\", \"badge\"}]}], \"emptyText\"}."),
         .run = search},
    };
}

} // namespace velmora::cli
