#include "gui/common/PendingInput.h"

#include "core/app/UnsavedInput.h"
#include "gui/common/Dialogs.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

namespace velmora::gui {

namespace {

int depth(const QWidget* widget) {
    int n = 0;
    for (const QWidget* w = widget; w; w = w->parentWidget())
        ++n;
    return n;
}

// A closed sheet or page is no longer open, though it may live on until it
// is deleted or shown again; a page of a section not shown still is.
bool isOpen(const QWidget* widget) {
    return widget->isWindow() ? widget->isVisible() : !widget->isHidden();
}

} // namespace

bool settlePendingInput(QWidget& root, Dialogs& dialogs,
                        const std::function<void(QWidget&)>& reveal) {
    QList<QPointer<QWidget>> forms;
    const QList<QWidget*> all = root.findChildren<QWidget*>();
    for (QWidget* widget : all)
        if (dynamic_cast<PendingInput*>(widget) && isOpen(widget))
            forms << widget;
    std::stable_sort(forms.begin(), forms.end(),
                     [](const auto& a, const auto& b) { return depth(a) > depth(b); });
    for (const QPointer<QWidget>& widget : std::as_const(forms)) {
        // Settling a sheet may have closed the forms it belonged to.
        if (!widget || !isOpen(widget))
            continue;
        auto* form = dynamic_cast<PendingInput*>(widget.data());
        if (!form->hasTypedInput()) {
            form->discardTypedInput();
            continue;
        }
        if (reveal)
            reveal(*widget);
        const Alert question = unsavedinput::confirmation(form->pendingTitle());
        switch (unsavedinput::answer(dialogs.ask(widget, question))) {
        case unsavedinput::Answer::save:
            if (!form->saveTypedInput())
                return false;
            break;
        case unsavedinput::Answer::discard:
            form->discardTypedInput();
            break;
        case unsavedinput::Answer::cancel:
            return false;
        }
    }
    return true;
}

QStringList inputSnapshot(const QWidget& root) {
    QStringList values;
    const QList<QWidget*> all = root.findChildren<QWidget*>();
    for (const QWidget* w : all) {
        if (const auto* line = qobject_cast<const QLineEdit*>(w)) {
            if (!line->isReadOnly())
                values << line->text();
        } else if (const auto* text = qobject_cast<const QPlainTextEdit*>(w)) {
            if (!text->isReadOnly())
                values << text->toPlainText();
        } else if (const auto* rich = qobject_cast<const QTextEdit*>(w)) {
            if (!rich->isReadOnly())
                values << rich->toPlainText();
        } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            values << QString::number(combo->currentIndex()) + combo->currentText();
        } else if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) {
            values << spin->text();
        } else if (const auto* menu = qobject_cast<const QPushButton*>(w); menu && menu->menu()) {
            // A menu of choices says what is chosen on its face.
            values << menu->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            if (button->isCheckable())
                values << QString::number(button->isChecked());
        }
    }
    return values;
}

} // namespace velmora::gui
