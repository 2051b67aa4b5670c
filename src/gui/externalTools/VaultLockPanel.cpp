#include "gui/externalTools/VaultLockPanel.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/PasswordField.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"
#include "gui/common/VaultSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

// A centred column: the symbol, then the texts and controls given.
QWidget* column(const QString& symbol, QWidget* parent, QVBoxLayout*& layout) {
    auto* page = new QWidget(parent);
    auto* outer = new QVBoxLayout(page);
    outer->addStretch(1);
    auto* inner = new QWidget(page);
    inner->setMaximumWidth(420);
    layout = new QVBoxLayout(inner);
    layout->setSpacing(12);
    auto* icon = new QLabel(inner);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(symbolPixmap(symbol, 48, theme::accent()));
    layout->addWidget(icon);
    outer->addWidget(inner, 0, Qt::AlignHCenter);
    outer->addStretch(2);
    return page;
}

QLabel* centred(QLabel* label) {
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

VaultLockPanel::VaultLockPanel(AppDataStore& store, VaultSession& vault, QWidget* parent)
    : QWidget(parent), m_store(store), m_vault(vault) {
    setObjectName(QStringLiteral("vaultLockPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages);

    QVBoxLayout* locked = nullptr;
    m_pages->addWidget(column(QStringLiteral("lock.fill"), m_pages, locked));
    locked->addWidget(centred(theme::label(QStringLiteral("Outils externes"), "title")));
    locked->addWidget(centred(theme::label(VaultLock::prompt(), "subtitle")));
    m_code = passwordField(VaultLock::codeLabel(), this);
    m_code->setObjectName(QStringLiteral("vaultCode"));
    m_code->setAccessibleName(VaultLock::codeLabel());
    locked->addWidget(m_code);
    m_error = settingslayout::errorLabel(QStringLiteral("vaultCodeError"));
    locked->addWidget(m_error);
    auto* unlock = theme::button(VaultLock::unlockButton(), "primary", this);
    unlock->setObjectName(QStringLiteral("vaultUnlock"));
    unlock->setDefault(true);
    locked->addWidget(unlock, 0, Qt::AlignHCenter);
    connect(unlock, &QPushButton::clicked, this, &VaultLockPanel::submit);
    connect(m_code, &QLineEdit::returnPressed, this, &VaultLockPanel::submit);

    QVBoxLayout* none = nullptr;
    m_pages->addWidget(column(QStringLiteral("lock.open"), m_pages, none));
    auto* noCode = centred(theme::label(VaultLock::noCodeText(), "subtitle"));
    noCode->setObjectName(QStringLiteral("vaultNoCode"));
    none->addWidget(noCode);
    auto* define = theme::button(VaultLock::setCodeButton(), "", this);
    define->setObjectName(QStringLiteral("vaultDefineCode"));
    auto* carryOn = theme::button(VaultLock::continueButton(), "primary", this);
    carryOn->setObjectName(QStringLiteral("vaultContinue"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(define);
    buttons->addWidget(carryOn);
    buttons->addStretch(1);
    none->addLayout(buttons);
    connect(define, &QPushButton::clicked, this, &VaultLockPanel::settingsRequested);
    connect(carryOn, &QPushButton::clicked, this, [this] {
        m_vault.lock().continueWithoutCode(m_store.preferences());
        m_vault.announce();
        if (m_vault.isUnlocked())
            emit unlocked();
    });
    refresh();
}

void VaultLockPanel::refresh() {
    m_code->clear();
    settingslayout::setMessage(m_error, m_vault.lock().error());
    const bool locked = m_vault.lock().panel(m_store.preferences()) == VaultLock::Panel::locked;
    m_pages->setCurrentIndex(locked ? 0 : 1);
    setFocusProxy(locked ? static_cast<QWidget*>(m_code)
                         : m_pages->currentWidget()->findChild<QPushButton*>(
                               QStringLiteral("vaultContinue")));
}

void VaultLockPanel::submit() {
    VaultLock& lock = m_vault.lock();
    lock.typed = m_code->text();
    const bool opened = lock.unlock(m_store.preferences());
    settingslayout::setMessage(m_error, lock.error());
    if (!opened) {
        m_code->selectAll();
        m_code->setFocus();
        return;
    }
    m_code->clear();
    m_vault.announce();
    emit unlocked();
}

} // namespace velmora::gui
