#include "gui/accounting/AccountingPage.h"

#include "gui/common/Theme.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::gui {

AccountingPage::AccountingPage(QWidget* parent) : SectionPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 18, 16, 12);
    layout->setSpacing(10);
    m_title = theme::label(QString(), "section", this);
    m_title->setObjectName(QStringLiteral("sectionTitle"));
    layout->addWidget(m_title);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("accountingTabs"));
    m_tabs->setDocumentMode(true);
    layout->addWidget(m_tabs, 1);
    connect(m_tabs, &QTabWidget::currentChanged, this, &SectionPage::commandsChanged);
}

void AccountingPage::addTab(QWidget* tab, const QString& title) {
    m_tabs->addTab(tab, title);
    if (auto* page = qobject_cast<SectionPage*>(tab)) {
        connect(page, &SectionPage::commandsChanged, this, [this, page] {
            if (currentTab() == page)
                emit commandsChanged();
        });
        connect(page, &SectionPage::openRequested, this, &SectionPage::openRequested);
    }
}

SectionPage* AccountingPage::currentTab() const {
    return qobject_cast<SectionPage*>(m_tabs->currentWidget());
}

QList<QAction*> AccountingPage::commands() const {
    const SectionPage* tab = currentTab();
    return tab ? tab->commands() : QList<QAction*>();
}

void AccountingPage::showEntry(const SidebarMenuItemConfig& entry) {
    m_title->setText(entry.displayName);
}

} // namespace velmora::gui
