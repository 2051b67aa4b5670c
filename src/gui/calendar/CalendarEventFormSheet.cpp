#include "gui/calendar/CalendarEventFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/calendar/CalendarLinkPicker.h"
#include "gui/common/TagChips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace velmora::gui {

using namespace Qt::StringLiterals;

CalendarEventFormSheet::CalendarEventFormSheet(AppDataStore& store, CalendarEventForm model,
                                               QWidget* parent)
    : FormSheet(u"calendarEventForm"_s, model.sheetTitle(), parent), m_store(store),
      m_form(std::move(model)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setSaveText(m_form.saveButtonText());

    m_title = new QLineEdit(m_form.title, this);
    m_title->setObjectName(u"calendarEventTitle"_s);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.title = text;
        showError(QString());
    });
    addRow(u"Titre"_s, m_title);

    auto* date = new QDateEdit(m_form.day, this);
    date->setObjectName(u"calendarEventDate"_s);
    date->setCalendarPopup(true);
    date->setDisplayFormat(u"dd/MM/yyyy"_s);
    connect(date, &QDateEdit::dateChanged, this, [this](QDate day) { m_form.day = day; });
    addRow(u"Date"_s, date);

    auto* allDay = new QCheckBox(u"Journée entière"_s, this);
    allDay->setObjectName(u"calendarEventAllDay"_s);
    allDay->setChecked(m_form.isAllDay);
    addRow(QString(), allDay);

    m_time = new QTimeEdit(m_form.time, this);
    m_time->setObjectName(u"calendarEventTime"_s);
    m_time->setDisplayFormat(u"HH:mm"_s);
    connect(m_time, &QTimeEdit::timeChanged, this, [this](QTime time) { m_form.time = time; });
    addRow(u"Heure"_s, m_time);
    form()->setRowVisible(m_time, !m_form.isAllDay);
    connect(allDay, &QCheckBox::toggled, this, [this](bool on) {
        m_form.isAllDay = on;
        form()->setRowVisible(m_time, !on);
    });

    auto* place = new QLineEdit(m_form.location, this);
    place->setObjectName(u"calendarEventLocation"_s);
    place->setPlaceholderText(CalendarEventForm::placePlaceholder());
    connect(place, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.location = text; });
    addRow(u"Lieu"_s, place);

    auto* alert = new QComboBox(this);
    alert->setObjectName(u"calendarEventAlert"_s);
    for (const AlertChoice& choice : alertChoices()) {
        alert->addItem(choice.label);
        if (choice.minutes == m_form.alertMinutes)
            alert->setCurrentIndex(alert->count() - 1);
    }
    connect(alert, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_form.alertMinutes = alertChoices().at(index).minutes;
    });
    addRow(u"Alerte"_s, alert);

    auto* repeat = new QComboBox(this);
    repeat->setObjectName(u"calendarEventRepeat"_s);
    for (const RepetitionChoice& choice : repetitionChoices()) {
        repeat->addItem(choice.label);
        if (choice.rule == m_form.recurrence)
            repeat->setCurrentIndex(repeat->count() - 1);
    }
    connect(repeat, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_form.recurrence = repetitionChoices().at(index).rule;
    });
    addRow(u"Répétition"_s, repeat);

    auto* tag = new QComboBox(this);
    tag->setObjectName(u"calendarEventTag"_s);
    tag->addItem(CalendarEventForm::noTagLabel());
    for (const CustomCalendarTag& t : store.session().customCalendarTags) {
        tag->addItem(colorDot(QColor(t.hexColor)), t.name, t.id);
        if (m_form.customTagID == t.id)
            tag->setCurrentIndex(tag->count() - 1);
    }
    connect(tag, &QComboBox::currentIndexChanged, this, [this, tag](int index) {
        const QUuid id = tag->itemData(index).toUuid();
        m_form.customTagID = id.isNull() ? std::nullopt : std::optional(id);
    });
    addRow(u"Tag (facultatif)"_s, tag);

    auto* links = new QHBoxLayout;
    QPushButton* first =
        linkButton(CalendarLink::clients, m_form.linkedClientIDs, u"calendarEventLinkClients"_s);
    links->addWidget(first);
    links->addWidget(linkButton(CalendarLink::projects, m_form.linkedProjectIDs,
                                u"calendarEventLinkProjects"_s));
    links->addWidget(linkButton(CalendarLink::documents, m_form.linkedDocumentIDs,
                                u"calendarEventLinkDocuments"_s));
    links->addStretch();
    addRow(u"Lier à (facultatif)"_s, links, first);

    auto* notes = textBox(m_form.notes, u"calendarEventNotes"_s, this);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.notes = notes->toPlainText(); });
    addRow(u"Notes"_s, notes);
    resize(560, 560);
}

QPushButton* CalendarEventFormSheet::linkButton(CalendarLink link, QList<QUuid>& ids,
                                                const QString& name) {
    auto* button = new QPushButton(calendarLinkSummary(link, ids.size()), this);
    button->setObjectName(name);
    button->setAccessibleName(calendarLinkLabel(link));
    connect(button, &QPushButton::clicked, this, [this, link, &ids, button] {
        auto* picker =
            new CalendarLinkPicker(link, calendarLinkChoices(m_store.session(), link), ids, this);
        picker->setAttribute(Qt::WA_DeleteOnClose);
        connect(picker, &QDialog::accepted, this, [picker, link, &ids, button] {
            ids = picker->chosen();
            button->setText(calendarLinkSummary(link, ids.size()));
        });
        picker->open();
    });
    return button;
}

bool CalendarEventFormSheet::save() {
    if (m_form.title.trimmed().isEmpty()) {
        refuseField(m_title, u"Donnez un titre à l’événement."_s);
        return false;
    }
    const QDateTime now = m_store.clock().now();
    const Result<> result =
        m_store.edit([&](SessionEdit& edit) { return m_form.apply(edit, now); });
    if (!applied(result))
        return false;
    emit saved(m_form.written().id);
    return true;
}

} // namespace velmora::gui
