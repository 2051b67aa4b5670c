#pragma once

#include "core/model/RawNames.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

enum class ServicePrestationType {
    ventesMarchandises,
    prestationsCommercialesBIC,
    prestationsLiberalesBNC
};
VELMORA_RAW_DISPLAY(ServicePrestationType,
                    VELMORA_LIST("ventesMarchandises", "prestationsCommercialesBIC",
                                 "prestationsLiberalesBNC"),
                    VELMORA_LIST(u"Ventes de marchandises (BIC)",
                                 u"Prestations de services commerciales (BIC)",
                                 u"Prestations de services libérales (BNC)"));

// A catalogue entry. Its price stays the text the user typed.
struct ServiceItem {
    QUuid id;
    QString title;
    QString description;
    QString priceTTC;
    QString notes;
    std::optional<QString> iconName;
    QList<QUuid> tagIDs;
    ServicePrestationType prestationType = ServicePrestationType::prestationsLiberalesBNC;

    friend bool operator==(const ServiceItem&, const ServiceItem&) = default;
};

template <class Io> void describe(Io& io, ServiceItem& r) {
    io.required("id", r.id);
    io.required("title", r.title);
    io.required("description", r.description);
    io.fallback("priceTTC", r.priceTTC);
    io.fallback("notes", r.notes);
    io.optional("iconName", r.iconName);
    io.fallback("tagIDs", r.tagIDs);
    io.fallback("prestationType", r.prestationType, ServicePrestationType::prestationsLiberalesBNC);
}

} // namespace velmora
