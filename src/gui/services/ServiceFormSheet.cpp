#include "gui/services/ServiceFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

QString sheetTitle(const ServiceForm& form) {
    return form.isNew() ? QStringLiteral("Nouvelle prestation")
                        : QStringLiteral("Modifier la prestation");
}

} // namespace

QStringList serviceIconNames() {
    return {QStringLiteral("briefcase.fill"), QStringLiteral("wrench.and.screwdriver"),
            QStringLiteral("doc.text"),       QStringLiteral("photo"),
            QStringLiteral("sparkles"),       QStringLiteral("shippingbox"),
            QStringLiteral("calendar"),       QStringLiteral("person.2")};
}

ServiceFormSheet::ServiceFormSheet(AppDataStore& store, ServiceForm model, QWidget* parent)
    : FormSheet(QStringLiteral("serviceForm"), sheetTitle(model), parent), m_store(store),
      m_form(std::move(model)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const ServiceItem& fields = m_form.fields;

    auto* title = new QLineEdit(fields.title, this);
    title->setObjectName(QStringLiteral("serviceTitle"));
    connect(title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.title = text; });
    addRow(QStringLiteral("Titre"), title);

    auto* description = textBox(fields.description, QStringLiteral("serviceDescription"), this);
    connect(description, &QPlainTextEdit::textChanged, this,
            [this, description] { m_form.fields.description = description->toPlainText(); });
    addRow(QStringLiteral("Description"), description);

    auto* price = new QLineEdit(fields.priceTTC, this);
    price->setObjectName(QStringLiteral("servicePrice"));
    watchAmount(price);
    price->setPlaceholderText(QStringLiteral("ex. 450,00"));
    m_priceWarning = settingslayout::errorLabel(QStringLiteral("servicePriceWarning"));
    settingslayout::setMessage(m_priceWarning, m_form.priceWarning());
    connect(price, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.fields.priceTTC = text;
        settingslayout::setMessage(m_priceWarning, m_form.priceWarning());
    });
    addRow(QStringLiteral("Prix TTC"), settingslayout::withError(price, m_priceWarning), price);

    auto* type = new QComboBox(this);
    type->setObjectName(QStringLiteral("serviceType"));
    for (ServicePrestationType t : {ServicePrestationType::ventesMarchandises,
                                    ServicePrestationType::prestationsCommercialesBIC,
                                    ServicePrestationType::prestationsLiberalesBNC})
        type->addItem(ServiceForm::typeName(t), int(t));
    type->setCurrentIndex(type->findData(int(fields.prestationType)));
    type->setAccessibleName(ServiceForm::prestationTypeLabel());
    connect(type, &QComboBox::currentIndexChanged, this, [this, type](int index) {
        m_form.fields.prestationType = ServicePrestationType(type->itemData(index).toInt());
    });
    auto* typeCell = new QWidget(this);
    auto* typeLayout = new QVBoxLayout(typeCell);
    typeLayout->setContentsMargins(0, 0, 0, 0);
    typeLayout->setSpacing(4);
    typeLayout->addWidget(type);
    typeLayout->addWidget(theme::label(ServiceForm::prestationTypeHint(), "hint", typeCell));
    addRow(ServiceForm::prestationTypeLabel(), typeCell, type);

    auto* icon = new QComboBox(this);
    icon->setObjectName(QStringLiteral("serviceIcon"));
    icon->addItem(QStringLiteral("Aucune"));
    for (const QString& name : serviceIconNames())
        icon->addItem(symbolIcon(name), QString(), name);
    icon->setCurrentIndex(qMax(0, icon->findData(fields.iconName.value_or(QString()))));
    icon->setAccessibleName(QStringLiteral("Icône"));
    connect(icon, &QComboBox::currentIndexChanged, this, [this, icon](int index) {
        const QString name = icon->itemData(index).toString();
        m_form.fields.iconName = name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    });
    addRow(QStringLiteral("Icône"), icon);

    TagChips* tags = tagPicker(
        QStringLiteral("serviceTags"), store, &AppDatabase::serviceTags, &SessionEdit::serviceTags,
        fields.tagIDs, [this](const QUuid& id, bool on) { m_form.setTag(id, on); }, this);
    addRow(QStringLiteral("Étiquettes"), tags);

    auto* notes = textBox(fields.notes, QStringLiteral("serviceNotes"), this);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.fields.notes = notes->toPlainText(); });
    addRow(QStringLiteral("Notes"), notes);
    resize(600, 640);
}

bool ServiceFormSheet::save() {
    if (!applied(m_store.edit([&](SessionEdit& edit) { return m_form.apply(edit); })))
        return false;
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
