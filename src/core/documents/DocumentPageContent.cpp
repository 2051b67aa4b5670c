#include "core/documents/DocumentPageContent.h"

#include "core/documents/DocumentDeadlines.h"
#include "core/documents/DocumentTotals.h"
#include "core/store/AppDataStore.h"
#include "core/text/ClientDisplayName.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"
#include "core/text/NumberFormat.h"
#include "core/text/SiretFormat.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

bool isService(const CommercialDocumentLine& line) {
    return line.kind == CommercialDocumentLineKind::service;
}

void appendIfAny(QStringList& lines, const QString& text) {
    if (const QString trimmed = text.trimmed(); !trimmed.isEmpty())
        lines << trimmed;
}

bool isZero(double amount) {
    return std::abs(amount) < 0.005;
}

// VAT is broken down as soon as something billed carries VAT; a business
// under the VAT exemption prints a single total.
bool hasVatBreakdown(const QList<CommercialDocumentLine>& lines) {
    return std::any_of(lines.cbegin(), lines.cend(), [](const CommercialDocumentLine& line) {
        return isService(line) && !line.isOffered && line.tvaRate > 0;
    });
}

QString lineNote(const CommercialDocumentLine& line, bool vatBreakdown) {
    QStringList parts;
    if (line.lineDiscountEnabled && line.lineDiscountValue > 0) {
        parts << QStringLiteral("Remise : ") +
                     (line.lineDiscountIsPercent
                          ? formatPercent(line.lineDiscountValue)
                          : formatMoney(line.lineDiscountValue) + QStringLiteral(" par unité"));
    }
    if (vatBreakdown)
        parts << QStringLiteral("TVA ") + formatPercent(line.tvaRate);
    return parts.join(QStringLiteral(" · "));
}

QList<DocumentPageContent::Total> totalsOf(const CommercialDocumentItem& document,
                                           bool vatBreakdown, bool cancelled) {
    const QList<CommercialDocumentLine>& lines = document.lines;
    QList<DocumentPageContent::Total> totals;
    // Without VAT, HT and TTC are the same figures; with VAT the rows become
    // a chain an accountant can follow: HT, offered, subtotal, VAT, discount,
    // deposit, total.
    double gross = grossServicesTTC(lines);
    double offered = offeredTotalTTC(lines);
    if (vatBreakdown) {
        gross = offered = 0;
        for (const CommercialDocumentLine& line : lines) {
            if (!isService(line))
                continue;
            gross += lineNetAmount(line);
            if (line.isOffered)
                offered += lineNetAmount(line);
        }
    }
    // What comes off the total reads as a deduction: a minus sign U+2212
    // and a space before the amount.
    const auto deducted = [](double amount) {
        return QStringLiteral("\u2212 ") + formatMoney(amount);
    };
    totals.append({QStringLiteral("Total HT"), formatMoney(gross)});
    if (offered > 0 && !isZero(offered))
        totals.append({QStringLiteral("Remise"), deducted(offered)});
    if (vatBreakdown) {
        totals.append({QStringLiteral("Sous-total HT"), formatMoney(servicesTotalHT(lines))});
        totals.append({QStringLiteral("TVA"), formatMoney(servicesTotalTVA(lines))});
    }
    if (const double discount = discountTotal(lines); !isZero(discount))
        totals.append({QStringLiteral("Remise commerciale"), deducted(discount)});
    if (const double deposit = depositTotal(lines); !isZero(deposit)) {
        totals.append({vatBreakdown ? QStringLiteral("Acompte TTC") : QStringLiteral("Acompte"),
                       deducted(deposit)});
    }
    totals.append({QStringLiteral("Total TTC"), formatMoney(netDue(document)), true, cancelled});
    return totals;
}

} // namespace

DocumentParties DocumentParties::of(const CommercialDocumentItem& document,
                                    const CompanySettings& currentCompany,
                                    const QList<ClientItem>& clients,
                                    const std::optional<QUrl>& currentLogo,
                                    bool inCancelledActivity) {
    DocumentParties parties;
    parties.inCancelledActivity = inCancelledActivity;
    if (document.pdfSnapshot) {
        parties.company = document.pdfSnapshot->companySettings;
        parties.client = document.pdfSnapshot->client;
        parties.logoURL = document.pdfSnapshot->companyLogoURL;
        return parties;
    }
    parties.company = currentCompany;
    parties.logoURL = currentLogo;
    if (document.clientID) {
        const auto client =
            std::find_if(clients.cbegin(), clients.cend(),
                         [&](const ClientItem& c) { return c.id == *document.clientID; });
        if (client != clients.cend())
            parties.client = *client;
    }
    return parties;
}

DocumentParties DocumentParties::of(const CommercialDocumentItem& document, const AppDatabase& db) {
    return of(document, db.companySettings, db.clients, db.preferences.invoiceLogoURL,
              isInCancelledActivity(document, StatusLists::of(db), db.projects));
}

QString paymentTermsSentence(const CommercialDocumentItem& document) {
    if (const QString own = document.paymentTerms.trimmed(); !own.isEmpty())
        return own;
    const QString from = document.kind == CommercialDocumentKind::invoice
                             ? QStringLiteral("à compter de la date d’émission de la facture.")
                             : QStringLiteral("à compter de la date d’émission.");
    if (document.dueDays == 0)
        return QStringLiteral("Paiement dû immédiatement ") + from;
    return QStringLiteral("Paiement dû sous ") + QString::number(document.dueDays) +
           QStringLiteral(" jours ") + from;
}

QString documentPdfFileName(const CommercialDocumentItem& document) {
    QString name = document.number.trimmed();
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.category() == QChar::Other_Control)
            c = QLatin1Char('-');
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("document");
    return name + QStringLiteral(".pdf");
}

QString pdfFailureTitle() {
    return QStringLiteral("Génération impossible");
}

QString pdfFailureMessage() {
    return QStringLiteral("Le PDF n'a pas pu être généré.");
}

DocumentPageContent DocumentPageContent::of(const CommercialDocumentItem& document,
                                            const DocumentParties& parties) {
    const CompanySettings& company = parties.company;
    const bool invoice = document.kind == CommercialDocumentKind::invoice;
    DocumentPageContent page;
    page.isInvoice = invoice;

    page.companyName = company.displayName.trimmed();
    if (page.companyName.isEmpty())
        page.companyName = company.ownerName.trimmed();
    else
        appendIfAny(page.companyLines, company.ownerName);
    appendIfAny(page.companyLines, company.legalStatus);
    appendIfAny(page.companyLines, company.addressLine1);
    appendIfAny(page.companyLines, company.addressLine2);
    if (const QString siret = company.siret.trimmed(); !siret.isEmpty())
        page.companyLines << QStringLiteral("SIRET : ") + formatSiret(siret);

    page.title = invoice ? QStringLiteral("Facture") : QStringLiteral("Devis");
    if (const QString number = document.number.trimmed(); !number.isEmpty())
        page.title += QLatin1Char(' ') + number;

    page.infoCardTitle = invoice ? QStringLiteral("Facturation") : QStringLiteral("Devis");
    page.infoRows.append(
        {QStringLiteral("Date d’émission :"), formatShortDate(document.issueDate)});
    if (invoice) {
        page.infoRows.append(
            {QStringLiteral("Délai de paiement :"), paymentTermsText(document.dueDays)});
    } else {
        page.infoRows.append({QStringLiteral("Valable jusqu’au :"),
                              document.validityDate ? formatShortDate(*document.validityDate)
                                                    : QStringLiteral("—")});
    }
    page.clientCardTitle = QStringLiteral("Client");
    page.noClientText = QStringLiteral("Aucun client sélectionné.");
    if (parties.client) {
        page.clientName = clientDisplayName(*parties.client);
        appendIfAny(page.clientLines, parties.client->addressLine1);
        appendIfAny(page.clientLines, parties.client->addressLine2);
        if (const QString siret = parties.client->siret.trimmed(); !siret.isEmpty())
            page.clientLines << QStringLiteral("SIRET : ") + formatSiret(siret);
    }

    const bool vatBreakdown = hasVatBreakdown(document.lines);
    page.showsUnitColumns =
        std::any_of(document.lines.cbegin(), document.lines.cend(),
                    [](const CommercialDocumentLine& l) { return isService(l) && l.quantity > 1; });
    page.columns = QStringList{QStringLiteral("Nom"), QStringLiteral("Description")};
    if (page.showsUnitColumns)
        page.columns << QStringLiteral("P.U. HT") << QStringLiteral("Qté");
    page.columns << QStringLiteral("Prix TTC");
    for (const CommercialDocumentLine& line : document.lines) {
        if (!isService(line))
            continue;
        Line row;
        row.title = line.title.trimmed();
        row.details = line.details.trimmed();
        row.note = lineNote(line, vatBreakdown);
        row.unitPrice = formatMoney(line.priceTTC);
        row.quantity = formatQuantity(line.quantity);
        row.offered = line.isOffered;
        row.price = line.isOffered ? QStringLiteral("Offert — ") + formatMoney(0)
                                   : formatMoney(lineNetAmount(line) * (1 + line.tvaRate / 100));
        page.lines.append(row);
    }
    page.noLinesText = QStringLiteral("Aucune prestation sélectionnée.");

    const bool cancelled = invoice && parties.inCancelledActivity;
    page.totals = totalsOf(document, vatBreakdown, cancelled);
    if (cancelled)
        page.cancelledNote = QStringLiteral("Activité annulée — le solde n'est plus exigible.");

    page.paymentHeading = QStringLiteral("Conditions de règlement");
    page.termsLabel = QStringLiteral("Délai de paiement");
    page.termsSentence = paymentTermsSentence(document);
    page.latePenalty =
        QStringLiteral("**Pénalités de retard :** ") + company.latePenaltyText.trimmed();
    page.methodsLabel = QStringLiteral("Moyens de paiement acceptés");
    for (const QString& method : company.acceptedPaymentMethods) {
        if (const QString name = method.trimmed(); !name.isEmpty())
            page.paymentMethods.append({name, paymentMethodIcon(name, company)});
    }
    if (invoice) {
        const QList<Row> bank{{QStringLiteral("Banque"), company.bankName.trimmed()},
                              {QStringLiteral("IBAN"), company.bankIBAN.trimmed()},
                              {QStringLiteral("BIC"), company.bankBIC.trimmed()},
                              {QStringLiteral("Titulaire"), company.bankAccountName.trimmed()}};
        for (const Row& row : bank) {
            if (!row.value.isEmpty())
                page.bankRows.append(row);
        }
        if (!page.bankRows.isEmpty())
            page.bankHeading = QStringLiteral("Coordonnées bancaires");
    }

    // The VAT note holds the place of the "latePenalty" key; a mention the
    // order leaves out still closes the page, since both are legal texts.
    QStringList order = company.legalTextOrder;
    for (const QString& key : CompanySettings::defaultLegalTextOrder()) {
        if (!order.contains(key))
            order << key;
    }
    order.removeDuplicates();
    for (const QString& key : order) {
        if (key == QLatin1String("latePenalty"))
            appendIfAny(page.legalMentions, company.tvaNote);
        else if (key == QLatin1String("additional"))
            appendIfAny(page.legalMentions, company.additionalLegalText);
    }
    return page;
}

QStringList paymentMethodIconNames() {
    return {QStringLiteral("banknote"),         QStringLiteral("creditcard"),
            QStringLiteral("building.columns"), QStringLiteral("signature"),
            QStringLiteral("iphone"),           QStringLiteral("eurosign.circle")};
}

QString paymentMethodIcon(const QString& method, const CompanySettings& company) {
    if (const auto custom = company.customPaymentMethodIcons.constFind(method);
        custom != company.customPaymentMethodIcons.cend()) {
        for (const QString& known : paymentMethodIconNames()) {
            if (custom->startsWith(known))
                return known;
        }
    }
    const QString name = method.toLower();
    const auto has = [&](std::initializer_list<const char*> words) {
        return std::any_of(words.begin(), words.end(),
                           [&](const char* w) { return name.contains(QString::fromUtf8(w)); });
    };
    if (has({"espèce", "espece", "liquide", "cash"}))
        return QStringLiteral("banknote");
    if (has({"carte", "card", "cb", "terminal"}))
        return QStringLiteral("creditcard");
    if (has({"virement", "sepa", "prélèvement", "prelevement", "transfer"}))
        return QStringLiteral("building.columns");
    if (has({"chèque", "cheque"}))
        return QStringLiteral("signature");
    if (has({"paypal", "lydia", "wero", "paylib", "mobile", "pay"}))
        return QStringLiteral("iphone");
    return QStringLiteral("eurosign.circle");
}

} // namespace velmora
