#include "core/security/AccessCode.h"

#include "core/store/SessionEdit.h"

#include <QCryptographicHash>

namespace velmora {

// QString::trimmed() removes exactly the characters QChar::isSpace() accepts:
// the Unicode separators plus U+0009–U+000D and U+0085, i.e. the
// white-space-and-newline set.
QString answerDigest(const QString& answer) {
    const QByteArray bytes = answer.trimmed().toLower().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

bool isCodeCorrect(const QString& typed, const QString& appPassword) {
    return typed.trimmed() == appPassword;
}

const QStringList& presetSecurityQuestions() {
    static const QStringList questions{
        QStringLiteral("Quel est le prénom de votre premier animal de compagnie ?"),
        QStringLiteral("Dans quelle ville êtes-vous né ?"),
        QStringLiteral("Quel est le prénom de votre meilleur ami d'enfance ?"),
        QStringLiteral("Quel est le nom de votre première école ?"),
        QStringLiteral("Quel est le prénom de votre grand-père maternel ?"),
        QStringLiteral("Quel est le prénom de votre grand-mère paternelle ?"),
        QStringLiteral("Quel était le métier de votre mère ?"),
        QStringLiteral("Quel était le métier de votre père ?"),
        QStringLiteral("Quel est votre plat préféré ?"),
        QStringLiteral("Quelle est votre couleur préférée ?"),
    };
    return questions;
}

Result<> storeAccessCode(SessionEdit& edit, const QString& code) {
    edit.preferences().appPassword = code;
    return Result<>();
}

} // namespace velmora
