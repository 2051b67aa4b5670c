#include "core/app/SidebarMenuEditor.h"

#include "core/app/SidebarMenu.h"
#include "core/store/SessionEdit.h"

#include <algorithm>

namespace velmora {

void SidebarMenuEditor::load(const AppPreferences& preferences) {
    m_items = effectiveSidebarItems(preferences);
    m_loaded = m_items;
    // The dashboard a session lacks counts as a change, so the next save
    // writes it; the other sections it lacks are only shown.
    const QList<SidebarMenuItemConfig>& stored = preferences.sidebarMenuItems;
    if (!stored.isEmpty() &&
        std::none_of(stored.begin(), stored.end(), [](const SidebarMenuItemConfig& item) {
            return item.defaultKey == dashboardKey();
        }))
        m_loaded.removeIf(
            [](const SidebarMenuItemConfig& item) { return item.defaultKey == dashboardKey(); });
    for (SidebarMenuItemConfig& item : m_items)
        if (item.defaultKey == dashboardKey())
            item.isEnabled = true;
}

bool SidebarMenuEditor::isDashboard(qsizetype row) const {
    return row >= 0 && row < count() && m_items[row].defaultKey == dashboardKey();
}

bool SidebarMenuEditor::moveUp(qsizetype row) {
    return canMoveUp(row) && move(row, row - 1);
}

bool SidebarMenuEditor::moveDown(qsizetype row) {
    return canMoveDown(row) && move(row, row + 1);
}

bool SidebarMenuEditor::move(qsizetype from, qsizetype to) {
    if (from < 0 || from >= count() || to < 0 || to >= count())
        return false;
    m_items.move(from, to);
    return true;
}

QString SidebarMenuEditor::setName(qsizetype row, const QString& name) {
    if (row < 0 || row >= count())
        return {};
    m_items[row].displayName = name;
    return name.trimmed().isEmpty() ? emptyNameMessage() : QString();
}

QString SidebarMenuEditor::setEnabled(qsizetype row, bool enabled) {
    if (row < 0 || row >= count())
        return {};
    if (!enabled && isDashboard(row))
        return dashboardRequiredMessage();
    m_items[row].isEnabled = enabled;
    return {};
}

void SidebarMenuEditor::resetToDefaults() {
    QList<SidebarMenuItemConfig> defaults = SidebarMenuItemConfig::defaults();
    for (SidebarMenuItemConfig& item : defaults) {
        for (const SidebarMenuItemConfig& current : std::as_const(m_items)) {
            if (current.defaultKey == item.defaultKey) {
                item.id = current.id;
                break;
            }
        }
    }
    m_items = defaults;
}

QList<SidebarMenuItemConfig> SidebarMenuEditor::cleaned() const {
    QList<SidebarMenuItemConfig> items = m_items;
    for (SidebarMenuItemConfig& item : items)
        item.displayName = item.displayName.trimmed();
    return items;
}

bool SidebarMenuEditor::hasChanges() const {
    return cleaned() != m_loaded;
}

QString SidebarMenuEditor::validate(qsizetype* row) const {
    if (row)
        *row = -1;
    for (qsizetype i = 0; i < count(); ++i) {
        QString message;
        if (m_items[i].displayName.trimmed().isEmpty())
            message = emptyNameMessage();
        else if (isDashboard(i) && !m_items[i].isEnabled)
            message = dashboardRequiredMessage();
        if (!message.isEmpty()) {
            if (row)
                *row = i;
            return message;
        }
    }
    return {};
}

Result<> SidebarMenuEditor::apply(SessionEdit& edit) {
    if (const QString message = validate(); !message.isEmpty())
        return Result<>::invalid(message);
    edit.preferences().sidebarMenuItems = cleaned();
    edit.whenSaved([this, preferences = edit.session().preferences] { load(preferences); });
    return Result<>();
}

} // namespace velmora
