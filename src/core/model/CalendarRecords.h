#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace velmora {

// A personal calendar event.
struct CustomCalendarEvent {
    QUuid id;
    QString title;
    QString notes;
    QDateTime date;
    bool isAllDay = false;
    std::optional<QUuid> customTagID;
    QString location;
    std::optional<qint64> alertMinutes;
    std::optional<QString> recurrence;
    QList<QUuid> linkedClientIDs;
    QList<QUuid> linkedProjectIDs;
    QList<QUuid> linkedDocumentIDs;
    QDateTime createdAt;

    friend bool operator==(const CustomCalendarEvent&, const CustomCalendarEvent&) = default;
};

template <class Io> void describe(Io& io, CustomCalendarEvent& r) {
    io.fallbackFreshId("id", r.id);
    io.required("title", r.title);
    io.fallback("notes", r.notes);
    io.required("date", r.date);
    io.fallback("isAllDay", r.isAllDay);
    io.optional("customTagID", r.customTagID);
    io.fallback("location", r.location);
    io.optional("alertMinutes", r.alertMinutes);
    io.optional("recurrence", r.recurrence);
    io.idsOrLegacy("linkedClientIDs", "linkedClientID", r.linkedClientIDs);
    io.idsOrLegacy("linkedProjectIDs", "linkedProjectID", r.linkedProjectIDs);
    io.idsOrLegacy("linkedDocumentIDs", "linkedDocumentID", r.linkedDocumentIDs);
    io.fallbackNow("createdAt", r.createdAt);
}

struct CustomCalendarTag {
    QUuid id;
    QString name;
    QString hexColor;

    friend bool operator==(const CustomCalendarTag&, const CustomCalendarTag&) = default;
};

template <class Io> void describe(Io& io, CustomCalendarTag& r) {
    io.required("id", r.id);
    io.required("name", r.name);
    io.required("hexColor", r.hexColor);
}

} // namespace velmora
