#include "desktop/VdirCalendarStore.h"

#include "core/calendar/CalendarSyncRules.h"
#include "desktop/SystemErrors.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

#include <libical/ical.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace velmora {

namespace {

void (*g_beforeSwapHook)() = nullptr;

const QString kEventSuffix = u".ics"_s;
constexpr char kDefaultColor[] = "#2F6FDE";

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype utcTime(const QDateTime& moment) {
    return icaltime_from_timet_with_zone(moment.toSecsSinceEpoch(), 0,
                                         icaltimezone_get_utc_timezone());
}

icaltimetype dateOf(QDate day) {
    icaltimetype t = icaltime_null_date();
    t.year = day.year();
    t.month = day.month();
    t.day = day.day();
    return t;
}

const char* frequencyText(RecurrenceFrequency frequency) {
    switch (frequency) {
    case RecurrenceFrequency::daily:
        return "FREQ=DAILY";
    case RecurrenceFrequency::weekly:
        return "FREQ=WEEKLY";
    case RecurrenceFrequency::monthly:
        return "FREQ=MONTHLY";
    case RecurrenceFrequency::yearly:
        return "FREQ=YEARLY";
    }
    return "FREQ=DAILY";
}

// The first VEVENT of a file's text, owned with its calendar.
struct ParsedEvent {
    Component root;
    icalcomponent* event = nullptr;
};

ParsedEvent parseEvent(const QByteArray& bytes) {
    ParsedEvent parsed;
    parsed.root.reset(icalparser_parse_string(bytes.constData()));
    if (!parsed.root)
        return parsed;
    if (icalcomponent_isa(parsed.root.get()) == ICAL_VEVENT_COMPONENT)
        parsed.event = parsed.root.get();
    else
        parsed.event = icalcomponent_get_first_component(parsed.root.get(), ICAL_VEVENT_COMPONENT);
    return parsed;
}

// A date counts from local midnight, a floating time as local time.
std::optional<QDateTime> momentOf(icaltimetype t) {
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return std::nullopt;
    if (t.is_date)
        return QDate(t.year, t.month, t.day).startOfDay();
    if (!icaltime_is_utc(t) && !t.zone)
        return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
    return QDateTime::fromSecsSinceEpoch(
        icaltime_as_timet_with_zone(t, icaltimezone_get_utc_timezone()), Qt::UTC);
}

std::optional<QDateTime> startOf(const QByteArray& bytes) {
    const ParsedEvent parsed = parseEvent(bytes);
    if (!parsed.event)
        return std::nullopt;
    return momentOf(icalcomponent_get_dtstart(parsed.event));
}

std::optional<QDateTime> stampOf(const QByteArray& bytes) {
    const ParsedEvent parsed = parseEvent(bytes);
    if (!parsed.event)
        return std::nullopt;
    return momentOf(icalcomponent_get_dtstamp(parsed.event));
}

Result<> systemFailure(const QString& what) {
    return Result<>::failure(describeSystemError(errno, what));
}

bool removeTree(const QString& path) {
    return !QFileInfo::exists(path) || QDir(path).removeRecursively();
}

bool syncPath(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool writeSynced(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    return ::fsync(file.handle()) == 0;
}

bool linkFile(const QString& from, const QString& to) {
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Swaps two folders at once; where the file system cannot, moves the old one
// aside first (recover() puts it back if the process dies in between).
bool swapFolders(const QString& staging, const QString& folder, const QString& aside) {
    const QByteArray a = QFile::encodeName(staging);
    const QByteArray b = QFile::encodeName(folder);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0) {
        // The staging folder now holds the previous content; a leftover is
        // cleared by recover().
        QDir(staging).removeRecursively();
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    const QByteArray c = QFile::encodeName(aside);
    if (::rename(b.constData(), c.constData()) != 0)
        return false;
    if (::rename(a.constData(), b.constData()) != 0) {
        const int saved = errno;
        ::rename(c.constData(), b.constData());
        errno = saved;
        return false;
    }
    QDir(aside).removeRecursively();
    return true;
}

// One VEVENT of the store's events, with `stamp` as its DTSTAMP.
icalcomponent* veventOf(const CalendarStoreEvent& event, const QDateTime& stamp) {
    icalcomponent* vevent = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_set_uid(vevent, event.uid.toUtf8().constData());
    icalcomponent_set_dtstamp(vevent, utcTime(stamp));
    icalcomponent_set_summary(vevent, event.title.toUtf8().constData());
    if (event.allDay) {
        // DTEND of a day is exclusive: the day after the last one.
        const QDate first = event.start.toLocalTime().date();
        const QDate last = std::max(first, event.end.toLocalTime().date());
        icalcomponent_set_dtstart(vevent, dateOf(first));
        icalcomponent_set_dtend(vevent, dateOf(last.addDays(1)));
    } else {
        icalcomponent_set_dtstart(vevent, utcTime(event.start));
        icalcomponent_set_dtend(vevent, utcTime(std::max(event.start, event.end)));
    }
    if (!event.notes.isEmpty())
        icalcomponent_set_description(vevent, event.notes.toUtf8().constData());
    if (!event.location.isEmpty())
        icalcomponent_set_location(vevent, event.location.toUtf8().constData());
    if (event.recurrence)
        icalcomponent_add_property(vevent, icalproperty_new_rrule(icalrecurrencetype_from_string(
                                               frequencyText(*event.recurrence))));
    if (event.alarmOffsetSeconds) {
        icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm,
                                   icalproperty_new_description(event.title.toUtf8().constData()));
        icalcomponent_add_property(alarm, icalproperty_new_trigger(icaltriggertype_from_int(
                                              static_cast<int>(*event.alarmOffsetSeconds))));
        icalcomponent_add_component(vevent, alarm);
    }
    return vevent;
}

QString stagingOf(const QString& root, const QString& id) {
    return root + u"/."_s + id + u".velmora-new"_s;
}
QString asideOf(const QString& root, const QString& id) {
    return root + u"/."_s + id + u".velmora-old"_s;
}

bool isSafeId(const QString& id) {
    return !id.isEmpty() && !id.startsWith(u'.') && !id.contains(u'/');
}

} // namespace

VdirCalendarStore::VdirCalendarStore(QString root, const Clock& clock)
    : m_root(std::move(root)), m_clock(clock) {}

QString VdirCalendarStore::defaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/calendars"_s;
}

void VdirCalendarStore::setBeforeSwapHook(void (*hook)()) {
    g_beforeSwapHook = hook;
}

QString VdirCalendarStore::folderOf(const QString& id) const {
    return m_root + u'/' + id;
}

void VdirCalendarStore::recover(const QString& id) const {
    const QString folder = folderOf(id);
    const QString aside = asideOf(m_root, id);
    if (!QFileInfo::exists(folder) && QFileInfo::exists(aside))
        QDir().rename(aside, folder);
    removeTree(aside);
    removeTree(stagingOf(m_root, id));
}

Result<QList<CalendarInfo>> VdirCalendarStore::calendars() const {
    QList<CalendarInfo> list;
    const QDir root(m_root);
    if (!root.exists())
        return list;
    for (const QString& id : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (const std::optional<CalendarInfo> info = calendar(id))
            list.append(*info);
    }
    return list;
}

std::optional<CalendarInfo> VdirCalendarStore::calendar(const QString& id) const {
    if (!isSafeId(id))
        return std::nullopt;
    recover(id);
    const QFileInfo folder(folderOf(id));
    if (!folder.isDir())
        return std::nullopt;
    QFile name(folder.filePath() + u"/displayname"_s);
    QString title;
    if (name.open(QIODevice::ReadOnly))
        title = QString::fromUtf8(name.readAll()).trimmed();
    return CalendarInfo{id, title.isEmpty() ? id : title, folder.isWritable()};
}

Result<CalendarInfo> VdirCalendarStore::createCalendar(const QString& title) {
    const QString what = u"la création du calendrier « %1 »"_s.arg(title);
    if (!QDir().mkpath(m_root))
        return systemFailure(what);
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    // Built aside, then renamed in, so that a listed calendar always has its
    // name.
    const QString staging = stagingOf(m_root, id);
    if (!QDir().mkpath(staging))
        return systemFailure(what);
    if (!writeSynced(staging + u"/displayname"_s, title.toUtf8()) ||
        !writeSynced(staging + u"/color"_s, kDefaultColor) ||
        ::rename(QFile::encodeName(staging).constData(),
                 QFile::encodeName(folderOf(id)).constData()) != 0) {
        const Result<> failure = systemFailure(what);
        removeTree(staging);
        return failure;
    }
    syncPath(m_root);
    return CalendarInfo{id, title, true};
}

Result<> VdirCalendarStore::beginRun(const QString& calendarId) {
    m_runCalendar.clear();
    m_current.clear();
    m_staged.clear();
    if (!calendar(calendarId))
        return Result<>::notFound(QString::fromUtf16(calendarsync::kCalendarMissing));
    const QDir folder(folderOf(calendarId));
    for (const QString& name :
         folder.entryList({u"*"_s + kEventSuffix}, QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return systemFailure(u"la lecture du calendrier"_s);
        m_current.insert(name, file.readAll());
    }
    m_staged = m_current;
    m_runCalendar = calendarId;
    return Result<>::success();
}

Result<int> VdirCalendarStore::removeEvents(const QDateTime& from, const QDateTime& to) {
    if (m_runCalendar.isEmpty())
        return Result<int>::failure(u"Aucune synchronisation n’est en cours."_s);
    int removed = 0;
    for (auto it = m_staged.begin(); it != m_staged.end();) {
        const std::optional<QDateTime> start = startOf(it.value());
        if (start && *start >= from && *start < to) {
            it = m_staged.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

Result<> VdirCalendarStore::saveEvent(const CalendarStoreEvent& event) {
    if (m_runCalendar.isEmpty())
        return Result<>::failure(u"Aucune synchronisation n’est en cours."_s);
    if (event.uid.trimmed().isEmpty() || !event.start.isValid() || !event.end.isValid())
        return Result<>::invalid(
            u"L’événement « %1 » n’a pas d’identifiant ou de date valide."_s.arg(event.title));
    const QString name = fileNameFor(event.uid);
    // The stamp of the file already there is kept when nothing else changed,
    // so that an unchanged event keeps the same bytes.
    const auto current = m_current.constFind(name);
    if (current != m_current.constEnd()) {
        if (const std::optional<QDateTime> stamp = stampOf(current.value())) {
            QByteArray same = eventText(event, *stamp);
            if (same == current.value()) {
                m_staged.insert(name, std::move(same));
                return Result<>::success();
            }
        }
    }
    m_staged.insert(name, eventText(event, m_clock.now()));
    return Result<>::success();
}

Result<> VdirCalendarStore::commit() {
    if (m_runCalendar.isEmpty())
        return Result<>::failure(u"Aucune synchronisation n’est en cours."_s);
    const QString id = m_runCalendar;
    const QString what = u"l’enregistrement du calendrier"_s;
    const QString folder = folderOf(id);
    const QString staging = stagingOf(m_root, id);
    removeTree(staging);
    auto fail = [&]() {
        const Result<> failure = systemFailure(what);
        removeTree(staging);
        return failure;
    };
    if (!QDir().mkpath(staging))
        return fail();
    // Files other than events (name, colour, a sync tool's own) go over as
    // they are.
    const QDir source(folder);
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        if (!name.endsWith(kEventSuffix) && !linkFile(source.filePath(name), staging + u'/' + name))
            return fail();
    }
    for (auto it = m_staged.cbegin(); it != m_staged.cend(); ++it) {
        const QString target = staging + u'/' + it.key();
        const auto before = m_current.constFind(it.key());
        const bool unchanged = before != m_current.constEnd() && before.value() == it.value();
        if (!(unchanged && linkFile(source.filePath(it.key()), target)) &&
            !writeSynced(target, it.value()))
            return fail();
    }
    if (!syncPath(staging))
        return fail();
    if (g_beforeSwapHook)
        g_beforeSwapHook();
    if (!swapFolders(staging, folder, asideOf(m_root, id)))
        return fail();
    syncPath(m_root);
    m_runCalendar.clear();
    m_current.clear();
    m_staged.clear();
    return Result<>::success();
}

QString VdirCalendarStore::fileNameFor(const QString& uid) {
    static const QRegularExpression plain(u"^[A-Za-z0-9@_-][A-Za-z0-9@._-]{0,200}$"_s);
    if (plain.match(uid).hasMatch())
        return uid + kEventSuffix;
    return QString::fromLatin1(
               QCryptographicHash::hash(uid.toUtf8(), QCryptographicHash::Sha1).toHex()) +
           kEventSuffix;
}

QByteArray VdirCalendarStore::eventText(const CalendarStoreEvent& event, const QDateTime& stamp) {
    return calendarText({event}, stamp);
}

QByteArray VdirCalendarStore::calendarText(const QList<CalendarStoreEvent>& events,
                                           const QDateTime& stamp) {
    Component root(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(root.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(root.get(), icalproperty_new_prodid("-//Velmora//Velmora Core//FR"));
    for (const CalendarStoreEvent& event : events)
        icalcomponent_add_component(root.get(), veventOf(event, stamp));
    char* text = icalcomponent_as_ical_string_r(root.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace velmora
