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

using namespace Qt::StringLiterals;

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
    write(u"t.cdb"_s, "OLD");
    ASSERT_EQ(::chmod(QFile::encodeName(path(u"t.cdb"_s)).constData(), 0640), 0);
    ASSERT_TRUE(m_fs.writeFileAtomically(path(u"t.cdb"_s), "NEW").ok());
    ASSERT_TRUE(m_fs.copyFile(path(u"t.cdb"_s), path(u"c.cdb"_s)).ok());
    EXPECT_EQ(read(u"t.cdb"_s), "NEW");
    EXPECT_EQ(read(u"c.cdb"_s), "NEW");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path(u"t.cdb"_s)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), (QStringList{u"c.cdb"_s, u"t.cdb"_s}));
}

TEST_F(AtomicWrite, AFailedRenameOrProducerLeavesTheTargetAndNoTemporary) {
    // A non-empty folder cannot be replaced by a file: the rename fails.
    QDir().mkpath(path(u"dossier.cdb/contenu"_s));
    const Result<> renamed = m_fs.writeFileAtomically(path(u"dossier.cdb"_s), "NEW");
    EXPECT_EQ(renamed.error(), u"Le fichier « dossier.cdb » n'a pas pu être enregistré : "
                               "c'est un dossier."_s);

    write(u"t.cdb"_s, "OLD");
    const Result<> produced = m_fs.writeStreamAtomically(path(u"t.cdb"_s), [](QIODevice& out) {
        out.write("HALF");
        return Result<>::failure(u"nombre attendu"_s);
    });
    EXPECT_EQ(produced.error(), u"Le fichier « t.cdb » n'a pas pu être "
                                "enregistré : nombre attendu"_s);
    EXPECT_EQ(read(u"t.cdb"_s), "OLD");
    EXPECT_EQ(entries(), (QStringList{u"dossier.cdb"_s, u"t.cdb"_s}));
}

TEST_F(AtomicWrite, AKillBeforeTheRenameLeavesTheOldFileAndOneLeftoverThatIsRemoved) {
    write(u"t.cdb"_s, "OLD");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile::setBeforeRenameHook([] { ::raise(SIGKILL); });
        LocalFileSystem fs;
        (void)fs.writeFileAtomically(path(u"t.cdb"_s), "NEW");
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(read(u"t.cdb"_s), "OLD");
    const QStringList left = entries().filter(u".t.cdb.velmora-"_s);
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(read(left.first()), "NEW");

    // Look-alikes that are not ours, or not this target's, stay.
    const QStringList others{u".autre.cdb.velmora-Ab12Cd"_s, u".t.cdb.velmora-Ab1"_s,
                             u"t.cdb.Ab12Cd"_s, u"t.cdb.velmora-Ab12Cd"_s, u"notes.txt"_s};
    for (const QString& name : others)
        write(name, "X");
    m_fs.removeWriteLeftovers(m_dir.path(), u"t.cdb"_s);
    QStringList expected = others;
    expected << u"t.cdb"_s;
    expected.sort();
    EXPECT_EQ(entries(), expected);
    m_fs.removeWriteLeftovers(m_dir.path());
    expected.removeOne(u".autre.cdb.velmora-Ab12Cd"_s);
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
        EXPECT_EQ(describeSystemError(c.errnum, u"test"_s), QString::fromUtf8(c.sentence));
    EXPECT_TRUE(saysDiskIsFull(u"Le fichier « a » n'a pas pu être enregistré : "
                               "le disque est plein."_s));
    EXPECT_TRUE(saysDiskIsFull(u"« a » : No space left on device"_s));
    EXPECT_FALSE(saysDiskIsFull(u"l'accès est refusé."_s));
}

} // namespace
