#include "gui/documents/DocumentLineEditor.h"

#include "core/documents/DocumentLines.h"
#include "core/stock/ServiceForm.h"
#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"
#include "core/text/NumberFormat.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace velmora::gui {

namespace {

QString kindName(CommercialDocumentLineKind kind) {
    switch (kind) {
    case CommercialDocumentLineKind::discount:
        return QStringLiteral("Remise");
    case CommercialDocumentLineKind::deposit:
        return QStringLiteral("Acompte");
    case CommercialDocumentLineKind::service:
        break;
    }
    return QStringLiteral("Prestation");
}

// An amount as the user would type it back, empty for 0: money in whole
// cents as the program prints it ("1 450,00", "145,50"), anything else
// with all its digits ("0,125", "2,5").
QString editableAmount(double value, bool money) {
    if (value == 0)
        return QString();
    static const QLocale french(QLocale::French, QLocale::France);
    if (money && std::abs(value) < 1e12 && std::round(value * 100) / 100 == value)
        return french.toString(value, 'f', 2);
    return QString::number(value, 'g', 15).replace(u'.', u',');
}

QToolButton* headerButton(const QString& symbol, const QString& tip, const QString& name,
                          QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(symbolIcon(symbol, QPalette::ButtonText));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setObjectName(name);
    button->setAutoRaise(true);
    return button;
}

QLabel* caption(const QString& text, QWidget* parent) {
    QLabel* label = theme::label(text, "hint", parent);
    label->setWordWrap(true);
    return label;
}

// Labels go above their fields when the editor is narrow.
QFormLayout* lineForm() {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

} // namespace

DocumentLineEditor::DocumentLineEditor(const CommercialDocumentLine& line, QWidget* parent,
                                       const QHash<QString, QString>& typed)
    : QFrame(parent), m_line(line), m_typedBefore(typed) {
    setObjectName(QStringLiteral("documentLine"));
    setProperty("role", QStringLiteral("card"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setSpacing(6);

    auto* header = new QHBoxLayout;
    auto* grip = new QLabel(this);
    grip->setPixmap(symbolPixmap(QStringLiteral("line.3.horizontal"), 14,
                                 palette().color(QPalette::PlaceholderText)));
    grip->setToolTip(QStringLiteral("Glisser pour déplacer la ligne"));
    grip->setCursor(Qt::OpenHandCursor);
    header->addWidget(grip);
    m_fold = headerButton(QStringLiteral("chevron.down"), QStringLiteral("Replier la ligne"),
                          QStringLiteral("documentLineFold"), this);
    connect(m_fold, &QToolButton::clicked, this, [this] { setExpanded(!isExpanded()); });
    header->addWidget(m_fold);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("documentLineHeading"));
    m_heading->setTextFormat(Qt::PlainText);
    header->addWidget(m_heading, 1);
    const QUuid id = line.id;
    QToolButton* up = headerButton(QStringLiteral("chevron.up"), QStringLiteral("Monter la ligne"),
                                   QStringLiteral("documentLineUp"), this);
    connect(up, &QToolButton::clicked, this, [this, id] { emit moveRequested(id, -1); });
    QToolButton* down =
        headerButton(QStringLiteral("chevron.down"), QStringLiteral("Descendre la ligne"),
                     QStringLiteral("documentLineDown"), this);
    connect(down, &QToolButton::clicked, this, [this, id] { emit moveRequested(id, 1); });
    QToolButton* remove =
        headerButton(QStringLiteral("trash"), QStringLiteral("Supprimer la ligne"),
                     QStringLiteral("documentLineRemove"), this);
    connect(remove, &QToolButton::clicked, this, [this, id] { emit removeRequested(id); });
    for (QToolButton* button : {up, down, remove})
        header->addWidget(button);
    layout->addLayout(header);
    // What the line is worth, under its name: the header stays narrow.
    m_figures = theme::label(QString(), "hint", this);
    m_figures->setObjectName(QStringLiteral("documentLineFigures"));
    m_figures->setContentsMargins(44, 0, 0, 0);
    layout->addWidget(m_figures);

    m_body = new QWidget(this);
    auto* body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(6);
    layout->addWidget(m_body);
    m_refusal = theme::label(QString(), "error", m_body);
    m_refusal->setObjectName(QStringLiteral("documentLineRefusal"));
    m_refusal->hide();
    switch (line.kind) {
    case CommercialDocumentLineKind::service:
        addServiceFields();
        break;
    case CommercialDocumentLineKind::discount:
        addDiscountFields();
        break;
    case CommercialDocumentLineKind::deposit:
        addDepositFields();
        break;
    }
    m_error = theme::label(QString(), "error", m_body);
    m_error->setObjectName(QStringLiteral("documentLineError"));
    m_error->setText(invalidAmountMessage());
    m_error->setVisible(!m_invalid.isEmpty());
    body->addWidget(m_error);
    m_typedBefore.clear();
    showFigures();
}

QLineEdit* DocumentLineEditor::textField(const QString& name, const QString& placeholder,
                                         QString CommercialDocumentLine::*field) {
    auto* edit = new QLineEdit(m_line.*field, m_body);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_line.*field = text;
        changed();
    });
    return edit;
}

QLineEdit* DocumentLineEditor::amountField(const QString& name, double value,
                                           double CommercialDocumentLine::*field) {
    const bool money = field == &CommercialDocumentLine::priceTTC ||
                       field == &CommercialDocumentLine::lineDiscountValue;
    auto* edit = new QLineEdit(editableAmount(value, money), m_body);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    m_amounts << edit;
    // What the user typed stays as typed, also in a rebuilt editor.
    if (const auto typed = m_typedBefore.constFind(name); typed != m_typedBefore.cend()) {
        edit->setText(*typed);
        m_typed.insert(edit);
        readAmount(edit, *typed, field);
    }
    connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString& text) {
        m_typed.insert(edit);
        readAmount(edit, text, field);
        m_error->setVisible(!m_invalid.isEmpty());
        changed();
    });
    return edit;
}

void DocumentLineEditor::readAmount(QLineEdit* edit, const QString& text,
                                    double CommercialDocumentLine::*field) {
    // An empty field is 0; a text that is not a number keeps the line as it
    // was and blocks saving until it is mended.
    const std::optional<double> parsed =
        text.trimmed().isEmpty() ? std::optional<double>(0) : parseAmount(text);
    if (parsed) {
        m_invalid.remove(edit);
        m_line.*field = *parsed;
    } else {
        m_invalid.insert(edit);
    }
    markRefused(edit, !parsed);
}

QLineEdit* DocumentLineEditor::firstInvalidAmount() const {
    for (QLineEdit* edit : m_amounts)
        if (m_invalid.contains(edit))
            return edit;
    return m_refusal->isHidden() ? nullptr : m_ruledField;
}

QHash<QString, QString> DocumentLineEditor::typedAmounts() const {
    QHash<QString, QString> texts;
    for (QLineEdit* edit : m_amounts)
        if (m_typed.contains(edit))
            texts.insert(edit->objectName(), edit->text());
    return texts;
}

void DocumentLineEditor::addServiceFields() {
    QFormLayout* form = lineForm();
    form->addRow(QStringLiteral("Titre"),
                 textField(QStringLiteral("documentLineTitle"),
                           QStringLiteral("ex. Création du logo"), &CommercialDocumentLine::title));
    auto* details = new QPlainTextEdit(m_line.details, m_body);
    details->setObjectName(QStringLiteral("documentLineDetails"));
    details->setTabChangesFocus(true);
    details->setFixedHeight(details->fontMetrics().lineSpacing() * 3 + 14);
    connect(details, &QPlainTextEdit::textChanged, this, [this, details] {
        m_line.details = details->toPlainText();
        changed();
    });
    form->addRow(QStringLiteral("Détails"), details);

    // Three fields on one row of the form: each carries its own label's name.
    auto* figures = new QHBoxLayout;
    QLineEdit* price = amountField(QStringLiteral("documentLinePrice"), m_line.priceTTC,
                                   &CommercialDocumentLine::priceTTC);
    price->setAccessibleName(QStringLiteral("Prix unitaire HT"));
    figures->addWidget(price, 2);
    m_ruledField = amountField(QStringLiteral("documentLineQuantity"), m_line.quantity,
                               &CommercialDocumentLine::quantity);
    m_ruledField->setAccessibleName(QStringLiteral("Quantité"));
    figures->addWidget(new QLabel(m_ruledField->accessibleName(), m_body));
    figures->addWidget(m_ruledField, 1);
    QLineEdit* tva = amountField(QStringLiteral("documentLineTva"), m_line.tvaRate,
                                 &CommercialDocumentLine::tvaRate);
    tva->setAccessibleName(QStringLiteral("TVA (%)"));
    figures->addWidget(new QLabel(tva->accessibleName(), m_body));
    figures->addWidget(tva, 1);
    form->addRow(price->accessibleName(), figures);
    form->addRow(QString(), m_refusal);

    auto* type = new QComboBox(m_body);
    type->setObjectName(QStringLiteral("documentLineType"));
    type->setAccessibleName(ServiceForm::prestationTypeLabel());
    // The longest category must not widen the whole form.
    type->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    type->setMinimumContentsLength(14);
    for (ServicePrestationType t : {ServicePrestationType::ventesMarchandises,
                                    ServicePrestationType::prestationsCommercialesBIC,
                                    ServicePrestationType::prestationsLiberalesBNC})
        type->addItem(ServiceForm::typeName(t), int(t));
    type->setCurrentIndex(type->findData(int(m_line.prestationType)));
    connect(type, &QComboBox::activated, this, [this, type](int index) {
        m_line.prestationType = ServicePrestationType(type->itemData(index).toInt());
        changed();
    });
    form->addRow(ServiceForm::prestationTypeLabel(), type);

    auto* offered = new QCheckBox(QStringLiteral("Offert"), m_body);
    offered->setObjectName(QStringLiteral("documentLineOffered"));
    offered->setChecked(m_line.isOffered);
    connect(offered, &QCheckBox::toggled, this, [this](bool on) {
        m_line.isOffered = on;
        changed();
    });
    auto* reduction = new QCheckBox(QStringLiteral("Réduction sur la ligne"), m_body);
    reduction->setObjectName(QStringLiteral("documentLineReduction"));
    reduction->setChecked(m_line.lineDiscountEnabled);
    m_reductionMode = new QComboBox(m_body);
    m_reductionMode->setObjectName(QStringLiteral("documentLineReductionMode"));
    m_reductionMode->setAccessibleName(QStringLiteral("Mode de réduction"));
    m_reductionMode->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_reductionMode->setMinimumContentsLength(8);
    m_reductionMode->addItem(QStringLiteral("Pourcentage (%)"), true);
    m_reductionMode->addItem(QStringLiteral("Montant (€)"), false);
    m_reductionMode->setCurrentIndex(m_line.lineDiscountIsPercent ? 0 : 1);
    m_reductionValue =
        amountField(QStringLiteral("documentLineReductionValue"), m_line.lineDiscountValue,
                    &CommercialDocumentLine::lineDiscountValue);
    m_reductionValue->setAccessibleName(QStringLiteral("Valeur de la réduction"));
    connect(reduction, &QCheckBox::toggled, this, [this](bool on) {
        m_line.lineDiscountEnabled = on;
        showReduction();
        changed();
    });
    connect(m_reductionMode, &QComboBox::activated, this, [this](int index) {
        m_line.lineDiscountIsPercent = index == 0;
        showReduction();
        changed();
    });
    form->addRow(QString(), offered);
    auto* options = new QHBoxLayout;
    options->addWidget(reduction);
    options->addWidget(m_reductionMode);
    options->addWidget(m_reductionValue, 1);
    form->addRow(QString(), options);
    showReduction();

    auto* catalogue = theme::button(QStringLiteral("Remplir depuis le catalogue…"), "link", m_body);
    catalogue->setObjectName(QStringLiteral("documentLineCatalogue"));
    connect(catalogue, &QPushButton::clicked, this, [this] { emit catalogueRequested(m_line.id); });
    form->addRow(QString(), catalogue);
    static_cast<QVBoxLayout*>(m_body->layout())->addLayout(form);
}

void DocumentLineEditor::addDiscountFields() {
    QFormLayout* form = lineForm();
    form->addRow(QStringLiteral("Libellé"),
                 textField(QStringLiteral("documentLineTitle"),
                           QStringLiteral("Libellé de la remise (ex : Remise fidélité)"),
                           &CommercialDocumentLine::title));
    auto* mode = new QComboBox(m_body);
    mode->setObjectName(QStringLiteral("documentLineDiscountMode"));
    mode->addItem(QStringLiteral("Montant (€)"));
    mode->addItem(QStringLiteral("Pourcentage (%)"));
    mode->setCurrentIndex(m_line.discountIsPercent ? 1 : 0);
    connect(mode, &QComboBox::activated, this, [this](int index) {
        m_line.discountIsPercent = index == 1;
        changed();
    });
    form->addRow(QStringLiteral("Mode"), mode);
    m_ruledField = amountField(QStringLiteral("documentLinePrice"), m_line.priceTTC,
                               &CommercialDocumentLine::priceTTC);
    form->addRow(QStringLiteral("Valeur"), m_ruledField);
    form->addRow(QString(), m_refusal);
    auto* body = static_cast<QVBoxLayout*>(m_body->layout());
    body->addLayout(form);
    body->addWidget(caption(LineEditor::discountAppliesText(), m_body));
}

void DocumentLineEditor::addDepositFields() {
    auto* body = static_cast<QVBoxLayout*>(m_body->layout());
    body->addWidget(caption(LineEditor::depositExplanation(), m_body));
    QFormLayout* form = lineForm();
    form->addRow(QStringLiteral("Libellé"),
                 textField(QStringLiteral("documentLineTitle"),
                           QStringLiteral("Libellé (ex : Acompte versé le 12 avril)"),
                           &CommercialDocumentLine::title));
    form->addRow(QStringLiteral("Montant (€)"),
                 amountField(QStringLiteral("documentLinePrice"), m_line.priceTTC,
                             &CommercialDocumentLine::priceTTC));
    body->addLayout(form);
    body->addWidget(caption(QStringLiteral("Ce libellé est affiché à titre informatif dans la "
                                           "fiche — il n'apparaît pas dans le PDF."),
                            m_body));
}

void DocumentLineEditor::showReduction() {
    m_reductionMode->setEnabled(m_line.lineDiscountEnabled);
    m_reductionValue->setEnabled(m_line.lineDiscountEnabled);
    m_reductionValue->setPlaceholderText(
        LineEditor::lineReductionPlaceholder(m_line.lineDiscountIsPercent));
}

bool DocumentLineEditor::hasInvalidAmount() const {
    return !m_invalid.isEmpty() || !m_refusal->isHidden();
}

void DocumentLineEditor::showRefusal(const QString& message) {
    // A deposit has no rule of its own: its label stays out of the layout.
    if (!m_ruledField)
        return;
    m_refusal->setText(message);
    m_refusal->setVisible(!message.isEmpty());
    markRefused(m_ruledField, !message.isEmpty() || m_invalid.contains(m_ruledField));
}

void DocumentLineEditor::changed() {
    showFigures();
    emit edited(m_line);
}

void DocumentLineEditor::showFigures() {
    const QString title = m_line.title.trimmed();
    m_heading->setText(title.isEmpty() || m_line.kind != CommercialDocumentLineKind::service
                           ? kindName(m_line.kind) +
                                 (title.isEmpty() ? QString() : QStringLiteral(" · ") + title)
                           : title);
    if (m_line.kind == CommercialDocumentLineKind::service)
        m_figures->setText(m_line.isOffered ? QStringLiteral("Offert")
                                            : lineFigureTexts(m_line).join(QStringLiteral("   ")));
    else if (m_line.kind == CommercialDocumentLineKind::discount && m_line.discountIsPercent)
        m_figures->setText(QStringLiteral("− ") + formatPercent(m_line.priceTTC));
    else
        m_figures->setText(QStringLiteral("− ") + formatMoney(m_line.priceTTC));
}

void DocumentLineEditor::setExpanded(bool expanded) {
    m_body->setVisible(expanded);
    m_fold->setIcon(
        symbolIcon(expanded ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"),
                   QPalette::ButtonText));
    m_fold->setToolTip(expanded ? QStringLiteral("Replier la ligne")
                                : QStringLiteral("Déplier la ligne"));
    m_fold->setAccessibleName(m_fold->toolTip());
}

bool DocumentLineEditor::isExpanded() const {
    return !m_body->isHidden();
}

void DocumentLineEditor::mousePressEvent(QMouseEvent* event) {
    m_pressedAt = event->position().toPoint();
    QFrame::mousePressEvent(event);
}

void DocumentLineEditor::mouseMoveEvent(QMouseEvent* event) {
    // Dragged by its header only: the fields keep their own mouse.
    if (!(event->buttons() & Qt::LeftButton) || m_pressedAt.y() > m_fold->geometry().bottom() ||
        (event->position().toPoint() - m_pressedAt).manhattanLength() <
            QApplication::startDragDistance())
        return QFrame::mouseMoveEvent(event);
    auto* mime = new QMimeData;
    mime->setData(dragMimeType(), m_line.id.toByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(grab(QRect(0, 0, width(), m_fold->geometry().bottom() + 8)));
    drag->exec(Qt::MoveAction);
}

} // namespace velmora::gui
