#pragma once

#include "core/model/AppDatabase.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace velmora {

// Who a document is from and to, and the logo it carries: frozen in the
// snapshot once issued, read live while it is a draft. The PDF, the e-mail
// and the reminder of one document all take them from here.
struct DocumentParties {
    CompanySettings company;
    std::optional<ClientItem> client;
    std::optional<QUrl> logoURL;
    bool inCancelledActivity = false;

    static DocumentParties of(const CommercialDocumentItem& document, const AppDatabase& db);
    static DocumentParties of(const CommercialDocumentItem& document,
                              const CompanySettings& currentCompany,
                              const QList<ClientItem>& clients,
                              const std::optional<QUrl>& currentLogo, bool inCancelledActivity);
};

// "Paiement dû sous 30 jours à compter de la date d’émission de la facture.",
// or the document's own terms when it has any.
QString paymentTermsSentence(const CommercialDocumentItem& document);

// The PDF's file name: the number, or "document" without one. Characters a
// file name cannot hold become hyphens.
QString documentPdfFileName(const CommercialDocumentItem& document);

// "Génération impossible" / "Le PDF n'a pas pu être généré."
QString pdfFailureTitle();
QString pdfFailureMessage();

// Everything printed on a quote or invoice page, as text, in page order.
// The renderer only lays it out.
struct DocumentPageContent {
    struct Row {
        QString label;
        QString value;
    };
    struct Line {
        QString title;
        QString details;
        QString note; // the line's own reduction, when it has one
        QString unitPrice;
        QString quantity;
        QString price;
        bool offered = false;
    };
    struct Total {
        QString label;
        QString amount;
        bool isGrandTotal = false;
        bool struckThrough = false;
    };
    struct PaymentMethod {
        QString name;
        QString icon; // one of paymentMethodIconNames()
    };

    bool isInvoice = true;
    // 1. Company block.
    QString companyName;
    QStringList companyLines;
    // 2. Title.
    QString title;
    // 3. Information cards.
    QString infoCardTitle;
    QList<Row> infoRows;
    QString clientCardTitle;
    QString clientName; // empty without a client
    QStringList clientLines;
    QString noClientText;
    // 4. Lines table.
    QStringList columns;
    bool showsUnitColumns = false;
    QList<Line> lines;
    QString noLinesText;
    // 5. Totals.
    QList<Total> totals;
    QString cancelledNote; // empty unless the invoice's activity is cancelled
    // 6. Payment section.
    QString paymentHeading;
    QString termsLabel;
    QString termsSentence;
    QString latePenalty; // "**Pénalités de retard :** " + the company's text
    QString methodsLabel;
    QList<PaymentMethod> paymentMethods;
    QString bankHeading; // invoices with bank details only
    QList<Row> bankRows;
    // 7. Legal mentions, in the company's order.
    QStringList legalMentions;

    static DocumentPageContent of(const CommercialDocumentItem& document,
                                  const DocumentParties& parties);
};

// The column widths of the lines table, in points; "Description" takes what
// is left.
inline constexpr double kNameColumnWidth = 170;
inline constexpr double kUnitPriceColumnWidth = 90;
inline constexpr double kQuantityColumnWidth = 50;
inline constexpr double kPriceColumnWidth = 130;

// The payment-method pictures the page knows how to draw.
QStringList paymentMethodIconNames();
// The picture of one accepted method: the company's own choice when it names
// a known picture, else guessed from the method's name.
QString paymentMethodIcon(const QString& method, const CompanySettings& company);

} // namespace velmora
