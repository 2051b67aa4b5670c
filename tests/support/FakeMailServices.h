#pragma once

#include "core/platform/MailComposer.h"

#include <QList>
#include <QUrl>

namespace velmora::test {

// A mail service whose answers the test sets, keeping what it was handed.
class FakeMailComposer final : public MailComposer {
public:
    bool available = true;
    bool composable = true;
    bool composeFails = false;
    QList<MailMessage> composed;

    bool isAvailable() const override { return available; }
    bool canCompose(const MailMessage&) const override { return available && composable; }
    Result<> compose(const MailMessage& message) override {
        if (composeFails)
            return Result<>::failure(QStringLiteral("xdg-email n'a pas pu être lancé."));
        composed.append(message);
        return Result<>::success();
    }
};

class FakeUrlOpener final : public UrlOpener {
public:
    QList<QUrl> opened;
    bool fails = false; // nothing on the desktop can open what it is given
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return !fails;
    }
};

} // namespace velmora::test
