#include "gui/documents/LateChargeSheet.h"

#include "core/documents/LateCharge.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Theme.h"
#include "gui/documents/DocumentSheets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace velmora::gui {

namespace {

std::optional<QUuid> lineOf(const AppDataStore& store, const QUuid& invoiceID) {
    const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID);
    return invoice ? LateCharge::existingLine(*invoice, store.companySettings()) : std::nullopt;
}

} // namespace

LateChargeSheet::LateChargeSheet(AppDataStore& store, Dialogs& dialogs, const QUuid& invoiceID,
                                 QWidget* parent)
    : FormSheet(QStringLiteral("lateChargeSheet"),
                lineOf(store, invoiceID) ? LateCharge::editTitle() : LateCharge::button(), parent),
      m_store(store), m_dialogs(dialogs), m_invoiceID(invoiceID), m_line(lineOf(store, invoiceID)) {
    setSaveText(LateCharge::addButton());
    QLabel* text =
        theme::label(m_line ? LateCharge::editText() : LateCharge::addText(), "hint", this);
    form()->addRow(text);
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("lateChargeAmount"));
    watchAmount(m_amount);
    m_amount->setPlaceholderText(LateCharge::amountPlaceholder());
    if (m_line)
        if (const CommercialDocumentItem* invoice = documentsheets::find(store, invoiceID))
            for (const CommercialDocumentLine& line : invoice->lines)
                if (line.id == *m_line)
                    m_amount->setText(QString::number(line.priceTTC, 'f', 2).replace(u'.', u','));
    addRow(LateCharge::amountLabel(), m_amount);
    m_amount->setFocus();
}

bool LateChargeSheet::save() {
    const Result<QString> result = m_store.edit([&](SessionEdit& edit) {
        return LateCharge::addOrUpdateLateCharge(edit, m_invoiceID, m_amount->text(), m_line);
    });
    if (!applied(Result<>(result)))
        return false;
    if (result.ok())
        m_dialogs.ask(this, okAlert(result.value(), QString(), Alert::Kind::information));
    return true;
}

} // namespace velmora::gui
