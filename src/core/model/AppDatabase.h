#pragma once

#include "core/model/AccountingRecords.h"
#include "core/model/AppPreferences.h"
#include "core/model/Base64Data.h"
#include "core/model/CalendarRecords.h"
#include "core/model/ClientItem.h"
#include "core/model/CommercialDocumentItem.h"
#include "core/model/CompanySettings.h"
#include "core/model/ProjectItem.h"
#include "core/model/SecurityRecords.h"
#include "core/model/ServiceItem.h"
#include "core/model/SessionSettings.h"
#include "core/model/StockRecords.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// The root record of a session file. Optional collections read as empty when
// absent and are always written; an absent urssafSettings reads as defaults.
struct AppDatabase {
    QList<ProjectItem> projects;
    QList<ClientItem> clients;
    QList<ServiceItem> services;
    QList<CommercialDocumentItem> documents;
    QList<StockItem> stockItems;
    QList<PurchaseWishlistItem> purchaseWishlistItems;
    QList<AccountingPurchaseItem> accountingPurchases;
    QList<StockCategoryItem> stockCategories;
    QList<StockSubCategoryItem> stockSubCategories;
    QList<StockSubTag> stockSubTags;
    QList<TagItem> stockTags;
    StockSettings stockSettings;
    QList<TagItem> projectTags;
    QList<TagItem> clientProjectTags;
    QList<TagItem> personalProjectTags;
    QList<TagItem> clientTags;
    QList<TagItem> serviceTags;
    QList<TagItem> quoteStatuses;
    QList<TagItem> invoiceStatuses;
    QList<QString> projectStatusOptions;
    QList<TagItem> projectStatuses;
    QList<QUuid> protectedProjectStatusIDs;
    QList<QUuid> protectedQuoteStatusIDs;
    QList<QUuid> protectedInvoiceStatusIDs;
    QList<QString> projectTypeOptions;
    AppPreferences preferences;
    CompanySettings companySettings;
    StoragePreferences storagePreferences;
    AccountingRecipeSettings accountingRecipeSettings;
    QList<ExternalTool> externalTools;
    QList<TagItem> externalToolTags;
    URSSAFSettings urssafSettings;
    QList<URSSAFDeclaration> urssafDeclarations;
    QList<RecurringPurchase> recurringPurchases;
    QList<TagItem> recurringPurchaseTags;
    QList<CustomCalendarEvent> customCalendarEvents;
    QList<CustomCalendarTag> customCalendarTags;
    QMap<QString, NotificationState> notificationStates;
    std::optional<QString> sessionName;
    QList<SecurityQuestion> securityQuestions;
    std::optional<Base64Data> sessionProfilePhotoData;
    std::optional<QString> sessionProfileImageName;
    std::optional<QUuid> sessionID;
    QMap<QString, Base64Data> embeddedMedia;

    friend bool operator==(const AppDatabase&, const AppDatabase&) = default;
};

template <class Io> void describe(Io& io, AppDatabase& r) {
    io.required("projects", r.projects);
    io.required("clients", r.clients);
    io.required("services", r.services);
    io.required("documents", r.documents);
    io.required("stockItems", r.stockItems);
    io.required("purchaseWishlistItems", r.purchaseWishlistItems);
    io.required("accountingPurchases", r.accountingPurchases);
    io.required("stockCategories", r.stockCategories);
    io.fallback("stockSubCategories", r.stockSubCategories);
    io.fallback("stockSubTags", r.stockSubTags);
    io.required("stockTags", r.stockTags);
    io.required("stockSettings", r.stockSettings);
    io.required("projectTags", r.projectTags);
    io.fallback("clientProjectTags", r.clientProjectTags);
    io.fallback("personalProjectTags", r.personalProjectTags);
    io.required("clientTags", r.clientTags);
    io.required("serviceTags", r.serviceTags);
    io.required("quoteStatuses", r.quoteStatuses);
    io.required("invoiceStatuses", r.invoiceStatuses);
    io.required("projectStatusOptions", r.projectStatusOptions);
    io.fallback("projectStatuses", r.projectStatuses);
    io.fallback("protectedProjectStatusIDs", r.protectedProjectStatusIDs);
    io.fallback("protectedQuoteStatusIDs", r.protectedQuoteStatusIDs);
    io.fallback("protectedInvoiceStatusIDs", r.protectedInvoiceStatusIDs);
    io.required("projectTypeOptions", r.projectTypeOptions);
    io.required("preferences", r.preferences);
    io.required("companySettings", r.companySettings);
    io.required("storagePreferences", r.storagePreferences);
    io.required("accountingRecipeSettings", r.accountingRecipeSettings);
    io.fallback("externalTools", r.externalTools);
    io.fallback("externalToolTags", r.externalToolTags);
    io.fallback("urssafSettings", r.urssafSettings, URSSAFSettings{});
    io.fallback("urssafDeclarations", r.urssafDeclarations);
    io.fallback("recurringPurchases", r.recurringPurchases);
    io.fallback("recurringPurchaseTags", r.recurringPurchaseTags);
    io.fallback("customCalendarEvents", r.customCalendarEvents);
    io.fallback("customCalendarTags", r.customCalendarTags);
    io.fallback("notificationStates", r.notificationStates);
    io.optional("sessionName", r.sessionName);
    io.fallback("securityQuestions", r.securityQuestions);
    io.optional("sessionProfilePhotoData", r.sessionProfilePhotoData);
    io.optional("sessionProfileImageName", r.sessionProfileImageName);
    io.optional("sessionID", r.sessionID);
    io.fallback("embeddedMedia", r.embeddedMedia);
}

// What the launch screen reads of a session file: only whether it is protected.
struct PrefsPreview {
    QString appPassword;
};

template <class Io> void describe(Io& io, PrefsPreview& r) {
    io.required("appPassword", r.appPassword);
}

struct CDBPreview {
    PrefsPreview preferences;

    bool isProtected() const { return !preferences.appPassword.isEmpty(); }
};

template <class Io> void describe(Io& io, CDBPreview& r) {
    io.required("preferences", r.preferences);
}

} // namespace velmora
