#include "gui/stock/StockItemFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/PictureField.h"
#include "gui/common/SectionServices.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"
#include "gui/stock/StockFormFields.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velmora::gui {

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

    addBlock(new CharacteristicsEditor(m_form.fields.characteristics,
                                       QStringLiteral("stockAddCharacteristic"), this));
    resize(600, 700);
}

void StockItemFormSheet::addClassification() {
    StockItem& fields = m_form.fields;
    for (const ClassificationRow& row : classificationRows(
             QStringLiteral("stock"), m_services.store,
             {fields.categoryIDs, fields.subCategoryIDs, fields.tagIDs, fields.subTagIDs},
             m_form.kind() == StockItemForm::Kind::stock, this))
        addRow(row.label, row.field);
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
