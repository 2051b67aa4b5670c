#pragma once

#include "core/security/VaultClipboard.h"
#include "desktop/SystemClipboard.h"
#include "gui/common/RecordSectionPage.h"

#include <QPointer>
#include <QTimer>

class QLabel;

namespace velmora {
class ExternalToolListModel;
} // namespace velmora

namespace velmora::gui {

class RecordCard;
class VaultSession;

// "Outils externes": behind the vault's lock, the tools searched by name,
// login, address and notes and filtered by tags; the card shows the login
// and the password (hidden until "Afficher") with their "Copier".
class ExternalToolsPage : public RecordSectionPage {
    Q_OBJECT

public:
    explicit ExternalToolsPage(const SectionServices& services, QWidget* parent = nullptr);

    // A tool asked for while the vault is shut is shown once it is opened.
    void reveal(const QUuid& id) override;

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;

private:
    void refresh();
    // The lock panel over the tools while the vault is shut.
    void followVault();
    void openSettings();
    void copy(VaultField field, const QString& text);
    QWidget* accessRow(const QString& label, const QString& value, VaultField field);

    VaultSession* m_vault = nullptr;
    ExternalToolListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
    SystemClipboard m_systemClipboard;
    VaultClipboard m_clipboard{m_systemClipboard};
    QTimer m_confirmationTimer{this};
    QTimer m_secretTimer{this};
    QPointer<QLabel> m_confirmation;
    bool m_passwordShown = false;
    QUuid m_passwordOf;
    QUuid m_waiting;
};

} // namespace velmora::gui
