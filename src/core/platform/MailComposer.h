#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>
#include <QUrl>

namespace velmora {

// A message handed to the user's own mail program, which the user sends.
struct MailMessage {
    QStringList recipients;
    QString subject;
    QString body;
    QString attachmentPath; // empty: no attachment

    friend bool operator==(const MailMessage&, const MailMessage&) = default;
};

// The platform's mail-composition service. The system never sends mail
// itself: it prepares the message and the user's mail program opens it.
class MailComposer {
public:
    virtual ~MailComposer() = default;
    // Whether this machine has a composition service at all.
    virtual bool isAvailable() const = 0;
    // Whether the service can take this message now (a mail program is set).
    virtual bool canCompose(const MailMessage& message) const = 0;
    // Hands the message over; a failure says why, in French.
    virtual Result<> compose(const MailMessage& message) = 0;
};

// Opening a URL (a mailto: link, a PDF file) with its default handler.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool openUrl(const QUrl& url) = 0;
};

} // namespace velmora
