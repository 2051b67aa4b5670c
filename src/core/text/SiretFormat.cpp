#include "core/text/SiretFormat.h"

namespace velmora {

QString formatSiret(const QString& siret) {
    QString digits;
    for (const QChar c : siret) {
        if (c.isSpace())
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return siret.trimmed();
        digits.append(c);
    }
    if (digits.size() != 14)
        return siret.trimmed();
    // No-break spaces: the number never breaks across two lines.
    const QChar space(0x00a0);
    return digits.left(3) + space + digits.mid(3, 3) + space + digits.mid(6, 3) + space +
           digits.mid(9);
}

} // namespace velmora
