#include "core/search/SpotlightListModel.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

SpotlightSection sectionOf(const QString& name, int hits, qsizetype count) {
    SpotlightSection section;
    section.name = name;
    section.count = count;
    for (int i = 0; i < hits; ++i) {
        SpotlightHit hit;
        hit.id = QUuid::createUuid();
        hit.title = name + QString::number(i);
        section.hits << hit;
    }
    return section;
}

TEST(SpotlightListModelTest, HeadingsCountTheMatchesAndMovesSkipThem) {
    SpotlightListModel model;
    model.setResult({{sectionOf(u"Clients"_s, 2, 2), sectionOf(u"Stock"_s, 1, 35)}, {}});
    // Heading, 2 hits, heading, 1 hit.
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(0).data(SpotlightListModel::CountRole).toString(), u"2"_s);
    EXPECT_EQ(model.index(3).data(SpotlightListModel::CountRole).toString(), u"1 sur 35"_s);
    EXPECT_EQ(model.hitAt(3), nullptr);
    EXPECT_EQ(model.hitAt(4)->title, u"Stock0"_s);
    EXPECT_FALSE(model.flags(model.index(0)) & Qt::ItemIsSelectable);

    const struct {
        int from, step, to;
    } moves[] = {{-1, 1, 1}, {1, 1, 2}, {2, 1, 4}, {4, 1, 4}, {4, -1, 2}, {1, -1, 1}};
    for (const auto& move : moves)
        EXPECT_EQ(model.nextHitRow(move.from, move.step), move.to)
            << move.from << " by " << move.step;

    model.setResult({});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.nextHitRow(-1, 1), -1);
}

} // namespace
} // namespace velmora
