#include "gui/accounting/UrssafDeclarationSheet.h"

#include "core/accounting/UrssafAttachments.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeZone>

namespace velmora::gui {

namespace {

QDate localDate(const QDateTime& moment) {
    return moment.toTimeZone(QTimeZone::systemTimeZone()).date();
}

// A day picked keeps the time of day it had, in the local calendar.
QDateTime onDay(const QDateTime& before, const QDate& day) {
    const QDateTime local = before.toTimeZone(QTimeZone::systemTimeZone());
    return QDateTime(day, local.time(), QTimeZone::systemTimeZone()).toUTC();
}

} // namespace

UrssafDeclarationSheet::UrssafDeclarationSheet(const SectionServices& services,
                                               UrssafDeclarationForm model, QWidget* parent)
    : FormSheet(QStringLiteral("urssafForm"), model.title(), parent), m_services(services),
      m_form(std::move(model)) {
    setAttribute(Qt::WA_DeleteOnClose);
    if (auto* saveButton = findChild<QPushButton*>(QStringLiteral("urssafFormSave")))
        saveButton->setText(m_form.saveButton());

    // The period: year, frequency, then the month or quarter.
    auto* periodRow = new QHBoxLayout;
    periodRow->setSpacing(8);
    auto* year = new QSpinBox(this);
    year->setObjectName(QStringLiteral("urssafYear"));
    year->setAccessibleName(QStringLiteral("Année"));
    year->setRange(2000, 2100);
    year->setValue(m_form.year);
    connect(year, &QSpinBox::valueChanged, this, [this](int value) { m_form.year = value; });
    periodRow->addWidget(year);
    auto* frequency = new QComboBox(this);
    frequency->setObjectName(QStringLiteral("urssafFrequency"));
    frequency->setAccessibleName(QStringLiteral("Fréquence"));
    for (URSSAFDeclarationFrequency f :
         {URSSAFDeclarationFrequency::monthly, URSSAFDeclarationFrequency::trimestrial})
        frequency->addItem(displayName(f), int(f));
    frequency->setCurrentIndex(frequency->findData(int(m_form.frequency)));
    periodRow->addWidget(frequency);
    m_period = new QComboBox(this);
    m_period->setObjectName(QStringLiteral("urssafPeriod"));
    m_period->setAccessibleName(QStringLiteral("Période"));
    m_period->setMinimumContentsLength(12);
    periodRow->addWidget(m_period, 1);
    fillPeriods();
    connect(frequency, &QComboBox::currentIndexChanged, this, [this, frequency](int index) {
        m_form.setFrequency(URSSAFDeclarationFrequency(frequency->itemData(index).toInt()));
        fillPeriods();
    });
    connect(m_period, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_form.periodIndex = m_period->itemData(index).toInt(); });
    addRow(QStringLiteral("Période"), periodRow, year);

    // The turnover by category, and where it can come from.
    m_sales = amountField(QStringLiteral("urssafSales"), &UrssafDeclarationForm::sales,
                          QStringLiteral("Ventes de marchandises (€)"));
    m_bic = amountField(QStringLiteral("urssafBic"), &UrssafDeclarationForm::bic,
                        QStringLiteral("Prestations de services BIC (€)"));
    m_bnc = amountField(QStringLiteral("urssafBnc"), &UrssafDeclarationForm::bnc,
                        QStringLiteral("Prestations libérales BNC (€)"));
    amountField(QStringLiteral("urssafLetting"), &UrssafDeclarationForm::letting,
                QStringLiteral("Location meublée (€)"));
    auto* prefillRow = new QHBoxLayout;
    auto* prefill = new QPushButton(symbolIcon(QStringLiteral("doc.text")),
                                    UrssafDeclarationForm::prefillButton(), this);
    prefill->setObjectName(QStringLiteral("urssafPrefill"));
    prefill->setToolTip(UrssafDeclarationForm::prefillHint());
    prefill->setAutoDefault(false);
    connect(prefill, &QPushButton::clicked, this, [this] {
        m_form.prefill(m_services.store.session());
        m_sales->setText(m_form.sales);
        m_bic->setText(m_form.bic);
        m_bnc->setText(m_form.bnc);
        showAmounts();
    });
    prefillRow->addWidget(prefill);
    auto* hint = theme::label(UrssafDeclarationForm::prefillHint(), "hint", this);
    hint->setWordWrap(true);
    prefillRow->addWidget(hint, 1);
    addRow(QString(), prefillRow, prefill);

    // The amounts: from the rates, or typed from the URSSAF's own figures.
    auto* autoCompute = new QCheckBox(UrssafDeclarationForm::autoComputeLabel(), this);
    autoCompute->setObjectName(QStringLiteral("urssafAutoCompute"));
    autoCompute->setChecked(m_form.autoCompute);
    connect(autoCompute, &QCheckBox::toggled, this, [this](bool on) {
        m_form.autoCompute = on;
        showAmounts();
    });
    addRow(QStringLiteral("Cotisations"), autoCompute);
    m_manualRows << amountField(QStringLiteral("urssafCotisation"),
                                &UrssafDeclarationForm::cotisation,
                                QStringLiteral("Cotisations (€)"));
    m_manualRows << amountField(QStringLiteral("urssafCfp"), &UrssafDeclarationForm::cfp,
                                QStringLiteral("CFP (€)"));
    m_manualRows << amountField(QStringLiteral("urssafVersementLiberatoire"),
                                &UrssafDeclarationForm::versementLiberatoire,
                                QStringLiteral("Vers. lib. (€)"));
    m_total = theme::label(QString(), "section", this);
    m_total->setObjectName(QStringLiteral("urssafTotal"));
    addRow(QStringLiteral("Total"), m_total);

    addRow(QStringLiteral("Déclaration"),
           flagRow(QStringLiteral("urssafDeclared"), QStringLiteral("Déclarée à l'URSSAF"),
                   &UrssafDeclarationForm::isDeclared, &UrssafDeclarationForm::declaredDate));
    addRow(QStringLiteral("Paiement"),
           flagRow(QStringLiteral("urssafPaid"), QStringLiteral("Cotisations payées"),
                   &UrssafDeclarationForm::isPaid, &UrssafDeclarationForm::paidDate));

    auto* notes = new QPlainTextEdit(m_form.notes, this);
    notes->setObjectName(QStringLiteral("urssafNotes"));
    notes->setTabChangesFocus(true);
    notes->setFixedHeight(72);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.notes = notes->toPlainText(); });
    addRow(QStringLiteral("Notes"), notes);

    addRow(UrssafDeclarationForm::declarationFileLabel(),
           fileRow(QStringLiteral("urssafDeclarationFile"),
                   UrssafDeclarationForm::declarationFileLabel(),
                   &UrssafDeclarationForm::newDeclarationFile,
                   &URSSAFDeclaration::declarationFileURL));
    addRow(UrssafDeclarationForm::paymentFileLabel(),
           fileRow(QStringLiteral("urssafPaymentFile"), UrssafDeclarationForm::paymentFileLabel(),
                   &UrssafDeclarationForm::newPaymentFile, &URSSAFDeclaration::paymentFileURL));

    showAmounts();
    resize(640, 760);
}

QLineEdit* UrssafDeclarationSheet::amountField(const QString& name,
                                               QString UrssafDeclarationForm::*text,
                                               const QString& label) {
    auto* edit = new QLineEdit(m_form.*text, this);
    edit->setObjectName(name);
    edit->setPlaceholderText(QStringLiteral("0"));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(200);
    // Both typing and the pre-fill land here.
    connect(edit, &QLineEdit::textChanged, this, [this, edit, text](const QString& typed) {
        m_form.*text = typed;
        markRefused(edit, UrssafDeclarationForm::isRefusedAmount(typed));
        m_total->setText(m_form.totalText());
    });
    m_amounts << edit;
    addRow(label, edit);
    return edit;
}

QWidget* UrssafDeclarationSheet::flagRow(const QString& name, const QString& label,
                                         bool UrssafDeclarationForm::*flag,
                                         QDateTime UrssafDeclarationForm::*date) {
    auto* cell = new QWidget(this);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    auto* check = new QCheckBox(label, cell);
    check->setObjectName(name);
    check->setChecked(m_form.*flag);
    row->addWidget(check);
    auto* day = new QDateEdit(localDate(m_form.*date), cell);
    day->setObjectName(name + QStringLiteral("Date"));
    day->setAccessibleName(label + QStringLiteral(" le"));
    day->setCalendarPopup(true);
    day->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    day->setVisible(m_form.*flag);
    row->addWidget(day);
    row->addStretch();
    connect(check, &QCheckBox::toggled, this, [this, flag, day](bool on) {
        m_form.*flag = on;
        day->setVisible(on);
    });
    connect(day, &QDateEdit::dateChanged, this,
            [this, date](const QDate& picked) { m_form.*date = onDay(m_form.*date, picked); });
    return cell;
}

QWidget* UrssafDeclarationSheet::fileRow(const QString& name, const QString& label,
                                         std::optional<QUrl> UrssafDeclarationForm::*chosen,
                                         std::optional<QUrl> URSSAFDeclaration::*stored) {
    auto* cell = new QWidget(this);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    auto* current = theme::label(QString(), "hint", cell);
    current->setObjectName(name + QStringLiteral("Name"));
    current->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const auto show = [this, current, chosen, stored] {
        const std::optional<QUrl> file =
            (m_form.*chosen) ? m_form.*chosen : m_form.record().*stored;
        current->setText(file ? file->fileName() : QStringLiteral("Aucun fichier"));
    };
    show();
    auto* choose = new QPushButton(QStringLiteral("Choisir…"), cell);
    choose->setObjectName(name + QStringLiteral("Choose"));
    choose->setAccessibleName(label + QStringLiteral(" : choisir un fichier"));
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, [this, label, chosen, show] {
        if (const auto file = m_services.dialogs.choose(this, urssafAttachmentPickPanel(label))) {
            m_form.*chosen = *file;
            show();
        }
    });
    row->addWidget(choose);
    row->addWidget(current, 1);
    return cell;
}

void UrssafDeclarationSheet::fillPeriods() {
    const QSignalBlocker quiet(m_period);
    m_period->clear();
    const int count = m_form.frequency == URSSAFDeclarationFrequency::monthly ? 12 : 4;
    for (int index = 1; index <= count; ++index)
        m_period->addItem(urssafPeriodName(index, m_form.frequency), index);
    m_period->setCurrentIndex(m_period->findData(m_form.periodIndex));
}

void UrssafDeclarationSheet::showAmounts() {
    for (QWidget* row : std::as_const(m_manualRows))
        form()->setRowVisible(row, !m_form.autoCompute);
    m_total->setText(m_form.totalText());
}

bool UrssafDeclarationSheet::save() {
    AppDataStore& store = m_services.store;
    const Result<> outcome =
        store.edit([&](SessionEdit& edit) { return m_form.save(edit, store.clock().now()); });
    if (!applied(outcome)) {
        for (QLineEdit* edit : std::as_const(m_amounts))
            if (isMarkedRefused(edit) && edit->isVisibleTo(this)) {
                revealField(edit);
                break;
            }
        return false;
    }
    if (!outcome.warning().isEmpty())
        m_services.dialogs.ask(
            this, okAlert(QStringLiteral("Déclaration enregistrée"), outcome.warning()));
    emit saved(m_form.record().id);
    return true;
}

} // namespace velmora::gui
