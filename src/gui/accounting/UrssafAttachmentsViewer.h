#pragma once

#include "core/model/AccountingRecords.h"
#include "gui/common/SectionServices.h"

#include <QDialog>

namespace velmora::gui {

// The receipts attached to a declaration, looked at in the application: a
// PDF page by page, a picture as it is, each with "Enregistrer sous…".
class UrssafAttachmentsViewer : public QDialog {
    Q_OBJECT

public:
    UrssafAttachmentsViewer(const SectionServices& services, const URSSAFDeclaration& declaration,
                            QWidget* parent);

private:
    QWidget* page(const QUrl& file, int index);

    SectionServices m_services;
};

} // namespace velmora::gui
