#include "cli/Command.h"

#include "core/model/NewSession.h"
#include "core/model/OpenedSession.h"
#include "desktop/ApplicationDataFolder.h"

#include <QJsonValue>

namespace velmora::cli {
namespace {

// Visits the root record and notes the length of every array it holds.
class ArrayCounter {
public:
    [[maybe_unused]] static constexpr bool reading = false;
    QJsonObject counts;

    template <class T> void required(std::string_view key, const T& v) { count(key, v); }
    template <class T> void optional(std::string_view, const std::optional<T>&) {}
    template <class T>
    void fallback(std::string_view key, const T& v, const std::type_identity_t<T>& = T{}) {
        count(key, v);
    }
    template <class T>
    void fallbackOrLegacy(std::string_view, std::string_view, const T&,
                          const std::type_identity_t<T>&) {}
    void fallbackFreshId(std::string_view, const QUuid&) {}
    void fallbackNow(std::string_view, const QDateTime&) {}
    void fallbackCurrentYear(std::string_view, const qint64&) {}
    void idsOrLegacy(std::string_view key, std::string_view, const QList<QUuid>& v) {
        count(key, v);
    }

private:
    template <class T> void count(std::string_view, const T&) {}
    template <class T> void count(std::string_view key, const QList<T>& list) {
        counts.insert(QLatin1StringView(key.data(), qsizetype(key.size())), list.size());
    }
};

int check(CliContext& ctx) {
    auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    ArrayCounter counter;
    describe(counter, db.value());
    QJsonObject out;
    out.insert(QStringLiteral("sessionID"),
               db->sessionID ? QJsonValue(uuidText(*db->sessionID)) : QJsonValue());
    out.insert(QStringLiteral("sessionName"),
               db->sessionName ? QJsonValue(*db->sessionName) : QJsonValue());
    out.insert(QStringLiteral("protected"), !db->preferences.appPassword.isEmpty());
    out.insert(QStringLiteral("counts"), counter.counts);
    printJson(out);
    return Success;
}

int roundtrip(CliContext& ctx) {
    auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    return finish(ctx.writeSession(db.value(), SessionFormat::Compact, ctx.args[1]));
}

int newSession(CliContext& ctx) {
    const QString& target = ctx.args[0];
    if (!ctx.isSet(QStringLiteral("force")) && ctx.fileSystem.exists(target))
        return fail(QStringLiteral("Le fichier « %1 » existe déjà.").arg(target));
    AppDatabase db = newSessionContents();
    if (const QString name = ctx.value(QStringLiteral("name")).value_or(QString()).trimmed();
        !name.isEmpty())
        db.sessionName = name;
    return finish(ctx.writeSession(db, SessionFormat::Compact, target));
}

// Writes what the application would save after opening the file, without
// opening it: the media stay embedded as they are, and their URLs name the
// session's media folder under the application's data folder, where opening
// would put them. Nothing is written but the target.
int exportSession(CliContext& ctx) {
    auto read = ctx.loadSession(ctx.args[0]);
    if (!read)
        return fail(read.error());
    const Result<StoreFolder> folder = locateStoreFolder();
    if (!folder)
        return fail(folder.error());
    AppDatabase db = std::move(read).value();
    if (!db.sessionID)
        db.sessionID = QUuid::createUuid();
    settleOpenedSession(db, folder->mediaFolder(uuidText(*db.sessionID)));
    return finish(ctx.writeSession(db, SessionFormat::PrettySorted, ctx.args[1]));
}

} // namespace

QList<Command> sessionCommands() {
    return {
        {.name = QStringLiteral("check"),
         .arguments = {QStringLiteral("FICHIER")},
         .help = QStringLiteral("Lit une session : {\"sessionID\", \"sessionName\", \"protected\", "
                                "\"counts\"} (un nombre par liste)."),
         .run = check},
        {.name = QStringLiteral("roundtrip"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("SORTIE")},
         .help = QStringLiteral("Lit une session et la réécrit, compacte, dans SORTIE."),
         .run = roundtrip},
        {.name = QStringLiteral("new"),
         .arguments = {QStringLiteral("SORTIE")},
         .options = {{.name = QStringLiteral("name"),
                      .valueName = QStringLiteral("NOM"),
                      .valueKind = QStringLiteral("un nom"),
                      .help = QStringLiteral("le nom de la session")},
                     {.name = QStringLiteral("force"),
                      .help = QStringLiteral("remplace un fichier existant")}},
         .help = QStringLiteral("Écrit une session neuve dans SORTIE, qui ne doit pas exister."),
         .run = newSession},
        {.name = QStringLiteral("export"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("SORTIE")},
         .help = QStringLiteral("Écrit dans SORTIE la session telle que l'application l'ouvre, "
                                "indentée, clés triées, avec les seuls médias utilisés."),
         .run = exportSession},
    };
}

} // namespace velmora::cli
