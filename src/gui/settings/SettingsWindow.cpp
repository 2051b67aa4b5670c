#include "gui/settings/SettingsWindow.h"

#include "gui/common/Icons.h"
#include "gui/common/SelectionFollower.h"
#include "gui/settings/AppearancePage.h"
#include "gui/settings/BackupPage.h"
#include "gui/settings/CompanyPage.h"
#include "gui/settings/SecurityPage.h"
#include "gui/settings/SidebarPage.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace velmora::gui {

SettingsWindow::SettingsWindow(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(settingspages::windowTitle());
    setModal(false);
    resize(860, 600);
    setMinimumSize(720, 480);

    auto* sidebar = new QFrame;
    sidebar->setProperty("role", QStringLiteral("sidebar"));
    sidebar->setFixedWidth(210);
    auto* sidebarLayout = new QVBoxLayout(sidebar);
    sidebarLayout->setContentsMargins(12, 20, 12, 20);
    m_pages = new QListWidget;
    m_pages->setObjectName(QStringLiteral("settingsPages"));
    m_pages->setIconSize(QSize(18, 18));
    m_pages->setSpacing(2);
    sidebarLayout->addWidget(m_pages);

    m_stack = new QStackedWidget;
    m_stack->setObjectName(QStringLiteral("settingsStack"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sidebar);
    // Every change is saved as it is made: the window only closes, through
    // the same checks as Escape.
    auto* content = new QVBoxLayout;
    content->setContentsMargins(0, 0, 20, 16);
    content->addWidget(m_stack, 1);
    auto* close = new QPushButton(QStringLiteral("Fermer"));
    close->setObjectName(QStringLiteral("settingsClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &SettingsWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    content->addLayout(buttons);
    layout->addLayout(content, 1);

    m_appearance = new AppearancePage(store, dialogs);
    m_company = new CompanyPage(store, dialogs);
    m_security = new SecurityPage(store, dialogs);
    m_backup = new BackupPage(store, dialogs);
    m_sidebar = new SidebarPage(store, dialogs);
    addPage(SettingsPage::appearance, m_appearance);
    addPage(SettingsPage::company, m_company);
    addPage(SettingsPage::security, m_security);
    addPage(SettingsPage::backup, m_backup);
    addPage(SettingsPage::sidebar, m_sidebar);
    for (SettingsPanel* page : std::initializer_list<SettingsPanel*>{
             m_appearance, m_company, m_security, m_backup, m_sidebar})
        connect(page, &SettingsPanel::saveRescueRequested, this,
                &SettingsWindow::saveRescueRequested);

    connect(m_pages, &QListWidget::currentRowChanged, this, &SettingsWindow::turnTo);
    followSelection(*m_pages);
    m_pages->setCurrentRow(0);
}

void SettingsWindow::addPage(SettingsPage page, SettingsPanel* widget) {
    auto* item =
        new QListWidgetItem(symbolIcon(settingspages::symbol(page)), settingspages::title(page));
    item->setSizeHint(QSize(0, 36));
    item->setData(Qt::UserRole, int(page));
    m_pages->addItem(item);

    // Long pages scroll; the list of pages stays in place.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(widget->metaObject()->className() + QStringLiteral("Scroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(widget);
    m_stack->addWidget(scroll);
}

void SettingsWindow::showPage(SettingsPage page) {
    m_pages->setCurrentRow(int(settingspages::all().indexOf(page)));
}

SettingsPage SettingsWindow::currentPage() const {
    return settingspages::all().value(m_pages->currentRow(), SettingsPage::appearance);
}

SettingsPanel* SettingsWindow::panel(int index) const {
    auto* scroll = qobject_cast<QScrollArea*>(m_stack->widget(index));
    return scroll ? qobject_cast<SettingsPanel*>(scroll->widget()) : nullptr;
}

// A refused field keeps its page on screen until it is fixed.
void SettingsWindow::turnTo(int index) {
    const int shown = m_stack->currentIndex();
    if (index == shown)
        return;
    if (SettingsPanel* leaving = panel(shown)) {
        if (QWidget* refused = leaving->settle()) {
            const QSignalBlocker block(m_pages);
            m_pages->setCurrentRow(shown);
            leaving->showRefused(refused);
            return;
        }
    }
    m_stack->setCurrentIndex(index);
}

bool SettingsWindow::settle() {
    // The page shown first: its field is the one being typed in.
    QList<int> order{m_stack->currentIndex()};
    for (int index = 0; index < m_stack->count(); ++index)
        if (index != m_stack->currentIndex())
            order << index;
    for (int index : std::as_const(order)) {
        SettingsPanel* page = panel(index);
        if (QWidget* refused = page ? page->settle() : nullptr) {
            {
                const QSignalBlocker block(m_pages);
                m_pages->setCurrentRow(index);
            }
            m_stack->setCurrentIndex(index);
            page->showRefused(refused);
            return false;
        }
    }
    return true;
}

void SettingsWindow::discardAndClose() {
    for (int index = 0; index < m_stack->count(); ++index)
        if (SettingsPanel* page = panel(index))
            page->discard();
    m_discarding = true;
    close();
    m_discarding = false;
}

void SettingsWindow::reject() {
    // Escape and the window's close button leave nothing typed behind.
    if (!m_discarding && isVisible() && !settle())
        return;
    QDialog::reject();
}

void SettingsWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // The symbols take the text colour of the appearance in use.
    if (event->type() == QEvent::PaletteChange)
        refreshIcons();
}

void SettingsWindow::refreshIcons() {
    if (m_sidebar)
        m_sidebar->refreshIcons();
}

} // namespace velmora::gui
