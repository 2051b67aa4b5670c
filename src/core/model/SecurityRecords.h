#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace velmora {

// An entry of the external tools vault.
struct ExternalTool {
    QUuid id;
    QString name;
    std::optional<QUrl> logoURL;
    std::optional<QString> brandIconName;
    QString login;
    QString password;
    QString websiteURL;
    QString notes;
    QList<QUuid> tagIDs;
    QDateTime createdAt;

    friend bool operator==(const ExternalTool&, const ExternalTool&) = default;
};

template <class Io> void describe(Io& io, ExternalTool& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.optional("logoURL", r.logoURL);
    io.optional("brandIconName", r.brandIconName);
    io.required("login", r.login);
    io.required("password", r.password);
    io.required("websiteURL", r.websiteURL);
    io.required("notes", r.notes);
    io.required("tagIDs", r.tagIDs);
    io.required("createdAt", r.createdAt);
}

// The user's reaction to one notification of the notification centre.
struct NotificationState {
    std::optional<QDateTime> snoozedUntil;
    bool toastDismissed = false;
    bool neverShow = false;
    std::optional<QDateTime> firstToastedAt;

    friend bool operator==(const NotificationState&, const NotificationState&) = default;
};

template <class Io> void describe(Io& io, NotificationState& r) {
    io.optional("snoozedUntil", r.snoozedUntil);
    io.required("toastDismissed", r.toastDismissed);
    io.required("neverShow", r.neverShow);
    io.optional("firstToastedAt", r.firstToastedAt);
}

struct SecurityQuestion {
    QUuid id;
    QString question;
    QString answerHash;

    friend bool operator==(const SecurityQuestion&, const SecurityQuestion&) = default;
};

template <class Io> void describe(Io& io, SecurityQuestion& r) {
    io.required("id", r.id);
    io.required("question", r.question);
    io.required("answerHash", r.answerHash);
}

} // namespace velmora
