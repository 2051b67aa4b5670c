#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QStackedWidget;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

class VaultSession;

// What covers the vault while it is shut: the code prompt when the section
// has a code, else the offer to set one or to go on without.
class VaultLockPanel : public QWidget {
    Q_OBJECT

public:
    VaultLockPanel(AppDataStore& store, VaultSession& vault, QWidget* parent = nullptr);

    // Shows the panel the session's preferences call for, emptied.
    void refresh();

signals:
    void unlocked();
    void settingsRequested();

private:
    void submit();

    AppDataStore& m_store;
    VaultSession& m_vault;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_code = nullptr;
    QLabel* m_error = nullptr;
};

} // namespace velmora::gui
