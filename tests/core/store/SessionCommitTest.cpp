#include "core/store/SessionCommit.h"
#include "core/activities/ActivityStatuses.h"
#include "core/model/NewSession.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

// The command line writes what this gives, the window's store publishes it:
// both follow the same rules.
TEST(SessionCommit, TakesTheTouchedPartsAndNamesOnlyThoseThatChanged) {
    AppDatabase session = newSessionContents();
    const AppDatabase before = session;
    SessionEdit edit(session);
    edit.clients();                                    // touched, left equal
    edit.preferences().tutorialShouldShowIntro = true; // touched and changed
    EXPECT_EQ(commitEdit(session, edit), SessionFields{SessionField::preferences});
    EXPECT_TRUE(session.preferences.tutorialShouldShowIntro);
    EXPECT_EQ(session.clients, before.clients);
}

TEST(SessionCommit, TheProtectedActivityStatusesFollowTheStatuses) {
    AppDatabase session = newSessionContents();
    const QUuid running = session.projectStatuses.first().id;
    SessionEdit edit(session);
    // A renamed seeded status stays protected; a removed one leaves the list.
    edit.projectStatuses().first().name = u"Actif"_s;
    edit.projectStatuses().removeAt(1);
    const SessionFields changed = commitEdit(session, edit);
    EXPECT_TRUE(changed.contains(SessionField::projectStatuses));
    EXPECT_TRUE(changed.contains(SessionField::protectedProjectStatusIDs));
    QList<QUuid> expected;
    for (const TagItem& status : session.projectStatuses)
        expected.append(status.id);
    EXPECT_EQ(session.protectedProjectStatusIDs, sortedIds(expected));
    EXPECT_TRUE(session.protectedProjectStatusIDs.contains(running));
}

} // namespace
