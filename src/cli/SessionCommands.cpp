#include "cli/CliContext.h"

#include "core/model/IsoDate.h"
#include "core/model/NewSession.h"
#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/store/AppDataStore.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"

#include <QFileInfo>
#include <QTemporaryDir>

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

Result<AppDatabase> loadSession(const QString& path, const Clock& clock) {
    auto bytes = readSessionBytes(path);
    if (!bytes)
        return Result<AppDatabase>::failure(bytes.error());
    return decodeSession(bytes.value(), clock);
}

int check(CliContext& ctx) {
    if (ctx.args.size() != 1)
        return usage(QStringLiteral("Usage : velmora-cli check FICHIER"));
    auto db = loadSession(ctx.args[0], *ctx.clock);
    if (!db)
        return fail(db.error());
    ArrayCounter counter;
    describe(counter, db.value());
    QJsonObject out;
    out.insert(QStringLiteral("sessionID"),
               db->sessionID ? QJsonValue(db->sessionID->toString(QUuid::WithoutBraces).toUpper())
                             : QJsonValue());
    out.insert(QStringLiteral("sessionName"),
               db->sessionName ? QJsonValue(*db->sessionName) : QJsonValue());
    out.insert(QStringLiteral("protected"), !db->preferences.appPassword.isEmpty());
    out.insert(QStringLiteral("counts"), counter.counts);
    printJson(out);
    return Success;
}

int roundtrip(CliContext& ctx) {
    if (ctx.args.size() != 2)
        return usage(QStringLiteral("Usage : velmora-cli roundtrip FICHIER SORTIE"));
    auto db = loadSession(ctx.args[0], *ctx.clock);
    if (!db)
        return fail(db.error());
    const Status written = writeSessionFile(db.value(), SessionFormat::Compact, ctx.args[1]);
    return written ? Success : fail(written.error());
}

int newSession(CliContext& ctx) {
    QStringList args = ctx.args;
    std::optional<QString> name;
    const qsizetype nameAt = args.indexOf(QStringLiteral("--name"));
    if (nameAt >= 0) {
        if (nameAt + 1 >= args.size())
            return usage(QStringLiteral("L'option --name attend un nom."));
        name = args[nameAt + 1];
        args.remove(nameAt, 2);
    }
    if (args.size() != 1)
        return usage(QStringLiteral("Usage : velmora-cli new SORTIE [--name NOM]"));
    AppDatabase db = newSessionContents();
    if (name && !name->trimmed().isEmpty())
        db.sessionName = name->trimmed();
    const Status written = writeSessionFile(db, SessionFormat::Compact, args[0]);
    return written ? Success : fail(written.error());
}

// Exports through a store rooted in a throw-away folder, so that the user's
// own store, settings and file are never touched.
int exportSession(CliContext& ctx) {
    if (ctx.args.size() != 2)
        return usage(QStringLiteral("Usage : velmora-cli export FICHIER SORTIE"));
    QTemporaryDir root;
    if (!root.isValid())
        return fail(QStringLiteral("Dossier temporaire indisponible : %1").arg(root.errorString()));
    LocalFileSystem fs;
    MemoryUserDefaults defaults;
    PathBookmarks bookmarks;
    auto folder = StoreFolder::prepare(fs, root.path());
    if (!folder)
        return fail(folder.error());
    AppDataStore store({fs, defaults, bookmarks, *ctx.clock}, folder.value());
    const QUrl source = QUrl::fromLocalFile(QFileInfo(ctx.args[0]).absoluteFilePath());
    if (const Status applied = store.applyFile(source); !applied)
        return fail(applied.error());
    const QUrl target = QUrl::fromLocalFile(QFileInfo(ctx.args[1]).absoluteFilePath());
    const Status exported = store.exportTo(target);
    return exported ? Success : fail(exported.error());
}

} // namespace

QList<Command> sessionCommands() {
    return {
        {QStringLiteral("check"), QStringLiteral("check FICHIER"), check},
        {QStringLiteral("roundtrip"), QStringLiteral("roundtrip FICHIER SORTIE"), roundtrip},
        {QStringLiteral("new"), QStringLiteral("new SORTIE [--name NOM]"), newSession},
        {QStringLiteral("export"), QStringLiteral("export FICHIER SORTIE"), exportSession},
    };
}

} // namespace velmora::cli
