#include "gui/clients/ClientsPage.h"

#include "core/activities/ActivityTexts.h"
#include "core/clients/ClientListModel.h"
#include "core/clients/ClientSearch.h"
#include "core/documents/RecordDeletion.h"
#include "core/lists/RecordFilterModel.h"
#include "core/lists/TagRoles.h"
#include "core/store/AppDataStore.h"
#include "core/text/ClientDisplayName.h"
#include "gui/clients/ClientFormSheet.h"
#include "gui/common/Dialogs.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/TagChips.h"

#include <QFile>
#include <QPushButton>

namespace velmora::gui {

ClientsPage::ClientsPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("clients"), parent) {
    AppDataStore& store = services.store;
    m_model = new ClientListModel(this);
    m_card = new RecordCard(QStringLiteral("clientCard"), this);
    connect(m_card, &RecordCard::openRequested, this, &SectionPage::openRequested);
    setCard(m_card);
    setCountText(&ClientListModel::countText);
    filter().setAccept([this](int row) {
        const ClientItem& client = *m_model->record(row);
        return hasAnyTag(client.tagIDs, filterChips()->checked()) && clientMatches(client, query());
    });
    refresh();
    setRecords(
        m_model,
        {{QStringLiteral("Nom (A → Z)"), ClientListModel::nameColumn, Qt::AscendingOrder},
         {QStringLiteral("Nom (Z → A)"), ClientListModel::nameColumn, Qt::DescendingOrder},
         {QStringLiteral("Type de client"), ClientListModel::kindColumn, Qt::AscendingOrder}},
        {QStringLiteral("person.2"), QStringLiteral("Aucun client pour le moment."),
         QStringLiteral("Ajouter un client")},
        QStringLiteral("Rechercher un client"));
    followSession(this, store, {SessionField::clients, SessionField::clientTags},
                  [this] { refresh(); });
    // The card lists the client's documents and activities.
    followSession(this, store, {SessionField::documents, SessionField::projects}, [this] {
        if (!currentId().isNull())
            showRecord(currentId());
    });
}

void ClientsPage::refresh() {
    const AppDataStore& store = services().store;
    m_model->setTags(store.clientTags());
    m_model->setRecords(store.clients());
    recordsChanged(store.clientTags());
}

void ClientsPage::showRecord(const QUuid& id) {
    const AppDataStore& store = services().store;
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const ClientItem& client = *m_model->record(row);
    std::optional<QByteArray> photo;
    if (client.photoURL) {
        QFile file(client.photoURL->toLocalFile());
        if (file.open(QIODevice::ReadOnly))
            photo = file.readAll();
    }
    const QString name = clientDisplayName(client);
    m_card->start(sessionPicture(photo, std::nullopt, name, 64), name, displayName(client.kind));
    connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
            &QPushButton::clicked, this, [this, id] { editRecord(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (!client.tagIDs.isEmpty())
        m_card->addTags(store.clientTags(), client.tagIDs);

    m_card->addSection(QStringLiteral("Coordonnées"));
    if (client.kind == ClientKind::particulier)
        m_card->addRow(QStringLiteral("Entreprise"), client.company);
    m_card->addRow(QStringLiteral("E-mail"), client.email);
    m_card->addRow(QStringLiteral("Téléphone"), client.phone);
    m_card->addRow(QStringLiteral("Adresse"), QStringList{client.addressLine1, client.addressLine2}
                                                  .filter(QRegularExpression(QStringLiteral("\\S")))
                                                  .join(QLatin1Char('\n')));
    if (client.kind == ClientKind::professionnel)
        m_card->addRow(QStringLiteral("SIRET"), client.siret);

    if (client.kind == ClientKind::professionnel && !client.contacts.isEmpty()) {
        m_card->addSection(QStringLiteral("Contacts"));
        for (const CompanyContact& contact : client.contacts) {
            QStringList details;
            for (const QString& part : {contact.role, contact.email, contact.phone})
                if (!part.trimmed().isEmpty())
                    details << part.trimmed();
            m_card->addRow(ClientForm::contactName(contact), details.join(QStringLiteral(" · ")));
        }
    }
    if (!client.notes.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Notes"));
        m_card->addText(client.notes);
    }

    m_card->addSection(QStringLiteral("Activités"));
    bool anyActivity = false;
    for (const ProjectItem& project : store.projects()) {
        if (project.linkedClientID != id)
            continue;
        m_card->addLink(
            QStringLiteral("%1 · %2").arg(ActivityTexts::title(project), project.status),
            QStringLiteral("projects"), project.id);
        anyActivity = true;
    }
    if (!anyActivity)
        m_card->addText(QStringLiteral("Aucune activité pour ce client."), "hint");

    m_card->addSection(QStringLiteral("Documents"));
    const StatusLists lists = StatusLists::of(store.session());
    bool anyDocument = false;
    for (const CommercialDocumentItem& document : store.documents()) {
        if (document.clientID != id)
            continue;
        m_card->addLink(documentLinkText(document, lists), QStringLiteral("documents"),
                        document.id);
        anyDocument = true;
    }
    if (!anyDocument)
        m_card->addText(QStringLiteral("Aucun devis ni facture pour ce client."), "hint");
}

void ClientsPage::openForm(ClientFormSheet* sheet) {
    connect(sheet, &ClientFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void ClientsPage::createRecord() {
    openForm(new ClientFormSheet(services().store, services().dialogs, ClientForm(), this));
}

void ClientsPage::editRecord(const QUuid& id) {
    const int row = m_model->rowOf(id);
    if (row >= 0)
        openForm(new ClientFormSheet(services().store, services().dialogs,
                                     ClientForm(*m_model->record(row)), this));
}

void ClientsPage::removeRecord(const QUuid& id) {
    if (const auto* record = m_model->record(m_model->rowOf(id)))
        removeAfter(RecordDeletion::clientConfirmation(*record, services().store.documents()),
                    [id](SessionEdit& edit) { return RecordDeletion::deleteClient(edit, id); });
}

} // namespace velmora::gui
