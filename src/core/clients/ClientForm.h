#pragma once

#include "core/Result.h"
#include "core/model/ClientItem.h"
#include "core/model/TagItem.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace velmora {

class SessionEdit;

// The form of a new or edited client: the fields of the record as typed,
// the contact persons of a company and the client's tags.
class ClientForm {
public:
    static QString nameRequiredMessage() {
        return QStringLiteral(
            "Le nom (ou la raison sociale) est obligatoire pour créer un client.");
    }
    static QString notFoundMessage() { return QStringLiteral("Ce client n'existe plus."); }
    // The company settings' own SIRET message: one rule for both forms.
    static QString siretMessage();
    static QString emailWarningMessage() {
        return QStringLiteral(
            "Cette adresse e-mail semble incomplète (exemple\u00a0: nom@domaine.fr).");
    }
    // Whether the text has the shape of an address: something, one "@", a
    // domain with a dot between non-empty parts, no white space.
    static bool looksLikeEmail(const QString& text);
    static QString unnamedContact() { return QStringLiteral("Contact sans nom"); }
    // "Prénom Nom" of a contact, or "Contact sans nom".
    static QString contactName(const CompanyContact& contact);
    static QString kindName(ClientKind kind) { return displayName(kind); }
    static QString colorName(TagColorOption color) { return displayName(color); }

    // A new private client with a fresh id.
    ClientForm();
    // Edits the client.
    explicit ClientForm(const ClientItem& client);

    bool isNew() const { return m_isNew; }
    // Only a company has contact persons; those of a client switched to
    // private stay in the record, unseen, until it is switched back.
    bool showsContacts() const { return fields.kind == ClientKind::professionnel; }

    // Appends an empty contact; its id.
    QUuid addContact();
    bool removeContact(const QUuid& id);

    bool hasTag(const QUuid& tagID) const { return fields.tagIDs.contains(tagID); }
    void setTag(const QUuid& tagID, bool on);

    // The message that refuses the client, or an empty text: no name, or a
    // company's SIRET that is not 14 digits (an empty one is allowed).
    QString validate() const;
    QString siretError() const;
    // A typed e-mail that does not look like one: warned about, not refused.
    QString emailWarning() const;
    // The record as saved: one-line fields trimmed (the notes as typed), the
    // SIRET without its spaces, and the contacts with nothing typed in them
    // left out.
    ClientItem written() const;
    // Validates, then adds or replaces the client (tags the session does
    // not know are left out); the form holds the record once it is saved.
    // `unchanged` when nothing differs from the session's record.
    Result<> apply(SessionEdit& edit);

    ClientItem fields;

private:
    bool m_isNew = true;
};

} // namespace velmora
