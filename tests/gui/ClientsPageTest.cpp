// The clients section driven as a person would: a company with its contact
// and a new tag, found by search, edited, deleted; and a client refused.

#include "SectionFixture.h"

#include "core/clients/ClientForm.h"
#include "core/documents/RecordDeletion.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QToolButton>

namespace velmora::gui::test {
namespace {

class ClientsPageTest : public SectionFixture {
protected:
    void chooseKind(ClientKind kind) {
        auto* box = find<QComboBox>(u"clientKind"_s);
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(box->findData(int(kind)));
    }
};

TEST_F(ClientsPageTest, ACompanyIsCreatedFoundEditedAndDeleted) {
    openSection(u"clients"_s, [](AppDatabase& db) {
        ClientItem client;
        client.id = QUuid::createUuid();
        client.firstName = u"Éloïse"_s;
        client.lastName = u"Martin"_s;
        client.email = u"eloise@exemple.fr"_s;
        db.clients.append(client);
    });
    ASSERT_EQ(shownRows(), QStringList{u"MARTIN Éloïse"_s});

    trigger(u"Nouveau"_s);
    chooseKind(ClientKind::professionnel);
    type(u"clientCompany"_s, u"  Atelier Cœur  "_s);
    type(u"clientEmail"_s, u"contact@coeur.fr"_s);
    click(u"clientAddContact"_s);
    type(u"contact_Prénom"_s, u"Jeanne"_s);
    type(u"contact_Fonction"_s, u"Gérante"_s);
    // A tag made on the way, checked at once.
    click(u"clientTags_add"_s);
    type(u"newTagName"_s, u"Fidèle"_s);
    click(u"newTagSave"_s);
    click(u"clientFormSave"_s);

    ASSERT_EQ(store().clients().size(), 2);
    const ClientItem company = store().clients().last();
    EXPECT_EQ(company.kind, ClientKind::professionnel);
    EXPECT_EQ(company.company, u"Atelier Cœur"_s);
    ASSERT_EQ(company.contacts.size(), 1);
    EXPECT_EQ(company.contacts[0].role, u"Gérante"_s);
    ASSERT_EQ(store().clientTags().size(), 1);
    EXPECT_EQ(store().clientTags()[0].name, u"Fidèle"_s);
    EXPECT_EQ(company.tagIDs, QList<QUuid>{store().clientTags()[0].id});
    EXPECT_TRUE(sessionFile().contains("Atelier C\xc5\x93ur"));
    // The new client is the one shown, with its contact.
    EXPECT_EQ(shownText(u"clientCardTitle"_s), u"Atelier Cœur"_s);
    EXPECT_EQ(shownText(u"clientsCount"_s), u"2 clients"_s);

    for (const auto& [query, rows] : {std::pair{u"coeur"_s, QStringList{u"Atelier Cœur"_s}},
                                      std::pair{u"ELOISE@"_s, QStringList{u"MARTIN Éloïse"_s}},
                                      std::pair{u"personne"_s, QStringList{}}}) {
        type(u"clientsSearch"_s, query);
        EXPECT_EQ(shownRows(), rows) << query.toStdString();
    }
    EXPECT_EQ(shownText(u"clientsCount"_s), u"Aucun client"_s);
    type(u"clientsSearch"_s, u"coeur"_s);

    trigger(u"Modifier"_s);
    type(u"clientPhone"_s, u"04 78 00 00 00"_s);
    click(u"clientFormSave"_s);
    EXPECT_EQ(store().clients().last().phone, u"04 78 00 00 00"_s);
    EXPECT_EQ(store().clients().last().contacts, company.contacts);

    confirmNextDeletion();
    click(u"clientCardDelete"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last(), RecordDeletion::clientConfirmation(company));
    ASSERT_EQ(store().clients().size(), 1);
    EXPECT_FALSE(sessionFile().contains("Atelier C\xc5\x93ur"));
}

TEST_F(ClientsPageTest, ANamelessClientIsRefusedUnderTheFormAndAnEmptyListOffersTheFirst) {
    openSection(u"clients"_s);
    EXPECT_EQ(shownText(u"clientsEmptyText"_s), u"Aucun client pour le moment."_s);
    click(u"clientsEmptyAction"_s);
    type(u"clientFirstName"_s, u"   "_s);
    click(u"clientFormSave"_s);
    EXPECT_EQ(shownText(u"clientFormError"_s), ClientForm::nameRequiredMessage());
    EXPECT_TRUE(store().clients().isEmpty());

    // Cancelling leaves nothing behind.
    click(u"clientFormCancel"_s);
    EXPECT_TRUE(store().clients().isEmpty());
    EXPECT_EQ(shownText(u"clientsEmptyText"_s), u"Aucun client pour le moment."_s);
}

} // namespace
} // namespace velmora::gui::test
