#include "gui/externalTools/ExternalToolsPage.h"

#include "core/lists/RecordFilterModel.h"
#include "core/lists/TagRoles.h"
#include "core/security/ExternalToolForm.h"
#include "core/security/ExternalToolListModel.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/PictureField.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"
#include "gui/common/VaultSession.h"
#include "gui/externalTools/ExternalToolFormSheet.h"
#include "gui/externalTools/VaultLockPanel.h"
#include "gui/externalTools/VaultSettingsSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <utility>

namespace velmora::gui {

namespace {

constexpr QChar kBullet(0x2022);
constexpr qsizetype kMaskLength = 12;

} // namespace

ExternalToolsPage::ExternalToolsPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("externalTools"), parent) {
    m_vault = sessionService<VaultSession>(services);
    if (!m_vault)
        m_vault = new VaultSession(this); // a page made alone, as in a test
    m_model = new ExternalToolListModel(this);
    m_card = new RecordCard(QStringLiteral("toolCard"), this);
    setCard(m_card);
    setCountText(&ExternalToolListModel::countText);
    filter().setAccept([this](int row) {
        const ExternalTool& tool = *m_model->record(row);
        return hasAnyTag(tool.tagIDs, filterChips()->checked()) &&
               externalToolMatches(tool, query());
    });
    refresh();
    setRecords(
        m_model,
        {{QStringLiteral("Nom (A → Z)"), ExternalToolListModel::nameColumn, Qt::AscendingOrder},
         {QStringLiteral("Plus récents"), ExternalToolListModel::createdColumn,
          Qt::DescendingOrder}},
        {QStringLiteral("wrench.and.screwdriver"),
         QStringLiteral("Aucun outil externe\nCentralisez vos accès aux outils que vous "
                        "utilisez quotidiennement avec leurs identifiants et clés API."),
         QStringLiteral("Ajouter mon premier outil")},
        QStringLiteral("Rechercher un outil"));
    auto* settings = new QToolButton(this);
    settings->setObjectName(QStringLiteral("vaultSettingsButton"));
    settings->setIcon(symbolIcon(QStringLiteral("gearshape")));
    settings->setToolTip(VaultCodeSettings::title());
    settings->setAccessibleName(VaultCodeSettings::title());
    settings->setAutoRaise(true);
    addHeaderWidget(settings);
    connect(settings, &QToolButton::clicked, this, &ExternalToolsPage::openSettings);

    m_confirmationTimer.setSingleShot(true);
    m_confirmationTimer.setInterval(VaultClipboard::confirmationMs);
    connect(&m_confirmationTimer, &QTimer::timeout, this, [this] {
        if (m_confirmation)
            m_confirmation->clear();
    });
    m_secretTimer.setObjectName(QStringLiteral("vaultSecretTimer"));
    m_secretTimer.setSingleShot(true);
    m_secretTimer.setInterval(VaultClipboard::secretLifetimeMs);
    connect(&m_secretTimer, &QTimer::timeout, this, [this] { m_clipboard.clearSecret(); });
    connect(m_vault, &VaultSession::changed, this, &ExternalToolsPage::followVault);
    followSession(this, services.store,
                  {SessionField::externalTools, SessionField::externalToolTags},
                  [this] { refresh(); });
    followSession(this, services.store, {SessionField::preferences}, [this] { followVault(); });
    followVault();
}

void ExternalToolsPage::refresh() {
    const AppDataStore& store = services().store;
    m_model->setTags(store.externalToolTags());
    m_model->setRecords(store.externalTools());
    recordsChanged(store.externalToolTags());
}

void ExternalToolsPage::followVault() {
    if (m_vault->isUnlocked()) {
        if (hasFullPage()) {
            closeFullPage();
            if (!m_waiting.isNull())
                select(std::exchange(m_waiting, QUuid()));
        }
        return;
    }
    // Shut again: what was shown of a password goes with it.
    m_passwordShown = false;
    auto* lock = new VaultLockPanel(services().store, *m_vault, this);
    connect(lock, &VaultLockPanel::settingsRequested, this, &ExternalToolsPage::openSettings);
    openFullPage(lock);
    lock->setFocus();
}

void ExternalToolsPage::reveal(const QUuid& id) {
    if (m_vault->isUnlocked())
        select(id);
    else
        m_waiting = id;
}

void ExternalToolsPage::openSettings() {
    auto* sheet = new VaultSettingsSheet(services().store, this);
    // The lock panel follows a code set or removed from there.
    connect(sheet, &QDialog::finished, this, [this] {
        if (!m_vault->isUnlocked())
            followVault();
    });
    sheet->open();
}

void ExternalToolsPage::copy(VaultField field, const QString& text) {
    m_clipboard.copy(field, text);
    if (m_confirmation)
        m_confirmation->setText(VaultClipboard::confirmation(field));
    m_confirmationTimer.start();
    if (field == VaultField::password)
        m_secretTimer.start();
}

QWidget* ExternalToolsPage::accessRow(const QString& label, const QString& value,
                                      VaultField field) {
    auto* row = new QWidget(m_card);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* name = theme::label(label, "hint", row);
    name->setMinimumWidth(110);
    layout->addWidget(name);
    const bool secret = field == VaultField::password;
    auto* shown = new QLabel(row);
    shown->setObjectName(secret ? QStringLiteral("toolPasswordValue")
                                : QStringLiteral("toolLoginValue"));
    shown->setTextInteractionFlags(secret && !m_passwordShown ? Qt::NoTextInteraction
                                                              : Qt::TextSelectableByMouse);
    // Hidden, every password looks the same length: the mask tells nothing.
    const QString mask = value.isEmpty() ? QString() : QString(kMaskLength, kBullet);
    shown->setText(secret && !m_passwordShown ? mask : value);
    layout->addWidget(shown, 1);
    if (secret) {
        auto* toggle = theme::button(
            m_passwordShown ? QStringLiteral("Masquer") : QStringLiteral("Afficher"), "link", row);
        toggle->setObjectName(QStringLiteral("toolPasswordToggle"));
        const QUuid id = m_passwordOf;
        connect(toggle, &QPushButton::clicked, this, [this, id] {
            m_passwordShown = !m_passwordShown;
            showRecord(id);
        });
        layout->addWidget(toggle);
    }
    auto* copyButton = theme::button(VaultClipboard::copyButton(), "", row);
    copyButton->setObjectName(secret ? QStringLiteral("toolCopyPassword")
                                     : QStringLiteral("toolCopyLogin"));
    copyButton->setAccessibleName(VaultClipboard::copyButton() + QLatin1Char(' ') + label);
    copyButton->setEnabled(!value.isEmpty());
    connect(copyButton, &QPushButton::clicked, this, [this, field, value] { copy(field, value); });
    layout->addWidget(copyButton);
    return row;
}

void ExternalToolsPage::showRecord(const QUuid& id) {
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const ExternalTool& tool = *m_model->record(row);
    if (m_passwordOf != id)
        m_passwordShown = false;
    m_passwordOf = id;
    m_card->start(externalToolPicture(PictureField::bytesOf(tool.logoURL), 56),
                  externalToolDisplayName(tool), tool.websiteURL.trimmed());
    if (const std::optional<QUrl> address = externalToolAddress(tool)) {
        auto* open =
            m_card->addAction(QStringLiteral("Ouvrir le site"), QStringLiteral("Open"), "primary");
        connect(open, &QPushButton::clicked, this, [this, url = *address] {
            openOrExplain(services().dialogs, services().urls, this, url);
        });
    }
    connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
            &QPushButton::clicked, this, [this, id] { editRecord(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (!tool.tagIDs.isEmpty())
        m_card->addTags(m_model->tags(), tool.tagIDs);

    m_card->addSection(QStringLiteral("Accès"));
    m_card->addWidget(accessRow(QStringLiteral("Identifiant"), tool.login, VaultField::login));
    m_card->addWidget(
        accessRow(QStringLiteral("Mot de passe"), tool.password, VaultField::password));
    m_confirmation = theme::label(QString(), "success", m_card);
    m_confirmation->setObjectName(QStringLiteral("toolCopied"));
    m_card->addWidget(m_confirmation);
    if (!tool.notes.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Notes"));
        m_card->addText(tool.notes);
    }
}

void ExternalToolsPage::createRecord() {
    auto* sheet = new ExternalToolFormSheet(services(),
                                            ExternalToolForm(services().store.clock().now()), this);
    connect(sheet, &ExternalToolFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void ExternalToolsPage::editRecord(const QUuid& id) {
    const ExternalTool* tool = m_model->record(m_model->rowOf(id));
    if (!tool)
        return;
    auto* sheet = new ExternalToolFormSheet(services(), ExternalToolForm(*tool), this);
    connect(sheet, &ExternalToolFormSheet::saved, this, &RecordSectionPage::select);
    sheet->open();
}

void ExternalToolsPage::removeRecord(const QUuid& id) {
    if (const ExternalTool* tool = m_model->record(m_model->rowOf(id)))
        removeAfter(externalToolDeletion(*tool),
                    [id](SessionEdit& edit) { return deleteExternalTool(edit, id); });
}

} // namespace velmora::gui
