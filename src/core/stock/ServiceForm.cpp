#include "core/stock/ServiceForm.h"

#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"
#include "core/text/AmountParsing.h"

#include <algorithm>

namespace velmora {

QString servicePriceWarning(const ServiceItem& service) {
    const QString price = service.priceTTC.trimmed();
    if (price.isEmpty() || parseAmount(price))
        return {};
    return QStringLiteral("Prix illisible : « %1 » n'est pas un montant (exemple : 12,50).")
        .arg(price);
}

ServiceForm::ServiceForm() {
    fields.id = QUuid::createUuid();
}

ServiceForm::ServiceForm(const ServiceItem& service) : fields(service), m_isNew(false) {}

void ServiceForm::setTag(const QUuid& tagID, bool on) {
    setIdIn(fields.tagIDs, tagID, on);
}

QString ServiceForm::validate() const {
    return fields.title.trimmed().isEmpty() ? titleRequiredMessage() : QString();
}

ServiceItem ServiceForm::written() const {
    ServiceItem service = fields;
    service.title = service.title.trimmed();
    service.priceTTC = service.priceTTC.trimmed();
    if (service.iconName && service.iconName->trimmed().isEmpty())
        service.iconName.reset();
    return service;
}

Result<> ServiceForm::apply(SessionEdit& edit) {
    if (const QString message = validate(); !message.isEmpty())
        return Result<>::invalid(message);
    ServiceItem service = written();
    const AppDatabase& session = edit.session();
    keepKnownTags(service.tagIDs, session.serviceTags);
    Result<> applied = putRecord(
        session.services, [&]() -> QList<ServiceItem>& { return edit.services(); }, service,
        m_isNew, notFoundMessage());
    if (!applied.ok())
        return applied;
    edit.whenSaved([this, service] {
        fields = service;
        m_isNew = false;
    });
    // Whoever saves puts the save's own warning (a mirror file that lags)
    // before this one.
    applied.setWarning(servicePriceWarning(service));
    return applied;
}

} // namespace velmora
