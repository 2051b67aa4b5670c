// The activity form's rules and save, the attachments and the file shortcuts.

#include "core/documents/DocumentsFixture.h"

#include "core/activities/ActivityAttachments.h"
#include "core/activities/ActivityForm.h"
#include "core/activities/ActivityLifecycle.h"
#include "support/SessionChange.h"

#include <QDir>

#include <functional>

using namespace Qt::StringLiterals;
using namespace velmora;
using namespace velmora::test;

namespace {

QDateTime parisAt(int day, int hour) {
    return QDateTime(QDate(2025, 6, day), QTime(hour, 0), QTimeZone::systemTimeZone());
}

TEST(ActivityFormRules, ValidationMessages) {
    const AppDatabase session = newSessionContents();
    const struct {
        const char* name;
        std::function<void(ActivityForm&)> change;
        QString message;
    } rows[] = {
        {"defaults", [](ActivityForm&) {}, {}},
        {"unknown status", [](ActivityForm& f) { f.fields.status = u"Fini"_s; },
         u"Choisissez un statut pour l'activité."_s},
        {"end the day before",
         [](ActivityForm& f) {
             f.fields.startDate = parisAt(10, 0);
             f.fields.endDate = parisAt(9, 23);
         },
         u"La date de fin précède la date de début."_s},
        {"end earlier the same day",
         [](ActivityForm& f) {
             f.fields.startDate = parisAt(10, 18);
             f.fields.endDate = parisAt(10, 0);
         },
         {}},
        {"milestone without name",
         [](ActivityForm& f) {
             f.addEvent(parisAt(12, 9));
             f.fields.events[0].location = u"Lyon"_s;
         },
         u"Chaque jalon doit avoir un nom."_s},
        {"shortcut without path",
         [](ActivityForm& f) { f.addFilePath(u" Maquettes "_s, ProjectFilePathType::folder, {}); },
         u"Indiquez le chemin de « Maquettes »."_s},
    };
    for (const auto& row : rows) {
        ActivityForm form(session);
        row.change(form);
        EXPECT_EQ(form.validate(session), row.message) << row.name;
    }
}

TEST(ActivityFormRules, NewDefaultsAndWrittenRecord) {
    AppDatabase session = newSessionContents();
    const QUuid client = QUuid::createUuid();
    ActivityForm form(session, client);
    EXPECT_EQ(form.fields.status, u"En cours");
    EXPECT_EQ(form.fields.type, u"Clients");
    EXPECT_EQ(form.fields.linkedClientID, client);
    session.projectStatusOptions = {u"À venir"_s, u"Terminé"_s};
    EXPECT_EQ(ActivityForm(session).fields.status, u"À venir");

    form.fields.title = u"  Refonte \n"_s;
    const QUuid kept = form.addEvent(parisAt(12, 9));
    form.fields.events[0].name = u" Livraison "_s;
    const QUuid blank = form.addEvent(parisAt(13, 9));
    form.addFilePath({}, ProjectFilePathType::folder, u" /srv/clients/Maquettes/ "_s);
    form.addFilePath(u" "_s, ProjectFilePathType::file, {});
    const ProjectItem written = form.written();
    EXPECT_EQ(written.title, u"Refonte");
    ASSERT_EQ(written.events.size(), 1) << "a milestone with nothing typed is left out";
    EXPECT_EQ(written.events[0].id, kept);
    EXPECT_EQ(written.events[0].name, u"Livraison");
    ASSERT_EQ(written.filePaths.size(), 1);
    EXPECT_EQ(written.filePaths[0].name, u"Maquettes") << "named after its path";
    EXPECT_EQ(written.filePaths[0].path, u"/srv/clients/Maquettes/");
    EXPECT_TRUE(form.removeEvent(blank));
    EXPECT_FALSE(form.removeEvent(blank));
}

class ActivityFormApply : public DocumentsFixture {
protected:
    void SetUp() override {
        DocumentsFixture::SetUp();
        const AppDatabase seeded = newSessionContents();
        test::changeSession(*m_store, [&](SessionEdit& e) {
            e.projectStatusOptions() = seeded.projectStatusOptions;
        });
        test::changeSession(
            *m_store, [&](SessionEdit& e) { e.projectTypeOptions() = seeded.projectTypeOptions; });
        ASSERT_TRUE(m_store->save().ok());
    }
    const ProjectItem& stored(const QUuid& id) const {
        const auto& projects = m_store->projects();
        const auto found = std::find_if(projects.cbegin(), projects.cend(),
                                        [&](const ProjectItem& p) { return p.id == id; });
        EXPECT_NE(found, projects.cend());
        return *found;
    }
    QUrl sample(const QString& name, const QByteArray& bytes) {
        writeFile(path(name), bytes);
        return QUrl::fromLocalFile(path(name));
    }
    QStringList mediaFiles() const { return QDir(m_store->mediaFolder()).entryList(QDir::Files); }
};

TEST_F(ActivityFormApply, NewEditUnchangedAndGone) {
    const TagItem urgent{QUuid::createUuid(), u"Urgent"_s, TagColorOption::red};
    test::changeSession(*m_store, [&](SessionEdit& e) { e.personalProjectTags() = {urgent}; });
    ActivityForm form(m_store->session());
    form.fields.title = u" Atelier "_s;
    form.setTag(urgent.id, true);
    form.setTag(QUuid::createUuid(), true);
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).ok());
    const ProjectItem created = stored(form.fields.id);
    EXPECT_EQ(created.title, u"Atelier");
    EXPECT_EQ(created.tagIDs, QList<QUuid>{urgent.id}) << "unknown tags are left out";
    EXPECT_EQ(onDisk().projects.last(), created);
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).kind(),
              ResultKind::unchanged);

    ActivityForm edit(m_project);
    edit.fields.status = u"Disparu"_s;
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return edit.apply(e); }).kind(),
              ResultKind::invalid);
    edit.fields.status = u"À venir"_s;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return edit.apply(e); }).ok());
    EXPECT_EQ(stored(m_project.id).status, u"À venir");
    test::changeSession(*m_store, [&](SessionEdit& e) { e.projects() = {created}; });
    EXPECT_EQ(m_store->edit([&](SessionEdit& e) { return edit.apply(e); }).error(),
              u"Cette activité n'existe plus.");
}

TEST_F(ActivityFormApply, EditKeepsACancellationAndLinksMadeMeanwhile) {
    ActivityForm form(m_project);
    CommercialDocumentItem invoice = makeInvoice(u"F-1"_s, {serviceLine(300)}, u"Envoyé"_s);
    invoice.linkedProjectIDs = {m_project.id};
    invoice.encaissements = {payment(100, true)};
    put({invoice});
    EXPECT_FALSE(hasPendingDepositDecision(m_store->session(), m_project.id));
    ASSERT_TRUE(m_store
                    ->edit([&](SessionEdit& e) {
                        e.project(m_project.id)->linkedInvoiceIDs = {invoice.id};
                        return cancelActivity(e, m_project.id, m_clock);
                    })
                    .ok());
    EXPECT_TRUE(hasPendingDepositDecision(m_store->session(), m_project.id));
    const ProjectItem cancelled = stored(m_project.id);

    form.fields.notes = u"Relancer en septembre"_s;
    ASSERT_TRUE(m_store->edit([&](SessionEdit& e) { return form.apply(e); }).ok());
    ProjectItem expected = cancelled;
    expected.notes = form.fields.notes;
    EXPECT_EQ(stored(m_project.id), expected);
}

TEST_F(ActivityFormApply, AttachmentsAreEmbeddedAllOrNothing) {
    const QByteArray png("\x89PNG\r\n\x1a\n0000", 12);
    const QUrl image = sample(u"photo.png"_s, png);
    const QUrl pdf = sample(u"devis.pdf"_s, "%PDF-1.4\n");
    const QUrl missing = QUrl::fromLocalFile(path(u"absent.pdf"_s));
    const Result<> refused = test::inEdit(*m_store, [&](SessionEdit& e) {
        return attachFiles(e, m_project.id, {image, missing});
    });
    EXPECT_EQ(
        refused.error(),
        u"Le fichier « absent.pdf » n'a pas pu être joint : il est introuvable ou illisible."_s);
    EXPECT_TRUE(mediaFiles().isEmpty());
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(test::inEdit(*m_store,
                           [&](SessionEdit& e) { return attachFiles(e, m_project.id, {image}); })
                  .kind(),
              ResultKind::notSaved);
    EXPECT_TRUE(mediaFiles().isEmpty()) << "a failed save leaves no copy";
    m_fs.heal();
    EXPECT_EQ(
        test::inEdit(*m_store,
                     [&](SessionEdit& e) { return attachFiles(e, QUuid::createUuid(), {image}); })
            .kind(),
        ResultKind::notFound);

    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return attachFiles(e, m_project.id, {image, pdf});
                }).ok());
    const QList<ProjectAttachment> attached = stored(m_project.id).attachments;
    ASSERT_EQ(attached.size(), 2);
    EXPECT_EQ(attached[0].originalFileName, u"photo.png");
    EXPECT_EQ(attached[0].kind, ProjectAttachmentKind::image);
    EXPECT_EQ(attached[1].kind, ProjectAttachmentKind::document);
    const QString key = attached[0].storedFileURL.fileName();
    EXPECT_EQ(m_store->snapshot().embeddedMedia.value(key).decoded(), png);

    EXPECT_EQ(removeAttachmentConfirmation(attached[0]).message,
              u"La pièce jointe « photo.png » sera supprimée définitivement."_s);
    m_fs.failOn(FaultyFileSystem::Op::Write);
    EXPECT_EQ(test::inEdit(
                  *m_store,
                  [&](SessionEdit& e) { return removeAttachment(e, m_project.id, attached[0].id); })
                  .kind(),
              ResultKind::notSaved);
    EXPECT_TRUE(mediaFiles().contains(key)) << "kept until the save succeeds";
    m_fs.heal();
    ASSERT_TRUE(test::inEdit(*m_store, [&](SessionEdit& e) {
                    return removeAttachment(e, m_project.id, attached[0].id);
                }).ok());
    EXPECT_EQ(stored(m_project.id).attachments, attached.mid(1));
    EXPECT_FALSE(mediaFiles().contains(key));
    EXPECT_EQ(mediaFiles().size(), 1);
}

TEST_F(ActivityFormApply, FilePathExistsByType) {
    writeFile(path(u"dossier/plan.txt"_s), "plan");
    const struct {
        QString path;
        ProjectFilePathType type;
        bool exists;
    } rows[] = {
        {path(u"dossier"_s), ProjectFilePathType::folder, true},
        {path(u"dossier"_s), ProjectFilePathType::file, false},
        {path(u"dossier/plan.txt"_s), ProjectFilePathType::file, true},
        {path(u"dossier/plan.txt"_s), ProjectFilePathType::folder, false},
        {path(u"ailleurs"_s), ProjectFilePathType::folder, false},
        {u" "_s, ProjectFilePathType::folder, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(filePathExists({{}, u"x"_s, row.type, row.path}), row.exists)
            << row.path.toStdString();
    EXPECT_EQ(missingFilePathMessage({{}, u"x"_s, ProjectFilePathType::file, u"/a/b"_s}),
              u"Le chemin « /a/b » est introuvable : le fichier ou le dossier a peut-être été "
              "déplacé ou supprimé."_s);
}

} // namespace
