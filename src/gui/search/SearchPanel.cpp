#include "gui/search/SearchPanel.h"

#include "core/search/SpotlightTexts.h"
#include "gui/common/Icons.h"
#include "gui/search/SpotlightIndexService.h"
#include "gui/search/SpotlightPanel.h"

#include <QToolButton>

namespace velmora::gui {

SessionService* spotlightIndexService(const SectionServices& services, QObject* parent) {
    return new SpotlightIndexService(services, parent);
}

SearchTool searchTool(const SectionServices& services, QWidget& window) {
    SpotlightIndexService* index = sessionService<SpotlightIndexService>(services);
    if (!index)
        return {};
    auto* button = new QToolButton(&window);
    button->setObjectName(QStringLiteral("spotlightButton"));
    button->setAutoRaise(true);
    button->setIcon(symbolIcon(QStringLiteral("magnifyingglass")));
    button->setIconSize(QSize(20, 20));
    button->setFocusPolicy(Qt::StrongFocus);
    auto* panel = new SpotlightPanel(*index, services.open, window, *button);
    // The button says what a click does now.
    const auto name = [button](bool shown) {
        const QString text = shown ? SpotlightTexts::closeLabel() : SpotlightTexts::openLabel();
        button->setAccessibleName(text);
        button->setToolTip(text + QStringLiteral(" (Ctrl+F)"));
    };
    name(false);
    QObject::connect(panel, &SpotlightPanel::shownChanged, button, name);
    QObject::connect(button, &QToolButton::clicked, panel, &SpotlightPanel::toggle);
    return {button, [panel] { panel->open(); }};
}

} // namespace velmora::gui
