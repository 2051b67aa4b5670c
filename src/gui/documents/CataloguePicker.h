#pragma once

#include "core/model/ServiceItem.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace velmora::gui {

// "Remplir depuis le catalogue…": the catalogue's services, searched by
// title and description; choosing one closes the picker.
class CataloguePicker : public QDialog {
    Q_OBJECT

public:
    CataloguePicker(const QList<ServiceItem>& services, QWidget* parent);

    // The service chosen, once accepted.
    std::optional<QUuid> chosen() const { return m_chosen; }

private:
    void filter(const QString& query);

    QList<ServiceItem> m_services;
    QLineEdit* m_search = nullptr;
    QListWidget* m_list = nullptr;
    std::optional<QUuid> m_chosen;
};

} // namespace velmora::gui
