#include "core/app/PaymentMethodChoice.h"

#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora::PaymentMethodChoice {

QStringList usualMethods() {
    return {QStringLiteral("Virement"), QStringLiteral("Chèque"), QStringLiteral("Carte bancaire"),
            QStringLiteral("Espèces"), QStringLiteral("PayPal")};
}

QStringList offered(const QStringList& accepted) {
    QStringList methods = usualMethods();
    for (const QString& method : accepted) {
        const QString name = method.trimmed();
        if (!name.isEmpty() && !methods.contains(name))
            methods << name;
    }
    return methods;
}

QStringList withMethod(const QStringList& accepted, const QString& method, bool ticked) {
    QStringList out;
    const QString name = method.trimmed();
    for (const QString& candidate : offered(accepted + QStringList{name})) {
        const bool on =
            candidate == name
                ? ticked
                : std::any_of(accepted.cbegin(), accepted.cend(),
                              [&](const QString& a) { return a.trimmed() == candidate; });
        if (on)
            out << candidate;
    }
    return out;
}

Result<> setAccepted(SessionEdit& edit, const QString& method, bool ticked) {
    const QStringList before = edit.session().companySettings.acceptedPaymentMethods;
    const QStringList after = withMethod(before, method, ticked);
    if (after == before)
        return Result<>::unchanged();
    edit.companySettings().acceptedPaymentMethods = after;
    return Result<>();
}

} // namespace velmora::PaymentMethodChoice
