#include "gui/common/SessionFollower.h"
#include "support/SessionChange.h"
#include "support/StoreFixture.h"

#include <QStackedWidget>

using namespace velmora;
using namespace velmora::gui;

namespace {

using SessionFollowing = velmora::test::StoreFixture;

// One signal per edit, and a page out of sight pays nothing until it is
// shown: then it refreshes once for everything it missed.
TEST_F(SessionFollowing, AHiddenPageRefreshesOnceWhenShownAgain) {
    auto store = startStore();
    QStackedWidget window;
    auto* other = new QWidget;
    auto* page = new QWidget;
    window.addWidget(other);
    window.addWidget(page);
    window.show();
    int refreshes = 0;
    followSession(page, *store, {SessionField::clients, SessionField::services},
                  [&] { ++refreshes; });
    const auto addClient = [](SessionEdit& e) {
        ClientItem client;
        client.id = QUuid::createUuid();
        e.clients().append(client);
    };
    const auto addService = [](SessionEdit& e) {
        ServiceItem service;
        service.id = QUuid::createUuid();
        e.services().append(service);
    };
    velmora::test::changeSession(*store, addClient);
    velmora::test::changeSession(*store, addService);
    EXPECT_EQ(refreshes, 0);
    window.setCurrentWidget(page);
    EXPECT_EQ(refreshes, 1);

    velmora::test::changeSession(
        *store, [](SessionEdit& e) { e.preferences().tutorialShouldShowIntro = true; });
    EXPECT_EQ(refreshes, 1) << "a part the page does not show";
    velmora::test::changeSession(*store, addClient);
    EXPECT_EQ(refreshes, 2) << "shown: at once";
    window.setCurrentWidget(other);
    window.setCurrentWidget(page);
    EXPECT_EQ(refreshes, 2) << "nothing missed";
}

} // namespace
