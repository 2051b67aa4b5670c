// Settling a session without extracting anything (what the command line's
// export does) must give what the store writes after opening the same file.

#include "core/model/OpenedSession.h"
#include "SessionGenerator.h"
#include "support/StoreFixture.h"

using namespace velmora;
using velmora::test::StoreFixture;

namespace {

class OpenedSession : public StoreFixture {};

TEST_F(OpenedSession, GivesWhatTheStoreWritesAfterOpening) {
    AppDatabase db = bench::generateSession(bench::smallSize(), 5);
    // What older or odd files hold: a legacy status name, repeated and
    // unordered protected ids, an empty name, media nested, unsafe, orphan,
    // or sharing one file name, URLs of another machine or of nothing.
    db.projectStatusOptions = {QStringLiteral(" Fini "), QStringLiteral("En cours"),
                               QStringLiteral("En cours"), QStringLiteral("À venir"),
                               QStringLiteral("Annulé")};
    db.projects[0].status = QStringLiteral("Fini");
    std::reverse(db.protectedQuoteStatusIDs.begin(), db.protectedQuoteStatusIDs.end());
    db.protectedQuoteStatusIDs.append(db.protectedQuoteStatusIDs.first());
    db.sessionName = QString();
    const Base64Data bytes = Base64Data::fromBytes("média");
    for (const char* key :
         {"dossier/imbrique.jpg", "../dehors.png", "orphelin.png", "a/double.png", "b/double.png"})
        db.embeddedMedia.insert(QString::fromUtf8(key), bytes);
    ASSERT_GE(db.clients.size(), 5);
    db.clients[0].photoURL = QUrl::fromLocalFile(QStringLiteral("/ailleurs/imbrique.jpg"));
    db.clients[1].photoURL = QUrl::fromLocalFile(QStringLiteral("/ailleurs/absent.png"));
    db.clients[2].photoURL = QUrl::fromLocalFile(QStringLiteral("/ailleurs/double.png"));
    db.clients[3].photoURL = QUrl::fromLocalFile(QStringLiteral("/ailleurs/dehors.png"));
    db.clients[4].photoURL = QUrl(QStringLiteral("https://exemple.fr/photo.png"));
    const QString file = path(QStringLiteral("session.cdb"));
    writeSession(file, db);

    auto store = makeStore();
    ASSERT_TRUE(store->applyFile(QUrl::fromLocalFile(file)).ok());
    const AppDatabase opened = store->snapshot();

    AppDatabase settled = readSession(file);
    settleOpenedSession(settled, store->mediaFolder());
    EXPECT_EQ(settled, opened);
    EXPECT_EQ(settled.projects[0].status, u"Terminé");
    EXPECT_FALSE(settled.embeddedMedia.contains(QStringLiteral("orphelin.png")));
    EXPECT_TRUE(settled.embeddedMedia.contains(QStringLiteral("b/double.png")));
}

} // namespace
