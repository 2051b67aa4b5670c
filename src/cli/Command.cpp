#include "cli/Command.h"

#include "core/model/SessionDecoder.h"
#include "core/model/SessionFile.h"
#include "core/store/SessionCommit.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

namespace velmora::cli {

QString Command::synopsis() const {
    QStringList parts{name};
    parts += arguments;
    for (const Option& option : options) {
        parts += option.valueName.isEmpty()
                     ? QStringLiteral("[--%1]").arg(option.name)
                     : QStringLiteral("[--%1 %2]").arg(option.name, option.valueName);
    }
    return parts.join(QLatin1Char(' '));
}

std::optional<QString> CliContext::value(const QString& option) const {
    const auto it = options.constFind(option);
    return it == options.cend() ? std::nullopt : std::optional(*it);
}

Result<AppDatabase> CliContext::loadSession(const QString& path) const {
    const Result<QByteArray> bytes = fileSystem.readFile(path);
    if (!bytes)
        return Result<AppDatabase>::failure(bytes.error());
    return decodeSession(bytes.value(), *clock);
}

Result<> CliContext::writeSession(const AppDatabase& db, SessionFormat format,
                                  const QString& path) {
    // What a killed earlier write of this target left goes first; the session
    // is then streamed, never gathered in memory.
    const QFileInfo target(path);
    fileSystem.removeWriteLeftovers(target.absolutePath(), target.fileName());
    return writeSessionFile(fileSystem, db, format, path);
}

Result<> CliContext::editSession(const QString& path,
                                 const std::function<Result<>(SessionEdit&)>& flow) {
    Result<AppDatabase> db = loadSession(path);
    if (!db)
        return Result<>(db);
    AppDatabase session = std::move(db).value();
    SessionEdit edit(session);
    const Result<> outcome = flow(edit);
    if (!outcome.ok() || !edit.touchedAny()) {
        edit.discard();
        return outcome;
    }
    commitEdit(session, edit);
    const Result<> written = writeSession(session, SessionFormat::Compact, path);
    if (!written) {
        edit.discard();
        return written;
    }
    edit.finishSaved();
    return outcome;
}

void printJson(const QJsonObject& object) {
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
}

QString uuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<int> boundedNumber(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

QString missingOption(const QString& name) {
    return QStringLiteral("L'option --%1 est obligatoire.").arg(name);
}

int fail(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return Failure;
}

int usage(const QString& message) {
    std::fprintf(stderr, "%s\nVoir : velmora-cli --help\n", message.toUtf8().constData());
    return Usage;
}

int finish(const Result<>& status) {
    return status ? Success : fail(status.error());
}

} // namespace velmora::cli
