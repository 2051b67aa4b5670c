#include "gui/accounting/UrssafSettingsSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace velmora::gui {

UrssafSettingsSheet::UrssafSettingsSheet(const SectionServices& services, QWidget* parent)
    : FormSheet(QStringLiteral("urssafSettings"), UrssafSettingsForm::title(), parent),
      m_services(services), m_form(services.store.urssafSettings()) {
    setAttribute(Qt::WA_DeleteOnClose);
    URSSAFSettings& settings = m_form.settings;

    auto* regime = new QComboBox(this);
    regime->setObjectName(QStringLiteral("urssafRegime"));
    for (URSSAFRegime r : {URSSAFRegime::microEntrepreneur, URSSAFRegime::bnc, URSSAFRegime::bic})
        regime->addItem(UrssafSettingsForm::regimeName(r), int(r));
    regime->setCurrentIndex(regime->findData(int(settings.regime)));
    connect(regime, &QComboBox::currentIndexChanged, this, [this, regime](int index) {
        m_form.settings.regime = URSSAFRegime(regime->itemData(index).toInt());
        showRows();
    });
    addRow(UrssafSettingsForm::regimeLabel(), regime);
    for (URSSAFRegime r : {URSSAFRegime::microEntrepreneur, URSSAFRegime::bnc, URSSAFRegime::bic})
        for (const UrssafRateField& field : UrssafSettingsForm::regimeRates(r))
            m_regimeRows.append({r, rateRow(field)});
    rateRow(UrssafSettingsForm::cfpRate());

    auto* versement = new QCheckBox(UrssafSettingsForm::versementLiberatoireLabel(), this);
    versement->setObjectName(QStringLiteral("urssafVersementLiberatoire"));
    versement->setChecked(settings.versementLiberatoire);
    connect(versement, &QCheckBox::toggled, this, [this](bool on) {
        m_form.settings.versementLiberatoire = on;
        showRows();
    });
    addRow(QString(), versement);
    for (const UrssafRateField& field : UrssafSettingsForm::versementLiberatoireRates())
        m_versementRows << rateRow(field);

    auto* frequency = new QComboBox(this);
    frequency->setObjectName(QStringLiteral("urssafSettingsFrequency"));
    for (URSSAFDeclarationFrequency f :
         {URSSAFDeclarationFrequency::monthly, URSSAFDeclarationFrequency::trimestrial})
        frequency->addItem(displayName(f), int(f));
    frequency->setCurrentIndex(frequency->findData(int(settings.declarationFrequency)));
    connect(frequency, &QComboBox::currentIndexChanged, this, [this, frequency](int index) {
        m_form.settings.declarationFrequency =
            URSSAFDeclarationFrequency(frequency->itemData(index).toInt());
    });
    addRow(UrssafSettingsForm::frequencyLabel(), frequency);

    // The reminder: on or off, its day, and what it will do.
    form()->addRow(theme::label(UrssafSettingsForm::reminderSection(), "section", this));
    auto* enabled = new QCheckBox(UrssafSettingsForm::reminderEnabledLabel(), this);
    enabled->setObjectName(QStringLiteral("urssafReminderEnabled"));
    enabled->setChecked(settings.reminderEnabled);
    connect(enabled, &QCheckBox::toggled, this, [this](bool on) {
        m_form.settings.reminderEnabled = on;
        showRows();
    });
    addRow(QString(), enabled);
    auto* dayCell = new QWidget(this);
    auto* dayRow = new QHBoxLayout(dayCell);
    dayRow->setContentsMargins(0, 0, 0, 0);
    auto* dayLabel = new QLabel(UrssafSettingsForm::dayLabel(), dayCell);
    dayRow->addWidget(dayLabel);
    auto* day = new QSpinBox(dayCell);
    day->setObjectName(QStringLiteral("urssafReminderDay"));
    day->setRange(1, 31);
    day->setValue(int(settings.declarationDayOfMonth));
    dayLabel->setBuddy(day);
    dayRow->addWidget(day);
    dayRow->addStretch();
    addRow(QString(), dayCell);
    m_sentence = theme::label(QString(), "hint", this);
    m_sentence->setObjectName(QStringLiteral("urssafReminderSentence"));
    m_sentence->setWordWrap(true);
    addRow(QString(), m_sentence);
    m_reminderRows << dayCell << m_sentence;
    connect(day, &QSpinBox::valueChanged, this, [this](int value) {
        m_form.setReminderDay(value);
        m_sentence->setText(m_form.reminderSentence());
    });

    showRows();
    resize(600, 640);
}

QLineEdit* UrssafSettingsSheet::rateRow(const UrssafRateField& field) {
    auto* edit = new QLineEdit(m_form.rateText(field.name), this);
    edit->setObjectName(QStringLiteral("urssafRate_") + field.name);
    edit->setPlaceholderText(field.placeholder);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(120);
    connect(edit, &QLineEdit::textEdited, this,
            [this, name = field.name](const QString& text) { m_form.setRateText(name, text); });
    addRow(field.label, edit);
    return edit;
}

void UrssafSettingsSheet::showRows() {
    for (const auto& [regime, row] : std::as_const(m_regimeRows))
        form()->setRowVisible(row, regime == m_form.settings.regime);
    for (QWidget* row : std::as_const(m_versementRows))
        form()->setRowVisible(row, m_form.settings.versementLiberatoire);
    for (QWidget* row : std::as_const(m_reminderRows))
        form()->setRowVisible(row, m_form.settings.reminderEnabled);
    m_sentence->setText(m_form.reminderSentence());
}

bool UrssafSettingsSheet::save() {
    return applied(m_services.store.edit(
        [&](SessionEdit& edit) { return m_form.save(edit, m_services.notifications); }));
}

} // namespace velmora::gui
