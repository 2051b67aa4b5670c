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
