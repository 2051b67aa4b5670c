#include "gui/stock/StockItemFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/ChoiceMenuButton.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/SectionServices.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QFile>
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
    menu->setChoices(choices);
    menu->setChecked(ids);
    QObject::connect(menu, &ChoiceMenuButton::changed, parent,
                     [menu, &ids] { ids = menu->checked(); });
    return menu;
}

} // namespace

QPixmap stockItemPicture(const std::optional<QUrl>& photo, const std::optional<QString>& icon,
                         int size) {
    if (photo) {
        QFile file(photo->toLocalFile());
        if (file.open(QIODevice::ReadOnly))
            if (const QPixmap picture = photoPicture(file.readAll(), size); !picture.isNull())
                return picture;
    }
    return symbolPixmap(icon.value_or(QStringLiteral("shippingbox.fill")), size, theme::accent());
}

StockItemFormSheet::StockItemFormSheet(const SectionServices& services, StockItemForm model,
                                       QWidget* parent)
    : FormSheet(QStringLiteral("stockForm"), model.sheetTitle(), parent), m_services(services),
      m_form(std::move(model)), m_photoChoice(m_form.fields.photoURL) {
    setAttribute(Qt::WA_DeleteOnClose);
    const StockItem& fields = m_form.fields;

    auto* title = new QLineEdit(fields.title, this);
    title->setObjectName(QStringLiteral("stockTitle"));
    connect(title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.title = text; });
    addRow(QStringLiteral("Nom"), title);

    auto* photoRow = new QHBoxLayout;
    m_photo = new QLabel(this);
    photoRow->addWidget(m_photo);
    auto* choose = new QPushButton(QStringLiteral("Choisir une photo…"), this);
    choose->setObjectName(QStringLiteral("stockPhotoChoose"));
    connect(choose, &QPushButton::clicked, this, &StockItemFormSheet::choosePhoto);
    photoRow->addWidget(choose);
    m_removePhoto = new QPushButton(QStringLiteral("Retirer"), this);
    m_removePhoto->setObjectName(QStringLiteral("stockPhotoRemove"));
    m_removePhoto->setAccessibleName(QStringLiteral("Retirer la photo"));
    connect(m_removePhoto, &QPushButton::clicked, this, [this] {
        m_photoChoice.clear();
        m_form.fields.photoURL.reset();
        showPhoto();
    });
    photoRow->addWidget(m_removePhoto);
    photoRow->addStretch();
    addRow(QStringLiteral("Photo"), photoRow, choose);

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
    showPhoto();
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

void StockItemFormSheet::showPhoto() {
    m_photo->setPixmap(stockItemPicture(m_form.fields.photoURL, m_form.fields.iconName, 44));
    m_removePhoto->setVisible(m_form.fields.photoURL.has_value());
}

void StockItemFormSheet::choosePhoto() {
    FilePanel panel;
    panel.title = QStringLiteral("Choisir une photo");
    panel.prompt = QStringLiteral("Choisir");
    panel.extension = QStringLiteral("png jpg jpeg webp heic");
    const std::optional<QUrl> chosen = m_services.dialogs.choose(this, panel);
    if (!chosen)
        return;
    m_photoChoice.choose(*chosen);
    m_form.fields.photoURL = *chosen;
    showPhoto();
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
    const Result<> outcome = m_services.store.edit([&](SessionEdit& edit) -> Result<> {
        const Result<std::optional<QUrl>> photo = m_photoChoice.settle(
            edit, QStringLiteral("stock"),
            QStringLiteral("La photo « %1 » n’a pas pu être copiée dans la session."));
        if (!photo)
            return photo;
        m_form.fields.photoURL = photo.value();
        return m_form.apply(edit);
    });
    if (!outcome.ok())
        m_form.fields.photoURL = m_photoChoice.shown();
    if (!applied(outcome))
        return false;
    m_photoChoice.saved(m_form.fields.photoURL);
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
