// The clients section driven as a person would: a company with its contact
// and a new tag, found by search, edited, deleted; and a client refused.

#include "SectionFixture.h"

#include "core/accounting/RecipeBookTableModel.h"
#include "core/clients/ClientForm.h"
#include "core/documents/RecordDeletion.h"
#include "core/lists/RecordListModelBase.h"
#include "gui/clients/ClientFormSheet.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableView>
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
    EXPECT_EQ(m_dialogs.alerts.last(), RecordDeletion::clientConfirmation(company, {}));
    ASSERT_EQ(store().clients().size(), 1);
    EXPECT_FALSE(sessionFile().contains("Atelier C\xc5\x93ur"));
}

TEST_F(ClientsPageTest, AShortSiretIsRefusedAtTheFieldAndAnOddEmailOnlyWarned) {
    openSection(u"clients"_s);
    click(u"clientsEmptyAction"_s);
    // Fields are left as a person leaves them: the focus moves on.
    auto* sheet = window().findChild<ClientFormSheet*>();
    ASSERT_NE(sheet, nullptr);
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    chooseKind(ClientKind::professionnel);
    type(u"clientCompany"_s, u"Atelier Cœur"_s);
    type(u"clientEmail"_s, u"eloise@exemple"_s);
    EXPECT_EQ(shownText(u"clientEmailWarning"_s), QString()) << "not while typing";
    QTest::keyClick(find<QLineEdit>(u"clientEmail"_s), Qt::Key_Tab);
    EXPECT_EQ(shownText(u"clientEmailWarning"_s), ClientForm::emailWarningMessage())
        << "said on leaving the field";
    type(u"clientSiret"_s, u"123"_s);
    click(u"clientFormSave"_s);
    EXPECT_EQ(shownText(u"clientSiretError"_s), u"Le SIRET doit comporter 14 chiffres."_s);
    EXPECT_EQ(find<QLineEdit>(u"clientSiret"_s)->text(), u"123"_s);
    EXPECT_TRUE(find<QLineEdit>(u"clientSiret"_s)->property("refused").toBool());
    EXPECT_TRUE(store().clients().isEmpty());

    type(u"clientSiret"_s, u"123 456 789 00012"_s);
    EXPECT_EQ(shownText(u"clientSiretError"_s), QString()) << "mended while typing";
    click(u"clientFormSave"_s);
    ASSERT_EQ(store().clients().size(), 1);
    EXPECT_EQ(store().clients().first().siret, u"12345678900012"_s);
    EXPECT_EQ(store().clients().first().email, u"eloise@exemple"_s) << "a warning, not a refusal";
}

TEST_F(ClientsPageTest, DeletingAClientLeavesItsIssuedInvoicesAsIssued) {
    openSection(u"clients"_s, [](AppDatabase& db) {
        ClientItem client;
        client.id = QUuid::createUuid();
        client.kind = ClientKind::professionnel;
        client.company = u"Atelier Lumen"_s;
        db.clients = {client};
        for (const QString& number : {u"F-2025-001"_s, u"F-2025-002"_s, u"F-2025-003"_s}) {
            CommercialDocumentItem invoice =
                documentOf(CommercialDocumentKind::invoice, number, u"Reportage"_s, client.id,
                           statusNamed(db.invoiceStatuses, u"Payé"_s));
            invoice.encaissementDate = invoice.issueDate;
            invoice.pdfSnapshot = DocumentSnapshot{invoice.issueDate, {}, client, {}};
            db.documents.append(invoice);
        }
    });
    ASSERT_EQ(shownRows(), QStringList{u"Atelier Lumen"_s});
    confirmNextDeletion();
    click(u"clientCardDelete"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last().message,
              u"Le client « Atelier Lumen » sera supprimé définitivement.\n\nSes 3 documents "
              u"garderont le client tel qu’émis."_s);
    ASSERT_TRUE(store().clients().isEmpty());

    window().workspace().showSection(u"accounting"_s);
    auto* book = find<QTableView>(u"recipeBookTable"_s);
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(book->model()->index(row, RecipeBookTableModel::clientColumn).data().toString(),
                  u"Atelier Lumen"_s);

    window().workspace().showSection(u"documents"_s);
    auto* list = find<QListView>(u"documentsList"_s);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_TRUE(list->model()
                    ->index(0, 0)
                    .data(RecordListModelBase::SubtitleRole)
                    .toString()
                    .startsWith(u"Atelier Lumen · "_s));
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
