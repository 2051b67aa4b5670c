#pragma once

#include "core/model/ClientItem.h"
#include "core/model/CompanySettings.h"
#include "core/model/RawNames.h"
#include "core/model/ServiceItem.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace velmora {

enum class CommercialDocumentKind { quote, invoice };
VELMORA_RAW_DISPLAY(CommercialDocumentKind, VELMORA_LIST("quote", "invoice"),
                    VELMORA_LIST(u"Devis", u"Facture"));

enum class CommercialDocumentSourceKind { editor, importedPDF };
VELMORA_RAW(CommercialDocumentSourceKind, "editor", "importedPDF");

enum class CommercialDocumentLineKind { service, discount, deposit };
VELMORA_RAW(CommercialDocumentLineKind, "service", "discount", "deposit");

enum class AcompteRefundStatus { refunded, kept };
VELMORA_RAW(AcompteRefundStatus, "refunded", "kept");

struct CommercialDocumentLine {
    QUuid id;
    CommercialDocumentLineKind kind = CommercialDocumentLineKind::service;
    QString title;
    QString details;
    double priceTTC = 0;
    double tvaRate = 0;
    bool isOffered = false;
    std::optional<QUuid> linkedServiceID;
    bool discountIsPercent = false;
    std::optional<QUuid> discountLinkedLineID;
    bool lineDiscountEnabled = false;
    bool lineDiscountIsPercent = false;
    double lineDiscountValue = 0;
    double quantity = 1;
    ServicePrestationType prestationType = ServicePrestationType::prestationsLiberalesBNC;

    friend bool operator==(const CommercialDocumentLine&, const CommercialDocumentLine&) = default;
};

template <class Io> void describe(Io& io, CommercialDocumentLine& r) {
    io.required("id", r.id);
    io.fallback("kind", r.kind, CommercialDocumentLineKind::service);
    io.required("title", r.title);
    io.required("details", r.details);
    io.required("priceTTC", r.priceTTC);
    io.fallback("tvaRate", r.tvaRate);
    io.required("isOffered", r.isOffered);
    io.optional("linkedServiceID", r.linkedServiceID);
    io.fallback("discountIsPercent", r.discountIsPercent);
    io.optional("discountLinkedLineID", r.discountLinkedLineID);
    io.fallback("lineDiscountEnabled", r.lineDiscountEnabled);
    io.fallback("lineDiscountIsPercent", r.lineDiscountIsPercent);
    io.fallback("lineDiscountValue", r.lineDiscountValue);
    io.fallback("quantity", r.quantity, 1.0);
    io.fallback("prestationType", r.prestationType, ServicePrestationType::prestationsLiberalesBNC);
}

// A payment received on a document.
struct Encaissement {
    QUuid id;
    double amount = 0;
    QDateTime date;
    QString paymentMethod;
    bool isAcompte = false;
    QDateTime createdAt;
    bool isRefunded = false;

    friend bool operator==(const Encaissement&, const Encaissement&) = default;
};

template <class Io> void describe(Io& io, Encaissement& r) {
    io.fallbackFreshId("id", r.id);
    io.required("amount", r.amount);
    io.required("date", r.date);
    io.required("paymentMethod", r.paymentMethod);
    io.fallback("isAcompte", r.isAcompte);
    io.fallbackNow("createdAt", r.createdAt);
    io.fallback("isRefunded", r.isRefunded);
}

// Issuer and client as they were when the document was issued.
struct DocumentSnapshot {
    QDateTime capturedAt;
    CompanySettings companySettings;
    std::optional<ClientItem> client;
    std::optional<QUrl> companyLogoURL;

    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

template <class Io> void describe(Io& io, DocumentSnapshot& r) {
    io.required("capturedAt", r.capturedAt);
    io.required("companySettings", r.companySettings);
    io.optional("client", r.client);
    io.optional("companyLogoURL", r.companyLogoURL);
}

// A quote or an invoice.
struct CommercialDocumentItem {
    QUuid id;
    CommercialDocumentKind kind = CommercialDocumentKind::quote;
    CommercialDocumentSourceKind sourceKind = CommercialDocumentSourceKind::editor;
    std::optional<QUuid> statusID;
    QString number;
    QDateTime issueDate;
    std::optional<QDateTime> validityDate;
    std::optional<QDateTime> encaissementDate;
    qint64 dueDays = 0;
    std::optional<QUuid> clientID;
    QList<QUuid> linkedProjectIDs;
    std::optional<QUuid> linkedQuoteID;
    std::optional<QUrl> linkedQuotePDFURL;
    QString notes;
    QString paymentTerms;
    QList<CommercialDocumentLine> lines;
    std::optional<QUrl> importedPDFURL;
    std::optional<QString> paymentMethod;
    QList<Encaissement> encaissements;
    std::optional<DocumentSnapshot> pdfSnapshot;
    std::optional<QUuid> preCancelStatusID;
    std::optional<AcompteRefundStatus> acompteRefundStatus;

    friend bool operator==(const CommercialDocumentItem&, const CommercialDocumentItem&) = default;
};

template <class Io> void describe(Io& io, CommercialDocumentItem& r) {
    io.required("id", r.id);
    io.required("kind", r.kind);
    io.fallback("sourceKind", r.sourceKind, CommercialDocumentSourceKind::editor);
    io.optional("statusID", r.statusID);
    io.required("number", r.number);
    io.required("issueDate", r.issueDate);
    io.optional("validityDate", r.validityDate);
    io.optional("encaissementDate", r.encaissementDate);
    io.required("dueDays", r.dueDays);
    io.optional("clientID", r.clientID);
    io.idsOrLegacy("linkedProjectIDs", "linkedProjectID", r.linkedProjectIDs);
    io.optional("linkedQuoteID", r.linkedQuoteID);
    io.optional("linkedQuotePDFURL", r.linkedQuotePDFURL);
    io.required("notes", r.notes);
    io.fallback("paymentTerms", r.paymentTerms);
    io.required("lines", r.lines);
    io.optional("importedPDFURL", r.importedPDFURL);
    io.optional("paymentMethod", r.paymentMethod);
    io.fallback("encaissements", r.encaissements);
    io.optional("pdfSnapshot", r.pdfSnapshot);
    io.optional("preCancelStatusID", r.preCancelStatusID);
    io.optional("acompteRefundStatus", r.acompteRefundStatus);
}

} // namespace velmora
