// Cancelling and reactivating an activity, with its effect on the invoices.

#include "core/documents/DocumentsFixture.h"

#include "core/activities/ActivityLifecycle.h"
#include "core/documents/DocumentDeadlines.h"
#include "support/SessionChange.h"

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

TEST(ActivityAlerts, EveryPluralForm) {
    ProjectItem project;
    project.title = u"Refonte"_s;
    const QString first = u"« Refonte » sera marqué comme annulé.\n\n"_s;
    const QString last = u"\n\nCette action peut être annulée via le bouton « Réactiver » : les "
                         "factures retrouveront alors leur état d'origine."_s;
    const QString note = u"\n\nPour chaque facture passée en Payé, vous pourrez ensuite indiquer "
                         "dans sa fiche si l'acompte a été remboursé au client (exclu de la "
                         "compta) ou conservé."_s;
    const struct {
        CancellationEffects effects;
        QString middle;
    } rows[] = {
        {{0, 0}, u"Aucune facture n'est liée à cette activité."_s},
        {{1, 3},
         u"• 1 facture avec acompte versé → passera en statut « Payé » (l'acompte reste "
         "comptabilisé).\n• 3 factures sans acompte → passeront en statut « Annulé » "
         "(rien comptabilisé)."_s +
             note},
        {{2, 1},
         u"• 2 factures avec acompte versé → passeront en statut « Payé » (l'acompte "
         "reste comptabilisé).\n• 1 facture sans acompte → passera en statut « Annulé » "
         "(rien comptabilisé)."_s +
             note},
        {{0, 1}, u"• 1 facture sans acompte → passera en statut « Annulé » (rien comptabilisé)."_s},
    };
    for (const auto& row : rows)
        EXPECT_EQ(cancelConfirmation(project, row.effects).message, first + row.middle + last)
            << row.effects.withDeposit << "/" << row.effects.withoutDeposit;
    project.title = u" "_s;
    const Alert cancel = cancelConfirmation(project, {});
    EXPECT_TRUE(cancel.message.startsWith(u"« Activité sans titre » sera"));
    EXPECT_EQ(cancel.title, u"Annuler cette activité ?");
    EXPECT_EQ(cancel.buttons,
              (QList<AlertButton>{{u"Garder"_s, AlertRole::cancel},
                                  {u"Annuler l'activité"_s, AlertRole::destructive}}));

    const QString back = u"Cette activité sera réactivée."_s;
    const QString rest = u" son statut d'origine (avant l'annulation de l'activité). Les choix de "
                         "remboursement d'acompte seront également effacés."_s;
    EXPECT_EQ(reactivationConfirmation(0).message,
              back + u" Aucune facture associée n'est concernée par cette réactivation."_s);
    EXPECT_EQ(reactivationConfirmation(1).message,
              back + u"\n\n1 facture associée retrouvera"_s + rest);
    EXPECT_EQ(reactivationConfirmation(2).message,
              back + u"\n\n2 factures associées retrouveront"_s + rest);
    EXPECT_EQ(reactivationConfirmation(0).title, u"Réactiver cette activité ?");
    EXPECT_EQ(reactivationConfirmation(0).buttons,
              (QList<AlertButton>{{u"Annuler"_s, AlertRole::cancel},
                                  {u"Réactiver"_s, AlertRole::defaultAction}}));
}

class ActivityLifecycle : public DocumentsFixture {
protected:
    // Linked to the activity: two issued invoices with a deposit payment
    // (the second already dated), one without, a draft with one.
    void SetUp() override {
        DocumentsFixture::SetUp();
        m_project.status = u"À venir"_s;
        test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {m_project}; });
        for (int i = 0; i < 4; ++i) {
            CommercialDocumentItem d = makeInvoice(u"F"_s, {serviceLine(500)});
            d.statusID = invoiceStatus(i == 3 ? u"Brouillon"_s : u"Envoyé"_s);
            d.linkedProjectIDs = {m_project.id};
            d.encaissements = {payment(100, i != 2), payment(50)};
            m_invoices.append(d);
        }
        m_invoices[1].encaissementDate = localNoon(2025, 5, 2);
        put(m_invoices);
    }

    Result<> cancel(const QUuid& id) {
        return m_store->edit([&](SessionEdit& e) { return cancelActivity(e, id, m_clock); });
    }
    Result<> reactivate(const QUuid& id) {
        return m_store->edit([&](SessionEdit& e) { return reactivateActivity(e, id); });
    }
    const ProjectItem& project() const { return m_store->projects().first(); }

    QList<CommercialDocumentItem> m_invoices;
};

TEST_F(ActivityLifecycle, CancelThenReactivateGivesEverythingBack) {
    EXPECT_EQ(countCancellationEffects(m_store->session(), m_project.id),
              (CancellationEffects{2, 1}));
    ASSERT_TRUE(cancel(m_project.id).ok());
    EXPECT_EQ(project().status, u"Annulé");
    EXPECT_EQ(project().preCancelStatus, u"À venir"_s);
    EXPECT_EQ(project().cancelledAt, m_clock.now());
    const QList<CommercialDocumentItem> after = m_store->documents();
    for (int i : {0, 1}) {
        EXPECT_EQ(after[i].statusID, invoiceStatus(u"Payé"_s));
        EXPECT_EQ(after[i].preCancelStatusID, m_invoices[i].statusID);
        EXPECT_TRUE(after[i].pdfSnapshot);
    }
    EXPECT_EQ(after[0].encaissementDate, m_clock.now());
    EXPECT_EQ(after[1].encaissementDate, m_invoices[1].encaissementDate);
    EXPECT_EQ(after.mid(2), m_invoices.mid(2)) << "without deposit, or draft: untouched";
    EXPECT_FALSE(isInCancelledActivity(after[3], lists(), m_store->projects()));
    EXPECT_EQ(onDisk().documents, after);

    QList<CommercialDocumentItem> decided = after;
    decided[0].acompteRefundStatus = AcompteRefundStatus::kept;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.documents() = decided; });
    EXPECT_EQ(countRememberedStatuses(m_store->session(), m_project.id), 2);
    ASSERT_TRUE(reactivate(m_project.id).ok());
    EXPECT_EQ(project(), m_project);
    const CommercialDocumentItem& restored = m_store->documents()[0];
    EXPECT_EQ(restored.statusID, m_invoices[0].statusID);
    EXPECT_FALSE(restored.preCancelStatusID || restored.acompteRefundStatus);
    EXPECT_EQ(restored.encaissementDate, m_clock.now()) << "the payment date stays";
}

TEST_F(ActivityLifecycle, NothingToDoOrAFailedSaveChangesNothing) {
    const AppDatabase before = m_store->session();
    const int writes = m_fs.attempts(FaultyFileSystem::Op::Write);
    EXPECT_EQ(reactivate(m_project.id).kind(), ResultKind::unchanged);
    EXPECT_EQ(cancel(QUuid::createUuid()).error(), u"Cette activité n'existe plus.");
    EXPECT_EQ(reactivate(QUuid::createUuid()).kind(), ResultKind::notFound);
    EXPECT_EQ(m_fs.attempts(FaultyFileSystem::Op::Write), writes);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(cancel(m_project.id).kind(), ResultKind::notSaved);
    EXPECT_EQ(m_store->session(), before);
    m_fs.heal();
    ASSERT_TRUE(cancel(m_project.id).ok());
    EXPECT_EQ(cancel(m_project.id).kind(), ResultKind::unchanged);
}

TEST_F(ActivityLifecycle, NoPaidStatusAndNoRememberedStatus) {
    QList<TagItem> statuses = m_store->invoiceStatuses();
    statuses.last().name = u"Réglé"_s;
    test::changeSession(*m_store, [&](SessionEdit& e) { e.invoiceStatuses() = statuses; });
    ASSERT_TRUE(cancel(m_project.id).ok());
    EXPECT_EQ(m_store->documents(), m_invoices);
    ProjectItem forgotten = project();
    forgotten.preCancelStatus.reset();
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {forgotten}; });
    ASSERT_TRUE(reactivate(m_project.id).ok());
    EXPECT_EQ(project().status, u"En cours");
}

TEST_F(ActivityLifecycle, AnInvoiceOfTwoActivities) {
    ProjectItem second = m_project;
    second.id = QUuid::createUuid();
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {m_project, second}; });
    m_invoices[0].linkedProjectIDs.prepend(second.id);
    put({m_invoices[0]});
    ASSERT_TRUE(cancel(second.id).ok());
    ASSERT_TRUE(cancel(m_project.id).ok());
    EXPECT_EQ(m_store->documents()[0].preCancelStatusID, m_invoices[0].statusID);
    ASSERT_TRUE(reactivate(m_project.id).ok());
    EXPECT_EQ(m_store->documents()[0].statusID, m_invoices[0].statusID);
    EXPECT_TRUE(isInCancelledActivity(m_store->documents()[0], lists(), m_store->projects()));
}

} // namespace
