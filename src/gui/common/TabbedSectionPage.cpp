#include "gui/common/TabbedSectionPage.h"

#include "gui/common/Theme.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora::gui {

TabbedSectionPage::TabbedSectionPage(const QString& tabsName, QWidget* parent)
    : SectionPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 18, 16, 12);
    layout->setSpacing(10);
    m_title = theme::label(QString(), "section", this);
    m_title->setObjectName(QStringLiteral("sectionTitle"));
    layout->addWidget(m_title);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(tabsName);
    m_tabs->setDocumentMode(true);
    layout->addWidget(m_tabs, 1);
    connect(m_tabs, &QTabWidget::currentChanged, this, &SectionPage::commandsChanged);
}

void TabbedSectionPage::addTab(QWidget* tab, const QString& title) {
    m_tabs->addTab(tab, title);
    if (auto* page = qobject_cast<SectionPage*>(tab)) {
        connect(page, &SectionPage::commandsChanged, this, [this, page] {
            if (currentTab() == page)
                emit commandsChanged();
        });
        connect(page, &SectionPage::openRequested, this, &SectionPage::openRequested);
    }
}

void TabbedSectionPage::reveal(const QUuid& id) {
    for (int index = 0; index < m_tabs->count(); ++index) {
        auto* page = qobject_cast<SectionPage*>(m_tabs->widget(index));
        if (page && page->holds(id)) {
            m_tabs->setCurrentIndex(index);
            page->reveal(id);
            return;
        }
    }
}

bool TabbedSectionPage::holds(const QUuid& id) const {
    for (int index = 0; index < m_tabs->count(); ++index) {
        const auto* page = qobject_cast<const SectionPage*>(m_tabs->widget(index));
        if (page && page->holds(id))
            return true;
    }
    return false;
}

SectionPage* TabbedSectionPage::currentTab() const {
    return qobject_cast<SectionPage*>(m_tabs->currentWidget());
}

QList<QAction*> TabbedSectionPage::commands() const {
    const SectionPage* tab = currentTab();
    return tab ? tab->commands() : QList<QAction*>();
}

void TabbedSectionPage::showEntry(const SidebarMenuItemConfig& entry) {
    m_title->setText(entry.displayName);
}

} // namespace velmora::gui
