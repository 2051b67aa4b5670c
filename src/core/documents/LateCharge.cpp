#include "core/documents/LateCharge.h"

#include "core/documents/DocumentLines.h"
#include "core/store/AppDataStore.h"
#include "core/text/AmountParsing.h"

namespace velmora {
namespace {

QString lineTitle(const CompanySettings& company) {
    return company.lateChargeLineTitle.isEmpty() ? CompanySettings::defaultLateChargeLineTitle()
                                                 : company.lateChargeLineTitle;
}

QString lineDescription(const CompanySettings& company) {
    return company.lateChargeLineDescription.isEmpty()
               ? CompanySettings::defaultLateChargeLineDescription()
               : company.lateChargeLineDescription;
}

} // namespace

std::optional<QUuid> LateCharge::existingLine(const CommercialDocumentItem& invoice,
                                              const CompanySettings& company) {
    const QString title = lineTitle(company);
    const QString details = lineDescription(company);
    for (qsizetype i = invoice.lines.size() - 1; i >= 0; --i) {
        const CommercialDocumentLine& line = invoice.lines[i];
        if (line.kind == CommercialDocumentLineKind::service && line.title == title &&
            line.details == details)
            return line.id;
    }
    return std::nullopt;
}

Result<QString> LateCharge::addOrUpdateLateCharge(SessionEdit& edit, const QUuid& invoiceID,
                                                  const QString& amountText,
                                                  const std::optional<QUuid>& lineID) {
    CommercialDocumentItem* invoice = edit.document(invoiceID);
    if (!invoice || invoice->kind != CommercialDocumentKind::invoice)
        return Result<QString>::notFound(documentNotFoundMessage());
    const auto amount = parseAmount(amountText);
    // A charge of nothing, or a negative one that would lower the due, is no
    // late charge.
    if (!amount || !(*amount > 0))
        return Result<QString>::invalid(invalidAmountMessage());

    CommercialDocumentLine* existing = nullptr;
    if (lineID) {
        for (CommercialDocumentLine& line : invoice->lines) {
            if (line.id == *lineID)
                existing = &line;
        }
    }
    if (existing) {
        existing->priceTTC = *amount;
    } else {
        const CompanySettings& company = edit.session().companySettings;
        CommercialDocumentLine line = newLine(CommercialDocumentLineKind::service);
        line.title = lineTitle(company);
        line.details = lineDescription(company);
        line.priceTTC = *amount;
        invoice->lines.append(line);
    }
    return Result<QString>(addedConfirmation());
}

} // namespace velmora
