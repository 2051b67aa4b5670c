#pragma once

#include "core/calendar/CalendarEventLinks.h"

#include <QDialog>

class QListWidget;

namespace velmora::gui {

// Chooses the records of one kind a user event is linked to: a search field
// over a list of check boxes, "Annuler" / "Valider".
class CalendarLinkPicker : public QDialog {
    Q_OBJECT

public:
    CalendarLinkPicker(CalendarLink link, const QList<CalendarLinkChoice>& choices,
                       const QList<QUuid>& chosen, QWidget* parent);

    // The checked records, in the list's order; those chosen before that the
    // list no longer holds (a deleted client) are kept.
    QList<QUuid> chosen() const;

private:
    QListWidget* m_list = nullptr;
    QList<QUuid> m_unlisted;
};

} // namespace velmora::gui
