#include "gui/common/ClearButton.h"

#include <QAction>
#include <QLineEdit>

namespace velmora::gui {

void enableClearButton(QLineEdit* field, const QString& label) {
    field->setClearButtonEnabled(true);
    for (QAction* action : field->actions())
        if (action->objectName() == QLatin1String("_q_qlineeditclearaction"))
            action->setText(label);
}

} // namespace velmora::gui
