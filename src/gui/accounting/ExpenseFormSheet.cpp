#include "gui/accounting/ExpenseFormSheet.h"

#include "core/accounting/SubscriptionForm.h"
#include "core/store/AppDataStore.h"
#include "core/text/MoneyFormat.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/SectionServices.h"
#include "gui/common/SettingsLayout.h"
#include "gui/stock/StockFormFields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>

namespace velmora::gui {

using namespace Qt::StringLiterals;

ExpenseFormSheet::ExpenseFormSheet(const SectionServices& services, ExpenseForm model,
                                   QWidget* parent)
    : FormSheet(u"expenseForm"_s, model.sheetTitle(), parent), m_services(services),
      m_form(std::move(model)) {
    setAttribute(Qt::WA_DeleteOnClose);
    AppDataStore& store = services.store;

    // The product: one of the stock, or a name typed freely.
    auto* targets = new QHBoxLayout;
    m_fromStock = new QRadioButton(u"Produit du stock"_s, this);
    m_fromStock->setObjectName(u"expenseTargetStock"_s);
    auto* custom = new QRadioButton(u"Autre produit"_s, this);
    custom->setObjectName(u"expenseTargetCustom"_s);
    auto* group = new QButtonGroup(this);
    group->addButton(m_fromStock);
    group->addButton(custom);
    targets->addWidget(m_fromStock);
    targets->addWidget(custom);
    targets->addStretch();
    addRow(u"Produit"_s, targets, m_fromStock);

    m_stock = new QComboBox(this);
    m_stock->setObjectName(u"expenseStockItem"_s);
    m_stock->setPlaceholderText(u"Article introuvable"_s);
    QList<StockItem> stock = store.stockItems();
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(stock.begin(), stock.end(), [&](const StockItem& a, const StockItem& b) {
        return collator.compare(a.title.trimmed(), b.title.trimmed()) < 0;
    });
    for (const StockItem& item : std::as_const(stock))
        m_stock->addItem(item.title.trimmed(), item.id);
    m_stock->setCurrentIndex(m_form.stockID ? m_stock->findData(*m_form.stockID) : 0);
    connect(m_stock, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_form.stockID = m_stock->itemData(index).toUuid();
    });
    addRow(u"Article du stock"_s, m_stock);
    if (stock.isEmpty()) {
        m_fromStock->setEnabled(false);
        m_fromStock->setToolTip(u"Le stock ne contient aucun article."_s);
    }
    (m_form.target == ExpenseForm::Target::stock ? m_fromStock : custom)->setChecked(true);
    connect(m_fromStock, &QRadioButton::toggled, this, [this](bool on) {
        m_form.target = on ? ExpenseForm::Target::stock : ExpenseForm::Target::custom;
        if (on && !m_form.stockID && m_stock->currentIndex() >= 0)
            m_form.stockID = m_stock->currentData().toUuid();
        showTarget();
    });

    m_name = new QLineEdit(m_form.productName, this);
    m_name->setObjectName(u"expenseProductName"_s);
    m_name->setPlaceholderText(u"Ex : Rame de papier A4"_s);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.productName = text;
        markRefused(m_name, false);
    });
    addRow(u"Nom du produit"_s, m_name);

    // Only a new expense brings a product of its own into being.
    m_linked = new QWidget(this);
    auto* linked = new QHBoxLayout(m_linked);
    linked->setContentsMargins(0, 0, 0, 0);
    m_create = new QCheckBox(u"Créer le produit lié"_s, m_linked);
    m_create->setObjectName(u"expenseCreateProduct"_s);
    m_create->setChecked(m_form.createLinkedProduct);
    linked->addWidget(m_create);
    m_destination = new QComboBox(m_linked);
    m_destination->setObjectName(u"expenseDestination"_s);
    m_destination->setAccessibleName(u"Destination du produit"_s);
    m_destination->addItem(u"Dans le stock"_s, int(ExpenseForm::Destination::stock));
    m_destination->addItem(u"Dans la liste d’achats"_s, int(ExpenseForm::Destination::wishlist));
    m_destination->setCurrentIndex(m_destination->findData(int(m_form.destination)));
    linked->addWidget(m_destination);
    linked->addStretch();
    connect(m_create, &QCheckBox::toggled, this, [this](bool on) {
        m_form.createLinkedProduct = on;
        m_destination->setEnabled(on);
    });
    connect(m_destination, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.destination = ExpenseForm::Destination(m_destination->itemData(index).toInt());
    });
    m_destination->setEnabled(m_form.createLinkedProduct);
    addRow(u"Produit lié"_s, m_linked, m_create);

    auto* date = new QDateEdit(this);
    date->setObjectName(u"expenseDate"_s);
    date->setCalendarPopup(true);
    date->setDisplayFormat(u"dd/MM/yyyy"_s);
    date->setDate(m_form.purchaseDate.toLocalTime().date());
    connect(date, &QDateEdit::dateChanged, this, [this](QDate day) {
        if (m_form.purchaseDate.toLocalTime().date() != day)
            m_form.purchaseDate = SubscriptionForm::onDay(m_form.purchaseDate, day);
    });
    addRow(u"Date de la dépense"_s, date);

    m_quantity = new QLineEdit(m_form.quantityText, this);
    m_quantity->setObjectName(u"expenseQuantity"_s);
    m_quantity->setPlaceholderText(u"Ex : 3"_s);
    m_quantityError = settingslayout::errorLabel(u"expenseQuantityError"_s);
    connect(m_quantity, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.quantityText = text;
        const bool refused =
            !text.trimmed().isEmpty() && (!m_form.quantity() || *m_form.quantity() <= 0);
        markRefused(m_quantity, refused);
        settingslayout::setMessage(m_quantityError,
                                   refused ? ExpenseForm::quantityMessage() : QString());
        showPrice();
    });
    addRow(u"Quantité"_s, settingslayout::withError(m_quantity, m_quantityError), m_quantity);

    m_unitPrice = amountField(u"expenseUnitPrice"_s, m_form.unitPriceText, u"Ex : 12,50"_s);
    addRow(u"Prix à l'unité"_s, m_unitPrice);
    addRow(u"Frais de livraison"_s,
           amountField(u"expenseShipping"_s, m_form.shippingPriceText, u"Ex : 4,90"_s));
    addRow(u"Prix HT"_s, amountField(u"expensePriceHT"_s, m_form.priceHTText, QString()));
    m_priceTTC = amountField(u"expensePriceTTC"_s, m_form.priceTTCText, u"Ex : 45,00"_s);
    addRow(u"Prix TTC"_s, m_priceTTC);

    auto* supplier = new QLineEdit(m_form.supplier, this);
    supplier->setObjectName(u"expenseSupplier"_s);
    connect(supplier, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.supplier = text; });
    addRow(u"Fournisseur"_s, supplier);

    for (const ClassificationRow& row : classificationRows(
             u"expense"_s, store,
             {m_form.categoryIDs, m_form.subCategoryIDs, m_form.tagIDs, m_form.subTagIDs}, true,
             this))
        addRow(row.label, row.field);

    auto* notes = textBox(m_form.notes, u"expenseNotes"_s, this);
    notes->setPlaceholderText(u"Notes personnelles — accessibles uniquement par vous."_s);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.notes = notes->toPlainText(); });
    addRow(u"Notes"_s, notes);

    addBlock(
        new CharacteristicsEditor(m_form.characteristics, u"expenseAddCharacteristic"_s, this));

    showTarget();
    showPrice();
    resize(620, 760);
}

QLineEdit* ExpenseFormSheet::amountField(const QString& name, QString& text,
                                         const QString& placeholder) {
    auto* field = new QLineEdit(text, this);
    field->setObjectName(name);
    field->setPlaceholderText(placeholder);
    watchAmount(field);
    connect(field, &QLineEdit::textEdited, this, [this, &text](const QString& typed) {
        text = typed;
        showPrice();
    });
    return field;
}

void ExpenseFormSheet::showTarget() {
    const bool fromStock = m_form.target == ExpenseForm::Target::stock;
    form()->setRowVisible(m_stock, fromStock);
    form()->setRowVisible(m_name, !fromStock);
    form()->setRowVisible(m_linked, !fromStock && m_form.isNew());
}

// The unit price and the quantity make the total: it is shown, not typed,
// while they do; what was typed in the total comes back when they no longer do.
void ExpenseFormSheet::showPrice() {
    const QString label = m_form.priceTTCLabel();
    const bool computed = label != u"Prix TTC"_s;
    if (auto* name = qobject_cast<QLabel*>(form()->labelForField(m_priceTTC)))
        name->setText(label);
    m_priceTTC->setAccessibleName(label);
    m_priceTTC->setReadOnly(computed);
    if (computed) {
        const std::optional<double> total = m_form.priceTTC();
        m_priceTTC->setText(total ? formatMoney(*total) : QString());
    } else if (m_priceTTC->text() != m_form.priceTTCText) {
        m_priceTTC->setText(m_form.priceTTCText);
    }
}

bool ExpenseFormSheet::save() {
    AppDataStore& store = m_services.store;
    const QDateTime now = store.clock().now();
    const Result<> result = store.edit([&](SessionEdit& edit) { return m_form.apply(edit, now); });
    if (result.kind() == ResultKind::invalid) {
        const QString message = result.error();
        if (message == ExpenseForm::quantityMessage()) {
            refuseField(m_quantity, message);
        } else if (message == ExpenseForm::invalidAmountMessage()) {
            refuseField(m_priceTTC->isReadOnly() ? m_unitPrice : m_priceTTC, message);
        } else if (message == ExpenseForm::nameRequiredMessage()) {
            refuseField(m_form.target == ExpenseForm::Target::stock ? static_cast<QWidget*>(m_stock)
                                                                    : m_name,
                        message);
        } else {
            showError(message);
        }
        return false;
    }
    if (!applied(result))
        return false;
    if (m_form.isNew())
        m_services.dialogs.ask(this, okAlert(ExpenseForm::savedTitle(), ExpenseForm::savedMessage(),
                                             Alert::Kind::information));
    emit saved(m_form.written().id);
    return true;
}

} // namespace velmora::gui
