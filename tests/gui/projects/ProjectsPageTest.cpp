// The activities section driven as a person would: an activity made for a
// client, a file dropped on its card and embedded in the session, then the
// activity cancelled and reactivated through their confirmations.

#include "SectionFixture.h"

#include "core/activities/ActivityAttachments.h"
#include "core/activities/ActivityLifecycle.h"
#include "core/text/FrenchDates.h"
#include "gui/projects/ProjectStatusesSheet.h"

#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>

namespace velmora::gui::test {
namespace {

using ProjectsPageTest = SectionFixture;

TEST_F(ProjectsPageTest, AnActivityGetsADroppedFileThenIsCancelledAndReactivated) {
    const QUuid clientID = QUuid::createUuid();
    openSection(u"projects"_s, [&](AppDatabase& db) {
        ClientItem client;
        client.id = clientID;
        client.firstName = u"Éloïse"_s;
        client.lastName = u"Martin"_s;
        client.email = u"eloise@exemple.fr"_s;
        db.clients.append(client);
    });
    click(u"projectsEmptyAction"_s);
    type(u"projectTitle"_s, u"Mariage Martin"_s);
    // Only cancelling gives "Annulé".
    EXPECT_EQ(find<QComboBox>(u"projectStatus"_s)->findData(u"Annulé"_s), -1);
    auto* client = find<QComboBox>(u"projectClient"_s);
    ASSERT_NE(client, nullptr);
    client->setCurrentIndex(client->findText(u"MARTIN Éloïse"_s));
    click(u"projectFormSave"_s);

    ASSERT_EQ(store().projects().size(), 1);
    const ProjectItem created = store().projects().first();
    EXPECT_EQ(created.title, u"Mariage Martin"_s);
    EXPECT_EQ(created.linkedClientID, clientID);
    EXPECT_EQ(created.status, u"En cours"_s);
    EXPECT_EQ(shownRows(), QStringList{u"Mariage Martin"_s});
    EXPECT_EQ(shownText(u"projectsCount"_s), u"1 activité"_s);

    // A file dropped on the card is copied into the session.
    const QByteArray bytes = "%PDF-1.4 devis signé de la mariée";
    const QString path = m_dir.path() + u"/devis.pdf"_s;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    auto* card = find(u"projectCard"_s);
    ASSERT_NE(card, nullptr);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path), QUrl(u"https://exemple.fr/page"_s)});
    const QPointF at = QRectF(card->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(card, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(card, &drop);
    ASSERT_EQ(store().projects().first().attachments.size(), 1);
    EXPECT_EQ(store().projects().first().attachments[0].originalFileName, u"devis.pdf"_s);
    EXPECT_TRUE(sessionFile().contains(bytes.toBase64()));

    // A shortcut to a folder chosen in the form, gone since: the card says so.
    trigger(u"Modifier"_s);
    click(u"projectAddFilePath"_s);
    type(u"filePathName"_s, u"Retouches"_s);
    const QString absent = m_dir.path() + u"/Retouches"_s;
    m_dialogs.chooseNext(QUrl::fromLocalFile(absent));
    click(u"filePathBrowse"_s);
    EXPECT_EQ(m_dialogs.panels.last().mode, FilePanel::Mode::chooseFolder);
    click(u"projectFormSave"_s);
    ASSERT_EQ(store().projects().first().filePaths.size(), 1);
    const ProjectFilePath shortcut = store().projects().first().filePaths[0];
    EXPECT_EQ(shortcut.name, u"Retouches"_s);
    EXPECT_EQ(shortcut.path, absent);
    EXPECT_EQ(store().projects().first().attachments.size(), 1);
    click(u"projectCardFilePath"_s);
    EXPECT_EQ(m_dialogs.alerts.last().message, missingFilePathMessage(shortcut));

    const ProjectItem before = store().projects().first();
    m_dialogs.answerNext(u"Annuler l'activité"_s);
    click(u"projectCardCancel"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last(), cancelConfirmation(before, {}));
    EXPECT_EQ(store().projects().first().status, u"Annulé"_s);
    ASSERT_TRUE(store().projects().first().cancelledAt.has_value());
    EXPECT_EQ(shownText(u"projectCardCancelled"_s),
              u"Annulé le "_s + formatMediumDate(*store().projects().first().cancelledAt));
    EXPECT_FALSE(isShown(u"projectCardEdit"_s));
    // The status chips keep the activities of the chosen statuses.
    click(u"projectsStatusFilter_En cours"_s);
    EXPECT_EQ(shownRows(), QStringList());
    click(u"projectsStatusFilter_En cours"_s);

    m_dialogs.answerNext(u"Réactiver"_s);
    click(u"projectCardReactivate"_s);
    EXPECT_EQ(m_dialogs.alerts.last(), reactivationConfirmation(0));
    EXPECT_EQ(store().projects().first().status, u"En cours"_s);
    EXPECT_FALSE(store().projects().first().isCancelled);
    EXPECT_TRUE(isShown(u"projectCardEdit"_s));

    click(u"projectsStatuses"_s);
    auto* statuses = window().findChild<ProjectStatusesSheet*>();
    ASSERT_NE(statuses, nullptr);
    EXPECT_TRUE(statuses->isVisible());
    statuses->close();
}

} // namespace
} // namespace velmora::gui::test
