#include "desktop/XdgMailComposer.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

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

} // namespace

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
    // The mail program may stay in the foreground for as long as the user
    // writes: it is started, not waited for.
    if (!QProcess::startDetached(program, arguments(message)))
        return Result<>::failure(QStringLiteral("xdg-email n'a pas pu être lancé."));
    return Result<>::success();
}

bool DesktopUrlOpener::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace velmora
