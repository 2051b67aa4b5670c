#pragma once

#include "core/model/StockRecords.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <QWidget>

class QVBoxLayout;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

// One level of the stock's classification as a row of a form.
struct ClassificationRow {
    QString label;
    QWidget* field = nullptr;
};

// The record's id lists that the classification rows write.
struct ClassificationIds {
    QList<QUuid>& categoryIDs;
    QList<QUuid>& subCategoryIDs;
    QList<QUuid>& tagIDs;
    QList<QUuid>& subTagIDs;
};

// The classification under the names the settings give it: categories,
// sub-categories, tags (a new one can be made from the chips) and sub-tags,
// the sub-levels only when asked. The fields are named `prefix` +
// "Categories", "SubCategories", "Tags", "SubTags"; the lists must outlive
// `parent`.
QList<ClassificationRow> classificationRows(const QString& prefix, AppDataStore& store,
                                            ClassificationIds ids, bool withSubLevels,
                                            QWidget* parent);

// The "Caractéristiques" block of a form: a label and a value per row, a
// button to add one, a button per row to take it out; edits land in
// `characteristics`, which must outlive the editor.
class CharacteristicsEditor : public QWidget {
    Q_OBJECT

public:
    CharacteristicsEditor(QList<StockCharacteristic>& characteristics, const QString& addName,
                          QWidget* parent);

private:
    void rebuild();

    QList<StockCharacteristic>& m_characteristics;
    QVBoxLayout* m_rows = nullptr;
};

} // namespace velmora::gui
