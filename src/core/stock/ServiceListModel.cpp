#include "core/stock/ServiceListModel.h"

#include "core/stock/ServiceForm.h"
#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"
#include "core/text/SearchFolding.h"

#include <limits>

namespace velmora {

QString ServiceListModel::countText(int count) {
    if (count == 0)
        return QStringLiteral("Aucune prestation");
    return count == 1 ? QStringLiteral("1 prestation")
                      : QStringLiteral("%1 prestations").arg(count);
}

QString ServiceListModel::priceText(const ServiceItem& service) {
    const QString price = service.priceTTC.trimmed();
    const std::optional<double> amount = parseAmount(price);
    return amount ? formatMoney(*amount) : price;
}

QVariant ServiceListModel::recordData(const ServiceItem& service, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return service.title.trimmed();
    case SortRole:
        switch (Column(column)) {
        case priceColumn: {
            const std::optional<double> amount = parseAmount(service.priceTTC.trimmed());
            return amount ? *amount : std::numeric_limits<double>::infinity();
        }
        case typeColumn:
            return QString(ServiceForm::typeName(service.prestationType) + QChar(0x1f) +
                           service.title.trimmed());
        default:
            return service.title.trimmed();
        }
    case SubtitleRole:
        return ServiceForm::typeName(service.prestationType);
    case BadgeRole:
        return priceText(service);
    case BadgeColorRole:
        return servicePriceWarning(service).isEmpty() ? QVariant()
                                                      : QVariant(int(TagColorOption::red));
    case TagColorsRole:
        return tagColors(service);
    default:
        return {};
    }
}

bool serviceMatches(const ServiceItem& service, const QString& query) {
    return matchesSearch(query, {service.title, service.description, service.notes});
}

} // namespace velmora
