#include "core/clients/ClientForm.h"

#include "core/app/CompanySettingsForm.h"
#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {
namespace {

bool isBlank(const CompanyContact& contact) {
    return contact.firstName.trimmed().isEmpty() && contact.lastName.trimmed().isEmpty() &&
           contact.role.trimmed().isEmpty() && contact.email.trimmed().isEmpty() &&
           contact.phone.trimmed().isEmpty();
}

} // namespace

QString ClientForm::contactName(const CompanyContact& contact) {
    QStringList parts;
    for (const QString& part : {contact.firstName.trimmed(), contact.lastName.trimmed()}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts.isEmpty() ? unnamedContact() : parts.join(QLatin1Char(' '));
}

ClientForm::ClientForm() {
    fields.id = QUuid::createUuid();
}

ClientForm::ClientForm(const ClientItem& client) : fields(client), m_isNew(false) {}

QUuid ClientForm::addContact() {
    CompanyContact contact;
    contact.id = QUuid::createUuid();
    fields.contacts.append(contact);
    return contact.id;
}

bool ClientForm::removeContact(const QUuid& id) {
    return fields.contacts.removeIf([&](const CompanyContact& c) { return c.id == id; }) > 0;
}

void ClientForm::setTag(const QUuid& tagID, bool on) {
    setIdIn(fields.tagIDs, tagID, on);
}

QString ClientForm::siretMessage() {
    return CompanySettingsForm::siretMessage();
}

bool ClientForm::looksLikeEmail(const QString& text) {
    const QString address = text.trimmed();
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || address.indexOf(QLatin1Char('@'), at + 1) >= 0 ||
        std::any_of(address.cbegin(), address.cend(), [](QChar c) { return c.isSpace(); }))
        return false;
    const QStringList parts = address.mid(at + 1).split(QLatin1Char('.'));
    return parts.size() >= 2 && std::none_of(parts.cbegin(), parts.cend(),
                                             [](const QString& part) { return part.isEmpty(); });
}

QString ClientForm::validate() const {
    const bool named =
        fields.kind == ClientKind::professionnel
            ? !fields.company.trimmed().isEmpty()
            : !fields.firstName.trimmed().isEmpty() || !fields.lastName.trimmed().isEmpty();
    if (!named)
        return nameRequiredMessage();
    return siretError();
}

QString ClientForm::siretError() const {
    // A private client has no SIRET field: whatever it kept is not asked for.
    if (fields.kind != ClientKind::professionnel)
        return QString();
    return CompanySettingsForm::checkText(CompanySettingsForm::Field::siret, fields.siret);
}

QString ClientForm::emailWarning() const {
    const QString email = fields.email.trimmed();
    return email.isEmpty() || looksLikeEmail(email) ? QString() : emailWarningMessage();
}

ClientItem ClientForm::written() const {
    ClientItem client = fields;
    for (QString* text : {&client.firstName, &client.lastName, &client.company, &client.email,
                          &client.phone, &client.addressLine1, &client.addressLine2, &client.siret})
        *text = text->trimmed();
    if (client.kind == ClientKind::professionnel)
        client.siret =
            CompanySettingsForm::writtenText(CompanySettingsForm::Field::siret, client.siret);
    client.contacts.removeIf(isBlank);
    for (CompanyContact& contact : client.contacts) {
        for (QString* text :
             {&contact.firstName, &contact.lastName, &contact.role, &contact.email, &contact.phone})
            *text = text->trimmed();
    }
    return client;
}

Result<> ClientForm::apply(SessionEdit& edit) {
    if (const QString message = validate(); !message.isEmpty())
        return Result<>::invalid(message);
    ClientItem client = written();
    const AppDatabase& session = edit.session();
    keepKnownTags(client.tagIDs, session.clientTags);
    Result<> applied = putRecord(
        session.clients, [&]() -> QList<ClientItem>& { return edit.clients(); }, client, m_isNew,
        notFoundMessage());
    if (applied.ok())
        edit.whenSaved([this, client] {
            fields = client;
            m_isNew = false;
        });
    return applied;
}

} // namespace velmora
