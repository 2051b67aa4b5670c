#include "gui/stock/StockItemFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/PictureField.h"
#include "gui/common/SectionServices.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

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

QPixmap stockItemPicture(const std::optional<QByteArray>& photo, const std::optional<QString>& icon,
                         int size) {
    if (photo)
        if (const QPixmap picture = photoPicture(*photo, size); !picture.isNull())
            return picture;
    return symbolPixmap(icon.value_or(QStringLiteral("shippingbox.fill")), size, theme::accent());
}

StockItemFormSheet::StockItemFormSheet(const SectionServices& services, StockItemForm model,
                                       QWidget* parent)
    : FormSheet(QStringLiteral("stockForm"), model.sheetTitle(), parent), m_services(services),
      m_form(std::move(model)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const StockItem& fields = m_form.fields;

    auto* title = new QLineEdit(fields.title, this);
    title->setObjectName(QStringLiteral("stockTitle"));
    connect(title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.title = text; });
    addRow(QStringLiteral("Nom"), title);

    m_photo = new PictureField(
        services.dialogs, m_form.fields.photoURL,
        {QStringLiteral("stockPhoto"), QStringLiteral("Choisir une photo…"),
         QStringLiteral("Choisir une photo"), QStringLiteral("Retirer la photo"),
         QStringLiteral("stock"),
         QStringLiteral("La photo « %1 » n’a pas pu être copiée dans la session.")},
        [this](const std::optional<QByteArray>& bytes) {
            return stockItemPicture(bytes, m_form.fields.iconName, 44);
        },
        this);
    addRow(QStringLiteral("Photo"), m_photo, m_photo->chooseButton());

    m_quantity = new QLineEdit(m_form.quantityText, this);
    m_quantity->setObjectName(QStringLiteral("stockQuantity"));
    m_quantity->setPlaceholderText(QStringLiteral("Non suivie"));
    m_quantityError = settingslayout::errorLabel(QStringLiteral("stockQuantityError"));
    connect(m_quantity, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.quantityText = text;
        const QString error = m_form.quantityError();
        markRefused(m_quantity, !error.isEmpty());
        settingslayout::setMessage(m_quantityError, error);
    });
    addRow(m_form.kind() == StockItemForm::Kind::wishlist ? QStringLiteral("Quantité à acheter")
                                                          : QStringLiteral("Quantité"),
           settingslayout::withError(m_quantity, m_quantityError), m_quantity);

    addClassification();

    auto* order = new QLineEdit(fields.orderURL, this);
    order->setObjectName(QStringLiteral("stockOrderURL"));
    order->setPlaceholderText(QStringLiteral("https://"));
    connect(order, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.orderURL = text; });
    addRow(QStringLiteral("Adresse de commande"), order);

    auto* notes = textBox(fields.notes, QStringLiteral("stockNotes"), this);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.fields.notes = notes->toPlainText(); });
    addRow(QStringLiteral("Notes"), notes);

    auto* block = new QWidget(this);
    auto* blockLayout = new QVBoxLayout(block);
    blockLayout->setContentsMargins(0, 8, 0, 0);
    auto* header = new QHBoxLayout;
    header->addWidget(theme::label(QStringLiteral("Caractéristiques"), "section"), 1);
    auto* add = new QPushButton(symbolIcon(QStringLiteral("plus")),
                                QStringLiteral("Ajouter une caractéristique"), this);
    add->setObjectName(QStringLiteral("stockAddCharacteristic"));
    connect(add, &QPushButton::clicked, this, [this] {
        m_form.addCharacteristic();
        rebuildCharacteristics();
    });
    header->addWidget(add);
    blockLayout->addLayout(header);
    m_characteristics = new QVBoxLayout;
    blockLayout->addLayout(m_characteristics);
    addBlock(block);

    rebuildCharacteristics();
    resize(600, 700);
}

void StockItemFormSheet::addClassification() {
    const AppDataStore& store = m_services.store;
    const StockSettings& labels = store.stockSettings();
    StockItem& fields = m_form.fields;
    addRow(labels.labelCategories,
           classificationMenu(labels.labelCategories, QStringLiteral("stockCategories"),
                              choicesOf(store.stockCategories()), fields.categoryIDs, this));
    const bool stock = m_form.kind() == StockItemForm::Kind::stock;
    if (stock)
        addRow(labels.labelSubCategories,
               classificationMenu(labels.labelSubCategories, QStringLiteral("stockSubCategories"),
                                  choicesOf(store.stockSubCategories()), fields.subCategoryIDs,
                                  this));
    TagChips* tags = tagPicker(
        QStringLiteral("stockTags"), m_services.store, &AppDatabase::stockTags,
        &SessionEdit::stockTags, fields.tagIDs,
        [this](const QUuid& id, bool on) {
            if (!on)
                m_form.fields.tagIDs.removeAll(id);
            else if (!m_form.fields.tagIDs.contains(id))
                m_form.fields.tagIDs.append(id);
        },
        this);
    addRow(labels.labelTags, tags);
    if (stock)
        addRow(labels.labelSubTags,
               classificationMenu(labels.labelSubTags, QStringLiteral("stockSubTags"),
                                  choicesOf(store.stockSubTags()), fields.subTagIDs, this));
}

void StockItemFormSheet::rebuildCharacteristics() {
    while (QLayoutItem* item = m_characteristics->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const StockCharacteristic& characteristic : std::as_const(m_form.fields.characteristics)) {
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
                for (StockCharacteristic& c : m_form.fields.characteristics)
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
            m_form.removeCharacteristic(id);
            // Later: the row that holds this button goes away.
            QMetaObject::invokeMethod(this, &StockItemFormSheet::rebuildCharacteristics,
                                      Qt::QueuedConnection);
        });
        layout->addWidget(remove);
        m_characteristics->addWidget(row);
        row->show();
    }
}

bool StockItemFormSheet::save() {
    if (const QString error = m_form.quantityError(); !error.isEmpty()) {
        refuseField(m_quantity, error);
        return false;
    }
    if (!applied(
            m_photo->save(m_services.store, [&](SessionEdit& edit) { return m_form.apply(edit); })))
        return false;
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
