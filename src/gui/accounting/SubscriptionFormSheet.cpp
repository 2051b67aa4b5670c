#include "gui/accounting/SubscriptionFormSheet.h"

#include "core/store/AppDataStore.h"
#include "core/store/RecordPut.h"
#include "core/text/FrenchDates.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/PictureField.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

QDateEdit* dateEdit(const QString& name, const QString& label, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return edit;
}

void clear(QVBoxLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

QLineEdit* lineEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

SubscriptionFormSheet::SubscriptionFormSheet(AppDataStore& store, Dialogs& dialogs,
                                             SubscriptionForm model, QWidget* parent)
    : FormSheet(QStringLiteral("subscriptionForm"), model.title(), parent), m_store(store),
      m_dialogs(dialogs), m_form(std::move(model)), m_opened(m_form.fields) {
    setAttribute(Qt::WA_DeleteOnClose);
    RecurringPurchase& fields = m_form.fields;

    auto* name = lineEdit(QStringLiteral("subscriptionName"), fields.name, this);
    name->setPlaceholderText(QStringLiteral("Ex : Adobe Creative Cloud"));
    connect(name, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.name = text; });
    addRow(SubscriptionForm::nameLabel(), name);

    auto* description =
        lineEdit(QStringLiteral("subscriptionDescription"), fields.description, this);
    connect(description, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.description = text; });
    addRow(QStringLiteral("Description"), description);

    auto* amount = lineEdit(QStringLiteral("subscriptionAmount"), m_form.amount, this);
    amount->setPlaceholderText(QStringLiteral("Ex : 9,99"));
    connect(amount, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.amount = text; });
    addRow(QStringLiteral("Montant (€)"), amount);

    auto* frequency = new QComboBox(this);
    frequency->setObjectName(QStringLiteral("subscriptionFrequency"));
    for (RecurringFrequency f :
         {RecurringFrequency::monthly, RecurringFrequency::quarterly, RecurringFrequency::yearly})
        frequency->addItem(displayName(f), int(f));
    frequency->setCurrentIndex(int(fields.frequency));
    connect(frequency, &QComboBox::currentIndexChanged, this, [this, frequency](int index) {
        m_form.fields.frequency = RecurringFrequency(frequency->itemData(index).toInt());
    });
    addRow(QStringLiteral("Fréquence"), frequency);

    auto* start =
        dateEdit(QStringLiteral("subscriptionStart"), QStringLiteral("Date de début"), this);
    start->setDate(fields.startDate.toLocalTime().date());
    connect(start, &QDateEdit::dateChanged, this, [this](QDate day) {
        if (m_form.fields.startDate.toLocalTime().date() != day)
            m_form.fields.startDate = SubscriptionForm::onDay(m_form.fields.startDate, day);
    });
    addRow(QStringLiteral("Date de début"), start);

    auto* endRow = new QHBoxLayout;
    m_hasEnd = new QCheckBox(SubscriptionForm::endToggleText(), this);
    m_hasEnd->setObjectName(QStringLiteral("subscriptionEndSet"));
    m_hasEnd->setChecked(fields.endDate.has_value());
    endRow->addWidget(m_hasEnd);
    m_end = dateEdit(QStringLiteral("subscriptionEnd"), QStringLiteral("Date de fin"), this);
    m_end->setDate(
        (fields.endDate ? *fields.endDate : fields.startDate.addYears(1)).toLocalTime().date());
    endRow->addWidget(m_end);
    endRow->addStretch();
    const auto writeEnd = [this] {
        if (!m_hasEnd->isChecked())
            m_form.fields.endDate.reset();
        else if (!m_form.fields.endDate ||
                 m_form.fields.endDate->toLocalTime().date() != m_end->date())
            m_form.fields.endDate = SubscriptionForm::onDay(m_form.fields.startDate, m_end->date());
        showEnd();
    };
    connect(m_hasEnd, &QCheckBox::toggled, this, writeEnd);
    connect(m_end, &QDateEdit::dateChanged, this, writeEnd);
    addRow(QStringLiteral("Fin"), endRow, m_end);

    auto* website = lineEdit(QStringLiteral("subscriptionWebsite"), fields.websiteURL, this);
    website->setPlaceholderText(QStringLiteral("https://"));
    connect(website, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.websiteURL = text; });
    addRow(QStringLiteral("Site web"), website);

    m_logo = new PictureField(
        m_dialogs, m_form.fields.logoURL,
        {QStringLiteral("subscriptionLogo"), QStringLiteral("Choisir un logo…"),
         QStringLiteral("Choisir un logo"), QStringLiteral("Retirer le logo"),
         QStringLiteral("logo"),
         QStringLiteral("Le logo « %1 » n’a pas pu être copié dans la session."),
         QStringLiteral("png jpg jpeg webp svg")},
        [this](const std::optional<QByteArray>& bytes) {
            return sessionPicture(bytes, std::nullopt, m_form.fields.name, 36);
        },
        this);
    addRow(QStringLiteral("Logo"), m_logo, m_logo->chooseButton());

    addRow(QStringLiteral("Étiquettes"),
           tagPicker(
               QStringLiteral("subscriptionTags"), store, &AppDatabase::recurringPurchaseTags,
               &SessionEdit::recurringPurchaseTags, fields.tagIDs,
               [this](const QUuid& id, bool on) { setIdIn(m_form.fields.tagIDs, id, on); }, this));

    auto* notes = new QPlainTextEdit(fields.notes, this);
    notes->setObjectName(QStringLiteral("subscriptionNotes"));
    notes->setTabChangesFocus(true);
    notes->setFixedHeight(70);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.fields.notes = notes->toPlainText(); });
    addRow(QStringLiteral("Notes"), notes);

    // The exceptional dates: a date to add, its refusal under it, the list.
    auto* exceptional = new QWidget(this);
    auto* exceptionalLayout = new QVBoxLayout(exceptional);
    exceptionalLayout->setContentsMargins(0, 0, 0, 0);
    exceptionalLayout->addWidget(theme::label(SubscriptionForm::exceptionalTitle(), "section"));
    exceptionalLayout->addWidget(theme::label(SubscriptionForm::exceptionalHint(), "hint"));
    auto* addRowLayout = new QHBoxLayout;
    addRowLayout->addWidget(new QLabel(SubscriptionForm::exceptionalDateLabel(), exceptional));
    m_exceptionalDate = dateEdit(QStringLiteral("subscriptionExceptionalDate"),
                                 SubscriptionForm::exceptionalDateLabel(), exceptional);
    m_exceptionalDate->setDate(m_store.clock().now().toLocalTime().date());
    addRowLayout->addWidget(m_exceptionalDate);
    auto* add =
        new QPushButton(symbolIcon(QStringLiteral("plus")), QStringLiteral("Ajouter"), exceptional);
    add->setObjectName(QStringLiteral("subscriptionExceptionalAdd"));
    connect(add, &QPushButton::clicked, this, &SubscriptionFormSheet::addExceptional);
    addRowLayout->addWidget(add);
    addRowLayout->addStretch();
    exceptionalLayout->addLayout(addRowLayout);
    m_exceptionalError = settingslayout::errorLabel(QStringLiteral("subscriptionExceptionalError"));
    m_exceptionalError->setWordWrap(true);
    exceptionalLayout->addWidget(m_exceptionalError);
    m_exceptional = new QVBoxLayout;
    exceptionalLayout->addLayout(m_exceptional);
    addBlock(exceptional);

    auto* pauses = new QWidget(this);
    auto* pausesLayout = new QVBoxLayout(pauses);
    pausesLayout->setContentsMargins(0, 0, 0, 0);
    pausesLayout->addWidget(theme::label(SubscriptionForm::pausesTitle(), "section"));
    auto* note = theme::label(SubscriptionForm::pausesNote(), "hint");
    note->setWordWrap(true);
    pausesLayout->addWidget(note);
    m_pauses = new QVBoxLayout;
    pausesLayout->addLayout(m_pauses);
    addBlock(pauses);

    showEnd();
    rebuildExceptional();
    rebuildPauses();
    resize(640, 760);
}

void SubscriptionFormSheet::showEnd() {
    m_end->setEnabled(m_hasEnd->isChecked());
}

void SubscriptionFormSheet::addExceptional() {
    const QDateTime chosen =
        SubscriptionForm::onDay(m_form.fields.startDate, m_exceptionalDate->date());
    const Result<> added = m_form.addExceptionalDate(chosen);
    settingslayout::setMessage(m_exceptionalError, added.ok() ? QString() : added.error());
    if (added.ok())
        rebuildExceptional();
}

void SubscriptionFormSheet::rebuildExceptional() {
    clear(m_exceptional);
    for (const ExceptionalPaymentDate& exceptional :
         std::as_const(m_form.fields.exceptionalDates)) {
        auto* row = new QFrame;
        row->setProperty("role", QStringLiteral("card"));
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(12, 6, 6, 6);
        static const QLocale french(QLocale::French, QLocale::France);
        const QString month = french.toString(exceptional.periodStart.toLocalTime().date(),
                                              QStringLiteral("MMMM yyyy"));
        auto* text = new QLabel(
            month + QStringLiteral(" → ") + formatMediumDate(exceptional.replacementDate), row);
        text->setObjectName(QStringLiteral("subscriptionExceptionalRow"));
        layout->addWidget(text, 1);
        auto* remove = new QToolButton(row);
        remove->setIcon(symbolIcon(QStringLiteral("trash")));
        remove->setToolTip(QStringLiteral("Retirer cette date"));
        remove->setAccessibleName(remove->toolTip());
        remove->setAutoRaise(true);
        const QUuid id = exceptional.id;
        connect(remove, &QToolButton::clicked, this, [this, id] {
            m_form.removeExceptionalDate(id);
            // Later: the row that holds this button goes away.
            QMetaObject::invokeMethod(this, &SubscriptionFormSheet::rebuildExceptional,
                                      Qt::QueuedConnection);
        });
        layout->addWidget(remove);
        m_exceptional->addWidget(row);
        row->show();
    }
}

void SubscriptionFormSheet::rebuildPauses() {
    clear(m_pauses);
    if (m_form.fields.pausePeriods.isEmpty()) {
        auto* empty = theme::label(SubscriptionForm::noPausesText(), "hint");
        empty->setObjectName(QStringLiteral("subscriptionNoPauses"));
        empty->setWordWrap(true);
        m_pauses->addWidget(empty);
        return;
    }
    for (const RecurringPausePeriod& pause : std::as_const(m_form.fields.pausePeriods)) {
        auto* row = new QLabel(SubscriptionForm::pauseRangeText(pause));
        row->setObjectName(QStringLiteral("subscriptionPauseRow"));
        m_pauses->addWidget(row);
    }
}

bool SubscriptionFormSheet::save() {
    if (const QString message = m_form.validate(); !message.isEmpty()) {
        showError(message);
        return false;
    }
    if (const std::optional<Alert> confirmation = m_form.startDateConfirmation();
        confirmation && !confirm(m_dialogs, this, *confirmation))
        return false;
    const QDateTime now = m_store.clock().now();
    if (!applied(m_logo->save(m_store, [&](SessionEdit& edit) { return m_form.apply(edit, now); })))
        return false;
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
