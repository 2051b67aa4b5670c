#pragma once

#include "gui/common/FormSheet.h"

#include <QUuid>

class QListWidget;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// "Associer un devis existant": the quotes of the session, the invoice's
// client's first, to name the one the invoice comes from.
class QuotePickerSheet : public FormSheet {
    Q_OBJECT

public:
    QuotePickerSheet(AppDataStore& store, const QUuid& invoiceID, QWidget* parent);

protected:
    bool save() override;

private:
    AppDataStore& m_store;
    QUuid m_invoiceID;
    QListWidget* m_quotes = nullptr;
};

} // namespace velmora::gui
