#include "gui/accounting/SubscriptionsTab.h"

#include "core/accounting/SubscriptionActions.h"
#include "core/accounting/SubscriptionListModel.h"
#include "core/accounting/SubscriptionSchedule.h"
#include "core/lists/RecordFilterModel.h"
#include "core/lists/TagRoles.h"
#include "core/store/AppDataStore.h"
#include "core/text/FrenchDates.h"
#include "core/text/MoneyFormat.h"
#include "gui/accounting/SubscriptionFormSheet.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/TagChips.h"

#include <QFile>
#include <QPushButton>

#include <algorithm>

namespace velmora::gui {

SubscriptionsTab::SubscriptionsTab(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("subscriptions"), parent) {
    AppDataStore& store = services.store;
    m_model = new SubscriptionListModel(this);
    m_card = new RecordCard(QStringLiteral("subscriptionCard"), this);
    connect(m_card, &RecordCard::openRequested, this, &SectionPage::openRequested);
    setCard(m_card);
    setCountText(&SubscriptionListModel::countText);
    filter().setAccept([this](int row) {
        const RecurringPurchase& subscription = *m_model->record(row);
        return hasAnyTag(subscription.tagIDs, filterChips()->checked()) &&
               subscriptionMatches(subscription, query());
    });
    refresh();
    setRecords(
        m_model,
        {{QStringLiteral("Nom (A → Z)"), SubscriptionListModel::nameColumn, Qt::AscendingOrder},
         {QStringLiteral("Coût mensuel"), SubscriptionListModel::monthlyColumn,
          Qt::DescendingOrder},
         {QStringLiteral("Prochain prélèvement"), SubscriptionListModel::nextColumn,
          Qt::AscendingOrder}},
        {QStringLiteral("creditcard"), QStringLiteral("Aucun abonnement pour le moment."),
         SubscriptionForm::newTitle()},
        QStringLiteral("Rechercher un abonnement"));
    SidebarMenuItemConfig title;
    title.displayName = listTitle();
    showEntry(title);
    followSession(this, store,
                  {SessionField::recurringPurchases, SessionField::recurringPurchaseTags,
                   SessionField::urssafSettings},
                  [this] { refresh(); });
}

void SubscriptionsTab::refresh() {
    const AppDataStore& store = services().store;
    m_model->setContext(store.clock().now(), store.session().urssafSettings);
    m_model->setTags(store.session().recurringPurchaseTags);
    m_model->setRecords(store.session().recurringPurchases);
    recordsChanged(store.session().recurringPurchaseTags);
}

void SubscriptionsTab::showRecord(const QUuid& id) {
    const AppDataStore& store = services().store;
    const RecurringPurchase* found = m_model->record(m_model->rowOf(id));
    if (!found)
        return;
    const RecurringPurchase subscription = *found;
    const QDateTime now = store.clock().now();
    std::optional<QByteArray> logo;
    if (subscription.logoURL) {
        QFile file(subscription.logoURL->toLocalFile());
        if (file.open(QIODevice::ReadOnly))
            logo = file.readAll();
    }
    const QString name = subscription.name.trimmed();
    m_card->start(sessionPicture(logo, std::nullopt, name, 64), name,
                  displayName(subscription.frequency) + QStringLiteral(" · ") +
                      formatMoney(subscription.amount));
    connect(
        m_card->addAction(subscriptionToggleText(subscription.isActive), QStringLiteral("Toggle")),
        &QPushButton::clicked, this, [this, id] { toggleActive(id); });
    connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
            &QPushButton::clicked, this, [this, id] { editRecord(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (!subscription.tagIDs.isEmpty())
        m_card->addTags(store.session().recurringPurchaseTags, subscription.tagIDs);

    m_card->addSection(QStringLiteral("Abonnement"));
    m_card->addRow(QStringLiteral("Montant"), formatMoney(subscription.amount));
    m_card->addRow(QStringLiteral("Équivalent"), SubscriptionListModel::monthlyText(subscription));
    if (subscription.isActive)
        m_card->addRow(QStringLiteral("Prélèvement à venir"),
                       SubscriptionListModel::nextDebitText(subscription, now));
    else
        m_card->addRow(QStringLiteral("État"), QStringLiteral("Inactif"));
    m_card->addRow(QStringLiteral("Début"), formatMediumDate(subscription.startDate));
    if (subscription.endDate)
        m_card->addRow(QStringLiteral("Fin"), formatMediumDate(*subscription.endDate));
    m_card->addRow(QStringLiteral("Site web"), subscription.websiteURL.trimmed());
    m_card->addRow(QStringLiteral("Description"), subscription.description.trimmed());

    if (!subscription.pausePeriods.isEmpty()) {
        m_card->addSection(SubscriptionForm::pausesTitle());
        for (const RecurringPausePeriod& pause : subscription.pausePeriods)
            m_card->addText(SubscriptionForm::pauseRangeText(pause));
    }

    m_card->addSection(QStringLiteral("Historique des paiements"));
    QList<AccountingPurchaseItem> debits = subscriptionDebits(subscription, now);
    std::stable_sort(debits.begin(), debits.end(),
                     [](const auto& a, const auto& b) { return a.purchaseDate > b.purchaseDate; });
    if (debits.isEmpty()) {
        m_card->addText(QStringLiteral("Aucun paiement pour le moment."), "hint");
    } else {
        double total = 0;
        for (const AccountingPurchaseItem& debit : debits) {
            m_card->addRow(formatMediumDate(debit.purchaseDate), formatMoney(debit.priceTTC));
            total += debit.priceTTC;
        }
        m_card->addRow(debits.size() == 1
                           ? QStringLiteral("Total (1 paiement)")
                           : QStringLiteral("Total (%1 paiements)").arg(debits.size()),
                       formatMoney(total));
    }
    if (!subscription.notes.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Notes"));
        m_card->addText(subscription.notes);
    }
}

void SubscriptionsTab::toggleActive(const QUuid& id) {
    AppDataStore& store = services().store;
    const QDateTime now = store.clock().now();
    report(store.edit([&](SessionEdit& edit) { return toggleSubscriptionActive(edit, id, now); }));
}

void SubscriptionsTab::openForm(SubscriptionFormSheet* sheet) {
    connect(sheet, &SubscriptionFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void SubscriptionsTab::createRecord() {
    openForm(new SubscriptionFormSheet(services().store, services().dialogs,
                                       SubscriptionForm(services().store.clock().now()), this));
}

void SubscriptionsTab::editRecord(const QUuid& id) {
    if (const RecurringPurchase* record = m_model->record(m_model->rowOf(id)))
        openForm(new SubscriptionFormSheet(services().store, services().dialogs,
                                           SubscriptionForm(*record), this));
}

void SubscriptionsTab::removeRecord(const QUuid& id) {
    if (m_model->rowOf(id) >= 0)
        removeAfter(subscriptionDeletionConfirmation(),
                    [id](SessionEdit& edit) { return deleteSubscription(edit, id); });
}

} // namespace velmora::gui
