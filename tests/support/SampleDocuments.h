#pragma once

#include "core/model/AppDatabase.h"

#include <QTimeZone>

namespace velmora::test {

using namespace Qt::StringLiterals;

// A small design studio, its client and the documents they exchange: what
// the PDF tests read back and what the sample pages show.
struct SampleDocuments {
    static CompanySettings company() {
        CompanySettings c;
        c.displayName = u"Atelier Lumen"_s;
        c.ownerName = u"Camille Moreau"_s;
        c.legalStatus = u"Entrepreneur individuel — micro-entreprise"_s;
        c.siret = u"853 214 967 00021"_s;
        c.addressLine1 = u"12 rue des Tanneurs"_s;
        c.addressLine2 = u"69001 Lyon"_s;
        c.additionalLegalText =
            u"Dispensé d’immatriculation au registre du commerce et des sociétés."_s;
        c.bankName = u"Banque Populaire Auvergne Rhône Alpes"_s;
        c.bankIBAN = u"FR76 1680 7000 1234 5678 9012 345"_s;
        c.bankBIC = u"CCBPFRPPGRE"_s;
        c.bankAccountName = u"Camille Moreau"_s;
        c.acceptedPaymentMethods = {u"Virement"_s, u"Chèque"_s, u"Carte bancaire"_s, u"Espèces"_s};
        return c;
    }

    static ClientItem client() {
        ClientItem c;
        c.id = QUuid::fromString(u"6f1c2d3e-4b5a-4c6d-8e7f-0a1b2c3d4e5f"_s);
        c.kind = ClientKind::professionnel;
        c.company = u"Maison Verdier SARL"_s;
        c.email = u"compta@maison-verdier.fr"_s;
        c.addressLine1 = u"4 place Bellecour"_s;
        c.addressLine2 = u"69002 Lyon"_s;
        c.siret = u"532 118 004 00035"_s;
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
        d.number = u"F-2025-014"_s;
        d.issueDate = day(2025, 6, 2);
        d.dueDays = 30;
        d.clientID = client().id;
        using K = CommercialDocumentLineKind;
        CommercialDocumentLine identity = line(
            K::service, u"Identité visuelle"_s,
            u"Logo, palette de couleurs et typographies, guide d’usage de douze pages"_s, 1200);
        CommercialDocumentLine workshop =
            line(K::service, u"Atelier de lancement"_s,
                 u"Séance de travail avec l’équipe, en heures"_s, 65, 3.5);
        workshop.lineDiscountEnabled = true;
        workshop.lineDiscountIsPercent = true;
        workshop.lineDiscountValue = 10;
        CommercialDocumentLine cards =
            line(K::service, u"Cartes de visite"_s,
                 u"Mise en page recto verso, deux allers-retours"_s, 90, 2);
        CommercialDocumentLine social =
            line(K::service, u"Déclinaison réseaux sociaux"_s,
                 u"Bannières et avatars aux formats Instagram et LinkedIn"_s, 150);
        social.isOffered = true;
        CommercialDocumentLine loyalty = line(K::discount, u"Remise fidélité"_s, QString(), 5);
        loyalty.discountIsPercent = true;
        d.lines = {identity, workshop,
                   cards,    social,
                   loyalty,  line(K::deposit, u"Acompte versé le 12 mai"_s, QString(), 300)};
        return d;
    }

    static CommercialDocumentItem quote() {
        CommercialDocumentItem d;
        d.id = QUuid::createUuid();
        d.kind = CommercialDocumentKind::quote;
        d.number = u"D-2025-031"_s;
        d.issueDate = day(2025, 6, 2);
        d.validityDate = day(2025, 7, 2);
        d.clientID = client().id;
        using K = CommercialDocumentLineKind;
        d.lines = {line(K::service, u"Site vitrine"_s,
                        u"Cinq pages, formulaire de contact, mise en ligne"_s, 2400),
                   line(K::service, u"Rédaction"_s, u"Textes des pages, relus avec vous"_s, 180),
                   line(K::service, u"Photographies"_s,
                        u"Demi-journée de prise de vue à l’atelier"_s, 450)};
        return d;
    }
};

} // namespace velmora::test
