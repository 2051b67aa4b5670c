// The vdir calendar store: what a run writes is read back by libical and by
// khal, an unchanged event is left as the same file, and a commit that dies
// before its swap leaves the previous calendar whole.

#include "desktop/VdirCalendarStore.h"
#include "core/calendar/CalendarSyncRules.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace velmora;

namespace {

QDateTime utc(int month, int day, int hour, int minute = 0) {
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC);
}

QList<CalendarStoreEvent> sampleEvents() {
    CalendarStoreEvent meeting{
        u"user-1"_s, u"Rendez-vous client"_s, utc(3, 15, 9), utc(3, 15, 10, 30),
        false,       u"Apporter le devis"_s,  u"Lyon"_s,     -86400,
        std::nullopt};
    CalendarStoreEvent invoice{u"invoice-F-001"_s,
                               u"Facture F-001 — échéance"_s,
                               QDateTime(QDate(2026, 3, 20), QTime(0, 30)),
                               QDateTime(QDate(2026, 3, 20), QTime(0, 30)),
                               true,
                               u"[invoice] Dupont — 1 200,00 €"_s,
                               QString(),
                               std::nullopt,
                               std::nullopt};
    CalendarStoreEvent yoga{u"user-2"_s,    u"Yoga"_s, utc(3, 12, 17),
                            utc(3, 12, 18), false,     QString(),
                            QString(),      0,         RecurrenceFrequency::weekly};
    return {meeting, invoice, yoga};
}

struct FileIdentity {
    ino_t inode = 0;
    qint64 mtimeNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity identity(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {st.st_ino, qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class VdirCalendarStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        auto created = m_store.createCalendar(QString::fromUtf16(kAppCalendarTitle));
        ASSERT_TRUE(created.ok()) << created.error().toStdString();
        m_id = created->id;
    }

    QString root() const { return m_dir.path() + u"/calendars"_s; }
    QString eventPath(const QString& uid) const {
        return root() + u'/' + m_id + u'/' + VdirCalendarStore::fileNameFor(uid);
    }

    // One synchronisation: empty the window, write the events, commit.
    int run(const QList<CalendarStoreEvent>& events) {
        EXPECT_TRUE(m_store.beginRun(m_id).ok());
        const SyncWindow window = syncWindow(m_clock.now());
        const Result<int> removed = m_store.removeEvents(window.from, window.to);
        EXPECT_TRUE(removed.ok());
        for (const CalendarStoreEvent& event : events)
            EXPECT_TRUE(m_store.saveEvent(event).ok());
        const Result<> committed = m_store.commit();
        EXPECT_TRUE(committed.ok()) << committed.error().toStdString();
        return removed.ok() ? removed.value() : -1;
    }

    // Runs a tool with its home inside the test's folder.
    QString runTool(const QString& program, const QStringList& arguments,
                    const QByteArray& input = {}) const {
        const QString path = QStandardPaths::findExecutable(program);
        EXPECT_FALSE(path.isEmpty())
            << program.toStdString() << " is installed by scripts/bootstrap";
        QProcess process;
        process.setProcessEnvironment(toolEnvironment());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(path, arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(120'000));
        const QString out = QString::fromUtf8(process.readAll());
        EXPECT_EQ(process.exitCode(), 0) << out.toStdString();
        return out;
    }
    QProcessEnvironment toolEnvironment() const {
        const QString home = m_dir.path() + u"/home"_s;
        QDir().mkpath(home);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home);
        env.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
        env.insert(u"XDG_DATA_HOME"_s, home + u"/.local/share"_s);
        env.insert(u"XDG_CACHE_HOME"_s, home + u"/.cache"_s);
        env.insert(u"TZ"_s, u"Europe/Paris"_s);
        env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        return env;
    }
    void writeFile(const QString& path, const QString& text) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    QTemporaryDir m_dir;
    FixedClock m_clock{utc(3, 10, 12)};
    VdirCalendarStore m_store{root(), m_clock};
    QString m_id;
};

TEST_F(VdirCalendarStoreTest, ListsTheCreatedCalendar) {
    const auto list = m_store.calendars();
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(list->front(), (CalendarInfo{m_id, u"Velmora Core"_s, true}));
    EXPECT_EQ(readAll(root() + u'/' + m_id + u"/displayname"_s), "Velmora Core");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
    EXPECT_EQ(VdirCalendarStore::defaultRoot(), root());
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_FALSE(m_store.calendar(u"absent"_s));
    EXPECT_FALSE(m_store.calendar(u"../calendars"_s));
    const Result<> missing = m_store.beginRun(u"absent"_s);
    EXPECT_EQ(missing.kind(), ResultKind::notFound);
    EXPECT_EQ(missing.error(), QString::fromUtf16(calendarsync::kCalendarMissing));
}

TEST_F(VdirCalendarStoreTest, EventsReadBackWithLibical) {
    EXPECT_EQ(run(sampleEvents()), 0);
    struct Expected {
        const char* uid;
        const char* start;
        const char* end;
        bool allDay;
        const char* description;
        const char* location;
        std::optional<int> trigger;
        const char* rrule;
    };
    const Expected cases[] = {
        {"user-1", "20260315T090000Z", "20260315T103000Z", false, "Apporter le devis", "Lyon",
         -86400, nullptr},
        {"invoice-F-001", "20260320", "20260321", true, "[invoice] Dupont — 1 200,00 €", nullptr,
         std::nullopt, nullptr},
        {"user-2", "20260312T170000Z", "20260312T180000Z", false, nullptr, nullptr, 0,
         "FREQ=WEEKLY"},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.uid);
        const QByteArray text = readAll(eventPath(QString::fromLatin1(c.uid)));
        icalcomponent* root = icalparser_parse_string(text.constData());
        ASSERT_TRUE(root);
        icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
        ASSERT_TRUE(event);
        EXPECT_STREQ(icalcomponent_get_uid(event), c.uid);
        const icaltimetype start = icalcomponent_get_dtstart(event);
        EXPECT_STREQ(icaltime_as_ical_string(start), c.start);
        EXPECT_EQ(bool(start.is_date), c.allDay);
        EXPECT_STREQ(icaltime_as_ical_string(icalcomponent_get_dtend(event)), c.end);
        auto text_or_null = [](const char* s) { return s && *s ? s : nullptr; };
        EXPECT_STREQ(text_or_null(icalcomponent_get_description(event)), c.description);
        EXPECT_STREQ(text_or_null(icalcomponent_get_location(event)), c.location);
        icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
        EXPECT_EQ(alarm != nullptr, c.trigger.has_value());
        if (alarm && c.trigger) {
            icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
            ASSERT_TRUE(trigger);
            EXPECT_EQ(icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration),
                      *c.trigger);
        }
        icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        EXPECT_EQ(rrule != nullptr, c.rrule != nullptr);
        if (rrule && c.rrule) {
            icalrecurrencetype recurrence = icalproperty_get_rrule(rrule);
            EXPECT_STREQ(icalrecurrencetype_as_string(&recurrence), c.rrule);
        }
        icalcomponent_free(root);
    }
    EXPECT_TRUE(readAll(eventPath(u"user-2"_s)).contains("TRIGGER:PT0S"));
}

TEST_F(VdirCalendarStoreTest, AnIdenticalRunRewritesNothing) {
    QList<CalendarStoreEvent> events = sampleEvents();
    run(events);
    QMap<QString, FileIdentity> before;
    for (const CalendarStoreEvent& event : events)
        before.insert(event.uid, identity(eventPath(event.uid)));

    m_clock.set(m_clock.now().addSecs(3600)); // a later stamp would change the bytes
    events[2].title = u"Yoga du soir"_s;
    EXPECT_EQ(run(events), 3);
    EXPECT_EQ(syncCounts(3, 3), (SyncCounts{0, 3}));
    EXPECT_EQ(identity(eventPath(u"user-1"_s)), before.value(u"user-1"_s));
    EXPECT_EQ(identity(eventPath(u"invoice-F-001"_s)), before.value(u"invoice-F-001"_s));
    EXPECT_NE(identity(eventPath(u"user-2"_s)).inode, before.value(u"user-2"_s).inode);
    EXPECT_TRUE(readAll(eventPath(u"user-2"_s)).contains("SUMMARY:Yoga du soir"));
}

TEST_F(VdirCalendarStoreTest, RemovesOnlyWhatStartsInTheWindowAndOnlyAtCommit) {
    run(sampleEvents());
    ASSERT_TRUE(m_store.beginRun(m_id).ok());
    const Result<int> removed = m_store.removeEvents(utc(3, 14, 0), utc(3, 21, 0));
    EXPECT_EQ(removed.value(), 2); // the meeting and the invoice, not the yoga of the 12th
    EXPECT_TRUE(QFile::exists(eventPath(u"user-1"_s))) << "visible before the commit";
    ASSERT_TRUE(m_store.commit().ok());
    EXPECT_FALSE(QFile::exists(eventPath(u"user-1"_s)));
    EXPECT_FALSE(QFile::exists(eventPath(u"invoice-F-001"_s)));
    EXPECT_TRUE(QFile::exists(eventPath(u"user-2"_s)));
    EXPECT_EQ(readAll(root() + u'/' + m_id + u"/displayname"_s), "Velmora Core");
    EXPECT_EQ(QDir(root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{m_id});
}

TEST_F(VdirCalendarStoreTest, AKilledCommitLeavesThePreviousCalendar) {
    run(sampleEvents());
    const QByteArray meeting = readAll(eventPath(u"user-1"_s));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        VdirCalendarStore::setBeforeSwapHook([] { ::raise(SIGKILL); });
        VdirCalendarStore store(root(), m_clock);
        store.beginRun(m_id);
        store.removeEvents(utc(1, 1, 0), utc(12, 31, 0));
        CalendarStoreEvent added = sampleEvents().front();
        added.uid = u"new"_s;
        store.saveEvent(added);
        store.commit();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    const auto list = m_store.calendars();
    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(readAll(eventPath(u"user-1"_s)), meeting);
    EXPECT_TRUE(QFile::exists(eventPath(u"invoice-F-001"_s)));
    EXPECT_FALSE(QFile::exists(eventPath(u"new"_s)));
    EXPECT_EQ(run(sampleEvents()), 3) << "the next run works over the leftover";
    EXPECT_EQ(QDir(root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{m_id});
}

TEST(VdirCalendarEventText, FoldsLongLinesBetweenCharacters) {
    CalendarStoreEvent event = sampleEvents().front();
    event.notes = u"Réunion « équipe » — café €"_s.repeated(12);
    const QByteArray text = VdirCalendarStore::eventText(event, utc(3, 1, 8));
    for (const QByteArray& line : text.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.toStdString(); // 75 octets and the CR
        EXPECT_TRUE(QString::fromUtf8(line).toUtf8() == line) << line.toStdString();
    }
}

TEST_F(VdirCalendarStoreTest, KhalListsTheEvents) {
    run(sampleEvents());
    const QString config = m_dir.path() + u"/khal.conf"_s;
    writeFile(config,
              u"[calendars]\n[[velmora]]\npath = %1\ntype = calendar\n"
              "[locale]\nlocal_timezone = Europe/Paris\ndefault_timezone = Europe/Paris\n"
              "timeformat = %H:%M\ndateformat = %Y-%m-%d\nlongdateformat = %Y-%m-%d\n"
              "datetimeformat = %Y-%m-%d %H:%M\nlongdatetimeformat = %Y-%m-%d %H:%M\n"
              "[sqlite]\npath = %2\n"_s.arg(root() + u'/' + m_id, m_dir.path() + u"/khal.db"_s));
    const QString out =
        runTool(u"khal"_s, {u"-c"_s, config, u"list"_s, u"--format"_s, u"{start} {title}"_s,
                            u"2026-03-11"_s, u"2026-03-21"_s});
    EXPECT_TRUE(out.contains(u"2026-03-15 10:00 Rendez-vous client"_s)) << out.toStdString();
    EXPECT_TRUE(out.contains(u"2026-03-20 Facture F-001 — échéance"_s)) << out.toStdString();
    EXPECT_TRUE(out.contains(u"2026-03-12 18:00 Yoga"_s)) << out.toStdString();
    EXPECT_TRUE(out.contains(u"2026-03-19 18:00 Yoga"_s)) << "the weekly rule" << out.toStdString();
}

// vdirsyncer sends the calendar to a CalDAV server (Radicale on the loopback)
// and, after a run that changed one event, uploads only that one.
TEST_F(VdirCalendarStoreTest, VdirsyncerUploadsOnlyWhatChanged) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    const QString serverFolder = m_dir.path() + u"/radicale"_s;
    QProcess server;
    server.setProcessEnvironment(toolEnvironment());
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(QStandardPaths::findExecutable(u"radicale"_s),
                 {u"--server-hosts"_s, u"127.0.0.1:%1"_s.arg(port),
                  u"--storage-filesystem-folder"_s, serverFolder, u"--auth-type"_s, u"none"_s,
                  u"--rights-type"_s, u"authenticated"_s});
    ASSERT_TRUE(server.waitForStarted());
    QTcpSocket socket;
    for (int i = 0; i < 100 && socket.state() != QAbstractSocket::ConnectedState; ++i) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(100))
            QThread::msleep(100);
    }
    ASSERT_EQ(socket.state(), QAbstractSocket::ConnectedState) << server.readAll().toStdString();
    socket.close();

    QList<CalendarStoreEvent> events = sampleEvents();
    run(events);
    const QString config = m_dir.path() + u"/vdirsyncer.conf"_s;
    writeFile(config, u"[general]\nstatus_path = \"%1/status/\"\n"
                      "[pair velmora]\na = \"local\"\nb = \"remote\"\n"
                      "collections = [\"from a\"]\nconflict_resolution = \"a wins\"\n"
                      "[storage local]\ntype = \"filesystem\"\npath = \"%2/\"\n"
                      "fileext = \".ics\"\n[storage remote]\ntype = \"caldav\"\n"
                      "url = \"http://127.0.0.1:%3/\"\nusername = \"moi\"\n"
                      "password = \"x\"\n"_s.arg(m_dir.path(), root())
                          .arg(port));
    runTool(u"vdirsyncer"_s, {u"-c"_s, config, u"discover"_s}, "y\n");
    const QString first = runTool(u"vdirsyncer"_s, {u"-c"_s, config, u"sync"_s});
    EXPECT_EQ(first.count(u"Copying (uploading)"_s), 3) << first.toStdString();
    EXPECT_EQ(QDir(serverFolder + u"/collection-root/moi/"_s + m_id)
                  .entryList({u"*.ics"_s}, QDir::Files)
                  .size(),
              3);

    m_clock.set(m_clock.now().addSecs(3600));
    events[0].location = u"Villeurbanne"_s;
    run(events);
    const QString second = runTool(u"vdirsyncer"_s, {u"-c"_s, config, u"sync"_s});
    EXPECT_EQ(second.count(u"Copying"_s), 1) << second.toStdString();
    EXPECT_TRUE(second.contains(u"Copying (updating) item user-1"_s)) << second.toStdString();
    server.terminate();
    server.waitForFinished();
}

} // namespace
