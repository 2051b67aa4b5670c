#pragma once

#include "gui/main/SectionPage.h"

class QLabel;
class QTabWidget;

namespace velmora::gui {

// A section made of tabs ("Comptabilité", "Stock"): the section's title over
// its tabs, each its own widget. A tab that is a SectionPage takes the
// "Fichier" commands while it is shown and its links reach the window.
class TabbedSectionPage : public SectionPage {
    Q_OBJECT

public:
    // `tabsName` names the tab bar's widget.
    explicit TabbedSectionPage(const QString& tabsName, QWidget* parent = nullptr);

    void addTab(QWidget* tab, const QString& title);
    QTabWidget* tabs() const { return m_tabs; }

    // Those of the tab shown.
    QList<QAction*> commands() const override;
    void showEntry(const SidebarMenuItemConfig& entry) override;
    // Brings forward the tab that holds the record, then shows it there.
    void reveal(const QUuid& id) override;
    bool holds(const QUuid& id) const override;

private:
    SectionPage* currentTab() const;

    QLabel* m_title = nullptr;
    QTabWidget* m_tabs = nullptr;
};

} // namespace velmora::gui
