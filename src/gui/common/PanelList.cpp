#include "gui/common/PanelList.h"

#include <QListView>

namespace velmora::gui {

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

} // namespace velmora::gui
