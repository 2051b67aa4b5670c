#include "gui/documents/DocumentSheets.h"

#include "core/platform/Clock.h"
#include "core/store/AppDataStore.h"

#include <QDateEdit>

namespace velmora::gui::documentsheets {

const CommercialDocumentItem* find(const AppDataStore& store, const QUuid& id) {
    for (const CommercialDocumentItem& document : store.documents())
        if (document.id == id)
            return &document;
    return nullptr;
}

QDateEdit* dayField(const QString& name, const Clock& clock, QWidget* parent) {
    auto* field = new QDateEdit(clock.now().toLocalTime().date(), parent);
    field->setObjectName(name);
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return field;
}

QDateTime moment(const QDate& day, const Clock& clock) {
    const QDateTime now = clock.now();
    if (day == now.toLocalTime().date())
        return now;
    return QDateTime(day, QTime(12, 0)).toUTC();
}

} // namespace velmora::gui::documentsheets
