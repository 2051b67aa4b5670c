#include "core/app/UnsavedInput.h"

namespace velmora::unsavedinput {

Alert confirmation(const QString& form) {
    const QString title = form.trimmed();
    return {Alert::Kind::warning,
            QStringLiteral("Quitter sans enregistrer ?"),
            title.isEmpty()
                ? QStringLiteral("Ce qui a été saisi n’est pas encore enregistré.")
                : QStringLiteral("Ce qui a été saisi dans « %1 » n’est pas encore enregistré.")
                      .arg(title),
            {AlertButton{QStringLiteral("Enregistrer"), AlertRole::defaultAction},
             AlertButton{QStringLiteral("Ne pas enregistrer"), AlertRole::destructive},
             AlertButton{QStringLiteral("Annuler"), AlertRole::cancel}}};
}

Answer answer(int button) {
    switch (button) {
    case 0:
        return Answer::save;
    case 1:
        return Answer::discard;
    default:
        return Answer::cancel;
    }
}

} // namespace velmora::unsavedinput
