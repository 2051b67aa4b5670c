#pragma once

#include "core/platform/MailComposer.h"

namespace velmora {

// Runs one of the desktop's own tools (xdg-open, xdg-email) and tells its
// failure when it fails at once; one that is still working after a moment
// has handed the job over and counts as done.
Result<> runDesktopTool(const QString& program, const QStringList& arguments);

// The desktop's own compose service: xdg-email opens the user's mail program
// with the recipients, subject, body and attachment filled in. It can take a
// message when xdg-email is installed and a program handles mailto: links
// (or $MAILER names one).
class XdgMailComposer final : public MailComposer {
public:
    bool isAvailable() const override;
    bool canCompose(const MailMessage& message) const override;
    Result<> compose(const MailMessage& message) override;

    // The arguments given to xdg-email for a message.
    static QStringList arguments(const MailMessage& message);
};

// The desktop's default handler of each kind of URL, through xdg-open; false
// when xdg-open says nothing could open it.
class DesktopUrlOpener final : public UrlOpener {
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace velmora
