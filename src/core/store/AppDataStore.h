#pragma once

#include "core/Result.h"
#include "core/model/AppDatabase.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/Bookmarks.h"
#include "core/platform/Clock.h"
#include "core/platform/FileSystem.h"
#include "core/platform/UserDefaults.h"
#include "core/store/SessionEdit.h"
#include "core/store/StoreFolder.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <QUrl>

#include <atomic>
#include <optional>

namespace velmora {

using OptionalUrl = std::optional<QUrl>;
using IdSet = QSet<QUuid>;

// The single owner of the open session: every collection and setting as an
// observable property, loading, saving with its mirror and backup copies, the
// session's media files and the user's default file.
class AppDataStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<ProjectItem> projects READ projects WRITE setProjects NOTIFY projectsChanged)
    Q_PROPERTY(QList<ClientItem> clients READ clients WRITE setClients NOTIFY clientsChanged)
    Q_PROPERTY(QList<ServiceItem> services READ services WRITE setServices NOTIFY servicesChanged)
    Q_PROPERTY(QList<CommercialDocumentItem> documents READ documents WRITE setDocuments NOTIFY
                   documentsChanged)
    Q_PROPERTY(
        QList<StockItem> stockItems READ stockItems WRITE setStockItems NOTIFY stockItemsChanged)
    Q_PROPERTY(QList<PurchaseWishlistItem> purchaseWishlistItems READ purchaseWishlistItems WRITE
                   setPurchaseWishlistItems NOTIFY purchaseWishlistItemsChanged)
    Q_PROPERTY(QList<AccountingPurchaseItem> accountingPurchases READ accountingPurchases WRITE
                   setAccountingPurchases NOTIFY accountingPurchasesChanged)
    Q_PROPERTY(QList<StockCategoryItem> stockCategories READ stockCategories WRITE
                   setStockCategories NOTIFY stockCategoriesChanged)
    Q_PROPERTY(QList<StockSubCategoryItem> stockSubCategories READ stockSubCategories WRITE
                   setStockSubCategories NOTIFY stockSubCategoriesChanged)
    Q_PROPERTY(QList<StockSubTag> stockSubTags READ stockSubTags WRITE setStockSubTags NOTIFY
                   stockSubTagsChanged)
    Q_PROPERTY(QList<TagItem> stockTags READ stockTags WRITE setStockTags NOTIFY stockTagsChanged)
    Q_PROPERTY(StockSettings stockSettings READ stockSettings WRITE setStockSettings NOTIFY
                   stockSettingsChanged)
    Q_PROPERTY(
        QList<TagItem> projectTags READ projectTags WRITE setProjectTags NOTIFY projectTagsChanged)
    Q_PROPERTY(QList<TagItem> clientProjectTags READ clientProjectTags WRITE setClientProjectTags
                   NOTIFY clientProjectTagsChanged)
    Q_PROPERTY(QList<TagItem> personalProjectTags READ personalProjectTags WRITE
                   setPersonalProjectTags NOTIFY personalProjectTagsChanged)
    Q_PROPERTY(
        QList<TagItem> clientTags READ clientTags WRITE setClientTags NOTIFY clientTagsChanged)
    Q_PROPERTY(
        QList<TagItem> serviceTags READ serviceTags WRITE setServiceTags NOTIFY serviceTagsChanged)
    Q_PROPERTY(QList<TagItem> quoteStatuses READ quoteStatuses WRITE setQuoteStatuses NOTIFY
                   quoteStatusesChanged)
    Q_PROPERTY(QList<TagItem> invoiceStatuses READ invoiceStatuses WRITE setInvoiceStatuses NOTIFY
                   invoiceStatusesChanged)
    Q_PROPERTY(QList<QString> projectStatusOptions READ projectStatusOptions WRITE
                   setProjectStatusOptions NOTIFY projectStatusOptionsChanged)
    Q_PROPERTY(QList<TagItem> projectStatuses READ projectStatuses WRITE setProjectStatuses NOTIFY
                   projectStatusesChanged)
    Q_PROPERTY(IdSet protectedProjectStatusIDs READ protectedProjectStatusIDs WRITE
                   setProtectedProjectStatusIDs NOTIFY protectedProjectStatusIDsChanged)
    Q_PROPERTY(IdSet protectedQuoteStatusIDs READ protectedQuoteStatusIDs WRITE
                   setProtectedQuoteStatusIDs NOTIFY protectedQuoteStatusIDsChanged)
    Q_PROPERTY(IdSet protectedInvoiceStatusIDs READ protectedInvoiceStatusIDs WRITE
                   setProtectedInvoiceStatusIDs NOTIFY protectedInvoiceStatusIDsChanged)
    Q_PROPERTY(IdSet nameLockedProjectStatusIDs READ nameLockedProjectStatusIDs WRITE
                   setNameLockedProjectStatusIDs NOTIFY nameLockedProjectStatusIDsChanged)
    Q_PROPERTY(QList<QString> projectTypeOptions READ projectTypeOptions WRITE setProjectTypeOptions
                   NOTIFY projectTypeOptionsChanged)
    Q_PROPERTY(
        AppPreferences preferences READ preferences WRITE setPreferences NOTIFY preferencesChanged)
    Q_PROPERTY(CompanySettings companySettings READ companySettings WRITE setCompanySettings NOTIFY
                   companySettingsChanged)
    Q_PROPERTY(StoragePreferences storagePreferences READ storagePreferences WRITE
                   setStoragePreferences NOTIFY storagePreferencesChanged)
    Q_PROPERTY(AccountingRecipeSettings accountingRecipeSettings READ accountingRecipeSettings WRITE
                   setAccountingRecipeSettings NOTIFY accountingRecipeSettingsChanged)
    Q_PROPERTY(QList<ExternalTool> externalTools READ externalTools WRITE setExternalTools NOTIFY
                   externalToolsChanged)
    Q_PROPERTY(QList<TagItem> externalToolTags READ externalToolTags WRITE setExternalToolTags
                   NOTIFY externalToolTagsChanged)
    Q_PROPERTY(URSSAFSettings urssafSettings READ urssafSettings WRITE setUrssafSettings NOTIFY
                   urssafSettingsChanged)
    Q_PROPERTY(QList<URSSAFDeclaration> urssafDeclarations READ urssafDeclarations WRITE
                   setUrssafDeclarations NOTIFY urssafDeclarationsChanged)
    Q_PROPERTY(QList<RecurringPurchase> recurringPurchases READ recurringPurchases WRITE
                   setRecurringPurchases NOTIFY recurringPurchasesChanged)
    Q_PROPERTY(QList<TagItem> recurringPurchaseTags READ recurringPurchaseTags WRITE
                   setRecurringPurchaseTags NOTIFY recurringPurchaseTagsChanged)
    Q_PROPERTY(QList<CustomCalendarEvent> customCalendarEvents READ customCalendarEvents WRITE
                   setCustomCalendarEvents NOTIFY customCalendarEventsChanged)
    Q_PROPERTY(QList<CustomCalendarTag> customCalendarTags READ customCalendarTags WRITE
                   setCustomCalendarTags NOTIFY customCalendarTagsChanged)
    Q_PROPERTY(NotificationStateMap notificationStates READ notificationStates WRITE
                   setNotificationStates NOTIFY notificationStatesChanged)
    Q_PROPERTY(QString sessionName READ sessionName WRITE setSessionName NOTIFY sessionNameChanged)
    Q_PROPERTY(QList<SecurityQuestion> securityQuestions READ securityQuestions WRITE
                   setSecurityQuestions NOTIFY securityQuestionsChanged)
    Q_PROPERTY(OptionalData sessionProfilePhotoData READ sessionProfilePhotoData WRITE
                   setSessionProfilePhotoData NOTIFY sessionProfilePhotoDataChanged)
    Q_PROPERTY(OptionalText sessionProfileImageName READ sessionProfileImageName WRITE
                   setSessionProfileImageName NOTIFY sessionProfileImageNameChanged)
    Q_PROPERTY(QUuid sessionID READ sessionID WRITE setSessionID NOTIFY sessionIDChanged)
    Q_PROPERTY(OptionalUrl defaultCDBFileURL READ defaultCDBFileURL NOTIFY defaultCDBFileURLChanged)

public:
    struct Services {
        FileSystem& fileSystem;
        UserDefaults& userDefaults;
        Bookmarks& bookmarks;
        const Clock& clock;
    };

    static QString bookmarkKey() { return QStringLiteral("defaultCDBFileBookmark"); }
    static QString pathKey() { return QStringLiteral("defaultCDBFilePath"); }

    // Every property starts at its default; nothing is read until create().
    AppDataStore(Services services, StoreFolder folder, QObject* parent = nullptr);
    ~AppDataStore() override;

    // Start-up: resolves the default file, loads, then seeds or backs up.
    void create();

    // Reads the default file when it is there, else the working copy; when
    // the first cannot be decoded the second is tried. A file that cannot be
    // decoded is copied into Backups/ as "illisible-<day>-<name>" so that no
    // later save destroys it. On failure the current data stay and the
    // message is returned.
    Result<> load();
    Result<> save();
    // Returns once the session is captured; writing happens in order on a
    // background thread and ends with backgroundSaveFinished.
    void saveInBackground();
    // Waits for every queued background save.
    void waitForBackgroundSaves();
    // Decodes the working copy on a background thread, applies it here, then
    // emits reloadFinished.
    void reload();

    // Runs a flow on a copy of the session; when the flow succeeds and
    // changed something, the changed parts are published and saved once. A
    // failed save puts them back and turns the outcome into `notSaved`; the
    // change signals go out only after a successful save.
    template <class Change> auto edit(Change&& change) {
        SessionEdit session(m_data);
        auto outcome = std::forward<Change>(change)(session);
        if (outcome.ok() && session.touchedAny()) {
            const Result<> saved = commit(session);
            if (!saved.ok()) {
                session.discard();
                auto failed = decltype(outcome)::notSaved(saved.error());
                if (!session.failureTitle().isEmpty())
                    failed.setAlert(okAlert(session.failureTitle(), saved.error(),
                                            Alert::Kind::error));
                return failed;
            }
            if (!saved.warning().isEmpty())
                outcome.setWarning(outcome.warning().isEmpty()
                                       ? saved.warning()
                                       : saved.warning() + QLatin1Char('\n') + outcome.warning());
            session.finishSaved();
        } else {
            session.discard();
        }
        return outcome;
    }

    // Applies a chosen session file, makes it the default file and saves.
    Result<> openFile(const QUrl& url);
    // Applies a session file without making it the default and without saving.
    Result<> applyFile(const QUrl& url);
    Result<> exportTo(const QUrl& url);
    void newSession();

    // Copies a file into the media folder; the copy's URL, or nothing.
    std::optional<QUrl> importMediaFile(const QUrl& source, bool keepName,
                                        const QString& prefix = QString());
    void removeMediaFile(const QUrl& url);

    void setDefaultFile(const QUrl& url);
    void clearDefaultFile();
    std::optional<QUrl> defaultCDBScopedURL() const { return m_defaultScopedUrl; }

    // The open session as the flows read it (media as files, not embedded).
    const AppDatabase& session() const { return m_data; }
    const StoreFolder& folder() const { return m_folder; }
    QString mediaFolder() const;
    // What the flows that take them need: the media reader, the PDF export,
    // the moment of a conversion.
    FileSystem& fileSystem() const { return m_services.fileSystem; }
    const Clock& clock() const { return m_services.clock; }
    // The session as it would be written now, embeddedMedia included.
    AppDatabase snapshot();
    const QHash<QString, Base64Data>& embeddedMediaCache() const { return m_mediaCache; }

#define VELMORA_STORE_MEMBER(Type, name, Name)                                                     \
    const Type& name() const {                                                                     \
        return m_data.name;                                                                        \
    }                                                                                              \
    void set##Name(const Type& value) {                                                            \
        if (m_data.name == value)                                                                  \
            return;                                                                                \
        m_data.name = value;                                                                       \
        emit name##Changed();                                                                      \
    }
    VELMORA_SESSION_FIELDS(VELMORA_STORE_MEMBER)
#undef VELMORA_STORE_MEMBER

#define VELMORA_STORE_SET(name, setter)                                                            \
    const IdSet& name() const {                                                                    \
        return m_##name;                                                                           \
    }                                                                                              \
    void setter(const IdSet& value) {                                                              \
        if (m_##name == value)                                                                     \
            return;                                                                                \
        m_##name = value;                                                                          \
        emit name##Changed();                                                                      \
    }
    VELMORA_STORE_SET(protectedProjectStatusIDs, setProtectedProjectStatusIDs)
    VELMORA_STORE_SET(protectedQuoteStatusIDs, setProtectedQuoteStatusIDs)
    VELMORA_STORE_SET(protectedInvoiceStatusIDs, setProtectedInvoiceStatusIDs)
    VELMORA_STORE_SET(nameLockedProjectStatusIDs, setNameLockedProjectStatusIDs)
#undef VELMORA_STORE_SET

    QString sessionName() const {
        return m_data.sessionName.value_or(QString());
    }
    void setSessionName(const QString& name);
    QUuid sessionID() const {
        return *m_data.sessionID;
    }
    void setSessionID(const QUuid& id);
    std::optional<QUrl> defaultCDBFileURL() const {
        return m_defaultUrl;
    }

    // Rebuilds the coloured activity statuses from the status names, renames
    // "Fini" to "Terminé", and recomputes the protected and name-locked sets;
    // the statuses of `protectedBefore` still listed stay protected.
    void normalizeProjectStatuses(const IdSet& protectedBefore = {});

signals:
    void projectsChanged();
    void clientsChanged();
    void servicesChanged();
    void documentsChanged();
    void stockItemsChanged();
    void purchaseWishlistItemsChanged();
    void accountingPurchasesChanged();
    void stockCategoriesChanged();
    void stockSubCategoriesChanged();
    void stockSubTagsChanged();
    void stockTagsChanged();
    void stockSettingsChanged();
    void projectTagsChanged();
    void clientProjectTagsChanged();
    void personalProjectTagsChanged();
    void clientTagsChanged();
    void serviceTagsChanged();
    void quoteStatusesChanged();
    void invoiceStatusesChanged();
    void projectStatusOptionsChanged();
    void projectStatusesChanged();
    void protectedProjectStatusIDsChanged();
    void protectedQuoteStatusIDsChanged();
    void protectedInvoiceStatusIDsChanged();
    void nameLockedProjectStatusIDsChanged();
    void projectTypeOptionsChanged();
    void preferencesChanged();
    void companySettingsChanged();
    void storagePreferencesChanged();
    void accountingRecipeSettingsChanged();
    void externalToolsChanged();
    void externalToolTagsChanged();
    void urssafSettingsChanged();
    void urssafDeclarationsChanged();
    void recurringPurchasesChanged();
    void recurringPurchaseTagsChanged();
    void customCalendarEventsChanged();
    void customCalendarTagsChanged();
    void notificationStatesChanged();
    void sessionNameChanged();
    void securityQuestionsChanged();
    void sessionProfilePhotoDataChanged();
    void sessionProfileImageNameChanged();
    void sessionIDChanged();
    void defaultCDBFileURLChanged();

    void backgroundSaveFinished(const velmora::Result<>& result);
    // After every save, in the foreground or not: the window shows a failure
    // or the warning of a file that could not be updated.
    void saveFinished(const velmora::Result<>& result);
    void reloadFinished(const velmora::Result<>& result);

private:
    Result<> commit(const SessionEdit& session);
    Result<> applyBytes(const QByteArray& bytes);
    void setAsideUnreadable(const QString& path);
    void apply(AppDatabase db);
    void extractMedia(const QMap<QString, Base64Data>& media, QHash<QString, QString>& extracted);
    void bringOutsideMediaIn(AppDatabase& db);
    bool isOwnDataFile(const QString& path) const;
    void removeWriteLeftovers();
    QString mediaKeyOf(const QUrl& url) const;
    Result<> writeEverywhere(const QByteArray& bytes, const StoragePreferences& storage,
                             const std::optional<QUrl>& mirror);
    void setDefaultUrl(std::optional<QUrl> url);

    Services m_services;
    StoreFolder m_folder;
    AppDatabase m_data;
    IdSet m_protectedProjectStatusIDs;
    IdSet m_protectedQuoteStatusIDs;
    IdSet m_protectedInvoiceStatusIDs;
    IdSet m_nameLockedProjectStatusIDs;
    QHash<QString, Base64Data> m_mediaCache;
    std::optional<QUrl> m_defaultUrl;
    std::optional<QUrl> m_defaultScopedUrl;

    // One writer thread: background saves land in the order they were asked,
    // and one that a newer save has overtaken is skipped.
    QThreadPool m_writer;
    std::atomic<quint64> m_latestBackgroundSave{0};
    // Reused by every save: used on the writer thread by background saves and
    // here by a synchronous save, which first waits for the writer.
    QByteArray m_encoded;
    // Used by one save at a time: the foreground save waits for the writer.
    EncodedListCache m_listCache;
};

} // namespace velmora
