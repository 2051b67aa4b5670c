#pragma once

#include "core/calendar/CalendarEventForm.h"
#include "core/calendar/CalendarEventLinks.h"
#include "gui/common/FormSheet.h"

class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace velmora {
class AppDataStore;
} // namespace velmora

namespace velmora::gui {

// "Nouvel événement" / "Modifier l'événement", bound to CalendarEventForm:
// the title, the day and, unless all day, the time, the place, the alert,
// the repetition, the tag, the linked records and the notes.
class CalendarEventFormSheet : public FormSheet {
    Q_OBJECT

public:
    CalendarEventFormSheet(AppDataStore& store, CalendarEventForm model, QWidget* parent);

    const CalendarEventForm& model() const { return m_form; }

signals:
    void saved(const QUuid& eventID);

protected:
    bool save() override;

private:
    QPushButton* linkButton(CalendarLink link, QList<QUuid>& ids, const QString& name);

    AppDataStore& m_store;
    CalendarEventForm m_form;
    QLineEdit* m_title = nullptr;
    QTimeEdit* m_time = nullptr;
};

} // namespace velmora::gui
