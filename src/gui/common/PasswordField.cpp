#include "gui/common/PasswordField.h"

#include "gui/common/Icons.h"

#include <QAction>

namespace velmora::gui {

QLineEdit* passwordField(const QString& placeholder, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setPlaceholderText(placeholder);
    field->setEchoMode(QLineEdit::Password);
    field->setMinimumHeight(34);
    // The grey of secondary texts, in whichever appearance is shown.
    constexpr QPalette::ColorRole grey = QPalette::PlaceholderText;
    auto* toggle =
        field->addAction(symbolIcon(QStringLiteral("eye"), grey), QLineEdit::TrailingPosition);
    // Its text names the eye for screen readers; only the icon is drawn.
    toggle->setText(QStringLiteral("Afficher le code"));
    toggle->setToolTip(toggle->text());
    QObject::connect(toggle, &QAction::triggered, field, [field, toggle] {
        const bool hidden = field->echoMode() == QLineEdit::Password;
        field->setEchoMode(hidden ? QLineEdit::Normal : QLineEdit::Password);
        toggle->setIcon(
            symbolIcon(hidden ? QStringLiteral("eye.slash") : QStringLiteral("eye"), grey));
        toggle->setText(hidden ? QStringLiteral("Masquer le code")
                               : QStringLiteral("Afficher le code"));
        toggle->setToolTip(toggle->text());
    });
    return field;
}

} // namespace velmora::gui
