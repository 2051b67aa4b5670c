#include "gui/main/SectionPage.h"

#include <QAction>

namespace velmora::gui {

namespace {

const char* const commandProperty = "velmoraSectionCommand";

} // namespace

QList<QAction*> SectionPage::commands() const {
    QList<QAction*> actions;
    for (const Offered& offered : m_offered)
        actions << offered.action;
    return actions;
}

QAction* SectionPage::command(SectionCommand which) const {
    for (QAction* action : commands())
        if (standsBehind(*action) == which)
            return action;
    return nullptr;
}

std::optional<SectionCommand> SectionPage::standsBehind(const QAction& action) {
    const QVariant which = action.property(commandProperty);
    if (!which.isValid())
        return std::nullopt;
    return SectionCommand(which.toInt());
}

QAction* SectionPage::addCommand(SectionCommand which, std::function<bool()> enabled,
                                 std::function<void()> run) {
    auto* action = new QAction(this);
    action->setProperty(commandProperty, int(which));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [enabled, run] {
        if (enabled())
            run();
    });
    m_offered.append(Offered{action, std::move(enabled)});
    emit commandsChanged();
    return action;
}

void SectionPage::addCommand(QAction* action) {
    m_offered.append(Offered{action, {}});
    emit commandsChanged();
}

void SectionPage::refreshCommands() {
    for (const Offered& offered : std::as_const(m_offered))
        if (offered.enabled)
            offered.action->setEnabled(offered.enabled());
    emit commandsChanged();
}

} // namespace velmora::gui
