#pragma once

#include "core/model/RawNames.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace velmora {

enum class AppAppearanceMode { dark, light };
VELMORA_RAW_DISPLAY(AppAppearanceMode, VELMORA_LIST("dark", "light"),
                    VELMORA_LIST(u"Sombre", u"Clair"));

enum class SearchScopeField {
    title,
    description,
    tags,
    categories,
    notes,
    characteristics,
    linkedClient,
    linkedProject,
    status
};
VELMORA_RAW(SearchScopeField, "title", "description", "tags", "categories", "notes",
            "characteristics", "linkedClient", "linkedProject", "status");

// One entry of the user-ordered main menu.
struct SidebarMenuItemConfig {
    QUuid id;
    QString systemName;
    QString defaultKey;
    QString displayName;
    bool isEnabled = true;

    // The sections of a new session, in their order, each with a fresh id.
    static QList<SidebarMenuItemConfig> defaults();

    friend bool operator==(const SidebarMenuItemConfig&, const SidebarMenuItemConfig&) = default;
};

template <class Io> void describe(Io& io, SidebarMenuItemConfig& r) {
    io.required("id", r.id);
    io.required("systemName", r.systemName);
    io.required("defaultKey", r.defaultKey);
    io.required("displayName", r.displayName);
    io.required("isEnabled", r.isEnabled);
}

struct SearchSettings {
    bool useAllFields = false;
    QList<SearchScopeField> enabledFields{SearchScopeField::title};

    friend bool operator==(const SearchSettings&, const SearchSettings&) = default;
};

template <class Io> void describe(Io& io, SearchSettings& r) {
    io.required("useAllFields", r.useAllFields);
    io.required("enabledFields", r.enabledFields);
}

struct AppPreferences {
    AppAppearanceMode appearanceMode = AppAppearanceMode::dark;
    std::optional<QUrl> customManagerLogoURL;
    QString appPassword;
    std::optional<QUrl> invoiceLogoURL;
    QList<SidebarMenuItemConfig> sidebarMenuItems;
    SearchSettings searchSettings;
    QList<QUuid> recipeBookExcludedIDs;
    QList<QUuid> recipeBookExcludedEncaissementIDs;
    QString externalToolsAccessCode;
    QList<QString> calendarDisabledCategories;
    std::optional<QString> calendarICloudCalendarID;
    std::optional<QDateTime> calendarLastSyncDate;
    std::optional<QString> calendarSyncError;
    QList<QString> calendarFilterOrder;
    QList<QString> calendarHiddenFilters;
    bool tutorialShouldShowIntro = false;
    QList<QString> tutorialCompletedSections;
    bool tutorialNeverShow = false;

    friend bool operator==(const AppPreferences&, const AppPreferences&) = default;
};

template <class Io> void describe(Io& io, AppPreferences& r) {
    io.fallback("appearanceMode", r.appearanceMode, AppAppearanceMode::dark);
    io.optional("customManagerLogoURL", r.customManagerLogoURL);
    io.fallback("appPassword", r.appPassword);
    io.optional("invoiceLogoURL", r.invoiceLogoURL);
    io.fallback("sidebarMenuItems", r.sidebarMenuItems);
    io.fallback("searchSettings", r.searchSettings, SearchSettings{});
    io.fallback("recipeBookExcludedIDs", r.recipeBookExcludedIDs);
    io.fallback("recipeBookExcludedEncaissementIDs", r.recipeBookExcludedEncaissementIDs);
    io.fallback("externalToolsAccessCode", r.externalToolsAccessCode);
    io.fallback("calendarDisabledCategories", r.calendarDisabledCategories);
    io.optional("calendarICloudCalendarID", r.calendarICloudCalendarID);
    io.optional("calendarLastSyncDate", r.calendarLastSyncDate);
    io.optional("calendarSyncError", r.calendarSyncError);
    io.fallback("calendarFilterOrder", r.calendarFilterOrder);
    io.fallback("calendarHiddenFilters", r.calendarHiddenFilters);
    io.fallback("tutorialShouldShowIntro", r.tutorialShouldShowIntro);
    io.fallback("tutorialCompletedSections", r.tutorialCompletedSections);
    io.fallback("tutorialNeverShow", r.tutorialNeverShow);
}

} // namespace velmora
