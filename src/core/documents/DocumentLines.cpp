#include "core/documents/DocumentLines.h"

#include "core/documents/DocumentTotals.h"
#include "core/stock/ServiceForm.h"
#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"

#include <algorithm>

namespace velmora {

CommercialDocumentLine newLine(CommercialDocumentLineKind kind) {
    CommercialDocumentLine line;
    line.id = QUuid::createUuid();
    line.kind = kind;
    return line;
}

Result<> fillLineFromService(CommercialDocumentLine& line, const ServiceItem& service) {
    const bool takesPrice = line.priceTTC == 0;
    if (const QString warning = servicePriceWarning(service); takesPrice && !warning.isEmpty())
        return Result<>::invalid(warning);
    line.linkedServiceID = service.id;
    line.title = service.title;
    line.details = service.description;
    line.prestationType = service.prestationType;
    if (takesPrice)
        line.priceTTC = parseAmount(service.priceTTC).value_or(0);
    return Result<>();
}

bool LineEditor::canAddDiscount(const QList<CommercialDocumentLine>& lines) {
    return std::any_of(lines.cbegin(), lines.cend(), [](const CommercialDocumentLine& line) {
        return line.kind == CommercialDocumentLineKind::service;
    });
}

QString LineEditor::addDiscountHint(const QList<CommercialDocumentLine>& lines) {
    return canAddDiscount(lines) ? QStringLiteral("Ajouter une remise")
                                 : QStringLiteral("Ajoutez d’abord une prestation");
}

std::optional<QUuid> LineEditor::append(QList<CommercialDocumentLine>& lines,
                                        CommercialDocumentLineKind kind) {
    if (kind == CommercialDocumentLineKind::discount && !canAddDiscount(lines))
        return std::nullopt;
    CommercialDocumentLine line = newLine(kind);
    if (kind == CommercialDocumentLineKind::discount)
        line.title = discountTitle();
    lines.append(line);
    return line.id;
}

QString LineEditor::discountTooLargeMessage(double servicesTotal) {
    return QStringLiteral("La remise ne peut pas dépasser le total des prestations (") +
           formatMoney(servicesTotal) + QStringLiteral(").");
}

QString LineEditor::refusal(const QList<CommercialDocumentLine>& lines,
                            const CommercialDocumentLine& line) {
    if (line.kind == CommercialDocumentLineKind::service)
        return line.quantity > 0 ? QString() : quantityMessage();
    // A discount of nothing refuses nothing, whatever the services say.
    if (line.kind != CommercialDocumentLineKind::discount || !(line.priceTTC > 0))
        return QString();
    // The discounts up to this one, over every other line: the first
    // discount that goes too far is the one to mend.
    QList<CommercialDocumentLine> sofar;
    bool past = false;
    for (const CommercialDocumentLine& other : lines) {
        if (other.kind != CommercialDocumentLineKind::discount || !past)
            sofar.append(other);
        past = past || other.id == line.id;
    }
    const double services = servicesTotalTTC(lines);
    // Half a cent of slack: a 100 % discount is allowed whatever the rounding.
    return discountTotal(sofar) > services + 0.005 ? discountTooLargeMessage(services) : QString();
}

QString LineEditor::firstRefusal(const QList<CommercialDocumentLine>& lines) {
    for (const CommercialDocumentLine& line : lines)
        if (const QString message = refusal(lines, line); !message.isEmpty())
            return message;
    return QString();
}

LineFigures lineFigures(const CommercialDocumentLine& line) {
    if (line.kind != CommercialDocumentLineKind::service)
        return {line.priceTTC, 0, line.priceTTC};
    const double net = lineNetAmount(line);
    return {line.priceTTC, net * line.tvaRate / 100, net * (1 + line.tvaRate / 100)};
}

QStringList lineFigureTexts(const CommercialDocumentLine& line) {
    const LineFigures f = lineFigures(line);
    return {QStringLiteral("HT : ") + formatMoney(f.ht),
            QStringLiteral("TVA : ") + formatMoney(f.tva),
            QStringLiteral("TTC : ") + formatMoney(f.ttc)};
}

} // namespace velmora
