#include "gui/services/ServicesPage.h"

#include "core/documents/RecordDeletion.h"
#include "core/lists/RecordFilterModel.h"
#include "core/lists/TagRoles.h"
#include "core/stock/ServiceListModel.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"
#include "gui/services/ServiceFormSheet.h"

#include <QLabel>
#include <QPushButton>

namespace velmora::gui {

ServicesPage::ServicesPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("services"), parent) {
    m_model = new ServiceListModel(this);
    m_card = new RecordCard(QStringLiteral("serviceCard"), this);
    setCard(m_card);
    setCountText(&ServiceListModel::countText);
    filter().setAccept([this](int row) {
        const ServiceItem& service = *m_model->record(row);
        return hasAnyTag(service.tagIDs, filterChips()->checked()) &&
               serviceMatches(service, query());
    });
    refresh();
    setRecords(
        m_model,
        {{QStringLiteral("Titre (A → Z)"), ServiceListModel::titleColumn, Qt::AscendingOrder},
         {QStringLiteral("Prix croissant"), ServiceListModel::priceColumn, Qt::AscendingOrder},
         {QStringLiteral("Prix décroissant"), ServiceListModel::priceColumn, Qt::DescendingOrder},
         {QStringLiteral("Type de prestation"), ServiceListModel::typeColumn, Qt::AscendingOrder}},
        {QStringLiteral("briefcase"),
         QStringLiteral("Votre catalogue est vide. Ajoutez les prestations que vous vendez."),
         QStringLiteral("Ajouter une prestation")},
        QStringLiteral("Rechercher une prestation"));
    followSession(this, services.store, {SessionField::services, SessionField::serviceTags},
                  [this] { refresh(); });
}

void ServicesPage::refresh() {
    const AppDataStore& store = services().store;
    m_model->setTags(store.serviceTags());
    m_model->setRecords(store.services());
    recordsChanged(store.serviceTags());
}

void ServicesPage::showRecord(const QUuid& id) {
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const ServiceItem& service = *m_model->record(row);
    m_card->start(symbolPixmap(service.iconName.value_or(QStringLiteral("briefcase.fill")), 48,
                               theme::accent()),
                  service.title.trimmed(), ServiceForm::typeName(service.prestationType));
    connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
            &QPushButton::clicked, this, [this, id] { editRecord(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (!service.tagIDs.isEmpty())
        m_card->addTags(m_model->tags(), service.tagIDs);

    m_card->addSection(QStringLiteral("Tarif"));
    const QString price = ServiceListModel::priceText(service);
    m_card->addRow(QStringLiteral("Prix TTC"),
                   price.isEmpty() ? QStringLiteral("Fixé dans chaque document") : price);
    if (const QString warning = servicePriceWarning(service); !warning.isEmpty())
        m_card->addText(warning, "error")->setObjectName(QStringLiteral("serviceCardWarning"));
    m_card->addRow(ServiceForm::prestationTypeLabel(),
                   ServiceForm::typeName(service.prestationType));
    m_card->addText(ServiceForm::prestationTypeHint(), "hint");

    if (!service.description.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Description"));
        m_card->addText(service.description);
    }
    if (!service.notes.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Notes"));
        m_card->addText(service.notes);
    }
}

void ServicesPage::createRecord() {
    auto* sheet = new ServiceFormSheet(services().store, ServiceForm(), this);
    connect(sheet, &ServiceFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void ServicesPage::editRecord(const QUuid& id) {
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    auto* sheet = new ServiceFormSheet(services().store, ServiceForm(*m_model->record(row)), this);
    connect(sheet, &ServiceFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void ServicesPage::removeRecord(const QUuid& id) {
    if (const auto* record = m_model->record(m_model->rowOf(id)))
        removeAfter(RecordDeletion::serviceConfirmation(*record),
                    [id](SessionEdit& edit) { return RecordDeletion::deleteService(edit, id); });
}

} // namespace velmora::gui
