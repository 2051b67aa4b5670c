#pragma once

#include "core/model/ServiceItem.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace velmora::gui {

// "Remplir depuis le catalogue…": the catalogue's services, searched by
// title and description; choosing one ("Choisir", Return or a double click)
// closes the picker.
class CataloguePicker : public QDialog {
    Q_OBJECT

public:
    CataloguePicker(const QList<ServiceItem>& services, QWidget* parent);

    // The service chosen, once accepted.
    std::optional<QUuid> chosen() const { return m_chosen; }

private:
    void filter(const QString& query);
    // The service Return would take: the selected one, else the first shown.
    QListWidgetItem* candidate() const;
    void choose();
    void showChoice();

    QList<ServiceItem> m_services;
    QLineEdit* m_search = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_choose = nullptr;
    std::optional<QUuid> m_chosen;
};

} // namespace velmora::gui
