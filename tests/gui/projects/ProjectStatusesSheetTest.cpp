// The activity statuses sheet driven as a person would: locks, a rename the
// activities follow, a status added, moved, refused a duplicate name and
// deleted, each change on disk at once.

#include "SectionFixture.h"

#include "core/activities/ProjectStatusSettings.h"
#include "core/model/SessionDecoder.h"
#include "gui/projects/ProjectStatusesSheet.h"

#include <QComboBox>
#include <QToolButton>

namespace velmora::gui::test {
namespace {

class ProjectStatusesSheetTest : public SectionFixture {
protected:
    QStringList names() {
        QStringList all;
        for (const TagItem& status : store().projectStatuses())
            all << status.name;
        return all;
    }
    void commit(const QString& field, const QString& text) {
        type(field, text);
        QTest::keyClick(find<QLineEdit>(field), Qt::Key_Return);
    }
};

TEST_F(ProjectStatusesSheetTest, StatusesAreRenamedAddedMovedAndDeletedAtOnce) {
    openSection(u"projects"_s, [](AppDatabase& db) {
        ProjectItem site;
        site.id = QUuid::createUuid();
        site.title = u"Site vitrine"_s;
        site.status = u"En cours"_s;
        db.projects.append(site);
    });
    m_dialogs.alerts.clear();
    auto* sheet = new ProjectStatusesSheet(store(), m_dialogs, &window());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();

    const QString byDefault = u"Statut par défaut — modifiable mais non supprimable"_s;
    const QString bySystem = u"Statut système — nom et suppression verrouillés"_s;
    const struct {
        int index;
        QString help;
        bool renamable;
    } locked[] = {
        {0, byDefault, true}, {1, byDefault, true}, {2, bySystem, false}, {3, bySystem, false}};
    for (const auto& row : locked) {
        const QString at = QString::number(row.index);
        EXPECT_EQ(find(u"statusLock_"_s + at)->toolTip(), row.help) << row.index;
        EXPECT_EQ(find(u"statusLock_"_s + at)->accessibleName(), row.help) << row.index;
        EXPECT_EQ(find(u"statusName_"_s + at)->isEnabled(), row.renamable) << row.index;
        EXPECT_FALSE(find(u"statusDelete_"_s + at)->isEnabled()) << row.index;
    }

    const QUuid running = store().projectStatuses()[0].id;
    commit(u"statusName_0"_s, u" Actif "_s);
    EXPECT_TRUE(sheet->isVisible()) << "Return closed the sheet";
    EXPECT_EQ(store().projectStatuses()[0].id, running);
    EXPECT_EQ(store().projectStatuses()[0].name, u"Actif"_s);
    EXPECT_EQ(store().projects()[0].status, u"Actif"_s);

    type(u"newStatusName"_s, u"En pause"_s);
    auto* color = find<QComboBox>(u"newStatusColor"_s);
    color->setCurrentIndex(color->findData(int(TagColorOption::orange)));
    click(u"newStatusAdd"_s);
    ASSERT_EQ(store().projectStatuses().size(), 5);
    EXPECT_EQ(store().projectStatuses()[4].color, TagColorOption::orange);
    EXPECT_TRUE(find<QLineEdit>(u"newStatusName"_s)->text().isEmpty());
    EXPECT_FALSE(isShown(u"statusLock_4"_s));

    click(u"statusUp_4"_s);
    EXPECT_EQ(names(),
              (QStringList{u"Actif"_s, u"À venir"_s, u"Terminé"_s, u"En pause"_s, u"Annulé"_s}));
    EXPECT_EQ(find<QLineEdit>(u"statusName_3"_s)->text(), u"En pause"_s);
    EXPECT_EQ(find<QComboBox>(u"statusColor_3"_s)->currentData().toInt(),
              int(TagColorOption::orange));

    commit(u"statusName_3"_s, u" actif "_s);
    EXPECT_EQ(shownText(u"projectStatusesError"_s), u"Un statut nommé « Actif » existe déjà."_s);
    EXPECT_EQ(store().projectStatuses()[3].name, u"En pause"_s);

    // Closing the confirmation keeps the status.
    click(u"statusDelete_3"_s);
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0],
              ProjectStatusSettings::deleteConfirmation(store().projectStatuses()[3]));
    EXPECT_EQ(store().projectStatuses().size(), 5);
    m_dialogs.answerNext(u"Supprimer"_s);
    click(u"statusDelete_3"_s);
    EXPECT_EQ(names(), (QStringList{u"Actif"_s, u"À venir"_s, u"Terminé"_s, u"Annulé"_s}));
    EXPECT_TRUE(shownText(u"projectStatusesError"_s).isEmpty());
    EXPECT_FALSE(isShown(u"statusName_4"_s));

    // A save that fails leaves the colour as it was, and says why.
    m_fs.failOn(velmora::test::FaultyFileSystem::Op::Write);
    auto* first = find<QComboBox>(u"statusColor_0"_s);
    first->setCurrentIndex(first->findData(int(TagColorOption::pink)));
    EXPECT_FALSE(shownText(u"projectStatusesError"_s).isEmpty());
    EXPECT_EQ(first->currentData().toInt(), int(TagColorOption::blue));
    EXPECT_EQ(store().projectStatuses()[0].color, TagColorOption::blue);
    m_fs.heal();

    const auto written = decodeSession(sessionFile(), m_clock);
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    EXPECT_EQ(written.value().projectStatuses, store().projectStatuses());
    EXPECT_EQ(written.value().projectStatusOptions, names());
    EXPECT_EQ(written.value().projects[0].status, u"Actif"_s);
}

} // namespace
} // namespace velmora::gui::test
