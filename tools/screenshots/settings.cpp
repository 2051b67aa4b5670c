// The settings window, page by page.

#include "Tour.h"

#include "core/app/SettingsPages.h"
#include "gui/main/MainWindow.h"
#include "gui/settings/SettingsWindow.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace velmora::tour {

namespace {

// The pages in the order of SettingsPage, for the file names.
const char* const kPageNames[] = {"appearance", "company", "security", "backup", "sidebar"};

} // namespace

void shootSettings(Tour& tour) {
    tour.window.showSettings();
    if (auto* settings = tour.window.findChild<SettingsWindow*>()) {
        settings->resize(900, 620);
        for (SettingsPage page : settingspages::all()) {
            settings->showPage(page);
            tour.shoot(*settings, u"settings-"_s + QLatin1String(kPageNames[int(page)]));
        }
        settings->showPage(SettingsPage::company);
        scrollTo(*settings, u"companyPaymentMethod_PayPal"_s);
        tour.shoot(*settings, u"settings-company-payment"_s);
        // A SIRET the rules refuse, as the user leaves it.
        for (QLineEdit* edit : settings->findChildren<QLineEdit*>(u"companySiret"_s))
            edit->setText(u"12345"_s);
        settings->settle();
        tour.shoot(*settings, u"settings-company-error"_s);
        settings->discardAndClose();
    }
}

} // namespace velmora::tour
