#include "gui/common/FieldFeedback.h"

#include "core/text/AmountParsing.h"

#include <QLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>

namespace velmora::gui {

void markRefused(QWidget* field, bool refused) {
    if (!field || isMarkedRefused(field) == refused)
        return;
    field->setProperty("refused", refused);
    field->style()->unpolish(field);
    field->style()->polish(field);
    field->update();
}

bool isMarkedRefused(const QWidget* field) {
    return field && field->property("refused").toBool();
}

void watchAmount(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
        markRefused(field, !text.trimmed().isEmpty() && !parseAmount(text));
    });
}

void revealField(QWidget* field) {
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    for (QWidget* w = field->parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            // A line just unfolded has not been laid out yet.
            if (QLayout* layout = area->widget() ? area->widget()->layout() : nullptr)
                layout->activate();
            area->ensureWidgetVisible(field->parentWidget());
            area->ensureWidgetVisible(field);
            return;
        }
    }
}

} // namespace velmora::gui
