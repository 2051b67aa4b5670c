// The client form's rule, contacts and tags, and the client search.

#include "core/documents/DocumentsFixture.h"

#include "core/clients/ClientForm.h"
#include "core/clients/ClientSearch.h"

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

const QString kNameRequired =
    u"Le nom (ou la raison sociale) est obligatoire pour créer un client."_s;

TEST(ClientFormRules, NameRequiredByKindAndContactNames) {
    const struct {
        ClientKind kind;
        QString first, last, company, message;
    } rows[] = {
        {ClientKind::particulier, u" "_s, u"\n"_s, u"Lumen"_s, kNameRequired},
        {ClientKind::particulier, {}, u"Martin"_s, {}, {}},
        {ClientKind::professionnel, u"Léa"_s, u"Martin"_s, u" \t"_s, kNameRequired},
        {ClientKind::professionnel, {}, {}, u"Lumen"_s, {}},
    };
    for (const auto& row : rows) {
        ClientForm form;
        form.fields.kind = row.kind;
        form.fields.firstName = row.first;
        form.fields.lastName = row.last;
        form.fields.company = row.company;
        EXPECT_EQ(form.validate(), row.message) << row.last.toStdString();
    }
    EXPECT_EQ(ClientForm::contactName({{}, u" "_s, {}, u"Gérante"_s, {}, {}}), u"Contact sans nom");
    EXPECT_EQ(ClientForm::contactName({{}, u"Léa"_s, u"Durand "_s, {}, {}, {}}), u"Léa Durand");
    EXPECT_EQ(ClientForm::colorName(TagColorOption::mint), u"Menthe");
}

TEST(ClientFormRules, SiretRefusedUnlessFourteenDigitsAndEmailShapeOnlyWarned) {
    const QString siret = u"Le SIRET doit comporter 14 chiffres."_s;
    const struct {
        ClientKind kind;
        QString siret, refusal, written;
    } sirets[] = {
        {ClientKind::professionnel, u"123"_s, siret, {}},
        {ClientKind::professionnel, u"1234567890123A"_s, siret, {}},
        {ClientKind::professionnel, u" 123 456 789 00012 "_s, {}, u"12345678900012"_s},
        {ClientKind::professionnel, u"  "_s, {}, {}},
        {ClientKind::particulier, u"123"_s, {}, u"123"_s}, // no SIRET field for them
    };
    for (const auto& row : sirets) {
        ClientForm form;
        form.fields.kind = row.kind;
        form.fields.company = u"Lumen"_s;
        form.fields.lastName = u"Martin"_s;
        form.fields.siret = row.siret;
        EXPECT_EQ(form.validate(), row.refusal) << row.siret.toStdString();
        if (row.refusal.isEmpty()) {
            EXPECT_EQ(form.written().siret, row.written) << row.siret.toStdString();
        }
    }
    for (const auto& [email, warned] :
         {std::pair{u"eloise@exemple"_s, true}, std::pair{u"eloise.exemple.fr"_s, true},
          std::pair{u"@exemple.fr"_s, true}, std::pair{u"a@b@exemple.fr"_s, true},
          std::pair{u"eloise @exemple.fr"_s, true}, std::pair{u"eloise@exemple."_s, true},
          std::pair{u"eloise@exemple.fr"_s, false}, std::pair{u" eloise@mail.exemple.fr "_s, false},
          std::pair{QString(), false}}) {
        ClientForm form;
        form.fields.lastName = u"Martin"_s;
        form.fields.email = email;
        EXPECT_EQ(form.emailWarning(), warned ? ClientForm::emailWarningMessage() : QString())
            << email.toStdString();
        EXPECT_EQ(form.validate(), QString()) << "never a refusal";
    }
}

TEST(ClientSearchRules, DisplayNameCompanyMailAndPhone) {
    ClientItem person, company;
    person.firstName = u"Éloïse"_s;
    person.lastName = u"Cœurdoux"_s;
    person.email = u"eloise@exemple.fr"_s;
    person.phone = u"06 12 34 56 78"_s;
    company.kind = ClientKind::professionnel;
    company.company = u"Atelier Lumen"_s;
    company.notes = u"eloise"_s;
    const QList<ClientItem> clients{person, company};
    const struct {
        QString query;
        QList<int> found;
    } rows[] = {{u""_s, {0, 1}},   {u"coeurdoux ÉLOISE"_s, {0}},
                {u"0612"_s, {0}},  {u"exemple.fr"_s, {0}},
                {u"lumen"_s, {1}}, {u"lumen paris"_s, {}}};
    for (const auto& row : rows) {
        QList<ClientItem> expected;
        for (int i : row.found)
            expected.append(clients[i]);
        EXPECT_EQ(searchClients(clients, row.query), expected) << row.query.toStdString();
    }
}

using ClientFormApply = DocumentsFixture;

TEST_F(ClientFormApply, CreatesThenUpdatesThroughTheStore) {
    const TagItem vip{QUuid::createUuid(), u"VIP"_s, TagColorOption::purple};
    m_store->setClientTags({vip});
    ClientForm form;
    form.fields.kind = ClientKind::professionnel;
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).error(), kNameRequired);
    form.fields.company = u" Studio Nord "_s;
    form.setTag(vip.id, true);
    form.setTag(QUuid::createUuid(), true);
    form.addContact();
    form.fields.contacts[0].firstName = u"Léa"_s;
    form.addContact();
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).ok());
    const ClientItem created = m_store->clients().last();
    EXPECT_EQ(created.company, u"Studio Nord");
    EXPECT_EQ(created.tagIDs, QList<QUuid>{vip.id}) << "unknown tags are left out";
    EXPECT_EQ(created.contacts, form.fields.contacts.mid(0, 1)) << "blank contacts are left out";
    EXPECT_EQ(onDisk().clients.last(), created);
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).kind(),
              ResultKind::unchanged);

    ClientForm edit(m_client);
    edit.fields.email = u"contact@lumen.fr"_s;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return edit.apply(e); }).ok());
    EXPECT_EQ(m_store->clients()[0].email, u"contact@lumen.fr");
    m_store->setClients({created});
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return edit.apply(e); }).error(),
              u"Ce client n'existe plus.");
}

} // namespace
