#pragma once

#include "core/stock/ServiceForm.h"
#include "gui/common/FormSheet.h"

class QLabel;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// "Nouvelle prestation" / "Modifier la prestation", bound to ServiceForm:
// title, description, price as typed (its warning shown while typing), the
// URSSAF type with its hint, icon, tags and notes.
class ServiceFormSheet : public FormSheet {
    Q_OBJECT

public:
    ServiceFormSheet(AppDataStore& store, ServiceForm model, QWidget* parent);

    const ServiceForm& model() const { return m_form; }

signals:
    void saved(const QUuid& serviceID);

protected:
    bool save() override;

private:
    AppDataStore& m_store;
    ServiceForm m_form;
    QLabel* m_priceWarning = nullptr;
};

// The symbols a service may show in the catalogue, by name.
QStringList serviceIconNames();

} // namespace velmora::gui
