#pragma once

#include "core/model/RawNames.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

namespace velmora {

enum class ClientKind { particulier, professionnel };
VELMORA_RAW_DISPLAY(ClientKind, VELMORA_LIST("particulier", "professionnel"),
                    VELMORA_LIST(u"Particulier", u"Professionnel"));

struct CompanyContact {
    QUuid id;
    QString firstName;
    QString lastName;
    QString role;
    QString email;
    QString phone;

    friend bool operator==(const CompanyContact&, const CompanyContact&) = default;
};

template <class Io> void describe(Io& io, CompanyContact& r) {
    io.required("id", r.id);
    io.required("firstName", r.firstName);
    io.required("lastName", r.lastName);
    io.required("role", r.role);
    io.required("email", r.email);
    io.required("phone", r.phone);
}

struct ClientItem {
    QUuid id;
    ClientKind kind = ClientKind::particulier;
    QString firstName;
    QString lastName;
    QString company;
    QString email;
    QString phone;
    QString notes;
    std::optional<QUrl> photoURL;
    QList<CompanyContact> contacts;
    QList<QUuid> tagIDs;
    QString addressLine1;
    QString addressLine2;
    QString siret;

    friend bool operator==(const ClientItem&, const ClientItem&) = default;
};

template <class Io> void describe(Io& io, ClientItem& r) {
    io.required("id", r.id);
    io.required("kind", r.kind);
    io.required("firstName", r.firstName);
    io.required("lastName", r.lastName);
    io.required("company", r.company);
    io.required("email", r.email);
    io.required("phone", r.phone);
    io.required("notes", r.notes);
    io.optional("photoURL", r.photoURL);
    io.fallback("contacts", r.contacts);
    io.fallback("tagIDs", r.tagIDs);
    io.fallback("addressLine1", r.addressLine1);
    io.fallback("addressLine2", r.addressLine2);
    io.fallback("siret", r.siret);
}

} // namespace velmora
