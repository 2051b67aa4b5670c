#pragma once

#include "core/security/ExternalToolForm.h"
#include "gui/common/FormSheet.h"
#include "gui/common/SectionServices.h"

namespace velmora::gui {

class PictureField;

// "Nouvel outil" / "Modifier l’outil", bound to ExternalToolForm: name,
// logo, login, password (hidden unless asked), address, tags and notes.
class ExternalToolFormSheet : public FormSheet {
    Q_OBJECT

public:
    ExternalToolFormSheet(const SectionServices& services, ExternalToolForm model, QWidget* parent);

signals:
    void saved(const QUuid& toolID);

protected:
    bool save() override;

private:
    SectionServices m_services;
    ExternalToolForm m_form;
    PictureField* m_logo = nullptr;
};

// The tool's logo, or the tools' symbol.
QPixmap externalToolPicture(const std::optional<QByteArray>& logo, int size);

} // namespace velmora::gui
