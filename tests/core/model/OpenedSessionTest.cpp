// Settling a session without extracting anything (what the command line's
// export does) must give what the store writes after opening the same file.

#include "core/model/OpenedSession.h"
#include "SessionGenerator.h"
#include "support/StoreFixture.h"

using namespace velmora;
using velmora::test::StoreFixture;
using namespace Qt::StringLiterals;

namespace {

class OpenedSession : public StoreFixture {};

TEST_F(OpenedSession, GivesWhatTheStoreWritesAfterOpening) {
    AppDatabase db = bench::generateSession(bench::smallSize(), 5);
    // What older or odd files hold: a legacy status name, repeated and
    // unordered protected ids, an empty name, media nested, unsafe, orphan,
    // or sharing one file name, URLs of another machine or of nothing.
    db.projectStatusOptions = {u" Fini "_s, u"En cours"_s, u"En cours"_s, u"À venir"_s,
                               u"Annulé"_s};
    db.projects[0].status = u"Fini"_s;
    std::reverse(db.protectedQuoteStatusIDs.begin(), db.protectedQuoteStatusIDs.end());
    db.protectedQuoteStatusIDs.append(db.protectedQuoteStatusIDs.first());
    db.sessionName = QString();
    const Base64Data bytes = Base64Data::fromBytes("média");
    for (const char* key :
         {"dossier/imbrique.jpg", "../dehors.png", "orphelin.png", "a/double.png", "b/double.png"})
        db.embeddedMedia.insert(QString::fromUtf8(key), bytes);
    ASSERT_GE(db.clients.size(), 5);
    db.clients[0].photoURL = QUrl::fromLocalFile(u"/ailleurs/imbrique.jpg"_s);
    db.clients[1].photoURL = QUrl::fromLocalFile(u"/ailleurs/absent.png"_s);
    db.clients[2].photoURL = QUrl::fromLocalFile(u"/ailleurs/double.png"_s);
    db.clients[3].photoURL = QUrl::fromLocalFile(u"/ailleurs/dehors.png"_s);
    db.clients[4].photoURL = QUrl(u"https://exemple.fr/photo.png"_s);
    const QString file = path(u"session.cdb"_s);
    writeSession(file, db);

    auto store = makeStore();
    ASSERT_TRUE(store->applyFile(QUrl::fromLocalFile(file)).ok());
    const AppDatabase opened = store->snapshot();

    AppDatabase settled = readSession(file);
    settleOpenedSession(settled, store->mediaFolder());
    EXPECT_EQ(settled, opened);
    EXPECT_EQ(settled.projects[0].status, u"Terminé");
    EXPECT_FALSE(settled.embeddedMedia.contains(u"orphelin.png"_s));
    EXPECT_TRUE(settled.embeddedMedia.contains(u"b/double.png"_s));
}

} // namespace
