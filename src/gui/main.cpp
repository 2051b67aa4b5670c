#include "desktop/ApplicationCacheFolder.h"
#include "desktop/ApplicationDataFolder.h"
#include "desktop/DbusUserNotifications.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/LocalTimeZone.h"
#include "desktop/NetworkHttpFetcher.h"
#include "desktop/PathBookmarks.h"
#include "desktop/SettingsUserDefaults.h"
#include "desktop/SingleInstance.h"
#include "desktop/StorageInfoFreeSpace.h"
#include "desktop/XdgMailComposer.h"
#include "gui/app/Application.h"
#include "gui/app/Translations.h"
#include "gui/common/Resources.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/main/MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

using namespace velmora;

namespace {

// The files named on the command line, as the file manager passes them.
QList<QUrl> filesOf(const QStringList& arguments) {
    QList<QUrl> files;
    for (const QString& argument : arguments.mid(1)) {
        const QUrl url = argument.startsWith(QLatin1String("file:"))
                             ? QUrl(argument)
                             : QUrl::fromLocalFile(QFileInfo(argument).absoluteFilePath());
        if (url.isLocalFile())
            files << url;
    }
    return files;
}

int refuse(const QString& title, const QString& message) {
    QMessageBox::critical(nullptr, title, message);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    pinLocalTimeZone();
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora Core"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("velmora"));
    gui::initResources();
    if (!gui::installQtTranslations(qtApp))
        qWarning("Qt's French translations (qt6-translations-l10n) are not installed.");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/velmora.svg")));

    LocalFileSystem fileSystem;
    Result<StoreFolder> folder = openStoreFolder(fileSystem);
    if (!folder)
        return refuse(QStringLiteral("Velmora Core"), folder.error());

    // A second start hands its files to the running window and ends.
    const QList<QUrl> files = filesOf(QApplication::arguments());
    SingleInstance instance(SingleInstance::serverNameFor(folder->root()));
    if (instance.sendToRunning(files))
        return 0;
    const auto lock = StoreFolderLock::acquire(folder->root());
    if (!lock)
        return refuse(QStringLiteral("Velmora Core"), lock.error());
    instance.listen();

    SettingsUserDefaults userDefaults;
    PathBookmarks bookmarks;
    StorageInfoFreeSpace freeSpace;
    NetworkHttpFetcher http;
    SystemClock clock;
    gui::WidgetDialogs dialogs;
    XdgMailComposer mail;
    DesktopUrlOpener urls;
    DbusUserNotifications notifications(
        QDBusConnection::sessionBus(),
        folder->root() + QStringLiteral("/pending-notifications.json"), clock);
    gui::Application app(gui::Environment{
        fileSystem, userDefaults, bookmarks, freeSpace, http, clock, dialogs, mail, urls,
        notifications, std::move(folder).value(), applicationCacheFolder().value_or(QString())});
    QObject::connect(&instance, &SingleInstance::filesReceived, &app,
                     &gui::Application::receiveFiles);
    app.start(files);
    return QApplication::exec();
}
