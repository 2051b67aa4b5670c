#pragma once

#include "core/Result.h"
#include "core/model/ServiceItem.h"

#include <QList>
#include <QString>

namespace velmora {

class SessionEdit;

// The warning under a catalogue price that is not an amount, or an empty
// text; an empty price is allowed (the line is priced in the document).
QString servicePriceWarning(const ServiceItem& service);

// The form of a catalogue service. Its price is kept as typed; one that is
// not an amount is saved with a warning and refused when the service fills
// a document line.
class ServiceForm {
public:
    static QString prestationTypeLabel() { return QStringLiteral("Type de prestation (URSSAF)"); }
    static QString prestationTypeHint() {
        return QStringLiteral("Utilisé pour le pré-remplissage URSSAF");
    }
    static QString typeName(ServicePrestationType type) { return displayName(type); }
    static QString titleRequiredMessage() {
        return QStringLiteral("Le titre de la prestation est obligatoire.");
    }
    static QString notFoundMessage() { return QStringLiteral("Cette prestation n'existe plus."); }

    // A new liberal service with a fresh id.
    ServiceForm();
    // Edits the service.
    explicit ServiceForm(const ServiceItem& service);

    bool isNew() const { return m_isNew; }
    bool hasTag(const QUuid& tagID) const { return fields.tagIDs.contains(tagID); }
    void setTag(const QUuid& tagID, bool on);

    // The message that refuses the service, or an empty text.
    QString validate() const;
    // The warning under the price as typed, or an empty text.
    QString priceWarning() const { return servicePriceWarning(fields); }
    // The record as saved: title and price trimmed, no blank icon name.
    ServiceItem written() const;
    // Validates, then adds or replaces the service (tags the session does
    // not know are left out); the form holds the record once it is saved.
    // The price warning travels as the result's warning, after the save's
    // own. `unchanged` when nothing differs.
    Result<> apply(SessionEdit& edit);

    ServiceItem fields;

private:
    bool m_isNew = true;
};

} // namespace velmora
