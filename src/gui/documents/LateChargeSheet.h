#pragma once

#include "gui/common/FormSheet.h"

#include <QUuid>

#include <optional>

class QLineEdit;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class Dialogs;

// "Frais de retard": a line without VAT added to a late invoice, or the
// amount of the one already added. Frozen invoices take it too.
class LateChargeSheet : public FormSheet {
    Q_OBJECT

public:
    LateChargeSheet(AppDataStore& store, Dialogs& dialogs, const QUuid& invoiceID, QWidget* parent);

protected:
    bool save() override;

private:
    AppDataStore& m_store;
    Dialogs& m_dialogs;
    QUuid m_invoiceID;
    std::optional<QUuid> m_line;
    QLineEdit* m_amount = nullptr;
};

} // namespace velmora::gui
