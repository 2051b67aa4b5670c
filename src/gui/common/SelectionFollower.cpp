#include "gui/common/SelectionFollower.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace velmora::gui {

void followSelection(QAbstractItemView& view) {
    QItemSelectionModel* selection = view.selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, &view,
                     [selection](const QItemSelection& selected) {
                         if (selected.indexes().isEmpty())
                             return;
                         const QModelIndex index = selected.indexes().first();
                         if (index != selection->currentIndex())
                             selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
                     });
}

} // namespace velmora::gui
