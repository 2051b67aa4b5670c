#pragma once

// Readable failure output for Qt values in GoogleTest assertions; found by
// argument-dependent lookup, so including this header is enough.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUuid>

#include <ostream>

inline void PrintTo(const QString& value, std::ostream* os) {
    *os << '"' << value.toStdString() << '"';
}

inline void PrintTo(const QByteArray& value, std::ostream* os) {
    constexpr qsizetype kShown = 300;
    *os << '"' << value.left(kShown).toStdString() << (value.size() > kShown ? "…" : "") << '"'
        << " (" << value.size() << " octets)";
}

inline void PrintTo(const QUuid& value, std::ostream* os) {
    *os << value.toString(QUuid::WithoutBraces).toStdString();
}

inline void PrintTo(const QDateTime& value, std::ostream* os) {
    *os << (value.isValid() ? value.toUTC().toString(Qt::ISODateWithMs).toStdString()
                            : std::string("(date invalide)"));
}
