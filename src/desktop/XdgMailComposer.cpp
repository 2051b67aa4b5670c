#include "desktop/XdgMailComposer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace velmora {
namespace {

QString xdgEmail() {
    return QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
}

bool hasMailtoHandler() {
    if (!qEnvironmentVariableIsEmpty("MAILER"))
        return true;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

// How long a tool has to say it failed. xdg-open and xdg-email give up at
// once when nothing can take the file or the message; one still running by
// then has handed it to a program, which may stay open for as long as the
// user works.
constexpr int kVerdictMs = 1500;

} // namespace

Result<> runDesktopTool(const QString& program, const QStringList& arguments) {
    // The tool runs detached, so that quitting never closes what it opened;
    // a shell around it leaves its exit status in a file of ours.
    const QString name = program.section(QLatin1Char('/'), -1);
    const auto notStarted = [&] {
        return Result<>::failure(QStringLiteral("%1 n'a pas pu être lancé.").arg(name));
    };
    QTemporaryDir folder;
    if (!folder.isValid())
        return notStarted();
    const QString status = folder.filePath(QStringLiteral("status"));
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments(QStringList{QStringLiteral("-c"),
                                     // Its folder is gone when the tool outlives the wait:
                                     // the shell then writes nothing, quietly.
                                     QStringLiteral("status=$1; shift; \"$@\"; code=$?; "
                                                    "{ echo $code > \"$status\"; } 2>/dev/null"),
                                     QStringLiteral("velmora"), status, program} +
                         arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        return notStarted();
    const QDeadlineTimer deadline(kVerdictMs);
    while (!deadline.hasExpired()) {
        QFile file(status);
        // The status is one line, written at once; until its end it is not there.
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            if (text.endsWith('\n')) {
                const int code = text.trimmed().toInt();
                if (code == 0)
                    return Result<>::success();
                return Result<>::failure(
                    QStringLiteral("%1 a échoué (code %2).").arg(name).arg(code));
            }
        }
        // The window keeps painting while it waits; what the user does
        // waits for the verdict, so nothing runs twice.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
    return Result<>::success();
}

bool XdgMailComposer::isAvailable() const {
    return !xdgEmail().isEmpty();
}

bool XdgMailComposer::canCompose(const MailMessage&) const {
    return isAvailable() && hasMailtoHandler();
}

QStringList XdgMailComposer::arguments(const MailMessage& message) {
    QStringList args{QStringLiteral("--utf8")};
    if (!message.subject.isEmpty())
        args << QStringLiteral("--subject") << message.subject;
    if (!message.body.isEmpty())
        args << QStringLiteral("--body") << message.body;
    if (!message.attachmentPath.isEmpty())
        args << QStringLiteral("--attach") << message.attachmentPath;
    // xdg-email takes an address only when it holds an "@"; one that starts
    // like an option would be read as one.
    for (const QString& recipient : message.recipients) {
        if (recipient.contains(QLatin1Char('@')) && !recipient.startsWith(QLatin1Char('-')))
            args << recipient;
    }
    return args;
}

Result<> XdgMailComposer::compose(const MailMessage& message) {
    const QString program = xdgEmail();
    if (program.isEmpty())
        return Result<>::failure(QStringLiteral("xdg-email est introuvable."));
    return runDesktopTool(program, arguments(message));
}

bool DesktopUrlOpener::openUrl(const QUrl& url) {
    // xdg-open itself, rather than a launcher that reports success as soon
    // as it has started it: a file nothing can open must not pass for open.
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(url);
    if (!url.isValid())
        return false;
    return runDesktopTool(
               xdgOpen, {url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)})
        .ok();
}

} // namespace velmora
