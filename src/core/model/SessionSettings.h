#pragma once

#include "core/model/RawNames.h"

#include <QMap>
#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

enum class URSSAFRegime { microEntrepreneur, bnc, bic };
VELMORA_RAW(URSSAFRegime, "microEntrepreneur", "bnc", "bic");

enum class URSSAFDeclarationFrequency { trimestrial, monthly };
VELMORA_RAW_DISPLAY(URSSAFDeclarationFrequency, VELMORA_LIST("trimestrial", "monthly"),
                    VELMORA_LIST(u"Trimestrielle", u"Mensuelle"));

struct StoragePreferences {
    std::optional<QUrl> backupFolderURL;
    bool backupAlwaysEnabled = false;

    friend bool operator==(const StoragePreferences&, const StoragePreferences&) = default;
};

template <class Io> void describe(Io& io, StoragePreferences& r) {
    io.optional("backupFolderURL", r.backupFolderURL);
    io.required("backupAlwaysEnabled", r.backupAlwaysEnabled);
}

// The header of the recipe book.
struct AccountingRecipeSettings {
    QString companyName;
    QString ownerName;
    QString legalStatus;
    QString siret;
    QString addressLine1;
    QString addressLine2;
    QString title = QStringLiteral("Livre des recettes");
    QString buttonTitle = QStringLiteral("Télécharger le livre de recettes");

    friend bool operator==(const AccountingRecipeSettings&,
                           const AccountingRecipeSettings&) = default;
};

template <class Io> void describe(Io& io, AccountingRecipeSettings& r) {
    io.required("companyName", r.companyName);
    io.required("ownerName", r.ownerName);
    io.required("legalStatus", r.legalStatus);
    io.required("siret", r.siret);
    io.required("addressLine1", r.addressLine1);
    io.required("addressLine2", r.addressLine2);
    io.required("title", r.title);
    io.required("buttonTitle", r.buttonTitle);
}

// Every key may be missing; the member defaults are also the fallbacks.
struct URSSAFSettings {
    URSSAFRegime regime = URSSAFRegime::microEntrepreneur;
    double microRateServices = 22;
    double microRateSales = 12.3;
    double cfpRate = 0.2;
    bool versementLiberatoire = false;
    double versementLiberatoireBICRate = 1;
    double versementLiberatoireBNCRate = 2.2;
    double bncRate = 21.1;
    double bicRate = 25;
    URSSAFDeclarationFrequency declarationFrequency = URSSAFDeclarationFrequency::trimestrial;
    double microRateBICServices = 21.2;
    bool summaryShowCA = true;
    bool summaryShowPurchases = true;
    bool summaryShowCotisations = true;
    bool summaryShowNet = true;
    bool summaryShowCATotalBrut = true;
    bool summaryShowCARecipes = true;
    bool summaryShowNetEncaisse = true;
    bool summaryShowBestClient = true;
    QMap<QString, QString> summaryCardCustomTitles;
    QString recurringBadgeMonthlyColorKey = QStringLiteral("blue");
    QString recurringBadgeYearlyColorKey = QStringLiteral("pink");
    qint64 declarationDayOfMonth = 1;
    bool reminderEnabled = true;

    friend bool operator==(const URSSAFSettings&, const URSSAFSettings&) = default;
};

template <class Io> void describe(Io& io, URSSAFSettings& r) {
    const URSSAFSettings d;
    io.fallback("regime", r.regime, d.regime);
    io.fallback("microRateServices", r.microRateServices, d.microRateServices);
    io.fallback("microRateSales", r.microRateSales, d.microRateSales);
    io.fallback("cfpRate", r.cfpRate, d.cfpRate);
    io.fallback("versementLiberatoire", r.versementLiberatoire, d.versementLiberatoire);
    io.fallback("versementLiberatoireBICRate", r.versementLiberatoireBICRate,
                d.versementLiberatoireBICRate);
    // Older files kept a single rate under legacyVLRate.
    io.fallbackOrLegacy("versementLiberatoireBNCRate", "legacyVLRate",
                        r.versementLiberatoireBNCRate, d.versementLiberatoireBNCRate);
    io.fallback("bncRate", r.bncRate, d.bncRate);
    io.fallback("bicRate", r.bicRate, d.bicRate);
    io.fallback("declarationFrequency", r.declarationFrequency, d.declarationFrequency);
    io.fallback("microRateBICServices", r.microRateBICServices, d.microRateBICServices);
    io.fallback("summaryShowCA", r.summaryShowCA, d.summaryShowCA);
    io.fallback("summaryShowPurchases", r.summaryShowPurchases, d.summaryShowPurchases);
    io.fallback("summaryShowCotisations", r.summaryShowCotisations, d.summaryShowCotisations);
    io.fallback("summaryShowNet", r.summaryShowNet, d.summaryShowNet);
    io.fallback("summaryShowCATotalBrut", r.summaryShowCATotalBrut, d.summaryShowCATotalBrut);
    io.fallback("summaryShowCARecipes", r.summaryShowCARecipes, d.summaryShowCARecipes);
    io.fallback("summaryShowNetEncaisse", r.summaryShowNetEncaisse, d.summaryShowNetEncaisse);
    io.fallback("summaryShowBestClient", r.summaryShowBestClient, d.summaryShowBestClient);
    io.fallback("summaryCardCustomTitles", r.summaryCardCustomTitles);
    io.fallback("recurringBadgeMonthlyColorKey", r.recurringBadgeMonthlyColorKey,
                d.recurringBadgeMonthlyColorKey);
    io.fallback("recurringBadgeYearlyColorKey", r.recurringBadgeYearlyColorKey,
                d.recurringBadgeYearlyColorKey);
    io.fallback("declarationDayOfMonth", r.declarationDayOfMonth, d.declarationDayOfMonth);
    io.fallback("reminderEnabled", r.reminderEnabled, d.reminderEnabled);
}

struct StockSettings {
    qint64 lowStockThreshold = 2;
    qint64 outOfStockThreshold = 0;
    QString labelCategories = QStringLiteral("Catégories");
    QString labelSubCategories = QStringLiteral("Sous-catégories");
    QString labelTags = QStringLiteral("Tags");
    QString labelSubTags = QStringLiteral("Sous-tags");

    friend bool operator==(const StockSettings&, const StockSettings&) = default;
};

template <class Io> void describe(Io& io, StockSettings& r) {
    const StockSettings d;
    io.fallback("lowStockThreshold", r.lowStockThreshold, d.lowStockThreshold);
    io.fallback("outOfStockThreshold", r.outOfStockThreshold, d.outOfStockThreshold);
    io.fallback("labelCategories", r.labelCategories, d.labelCategories);
    io.fallback("labelSubCategories", r.labelSubCategories, d.labelSubCategories);
    io.fallback("labelTags", r.labelTags, d.labelTags);
    io.fallback("labelSubTags", r.labelSubTags, d.labelSubTags);
}

} // namespace velmora
