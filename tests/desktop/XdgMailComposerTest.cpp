// The desktop's mail service against a fake xdg-email (and xdg-mime) put
// alone on PATH; the fake records the arguments it was started with.

#include "desktop/XdgMailComposer.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

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
        script(QStringLiteral("xdg-email"),
               QStringLiteral("printf '%s\\0' \"$@\" > '%1.part' && /bin/mv '%1.part' '%1'\n")
                   .arg(log()));
        handler(QStringLiteral("thunderbird.desktop"));
    }

    QString log() const { return m_dir.filePath(QStringLiteral("arguments")); }
    void script(const QString& name, const QString& body) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // What xdg-mime answers for the mailto: handler.
    void handler(const QString& desktopFile) {
        script(QStringLiteral("xdg-mime"), QStringLiteral("echo '%1'\n").arg(desktopFile));
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
        {QStringLiteral("compta@verdier.fr"), QStringLiteral("--help@x.fr"), QStringLiteral("")},
        QStringLiteral("Facture F-3 — Dupont & Fils"),
        QStringLiteral("Bonjour,\n\n100 % = 2+2 ; \"ok\" ?\n\nCordialement,\nDupont & Fils"),
        m_dir.filePath(QStringLiteral("F 3.pdf"))};
    EXPECT_TRUE(m_composer.isAvailable());
    EXPECT_TRUE(m_composer.canCompose(message));
    ASSERT_TRUE(m_composer.compose(message).ok());
    EXPECT_EQ(recordedArguments(),
              (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"), message.subject,
                           QStringLiteral("--body"), message.body, QStringLiteral("--attach"),
                           message.attachmentPath, QStringLiteral("compta@verdier.fr")}))
        << "an address that looks like an option, or none, is left out";
}

TEST_F(XdgMailComposerTest, NeedsXdgEmailAndAMailProgram) {
    const MailMessage message{{}, QStringLiteral("Devis D-1"), QStringLiteral("Bonjour,"), {}};
    handler(QString());
    EXPECT_TRUE(m_composer.isAvailable());
    EXPECT_FALSE(m_composer.canCompose(message)) << "no mailto: handler";
    qputenv("MAILER", "mutt");
    EXPECT_TRUE(m_composer.canCompose(message)) << "$MAILER is one";

    QFile::remove(m_dir.filePath(QStringLiteral("xdg-email")));
    EXPECT_FALSE(m_composer.isAvailable());
    EXPECT_FALSE(m_composer.canCompose(message));
    EXPECT_FALSE(m_composer.compose(message).ok());
}

} // namespace
