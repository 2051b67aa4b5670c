#include "desktop/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace velmora {

void SystemClipboard::setText(const QString& text, bool secret) {
    auto* data = new QMimeData;
    data->setText(text);
    if (secret)
        data->setData(secretHintFormat(), QByteArrayLiteral("secret"));
    QGuiApplication::clipboard()->setMimeData(data);
}

QString SystemClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

void SystemClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

} // namespace velmora
