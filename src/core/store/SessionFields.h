#pragma once

#include "core/model/AppDatabase.h"

#include <QMetaType>

#include <bitset>
#include <initializer_list>

namespace velmora {

using NotificationStateMap = QMap<QString, NotificationState>;
using OptionalData = std::optional<Base64Data>;
using OptionalText = std::optional<QString>;
using IdList = QList<QUuid>;

} // namespace velmora

// Every part of the open session that the store publishes and a flow may
// change, in file order: its type, its name in AppDatabase and its
// capitalised name. A new list of the session costs one line here.
#define VELMORA_SESSION_FIELDS(X)                                                                  \
    X(QList<ProjectItem>, projects, Projects)                                                      \
    X(QList<ClientItem>, clients, Clients)                                                         \
    X(QList<ServiceItem>, services, Services)                                                      \
    X(QList<CommercialDocumentItem>, documents, Documents)                                         \
    X(QList<StockItem>, stockItems, StockItems)                                                    \
    X(QList<PurchaseWishlistItem>, purchaseWishlistItems, PurchaseWishlistItems)                   \
    X(QList<AccountingPurchaseItem>, accountingPurchases, AccountingPurchases)                     \
    X(QList<StockCategoryItem>, stockCategories, StockCategories)                                  \
    X(QList<StockSubCategoryItem>, stockSubCategories, StockSubCategories)                         \
    X(QList<StockSubTag>, stockSubTags, StockSubTags)                                              \
    X(QList<TagItem>, stockTags, StockTags)                                                        \
    X(StockSettings, stockSettings, StockSettings)                                                 \
    X(QList<TagItem>, projectTags, ProjectTags)                                                    \
    X(QList<TagItem>, clientProjectTags, ClientProjectTags)                                        \
    X(QList<TagItem>, personalProjectTags, PersonalProjectTags)                                    \
    X(QList<TagItem>, clientTags, ClientTags)                                                      \
    X(QList<TagItem>, serviceTags, ServiceTags)                                                    \
    X(QList<TagItem>, quoteStatuses, QuoteStatuses)                                                \
    X(QList<TagItem>, invoiceStatuses, InvoiceStatuses)                                            \
    X(QList<QString>, projectStatusOptions, ProjectStatusOptions)                                  \
    X(QList<TagItem>, projectStatuses, ProjectStatuses)                                            \
    X(QList<QString>, projectTypeOptions, ProjectTypeOptions)                                      \
    X(AppPreferences, preferences, Preferences)                                                    \
    X(CompanySettings, companySettings, CompanySettings)                                           \
    X(StoragePreferences, storagePreferences, StoragePreferences)                                  \
    X(AccountingRecipeSettings, accountingRecipeSettings, AccountingRecipeSettings)                \
    X(QList<ExternalTool>, externalTools, ExternalTools)                                           \
    X(QList<TagItem>, externalToolTags, ExternalToolTags)                                          \
    X(URSSAFSettings, urssafSettings, UrssafSettings)                                              \
    X(QList<URSSAFDeclaration>, urssafDeclarations, UrssafDeclarations)                            \
    X(QList<RecurringPurchase>, recurringPurchases, RecurringPurchases)                            \
    X(QList<TagItem>, recurringPurchaseTags, RecurringPurchaseTags)                                \
    X(QList<CustomCalendarEvent>, customCalendarEvents, CustomCalendarEvents)                      \
    X(QList<CustomCalendarTag>, customCalendarTags, CustomCalendarTags)                            \
    X(NotificationStateMap, notificationStates, NotificationStates)                                \
    X(QList<SecurityQuestion>, securityQuestions, SecurityQuestions)                               \
    X(OptionalData, sessionProfilePhotoData, SessionProfilePhotoData)                              \
    X(OptionalText, sessionProfileImageName, SessionProfileImageName)

namespace velmora {

#define VELMORA_FIELD_ENUMERATOR(Type, name, Name) name,
// One part of the session, named as in AppDatabase.
enum class SessionField { VELMORA_SESSION_FIELDS(VELMORA_FIELD_ENUMERATOR) count };
#undef VELMORA_FIELD_ENUMERATOR

// A set of parts of the session: those an edit touched, those a commit
// changed, those a page shows.
class SessionFields {
public:
    SessionFields() = default;
    SessionFields(std::initializer_list<SessionField> fields) {
        for (SessionField field : fields)
            insert(field);
    }
    static SessionFields all() {
        SessionFields fields;
        fields.m_bits.set();
        return fields;
    }

    void insert(SessionField field) { m_bits.set(std::size_t(field)); }
    bool contains(SessionField field) const { return m_bits.test(std::size_t(field)); }
    bool intersects(const SessionFields& other) const { return (m_bits & other.m_bits).any(); }
    bool isEmpty() const { return m_bits.none(); }
    SessionFields operator|(const SessionFields& other) const {
        SessionFields fields;
        fields.m_bits = m_bits | other.m_bits;
        return fields;
    }
    bool operator==(const SessionFields&) const = default;

private:
    std::bitset<std::size_t(SessionField::count)> m_bits;
};

} // namespace velmora

Q_DECLARE_METATYPE(velmora::SessionFields)
