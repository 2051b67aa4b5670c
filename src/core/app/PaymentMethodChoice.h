#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

namespace velmora {

class SessionEdit;

// The payment methods the company accepts, ticked in its settings and in the
// wizard's company step; the payment sheets offer them and the documents
// print them with their pictures.
namespace PaymentMethodChoice {

inline QString sectionTitle() {
    return QStringLiteral("Moyens de paiement acceptés");
}
inline QString hint() {
    return QStringLiteral("Proposés lors de l’enregistrement d’un paiement et imprimés sur vos "
                          "devis et factures.");
}

// The usual methods, each with its own picture on the documents.
QStringList usualMethods();
// The boxes to show: the usual methods, then any other the session already
// accepts, so that none is dropped unseen.
QStringList offered(const QStringList& accepted);
// `accepted` with `method` ticked or not, in the order of offered().
QStringList withMethod(const QStringList& accepted, const QString& method, bool ticked);
// Ticks or unticks one method in the company settings.
Result<> setAccepted(SessionEdit& edit, const QString& method, bool ticked);

} // namespace PaymentMethodChoice
} // namespace velmora
