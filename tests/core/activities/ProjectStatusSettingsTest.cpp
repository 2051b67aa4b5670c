// The activity statuses of the settings, and the store's locks kept in step.

#include "core/documents/DocumentsFixture.h"

#include "core/activities/ProjectStatusSettings.h"

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

class StatusSettings : public DocumentsFixture {
protected:
    // A store started without a file has no activity statuses yet.
    void SetUp() override {
        DocumentsFixture::SetUp();
        const AppDatabase seeded = newSessionContents();
        m_store->setProjectStatuses(seeded.projectStatuses);
        m_store->setProjectStatusOptions(seeded.projectStatusOptions);
        m_store->normalizeProjectStatuses();
        ASSERT_TRUE(m_store->save().ok());
    }
    QUuid id(const QString& name) const { return statusNamed(m_store->projectStatuses(), name); }
    ProjectStatusLocks locks() const { return ProjectStatusLocks::of(m_store->session()); }
    Result<> rename(const QUuid& status, const QString& to) {
        return m_store->edit(
            [&](auto& e) { return ProjectStatusSettings::rename(e, locks(), status, to); });
    }
    Result<> remove(const QUuid& status) {
        return m_store->edit(
            [&](auto& e) { return ProjectStatusSettings::remove(e, locks(), status); });
    }
    Result<QUuid> add(const QString& name) {
        return m_store->edit(
            [&](auto& e) { return ProjectStatusSettings::add(e, name, TagColorOption::mint); });
    }
    QStringList options() const { return m_store->projectStatusOptions(); }
};

TEST_F(StatusSettings, LocksAndRefusedNames) {
    const QString byDefault = u"Statut par défaut — modifiable mais non supprimable"_s;
    const QString bySystem = u"Statut système — nom et suppression verrouillés"_s;
    const struct {
        QString name, help, renamed;
    } rows[] = {{u"En cours"_s, byDefault, {}},
                {u"À venir"_s, byDefault, {}},
                {u"Terminé"_s, bySystem, ProjectStatusSettings::nameLockedMessage()},
                {u"Annulé"_s, bySystem, ProjectStatusSettings::nameLockedMessage()}};
    for (const auto& row : rows) {
        EXPECT_EQ(ProjectStatusSettings::lockHelp(id(row.name), locks()), row.help);
        EXPECT_EQ(remove(id(row.name)).error(), ProjectStatusSettings::protectedMessage());
        EXPECT_EQ(rename(id(row.name), row.name + u"!"_s).error(), row.renamed);
        if (row.renamed.isEmpty()) {
            ASSERT_TRUE(rename(id(row.name + u"!"_s), row.name).ok());
        }
    }
    const AppDatabase before = m_store->session();
    const struct {
        QString name, message;
    } refused[] = {{u"  "_s, u"Le nom du statut ne peut pas être vide."_s},
                   {u" en COURS "_s, u"Un statut nommé « En cours » existe déjà."_s},
                   {u"Fini"_s, u"Un statut nommé « Terminé » existe déjà."_s}};
    for (const auto& row : refused) {
        EXPECT_EQ(add(row.name).error(), row.message);
        EXPECT_EQ(rename(id(u"À venir"_s), row.name).error(), row.message);
    }
    EXPECT_EQ(m_store->session(), before);
}

TEST_F(StatusSettings, RenamingCarriesTheActivitiesAndKeepsTheLockAcrossOpenings) {
    ProjectItem cancelled = m_project;
    cancelled.id = QUuid::createUuid();
    cancelled.status = u"Annulé"_s;
    cancelled.preCancelStatus = u"En cours"_s;
    m_store->setProjects({m_project, cancelled});
    const QUuid running = id(u"En cours"_s);
    ASSERT_TRUE(rename(running, u" Actif "_s).ok());
    EXPECT_EQ(m_store->projects()[0].status, u"Actif");
    EXPECT_EQ(m_store->projects()[1].preCancelStatus, u"Actif"_s);
    EXPECT_EQ(options().first(), u"Actif");
    m_store.reset();
    auto reopened = startStore();
    EXPECT_EQ(statusNamed(reopened->projectStatuses(), u"Actif"_s), running);
    EXPECT_TRUE(reopened->protectedProjectStatusIDs().contains(running));
    EXPECT_FALSE(reopened->nameLockedProjectStatusIDs().contains(running));
}

TEST_F(StatusSettings, AddMoveRecolourAndDelete) {
    const QUuid added = add(u" Pause "_s).value();
    EXPECT_FALSE(ProjectStatusSettings::lockHelp(added, locks()));
    ASSERT_TRUE(m_store->edit([](auto& e) { return ProjectStatusSettings::move(e, 4, 0); }).ok());
    EXPECT_EQ(options(),
              (QStringList{u"Pause"_s, u"En cours"_s, u"À venir"_s, u"Terminé"_s, u"Annulé"_s}));
    EXPECT_EQ(m_store->edit([](auto& e) { return ProjectStatusSettings::move(e, 0, 5); }).kind(),
              ResultKind::notFound);
    ASSERT_TRUE(m_store
                    ->edit([&](auto& e) {
                        return ProjectStatusSettings::setColor(e, added, TagColorOption::pink);
                    })
                    .ok());
    EXPECT_EQ(m_store->projectStatuses()[0].color, TagColorOption::pink);
    m_project.status = u"Pause"_s;
    m_store->setProjects({m_project});
    EXPECT_EQ(remove(added).error(), u"Le statut « Pause » est porté par 1 activité : "
                                     "choisissez-leur un autre statut avant de le supprimer.");
    m_store->setProjects({});
    ASSERT_TRUE(remove(added).ok());
    EXPECT_EQ(onDisk().projectStatusOptions, options());
    EXPECT_EQ(options().size(), 4);
}

TEST_F(StatusSettings, TheStoreKeepsTheSetsInStepUnlessTheSaveFails) {
    const IdSet before = m_store->protectedProjectStatusIDs();
    const QList<TagItem> fresh = seededProjectStatuses();
    const auto replace = [&] {
        return m_store->edit([&](SessionEdit& e) {
            e.projectStatuses() = fresh;
            return Result<>();
        });
    };
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(replace().kind(), ResultKind::notSaved);
    EXPECT_EQ(m_store->protectedProjectStatusIDs(), before);
    m_fs.heal();
    ASSERT_TRUE(replace().ok());
    const IdSet ids{fresh[0].id, fresh[1].id, fresh[2].id, fresh[3].id};
    EXPECT_EQ(m_store->protectedProjectStatusIDs(), ids);
    EXPECT_EQ(m_store->nameLockedProjectStatusIDs(), (IdSet{fresh[2].id, fresh[3].id}));
    const QList<QUuid> written = onDisk().protectedProjectStatusIDs;
    EXPECT_EQ(IdSet(written.cbegin(), written.cend()), ids);
}

} // namespace
