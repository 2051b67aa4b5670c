// The desktop's mail service against a fake xdg-email (and xdg-mime) put
// alone on PATH; the fake records the arguments it was started with.

#include "desktop/XdgMailComposer.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

using namespace Qt::StringLiterals;

using namespace velmora;

namespace {

class ScopedVariable {
public:
    explicit ScopedVariable(const char* name)
        : m_name(name), m_was(qEnvironmentVariableIsSet(name)), m_value(qgetenv(name)) {}
    ~ScopedVariable() {
        if (m_was)
            qputenv(m_name, m_value);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_was;
    QByteArray m_value;
};

class XdgMailComposerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("PATH", m_dir.path().toLocal8Bit());
        qunsetenv("MAILER");
        // The record is written whole, then renamed, so that a reader never
        // sees half of it.
        script(u"xdg-email"_s,
               u"printf '%s\\0' \"$@\" > '%1.part' && /bin/mv '%1.part' '%1'\n"_s.arg(log()));
        handler(u"thunderbird.desktop"_s);
    }

    QString log() const { return m_dir.filePath(u"arguments"_s); }
    void script(const QString& name, const QString& body) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // What xdg-mime answers for the mailto: handler.
    void handler(const QString& desktopFile) {
        script(u"xdg-mime"_s, u"echo '%1'\n"_s.arg(desktopFile));
    }

    QStringList recordedArguments() const {
        const QDeadlineTimer deadline(10000);
        while (!QFile::exists(log()) && !deadline.hasExpired())
            QThread::msleep(10);
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList args = QString::fromUtf8(file.readAll()).split(QChar(0));
        args.removeLast(); // after the last terminator
        return args;
    }

    ScopedVariable m_path{"PATH"};
    ScopedVariable m_mailer{"MAILER"};
    QTemporaryDir m_dir;
    XdgMailComposer m_composer;
};

TEST_F(XdgMailComposerTest, HandsTheWholeMessageToXdgEmail) {
    const MailMessage message{
        {u"compta@verdier.fr"_s, u"--help@x.fr"_s, u""_s},
        u"Facture F-3 — Dupont & Fils"_s,
        u"Bonjour,\n\n100 % = 2+2 ; \"ok\" ?\n\nCordialement,\nDupont & Fils"_s,
        m_dir.filePath(u"F 3.pdf"_s)};
    EXPECT_TRUE(m_composer.isAvailable());
    EXPECT_TRUE(m_composer.canCompose(message));
    ASSERT_TRUE(m_composer.compose(message).ok());
    EXPECT_EQ(recordedArguments(),
              (QStringList{u"--utf8"_s, u"--subject"_s, message.subject, u"--body"_s, message.body,
                           u"--attach"_s, message.attachmentPath, u"compta@verdier.fr"_s}))
        << "an address that looks like an option, or none, is left out";
}

TEST_F(XdgMailComposerTest, NeedsXdgEmailAndAMailProgram) {
    const MailMessage message{{}, u"Devis D-1"_s, u"Bonjour,"_s, {}};
    handler(QString());
    EXPECT_TRUE(m_composer.isAvailable());
    EXPECT_FALSE(m_composer.canCompose(message)) << "no mailto: handler";
    qputenv("MAILER", "mutt");
    EXPECT_TRUE(m_composer.canCompose(message)) << "$MAILER is one";

    QFile::remove(m_dir.filePath(u"xdg-email"_s));
    EXPECT_FALSE(m_composer.isAvailable());
    EXPECT_FALSE(m_composer.canCompose(message));
    EXPECT_FALSE(m_composer.compose(message).ok());
}

// A tool that fails at once is heard, whether it is the mail program's or
// the default handler's; one still at work a moment later has taken the job.
TEST_F(XdgMailComposerTest, ToolsThatFailAreToldApart) {
    const MailMessage message{{u"compta@verdier.fr"_s}, u"Devis D-1"_s, u"Bonjour,"_s, {}};
    script(u"xdg-email"_s, u"exit 3\n"_s);
    const Result<> composed = m_composer.compose(message);
    EXPECT_FALSE(composed.ok());
    EXPECT_EQ(composed.error(), u"xdg-email a échoué (code 3)."_s);

    const QUrl pdf = QUrl::fromLocalFile(m_dir.filePath(u"D 1.pdf"_s));
    DesktopUrlOpener opener;
    struct Case {
        const char* name;
        QString body;
        bool opened;
    };
    for (const Case& c : {
             Case{"nothing opens it", u"exit 1\n"_s, false},
             Case{"opened",
                  u"printf '%s\\0' \"$@\" > '%1.part' && /bin/mv '%1.part' '%1'\n"_s.arg(log()),
                  true},
             Case{"still opening", u"exec /bin/sleep 3\n"_s, true},
         }) {
        script(u"xdg-open"_s, c.body);
        EXPECT_EQ(opener.openUrl(pdf), c.opened) << c.name;
    }
    EXPECT_EQ(recordedArguments(), QStringList{pdf.toLocalFile()});
}

} // namespace
