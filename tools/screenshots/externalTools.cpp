// The vault of tool logins: its lock, then the tools listed once unlocked,
// and one tool's card with its password shown.

#include "Tour.h"

#include "core/store/AppDataStore.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"

#include <QAbstractButton>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace velmora::tour {

namespace {

void addSampleTools(AppDataStore& store) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QList<TagItem> tags{{QUuid::createUuid(), u"Banque"_s, TagColorOption::mint},
                              {QUuid::createUuid(), u"Clients"_s, TagColorOption::orange},
                              {QUuid::createUuid(), u"Création"_s, TagColorOption::purple}};
    const auto tool = [&](const QString& name, const QString& login, const QString& password,
                          const QString& address, QList<QUuid> tagIDs) {
        ExternalTool t;
        t.id = QUuid::createUuid();
        t.name = name;
        t.login = login;
        t.password = password;
        t.websiteURL = address;
        t.tagIDs = std::move(tagIDs);
        t.createdAt = now;
        return t;
    };
    QList<ExternalTool> tools{
        tool(u"Banque en ligne pro"_s, u"12345678"_s, u"v3rt-Pr1ntemps"_s,
             u"https://pro.mabanque.fr"_s, {tags[0].id}),
        tool(u"Galerie clients"_s, u"studio@lumiere-photo.fr"_s, u"Galerie#2026"_s,
             u"https://galerie.lumiere-photo.fr"_s, {tags[1].id}),
        tool(u"Adobe"_s, u"studio@lumiere-photo.fr"_s, u"aquarelle-42"_s,
             u"https://account.adobe.com"_s, {tags[2].id}),
        tool(u"Portail URSSAF"_s, u"studio@lumiere-photo.fr"_s, u"Cotis-2026!"_s,
             u"https://www.autoentrepreneur.urssaf.fr"_s, {}),
    };
    tools[1].notes = u"Mot de passe des galeries privées envoyé à chaque client."_s;
    (void)store.edit([&](SessionEdit& edit) {
        edit.externalToolTags() = tags;
        edit.externalTools() = tools;
        edit.preferences().externalToolsAccessCode = u"2468"_s;
        return Result<>();
    });
}

} // namespace

void shootVault(Tour& tour) {
    addSampleTools(tour.app.store());
    tour.window.workspace().showSection(u"externalTools"_s);
    tour.settle();
    tour.shoot(tour.window, u"vault-lock"_s);
    auto* code = tour.window.findChild<QLineEdit*>(u"vaultCode"_s);
    auto* unlock = tour.window.findChild<QAbstractButton*>(u"vaultUnlock"_s);
    if (!code || !unlock)
        return;
    code->setText(u"2468"_s);
    unlock->click();
    tour.settle();
    tour.shoot(tour.window, u"vault-list"_s);
    // Each click rebuilds the card, its button with it.
    const auto toggle = [&] {
        if (auto* button = tour.window.findChild<QAbstractButton*>(u"toolPasswordToggle"_s))
            button->click();
        tour.settle();
    };
    toggle();
    tour.shoot(tour.window, u"vault-detail"_s);
    toggle();
}

} // namespace velmora::tour
