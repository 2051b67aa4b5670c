// The launch screen: the creation wizard, the lock and recovery over a
// running session, the list of sessions and a file that cannot be read.

#include "Tour.h"

#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/model/NewSession.h"
#include "core/model/SessionEncoder.h"
#include "core/security/AccessCode.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace velmora::tour {

namespace {

QString writeSession(const QString& folder, const QString& name, const QString& image,
                     const QString& code) {
    AppDatabase db = newSessionContents();
    db.sessionName = name;
    db.sessionProfileImageName = image;
    db.preferences.appPassword = code;
    db.securityQuestions.append(
        {QUuid::createUuid(), u"Dans quelle ville êtes-vous né ?"_s, answerDigest(u"Lyon"_s)});
    const QString path = folder + QLatin1Char('/') + name + u".cdb"_s;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(encodeSession(db, SessionFormat::Compact));
    return path;
}

} // namespace

void shootWizard(Tour& tour, AppAppearanceMode mode) {
    SessionWizard& wizard = tour.app.wizard();
    // The creation wizard, step by step.
    wizard.setAppearance(mode);
    tour.shoot(tour.window, u"wizard-1"_s);
    wizard.continueFromAppearance();
    wizard.setSessionName(u"Atelier Lumière"_s);
    wizard.choosePresetImage(u"image_photographie"_s);
    tour.shoot(tour.window, u"wizard-2"_s);
    wizard.continueFromIdentity();
    QDir().mkpath(tour.folder + u"/Documents"_s);
    wizard.chooseLocation(QUrl::fromLocalFile(tour.folder + u"/Documents/Atelier Lumière.cdb"_s));
    tour.shoot(tour.window, u"wizard-3"_s);
    wizard.continueFromLocation();
    tour.shoot(tour.window, u"wizard-4"_s);
    wizard.finishAccessCode(Result<>::success());
    tour.shoot(tour.window, u"wizard-5"_s);
    wizard.finishSecurityQuestions(Result<>::success());
    tour.shoot(tour.window, u"wizard-6"_s);
    wizard.continueFromModules();
    tour.shoot(tour.window, u"wizard-7"_s);
    for (const auto& [field, text] : {std::pair{"companyDisplayName", "Studio Éclat"},
                                      std::pair{"companySiret", "123 456 789 00012"}}) {
        for (QLineEdit* edit : tour.window.findChildren<QLineEdit*>(QLatin1String(field)))
            if (edit->isVisibleTo(&tour.window))
                edit->setText(QString::fromUtf8(text));
    }
    tour.shoot(tour.window, u"wizard-7-filled"_s);
    scrollTo(tour.window, u"companyPaymentMethod_PayPal"_s);
    for (QCheckBox* box : tour.window.findChildren<QCheckBox*>(u"companyPaymentMethod_Virement"_s))
        box->setChecked(true);
    tour.shoot(tour.window, u"wizard-7-payment"_s);
    wizard.skipCompany();
    tour.shoot(tour.window, u"wizard-8"_s);
    wizard.finish();
}

void shootLock(Tour& tour) {
    // Protected: the lock over the running session, then recovery.
    (void)tour.app.store().edit([](SessionEdit& e) {
        e.preferences().appPassword = u"1234"_s;
        e.securityQuestions() = {{QUuid::createUuid(), u"Quel est votre plat préféré ?"_s,
                                  answerDigest(u"Ratatouille"_s)}};
        return Result<>();
    });
    tour.window.lockSession();
    tour.shoot(tour.window, u"lock"_s);
    for (QAbstractButton* b : tour.window.findChildren<QAbstractButton*>(u"lockForgot"_s))
        if (b->isVisibleTo(&tour.window))
            b->click();
    tour.shoot(tour.window, u"recovery"_s);
}

void shootSessionList(Tour& tour) {
    // Back to the list with a few sessions.
    const QString docs = tour.folder + u"/Documents"_s;
    tour.app.recentFiles().add(QUrl::fromLocalFile(writeSession(docs, u"Garage Martin"_s,
                                                                u"image_automobile"_s, QString())),
                               u"Garage Martin"_s, std::nullopt, u"image_automobile"_s);
    tour.app.recentFiles().add(
        QUrl::fromLocalFile(
            writeSession(docs, u"Studio Pilates"_s, u"image_sport_bienetre"_s, QString())),
        u"Studio Pilates"_s, std::nullopt, u"image_sport_bienetre"_s);
    const QString longName =
        u"Association des artisans photographes indépendants de la vallée du Rhône"_s;
    tour.app.recentFiles().add(QUrl::fromLocalFile(writeSession(
                                   docs, u"Association"_s, u"image_photographie"_s, QString())),
                               longName, std::nullopt, u"image_photographie"_s);
    tour.app.recentFiles().add(
        QUrl::fromLocalFile(writeSession(docs, u"Atelier du Nord-Est"_s, QString(), QString())),
        u"Atelier Lumière du Nord-Est"_s, std::nullopt, std::nullopt);
    tour.app.launch().showSessionList();
    tour.shoot(tour.window, u"launch"_s);

    // A file that cannot be read: the list says why, and so does the
    // alert of the main tour.window's commands.
    const QString broken = docs + u"/Abîmé.cdb"_s;
    if (QFile file(broken); file.open(QIODevice::WriteOnly))
        file.write("{\"sessionName\":\"Atelier\",\"clients\":[");
    tour.app.launch().openChosenFile(QUrl::fromLocalFile(broken));
    tour.shoot(tour.window, u"launch-load-error"_s);
    tour.shootAlert(tour.window, tour.app.launch().loadFailedAlert(), u"launch-load-error-alert"_s);
    tour.app.launch().showDisconnecting();
    tour.shoot(tour.window, u"loading"_s);
}

} // namespace velmora::tour
