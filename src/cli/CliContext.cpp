#include "cli/CliContext.h"

#include <QJsonDocument>

#include <cstdio>

namespace velmora::cli {

void printJson(const QJsonObject& object) {
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
}

int fail(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return Failure;
}

int usage(const QString& message) {
    std::fprintf(stderr, "%s\nVoir : velmora-cli --help\n", message.toUtf8().constData());
    return Usage;
}

} // namespace velmora::cli
