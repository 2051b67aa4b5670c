#pragma once

#include "core/model/AppDatabase.h"

#include <QTimeZone>

namespace velmora::test {

// A small design studio, its client and the documents they exchange: what
// the PDF tests read back and what the sample pages show.
struct SampleDocuments {
    static CompanySettings company() {
        CompanySettings c;
        c.displayName = QStringLiteral("Atelier Lumen");
        c.ownerName = QStringLiteral("Camille Moreau");
        c.legalStatus = QStringLiteral("Entrepreneur individuel — micro-entreprise");
        c.siret = QStringLiteral("853 214 967 00021");
        c.addressLine1 = QStringLiteral("12 rue des Tanneurs");
        c.addressLine2 = QStringLiteral("69001 Lyon");
        c.additionalLegalText =
            QStringLiteral("Dispensé d’immatriculation au registre du commerce et des sociétés.");
        c.bankName = QStringLiteral("Banque Populaire Auvergne Rhône Alpes");
        c.bankIBAN = QStringLiteral("FR76 1680 7000 1234 5678 9012 345");
        c.bankBIC = QStringLiteral("CCBPFRPPGRE");
        c.bankAccountName = QStringLiteral("Camille Moreau");
        c.acceptedPaymentMethods = {QStringLiteral("Virement"), QStringLiteral("Chèque"),
                                    QStringLiteral("Carte bancaire"), QStringLiteral("Espèces")};
        return c;
    }

    static ClientItem client() {
        ClientItem c;
        c.id = QUuid::fromString(QStringLiteral("6f1c2d3e-4b5a-4c6d-8e7f-0a1b2c3d4e5f"));
        c.kind = ClientKind::professionnel;
        c.company = QStringLiteral("Maison Verdier SARL");
        c.email = QStringLiteral("compta@maison-verdier.fr");
        c.addressLine1 = QStringLiteral("4 place Bellecour");
        c.addressLine2 = QStringLiteral("69002 Lyon");
        c.siret = QStringLiteral("532 118 004 00035");
        return c;
    }

    static CommercialDocumentLine line(CommercialDocumentLineKind kind, const QString& title,
                                       const QString& details, double price, double quantity = 1) {
        CommercialDocumentLine l;
        l.id = QUuid::createUuid();
        l.kind = kind;
        l.title = title;
        l.details = details;
        l.priceTTC = price;
        l.quantity = quantity;
        return l;
    }

    static QDateTime day(int year, int month, int dayOfMonth) {
        return QDateTime(QDate(year, month, dayOfMonth), QTime(12, 0), QTimeZone::systemTimeZone())
            .toUTC();
    }

    // Services with a reduced line, an offered one, a discount and a deposit.
    static CommercialDocumentItem invoice() {
        CommercialDocumentItem d;
        d.id = QUuid::createUuid();
        d.kind = CommercialDocumentKind::invoice;
        d.number = QStringLiteral("F-2025-014");
        d.issueDate = day(2025, 6, 2);
        d.dueDays = 30;
        d.clientID = client().id;
        using K = CommercialDocumentLineKind;
        CommercialDocumentLine identity =
            line(K::service, QStringLiteral("Identité visuelle"),
                 QStringLiteral("Logo, palette de couleurs et typographies, guide d’usage de "
                                "douze pages"),
                 1200);
        CommercialDocumentLine workshop =
            line(K::service, QStringLiteral("Atelier de lancement"),
                 QStringLiteral("Séance de travail avec l’équipe, en heures"), 65, 3.5);
        workshop.lineDiscountEnabled = true;
        workshop.lineDiscountIsPercent = true;
        workshop.lineDiscountValue = 10;
        CommercialDocumentLine cards =
            line(K::service, QStringLiteral("Cartes de visite"),
                 QStringLiteral("Mise en page recto verso, deux allers-retours"), 90, 2);
        CommercialDocumentLine social =
            line(K::service, QStringLiteral("Déclinaison réseaux sociaux"),
                 QStringLiteral("Bannières et avatars aux formats Instagram et LinkedIn"), 150);
        social.isOffered = true;
        CommercialDocumentLine loyalty =
            line(K::discount, QStringLiteral("Remise fidélité"), QString(), 5);
        loyalty.discountIsPercent = true;
        d.lines = {
            identity, workshop,
            cards,    social,
            loyalty,  line(K::deposit, QStringLiteral("Acompte versé le 12 mai"), QString(), 300)};
        return d;
    }

    static CommercialDocumentItem quote() {
        CommercialDocumentItem d;
        d.id = QUuid::createUuid();
        d.kind = CommercialDocumentKind::quote;
        d.number = QStringLiteral("D-2025-031");
        d.issueDate = day(2025, 6, 2);
        d.validityDate = day(2025, 7, 2);
        d.clientID = client().id;
        using K = CommercialDocumentLineKind;
        d.lines = {line(K::service, QStringLiteral("Site vitrine"),
                        QStringLiteral("Cinq pages, formulaire de contact, mise en ligne"), 2400),
                   line(K::service, QStringLiteral("Rédaction"),
                        QStringLiteral("Textes des pages, relus avec vous"), 180),
                   line(K::service, QStringLiteral("Photographies"),
                        QStringLiteral("Demi-journée de prise de vue à l’atelier"), 450)};
        return d;
    }
};

} // namespace velmora::test
