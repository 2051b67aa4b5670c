#pragma once

#include "core/stock/StockItemForm.h"
#include "gui/common/FormSheet.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::gui {

class PictureField;
struct SectionServices;

// "Nouvel article" / "Modifier l’article" (and the same for the "Liste
// d'achats"), bound to StockItemForm: name, photo (copied into the session
// only when saved), quantity as typed with its message, the classification
// under the names the settings give it, order address, characteristics and
// notes.
class StockItemFormSheet : public FormSheet {
    Q_OBJECT

public:
    StockItemFormSheet(const SectionServices& services, StockItemForm model, QWidget* parent);

signals:
    void saved(const QUuid& itemID);

protected:
    bool save() override;

private:
    void addClassification();

    const SectionServices& m_services;
    StockItemForm m_form;
    PictureField* m_photo = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLabel* m_quantityError = nullptr;
};

// The picture of an item in the list's card and the form: its photo, else
// its symbol.
QPixmap stockItemPicture(const std::optional<QByteArray>& photo, const std::optional<QString>& icon,
                         int size);

} // namespace velmora::gui
