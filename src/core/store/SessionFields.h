#pragma once

#include "core/model/AppDatabase.h"

namespace velmora {

using NotificationStateMap = QMap<QString, NotificationState>;
using OptionalData = std::optional<Base64Data>;
using OptionalText = std::optional<QString>;

} // namespace velmora

// Every part of the open session that the store publishes and a flow may
// change, in file order: its type, its name in AppDatabase and the
// capitalised name of its setter.
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
