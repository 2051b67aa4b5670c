#pragma once

#include <QList>
#include <QMap>
#include <QString>

namespace velmora {

// The issuer's identity printed on documents; also frozen into each issued
// document's snapshot. Member defaults are those of a brand-new session.
struct CompanySettings {
    QString displayName;
    QString ownerName;
    QString legalStatus;
    QString siret;
    QString addressLine1;
    QString addressLine2;
    QString tvaNote = defaultTvaNote();
    QString latePenaltyText = defaultLatePenaltyText();
    QString additionalLegalText;
    QList<QString> legalTextOrder = defaultLegalTextOrder();
    QString bankName;
    QString bankIBAN;
    QString bankBIC;
    QString bankAccountName;
    QList<QString> acceptedPaymentMethods;
    QMap<QString, QString> customPaymentMethodIcons;
    QString lateChargeLineTitle = defaultLateChargeLineTitle();
    QString lateChargeLineDescription = defaultLateChargeLineDescription();

    static QString defaultTvaNote() {
        return QStringLiteral("TVA non applicable, art. 293 B du CGI");
    }
    static QString defaultLatePenaltyText() {
        return QStringLiteral(
            "Pénalités de retard exigibles au taux légal en vigueur à compter du jour suivant la "
            "date d'échéance. Indemnité forfaitaire pour frais de recouvrement de 40 € (art. "
            "L441-10 et D441-5 du Code de commerce).");
    }
    static QList<QString> defaultLegalTextOrder() {
        return {QStringLiteral("latePenalty"), QStringLiteral("additional")};
    }
    static QString defaultLateChargeLineTitle() { return QStringLiteral("Frais de retard"); }
    static QString defaultLateChargeLineDescription() {
        return QStringLiteral("Pénalités de retard de paiement");
    }

    friend bool operator==(const CompanySettings&, const CompanySettings&) = default;
};

template <class Io> void describe(Io& io, CompanySettings& r) {
    io.required("displayName", r.displayName);
    io.required("ownerName", r.ownerName);
    io.required("legalStatus", r.legalStatus);
    io.required("siret", r.siret);
    io.required("addressLine1", r.addressLine1);
    io.required("addressLine2", r.addressLine2);
    io.required("tvaNote", r.tvaNote);
    io.required("latePenaltyText", r.latePenaltyText);
    io.required("additionalLegalText", r.additionalLegalText);
    io.fallback("legalTextOrder", r.legalTextOrder, CompanySettings::defaultLegalTextOrder());
    io.fallback("bankName", r.bankName);
    io.fallback("bankIBAN", r.bankIBAN);
    io.fallback("bankBIC", r.bankBIC);
    io.fallback("bankAccountName", r.bankAccountName);
    io.fallback("acceptedPaymentMethods", r.acceptedPaymentMethods);
    io.fallback("customPaymentMethodIcons", r.customPaymentMethodIcons);
    io.fallback("lateChargeLineTitle", r.lateChargeLineTitle,
                CompanySettings::defaultLateChargeLineTitle());
    io.fallback("lateChargeLineDescription", r.lateChargeLineDescription,
                CompanySettings::defaultLateChargeLineDescription());
}

} // namespace velmora
