// The one table of sections, and the sidebar a stored list gives.

#include "core/app/SidebarMenu.h"
#include "core/model/SectionDescriptor.h"
#include "support/Mapped.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QSet>

namespace velmora {
namespace {

using namespace test;
using namespace Qt::StringLiterals;

QStringList keysOf(const QList<SidebarMenuItemConfig>& items) {
    return mapped(items, &SidebarMenuItemConfig::defaultKey);
}

QStringList sectionKeys() {
    return mapped(sectionDescriptors(), &SectionDescriptor::key);
}

TEST(SectionDescriptorTest, KeysAndWizardRanksAreUniqueAndTheDashboardComesFirst) {
    QSet<QString> keys;
    QSet<int> ranks;
    for (const SectionDescriptor& section : sectionDescriptors()) {
        EXPECT_FALSE(section.name.isEmpty()) << section.key.toStdString();
        EXPECT_FALSE(section.symbol.isEmpty()) << section.key.toStdString();
        keys.insert(section.key);
        if (section.wizard)
            ranks.insert(section.wizard->rank);
        EXPECT_EQ(sectionDescriptor(section.key), &section);
    }
    EXPECT_EQ(keys.size(), sectionDescriptors().size());
    EXPECT_EQ(sectionDescriptors().first().key, dashboardKey());
    // The wizard cannot switch the dashboard off, so it offers every other.
    EXPECT_FALSE(sectionDescriptor(dashboardKey())->wizard);
    EXPECT_EQ(ranks.size(), sectionDescriptors().size() - 1);
    EXPECT_EQ(sectionDescriptor(u"unknown"_s), nullptr);
}

TEST(SidebarMenuTest, AStoredListGainsTheSectionsItLacks) {
    const QList<SidebarMenuItemConfig> all = SidebarMenuItemConfig::defaults();
    const auto pick = [&all](std::initializer_list<qsizetype> rows) {
        QList<SidebarMenuItemConfig> items;
        for (qsizetype row : rows)
            items << all[row];
        return items;
    };
    struct Case {
        const char* what;
        QList<SidebarMenuItemConfig> stored;
        QStringList shown;
    };
    const QStringList rest = sectionKeys().mid(4);
    const Case cases[] = {
        {"complete, in the user's order", pick({3, 0, 1, 2, 4, 5, 6, 7, 8}),
         QStringList{u"documents"_s, u"dashboard"_s, u"clients"_s, u"projects"_s} + rest},
        {"lacking the last ones", pick({0, 3, 1}),
         QStringList{u"dashboard"_s, u"documents"_s, u"clients"_s, u"projects"_s} + rest},
        {"lacking the dashboard", pick({2, 1}),
         QStringList{u"dashboard"_s, u"projects"_s, u"clients"_s, u"documents"_s} + rest},
        {"empty", {}, sectionKeys()},
    };
    for (const Case& c : cases) {
        AppPreferences prefs;
        prefs.sidebarMenuItems = c.stored;
        const QList<SidebarMenuItemConfig> shown = effectiveSidebarItems(prefs);
        EXPECT_EQ(keysOf(shown), c.shown) << c.what;
        // The user's own entries keep their ids; the added ones have theirs
        // at every reading.
        for (const SidebarMenuItemConfig& item : c.stored)
            EXPECT_TRUE(shown.contains(item)) << c.what;
        if (!c.stored.isEmpty()) {
            EXPECT_EQ(shown, effectiveSidebarItems(prefs)) << c.what;
        }
    }
    // An added entry is the section as a new session has it.
    const QList<SidebarMenuItemConfig> added = withMissingSections(pick({0}));
    EXPECT_EQ(added.last().displayName, sectionDescriptors().last().name);
    EXPECT_EQ(added.last().systemName, sectionDescriptors().last().symbol);
    EXPECT_TRUE(added.last().isEnabled);
}

} // namespace
} // namespace velmora
