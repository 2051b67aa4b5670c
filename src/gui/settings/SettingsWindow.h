#pragma once

#include "core/app/SettingsPages.h"

#include <QDialog>

class QListWidget;
class QStackedWidget;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class AppearancePage;
class BackupPage;
class CompanyPage;
class Dialogs;
class SecurityPage;
class SettingsPanel;
class SidebarPage;

// The "Réglages" window: the list of pages on the left, the chosen page on
// the right. It stays open beside the main window and follows the store.
// Every change is saved as it is made (see SettingsPanel), so closing it
// never asks; only a refused field holds it, and its page, open.
class SettingsWindow : public QDialog {
    Q_OBJECT

public:
    SettingsWindow(AppDataStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    void showPage(SettingsPage page);
    SettingsPage currentPage() const;

    // Applies what is still being typed. False when a field is refused: its
    // page is shown and the field has the keyboard.
    bool settle();
    // Closes without applying anything more: the session it shows is being
    // locked or left.
    void discardAndClose();

    void reject() override;

    AppearancePage* appearancePage() const { return m_appearance; }
    CompanyPage* companyPage() const { return m_company; }
    SecurityPage* securityPage() const { return m_security; }
    BackupPage* backupPage() const { return m_backup; }
    SidebarPage* sidebarPage() const { return m_sidebar; }

signals:
    // A save failed for lack of disk space and the user chose to copy the
    // session elsewhere; the main window runs that flow.
    void saveRescueRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    void addPage(SettingsPage page, SettingsPanel* widget);
    SettingsPanel* panel(int index) const;
    void turnTo(int index);
    void refreshIcons();

    QListWidget* m_pages = nullptr;
    QStackedWidget* m_stack = nullptr;
    AppearancePage* m_appearance = nullptr;
    CompanyPage* m_company = nullptr;
    SecurityPage* m_security = nullptr;
    BackupPage* m_backup = nullptr;
    SidebarPage* m_sidebar = nullptr;
    bool m_discarding = false;
};

} // namespace velmora::gui
