#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace velmora {

enum class ClientKind { particulier, professionnel };
enum class TagColorOption { red, orange, yellow, green, mint, blue, purple, pink, brown, gray };
enum class ServicePrestationType {
    ventesMarchandises,
    prestationsCommercialesBIC,
    prestationsLiberalesBNC
};
enum class ProjectCompletionState { delivered, finished };
enum class ProjectAttachmentKind { image, document };
enum class ProjectFilePathType { folder, file };
enum class CommercialDocumentKind { quote, invoice };
enum class CommercialDocumentSourceKind { editor, importedPDF };
enum class CommercialDocumentLineKind { service, discount, deposit };
enum class AcompteRefundStatus { refunded, kept };
enum class AppAppearanceMode { dark, light };
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
enum class URSSAFRegime { microEntrepreneur, bnc, bic };
enum class URSSAFDeclarationFrequency { trimestrial, monthly };
enum class PurchaseWishlistStatus { toBuy, bought };
enum class RecurringFrequency { monthly, quarterly, yearly };

// One table per enumeration: the raw names written in session files, in case
// order, and the French display names where the screens show one.
template <class E> struct EnumTable;

#define VELMORA_RAW(E, ...)                                                                        \
    template <> struct EnumTable<E> { static constexpr std::string_view raw[] = {__VA_ARGS__}; }
#define VELMORA_RAW_DISPLAY(E, RAW, DISPLAY)                                                       \
    template <> struct EnumTable<E> {                                                              \
        static constexpr std::string_view raw[] = RAW;                                             \
        static constexpr std::u16string_view display[] = DISPLAY;                                  \
    }
#define VELMORA_LIST(...)                                                                          \
    { __VA_ARGS__ }

VELMORA_RAW_DISPLAY(ClientKind, VELMORA_LIST("particulier", "professionnel"),
                    VELMORA_LIST(u"Particulier", u"Professionnel"));
VELMORA_RAW_DISPLAY(TagColorOption,
                    VELMORA_LIST("red", "orange", "yellow", "green", "mint", "blue", "purple",
                                 "pink", "brown", "gray"),
                    VELMORA_LIST(u"Rouge", u"Orange", u"Jaune", u"Vert", u"Menthe", u"Bleu",
                                 u"Violet", u"Rose", u"Marron", u"Gris"));
VELMORA_RAW_DISPLAY(ServicePrestationType,
                    VELMORA_LIST("ventesMarchandises", "prestationsCommercialesBIC",
                                 "prestationsLiberalesBNC"),
                    VELMORA_LIST(u"Ventes de marchandises (BIC)",
                                 u"Prestations de services commerciales (BIC)",
                                 u"Prestations de services libérales (BNC)"));
VELMORA_RAW(ProjectCompletionState, "delivered", "finished");
VELMORA_RAW(ProjectAttachmentKind, "image", "document");
VELMORA_RAW_DISPLAY(ProjectFilePathType, VELMORA_LIST("folder", "file"),
                    VELMORA_LIST(u"Dossier", u"Fichier"));
VELMORA_RAW_DISPLAY(CommercialDocumentKind, VELMORA_LIST("quote", "invoice"),
                    VELMORA_LIST(u"Devis", u"Facture"));
VELMORA_RAW(CommercialDocumentSourceKind, "editor", "importedPDF");
VELMORA_RAW(CommercialDocumentLineKind, "service", "discount", "deposit");
VELMORA_RAW(AcompteRefundStatus, "refunded", "kept");
VELMORA_RAW_DISPLAY(AppAppearanceMode, VELMORA_LIST("dark", "light"),
                    VELMORA_LIST(u"Sombre", u"Clair"));
VELMORA_RAW(SearchScopeField, "title", "description", "tags", "categories", "notes",
            "characteristics", "linkedClient", "linkedProject", "status");
VELMORA_RAW(URSSAFRegime, "microEntrepreneur", "bnc", "bic");
VELMORA_RAW_DISPLAY(URSSAFDeclarationFrequency, VELMORA_LIST("trimestrial", "monthly"),
                    VELMORA_LIST(u"Trimestrielle", u"Mensuelle"));
VELMORA_RAW(PurchaseWishlistStatus, "toBuy", "bought");
VELMORA_RAW_DISPLAY(RecurringFrequency, VELMORA_LIST("monthly", "quarterly", "yearly"),
                    VELMORA_LIST(u"Mensuel", u"Trimestriel", u"Annuel"));

#undef VELMORA_LIST
#undef VELMORA_RAW_DISPLAY
#undef VELMORA_RAW

template <class E> constexpr std::string_view rawName(E value) {
    return EnumTable<E>::raw[static_cast<std::size_t>(value)];
}

template <class E> constexpr std::optional<E> enumFromRaw(std::string_view raw) {
    const auto& names = EnumTable<E>::raw;
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (names[i] == raw)
            return static_cast<E>(i);
    }
    return std::nullopt;
}

template <class E>
concept HasDisplayName = requires {
    EnumTable<E>::display;
};

template <HasDisplayName E> QString displayName(E value) {
    const std::u16string_view name = EnumTable<E>::display[static_cast<std::size_t>(value)];
    return QString(reinterpret_cast<const QChar*>(name.data()), qsizetype(name.size()));
}

} // namespace velmora
