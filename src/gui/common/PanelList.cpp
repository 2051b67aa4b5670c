#include "gui/common/PanelList.h"

#include "gui/common/Theme.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QListView>

namespace velmora::gui {

namespace {

constexpr char kOverlayProperty[] = "velmoraOverlayPanel";

} // namespace

QListView* panelList(const QString& name, const QString& accessibleName, QAbstractItemModel* model,
                     QAbstractItemDelegate* delegate, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setModel(model);
    delegate->setParent(list);
    list->setItemDelegate(delegate);
    list->setMouseTracking(true);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return list;
}

void makeOverlayPanel(QFrame& panel) {
    theme::setRole(&panel, "card");
    auto* shadow = new QGraphicsDropShadowEffect(&panel);
    shadow->setBlurRadius(26);
    shadow->setOffset(0, 5);
    shadow->setColor(QColor(0, 0, 0, 85));
    panel.setGraphicsEffect(shadow);
    panel.setProperty(kOverlayProperty, true);
}

void raiseOverlayPanels(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && child->property(kOverlayProperty).toBool())
            child->raise();
}

} // namespace velmora::gui
