#include "core/calendar/CalendarSearch.h"

#include "core/text/SearchFolding.h"

#include <algorithm>

namespace velmora {

QString calendarEventSearchText(const CalendarEventItem& item) {
    QString text;
    for (const QString* part : {&item.title, &item.subtitle, &item.location}) {
        appendFoldedForSearch(text, *part);
        text += u'\n';
    }
    for (const CalendarEventItem& sub : item.subEvents)
        text += calendarEventSearchText(sub);
    return text;
}

QHash<QUuid, QString> calendarSearchTexts(const QList<CalendarEventItem>& items) {
    QHash<QUuid, QString> texts;
    texts.reserve(items.size());
    for (const CalendarEventItem& item : items)
        texts.insert(item.id, calendarEventSearchText(item));
    return texts;
}

QList<CalendarEventItem> searchCalendarEvents(QList<CalendarEventItem> items,
                                              const QHash<QUuid, QString>& texts,
                                              const QString& query) {
    const QStringList words = foldedForSearch(query).simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return items;
    items.removeIf([&](const CalendarEventItem& item) {
        const QString text = texts.value(item.id);
        return !std::all_of(words.cbegin(), words.cend(),
                            [&](const QString& word) { return text.contains(word); });
    });
    return items;
}

} // namespace velmora
