// The activities' list: the sort keys of its columns, the names, badges and
// subtitles of its rows, the count and the search.

#include "core/activities/ActivityListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "support/QtPrinters.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace Qt::Literals::StringLiterals;

std::optional<QDateTime> day(int month, int dayOfMonth) {
    return QDateTime(QDate(2025, month, dayOfMonth), QTime(9, 0), QTimeZone::utc());
}

ProjectItem project(const QString& title, const QString& status,
                    std::optional<QDateTime> start = {}, std::optional<QDateTime> end = {}) {
    ProjectItem p;
    p.id = QUuid::createUuid();
    p.title = title;
    p.status = status;
    p.startDate = start;
    p.endDate = end;
    return p;
}

QList<TagItem> statuses() {
    return {{QUuid::createUuid(), u"À venir"_s, TagColorOption::orange},
            {QUuid::createUuid(), u"En cours"_s, TagColorOption::blue},
            {QUuid::createUuid(), u"Terminé"_s, TagColorOption::green}};
}

QList<ProjectItem> projects() {
    return {project(u"Mariage"_s, u"Terminé"_s, day(6, 1), {}),
            project(u"bannière"_s, u"en cours"_s, {}, day(3, 1)),
            project(u"Atelier"_s, u"Ancien statut"_s, day(2, 1), day(2, 2)),
            project(u"  "_s, u"En cours"_s, day(1, 5), {}),
            project(u"Affiche"_s, u"À venir"_s, {}, day(1, 1))};
}

struct SortCase {
    ActivityListModel::Column column;
    QStringList titles;
};

class ActivityListSortTest : public testing::TestWithParam<SortCase> {};

TEST_P(ActivityListSortTest, ShowsTheRowsInTheOrderOfTheColumn) {
    ActivityListModel model;
    model.setContext({}, statuses());
    model.setRecords(projects());
    RecordFilterModel shown;
    shown.setSourceModel(&model);
    shown.sort(GetParam().column);
    QStringList titles;
    for (int row = 0; row < shown.rowCount(); ++row)
        titles << shown.index(row, 0).data().toString();
    EXPECT_EQ(titles, GetParam().titles);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ActivityListSortTest,
    testing::Values(SortCase{ActivityListModel::titleColumn,
                             {u"Activité sans titre"_s, u"Affiche"_s, u"Atelier"_s, u"bannière"_s,
                              u"Mariage"_s}},
                    // The order of the settings, names as keys; an unknown status last.
                    SortCase{ActivityListModel::statusColumn,
                             {u"Affiche"_s, u"Activité sans titre"_s, u"bannière"_s, u"Mariage"_s,
                              u"Atelier"_s}},
                    SortCase{ActivityListModel::startColumn,
                             {u"Activité sans titre"_s, u"Atelier"_s, u"Mariage"_s, u"bannière"_s,
                              u"Affiche"_s}},
                    SortCase{ActivityListModel::endColumn,
                             {u"Affiche"_s, u"Atelier"_s, u"bannière"_s, u"Mariage"_s,
                              u"Activité sans titre"_s}}));

TEST(ActivityListModelTest, NamesTheClientAndColoursTheStatusUntilTheContextChanges) {
    ClientItem client;
    client.id = QUuid::createUuid();
    client.kind = ClientKind::professionnel;
    client.company = u"Studio Éloïse"_s;
    ProjectItem p = project(u"Mariage"_s, u"Terminé"_s, day(6, 1), day(6, 3));
    p.linkedClientID = client.id;
    ActivityListModel model;
    model.setContext({client}, statuses());
    model.setRecords({p});
    const QModelIndex row = model.index(0, 0);
    EXPECT_EQ(row.data(RecordListModelBase::SubtitleRole).toString(),
              u"Studio Éloïse · Du 1 juin 2025 au 3 juin 2025"_s);
    EXPECT_EQ(row.data(RecordListModelBase::BadgeColorRole).toInt(), int(TagColorOption::green));

    int changes = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    model.setContext({client}, statuses().mid(0, 2));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(row.data(RecordListModelBase::BadgeColorRole).isValid());
    model.setContext({}, statuses().mid(0, 2));
    EXPECT_EQ(row.data(RecordListModelBase::SubtitleRole).toString(),
              u"Du 1 juin 2025 au 3 juin 2025"_s);

    EXPECT_TRUE(activityMatches(p, u"Studio Éloïse"_s, u"eloise mariage"_s));
    EXPECT_FALSE(activityMatches(p, QString(), u"eloise"_s));
}

TEST(ActivityListModelTest, CountsInFrench) {
    const QList<std::pair<int, QString>> cases = {
        {0, u"Aucune activité"_s}, {1, u"1 activité"_s}, {2, u"2 activités"_s}};
    for (const auto& [count, text] : cases)
        EXPECT_EQ(ActivityListModel::countText(count), text) << count;
}

} // namespace
} // namespace velmora
