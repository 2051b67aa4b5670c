// Atomic writes: the target is the old content or the new, never a mix, and a
// crash leaves only temporaries that the next start recognises as ours.

#include "desktop/AtomicFile.h"
#include "core/platform/FileErrors.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/SystemErrors.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;

namespace {

class AtomicWrite : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir m_dir;
    LocalFileSystem m_fs;
};

TEST_F(AtomicWrite, ReplacesTheTargetKeepingItsPermissionsAndLeavesNothingBeside) {
    write(QStringLiteral("t.cdb"), "OLD");
    ASSERT_EQ(::chmod(QFile::encodeName(path(QStringLiteral("t.cdb"))).constData(), 0640), 0);
    ASSERT_TRUE(m_fs.writeFileAtomically(path(QStringLiteral("t.cdb")), "NEW").ok());
    ASSERT_TRUE(m_fs.copyFile(path(QStringLiteral("t.cdb")), path(QStringLiteral("c.cdb"))).ok());
    EXPECT_EQ(read(QStringLiteral("t.cdb")), "NEW");
    EXPECT_EQ(read(QStringLiteral("c.cdb")), "NEW");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path(QStringLiteral("t.cdb"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("c.cdb"), QStringLiteral("t.cdb")}));
}

TEST_F(AtomicWrite, AFailedRenameOrProducerLeavesTheTargetAndNoTemporary) {
    // A non-empty folder cannot be replaced by a file: the rename fails.
    QDir().mkpath(path(QStringLiteral("dossier.cdb/contenu")));
    const Result<> renamed = m_fs.writeFileAtomically(path(QStringLiteral("dossier.cdb")), "NEW");
    EXPECT_EQ(renamed.error(),
              QStringLiteral("Le fichier « dossier.cdb » n'a pas pu être enregistré : "
                             "c'est un dossier."));

    write(QStringLiteral("t.cdb"), "OLD");
    const Result<> produced =
        m_fs.writeStreamAtomically(path(QStringLiteral("t.cdb")), [](QIODevice& out) {
            out.write("HALF");
            return Result<>::failure(QStringLiteral("nombre attendu"));
        });
    EXPECT_EQ(produced.error(), QStringLiteral("Le fichier « t.cdb » n'a pas pu être "
                                               "enregistré : nombre attendu"));
    EXPECT_EQ(read(QStringLiteral("t.cdb")), "OLD");
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("dossier.cdb"), QStringLiteral("t.cdb")}));
}

TEST_F(AtomicWrite, AKillBeforeTheRenameLeavesTheOldFileAndOneLeftoverThatIsRemoved) {
    write(QStringLiteral("t.cdb"), "OLD");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile::setBeforeRenameHook([] { ::raise(SIGKILL); });
        LocalFileSystem fs;
        (void)fs.writeFileAtomically(path(QStringLiteral("t.cdb")), "NEW");
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(read(QStringLiteral("t.cdb")), "OLD");
    const QStringList left = entries().filter(QStringLiteral(".t.cdb.velmora-"));
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(read(left.first()), "NEW");

    // Look-alikes that are not ours, or not this target's, stay.
    const QStringList others{QStringLiteral(".autre.cdb.velmora-Ab12Cd"),
                             QStringLiteral(".t.cdb.velmora-Ab1"), QStringLiteral("t.cdb.Ab12Cd"),
                             QStringLiteral("t.cdb.velmora-Ab12Cd"), QStringLiteral("notes.txt")};
    for (const QString& name : others)
        write(name, "X");
    m_fs.removeWriteLeftovers(m_dir.path(), QStringLiteral("t.cdb"));
    QStringList expected = others;
    expected << QStringLiteral("t.cdb");
    expected.sort();
    EXPECT_EQ(entries(), expected);
    m_fs.removeWriteLeftovers(m_dir.path());
    expected.removeOne(QStringLiteral(".autre.cdb.velmora-Ab12Cd"));
    EXPECT_EQ(entries(), expected);
}

TEST(SystemErrors, CommonFailuresReadInFrench) {
    const struct {
        int errnum;
        const char* sentence;
    } cases[] = {
        {ENOENT, "le fichier ou le dossier est introuvable."},
        {EISDIR, "c'est un dossier."},
        {EACCES, "l'accès est refusé."},
        {ENOSPC, "le disque est plein."},
        {EROFS, "le disque est en lecture seule."},
        {EIO, "erreur du système de fichiers."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describeSystemError(c.errnum, QStringLiteral("test")),
                  QString::fromUtf8(c.sentence));
    EXPECT_TRUE(saysDiskIsFull(QStringLiteral("Le fichier « a » n'a pas pu être enregistré : "
                                              "le disque est plein.")));
    EXPECT_TRUE(saysDiskIsFull(QStringLiteral("« a » : No space left on device")));
    EXPECT_FALSE(saysDiskIsFull(QStringLiteral("l'accès est refusé.")));
}

} // namespace
