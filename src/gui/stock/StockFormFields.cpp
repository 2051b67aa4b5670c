#include "gui/stock/StockFormFields.h"

#include "core/store/AppDataStore.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

template <class Record> QList<ChoiceMenuButton::Choice> choicesOf(const QList<Record>& records) {
    QList<ChoiceMenuButton::Choice> choices;
    for (const Record& record : records)
        choices.append({record.id, record.name});
    return choices;
}

// A menu of one level of the classification whose choices land in `ids`.
ChoiceMenuButton* classificationMenu(const QString& label, const QString& name,
                                     const QList<ChoiceMenuButton::Choice>& choices,
                                     QList<QUuid>& ids, QWidget* parent) {
    auto* menu = new ChoiceMenuButton(label, false, parent);
    menu->setObjectName(name);
    menu->showNamesOnly(QStringLiteral("Aucun choix"));
    menu->setChoices(choices);
    menu->setChecked(ids);
    QObject::connect(menu, &ChoiceMenuButton::changed, parent,
                     [menu, &ids] { ids = menu->checked(); });
    return menu;
}

} // namespace

QList<ClassificationRow> classificationRows(const QString& prefix, AppDataStore& store,
                                            ClassificationIds ids, bool withSubLevels,
                                            QWidget* parent) {
    const StockSettings& labels = store.stockSettings();
    QList<ClassificationRow> rows;
    rows.append({labels.labelCategories,
                 classificationMenu(labels.labelCategories, prefix + QStringLiteral("Categories"),
                                    choicesOf(store.stockCategories()), ids.categoryIDs, parent)});
    if (withSubLevels)
        rows.append({labels.labelSubCategories,
                     classificationMenu(
                         labels.labelSubCategories, prefix + QStringLiteral("SubCategories"),
                         choicesOf(store.stockSubCategories()), ids.subCategoryIDs, parent)});
    QList<QUuid>& tagIDs = ids.tagIDs;
    rows.append({labels.labelTags, tagPicker(
                                       prefix + QStringLiteral("Tags"), store,
                                       &AppDatabase::stockTags, &SessionEdit::stockTags, tagIDs,
                                       [&tagIDs](const QUuid& id, bool on) {
                                           if (!on)
                                               tagIDs.removeAll(id);
                                           else if (!tagIDs.contains(id))
                                               tagIDs.append(id);
                                       },
                                       parent)});
    if (withSubLevels)
        rows.append({labels.labelSubTags,
                     classificationMenu(labels.labelSubTags, prefix + QStringLiteral("SubTags"),
                                        choicesOf(store.stockSubTags()), ids.subTagIDs, parent)});
    return rows;
}

CharacteristicsEditor::CharacteristicsEditor(QList<StockCharacteristic>& characteristics,
                                             const QString& addName, QWidget* parent)
    : QWidget(parent), m_characteristics(characteristics) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    auto* header = new QHBoxLayout;
    header->addWidget(theme::label(QStringLiteral("Caractéristiques"), "section"), 1);
    auto* add = new QPushButton(symbolIcon(QStringLiteral("plus")),
                                QStringLiteral("Ajouter une caractéristique"), this);
    add->setObjectName(addName);
    connect(add, &QPushButton::clicked, this, [this] {
        StockCharacteristic added;
        added.id = QUuid::createUuid();
        m_characteristics.append(added);
        rebuild();
    });
    header->addWidget(add);
    layout->addLayout(header);
    m_rows = new QVBoxLayout;
    layout->addLayout(m_rows);
    rebuild();
}

void CharacteristicsEditor::rebuild() {
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const StockCharacteristic& characteristic : std::as_const(m_characteristics)) {
        auto* row = new QWidget(this);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        const QUuid id = characteristic.id;
        const auto field = [&](const QString& hint, const QString& text,
                               QString StockCharacteristic::*member) {
            auto* edit = new QLineEdit(text, row);
            edit->setPlaceholderText(hint);
            edit->setAccessibleName(hint);
            edit->setObjectName(QStringLiteral("characteristic_") + hint);
            connect(edit, &QLineEdit::textEdited, this, [this, id, member](const QString& typed) {
                for (StockCharacteristic& c : m_characteristics)
                    if (c.id == id)
                        c.*member = typed;
            });
            layout->addWidget(edit, 1);
        };
        field(QStringLiteral("Caractéristique"), characteristic.label, &StockCharacteristic::label);
        field(QStringLiteral("Valeur"), characteristic.value, &StockCharacteristic::value);
        auto* remove = new QToolButton(row);
        remove->setIcon(symbolIcon(QStringLiteral("trash")));
        remove->setToolTip(QStringLiteral("Retirer cette caractéristique"));
        remove->setAccessibleName(remove->toolTip());
        remove->setAutoRaise(true);
        connect(remove, &QToolButton::clicked, this, [this, id] {
            m_characteristics.removeIf([&](const StockCharacteristic& c) { return c.id == id; });
            // Later: the row that holds this button goes away.
            QMetaObject::invokeMethod(this, &CharacteristicsEditor::rebuild, Qt::QueuedConnection);
        });
        layout->addWidget(remove);
        m_rows->addWidget(row);
        row->show();
    }
}

} // namespace velmora::gui
