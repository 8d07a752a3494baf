#include "fault_support.h"
#include "pipeline_fixture.h"

#include "common/event_log.h"

#include <QImage>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvane {
namespace {

using testing::entriesOf;
using testing::readFile;
using testing::ScopedFileFault;
using testing::writeFile;

class SafeFileFaultTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Whatever step fails, the old file stays whole, the reason is given and no
// temporary file is left beside it.
TEST_F(SafeFileFaultTest, FailedWritesKeepTheOldFileAndSayWhy) {
    const struct {
        FileStep step;
        int error;
        const char* reason;
    } cases[] = {
        {FileStep::Write, ENOSPC, "No space left on device"},
        {FileStep::Commit, ENOSPC, "No space left on device"},
        {FileStep::Open, EROFS, "Read-only file system"},
    };
    const QString target = path("preset.ipf");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        ASSERT_TRUE(writeFile(target, "old=1\n"));
        ScopedFileFault fault([&](const QString& p, FileStep step) {
            return p == target && step == c.step ? c.error : 0;
        });
        QString reason;
        EXPECT_FALSE(writeFileSafely(target, "new=2\n", &reason));
        EXPECT_EQ(reason, c.reason);
        EXPECT_FALSE(savePictureSafely(QImage(4, 4, QImage::Format_RGB32), target, "PNG", -1,
                                       &reason));
        EXPECT_EQ(readFile(target), "old=1\n");
        EXPECT_EQ(entriesOf(folder()), QStringList{"preset.ipf"});
    }
}

// A file-size limit makes the kernel refuse bytes (EFBIG) as a full disk would.
TEST_F(SafeFileFaultTest, RealWriteFailuresLeaveNoPartFileAndCutTheLogAtAWholeLine) {
    const QString target = path("export.obj");
    ASSERT_TRUE(writeFile(target, "old"));
    FileEventLog log;
    QStringList failures;
    log.setFailureHandler([&](const QString& reason) { failures << reason; });
    ASSERT_TRUE(log.open(path("logFile.txt")));
    log.write("first line\n");

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString reason;
    const bool written = writeFileSafely(target, QByteArray(64 * 1024, 'v'), &reason);
    log.write("a second line that passes the limit\n");
    log.write("third\n");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(readFile(target), "old");
    EXPECT_FALSE(log.writeError().isEmpty());
    EXPECT_EQ(failures, QStringList{log.writeError()}); // told once, not per dropped line
    EXPECT_EQ(readFile(path("logFile.txt")), "first line\n");
    EXPECT_EQ(entriesOf(folder()), (QStringList{"export.obj", "logFile.txt"}));
}

// Pipes and devices are written in place, never replaced by a plain file;
// a folder at the name is refused and left alone.
TEST_F(SafeFileFaultTest, TargetsThatAreNotPlainFilesAreWrittenInPlaceOrRefused) {
    const QString fifo = path("pipe");
    testing::FifoReader reader(fifo);
    ASSERT_TRUE(reader.isOpen());
    EXPECT_TRUE(writeFileSafely(fifo, "through the pipe"));
    EXPECT_EQ(reader.readAll(), "through the pipe");
    EXPECT_TRUE(testing::isFifo(fifo));

    const QString folderTarget = path("taken");
    ASSERT_TRUE(QDir().mkpath(folderTarget + "/inside"));
    QString reason;
    EXPECT_FALSE(writeFileSafely(folderTarget, "x", &reason));
    EXPECT_TRUE(QFileInfo(folderTarget + "/inside").isDir());

    const QString full = path("full");
    if (!testing::makeFullDevice(full))
        GTEST_SKIP() << "device nodes cannot be made here";
    EXPECT_FALSE(writeFileSafely(full, QByteArray(100000, 'x'), &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_TRUE(testing::isCharacterDevice(full));
}

class FileSetTest : public SafeFileFaultTest {
protected:
    void writeOldSet() {
        ASSERT_TRUE(writeFile(path("t.obj"), "old obj"));
        ASSERT_TRUE(writeFile(path("t.jpg"), "old jpg"));
    }
    void expectOldSet() {
        EXPECT_EQ(readFile(path("t.obj")), "old obj");
        EXPECT_EQ(readFile(path("t.jpg")), "old jpg");
    }
    static void stageNewSet(FileSet& set) {
        ASSERT_TRUE(writeFileSafely(set.stage("t.jpg"), "new jpg"));
        ASSERT_TRUE(writeFileSafely(set.stage("NormalMap_t.jpg"), "new normals"));
        ASSERT_TRUE(writeFileSafely(set.stage("t.obj"), "new obj"));
    }
};

TEST_F(FileSetTest, ASetIsPutInPlaceWholeOrNotAtAll) {
    writeOldSet();
    {
        FileSet set(folder());
        ASSERT_TRUE(set.isValid());
        stageNewSet(set);
        expectOldSet(); // nothing changes before the commit
        ASSERT_TRUE(set.commit()) << set.errorString().toStdString();
    }
    EXPECT_EQ(readFile(path("t.obj")), "new obj");
    EXPECT_EQ(entriesOf(folder()), (QStringList{"NormalMap_t.jpg", "t.jpg", "t.obj"}));

    // A set given up (an error, or an exception unwinding) leaves no trace.
    writeOldSet();
    QFile::remove(path("NormalMap_t.jpg"));
    {
        FileSet set(folder());
        stageNewSet(set);
    }
    expectOldSet();
    EXPECT_EQ(entriesOf(folder()), (QStringList{"t.jpg", "t.obj"}));
}

TEST_F(FileSetTest, ACommitThatFailsHalfWayPutsTheOldSetBack) {
    const struct {
        std::function<void()> arrange;
        int failingRename; // 0: none injected
        int error;
        const char* reason;
    } cases[] = {
        {[&] { QDir().mkpath(path("NormalMap_t.jpg") + "/x"); }, 0, 0, "it is not a plain file"},
        {[] {}, 3, ENOSPC, "No space left on device"},
        {[] {}, 1, EROFS, "Read-only file system"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        writeOldSet();
        c.arrange();
        // Renames into the folder, in staging order: t.jpg, NormalMap_t.jpg, t.obj.
        int renames = 0;
        ScopedFileFault fault([&](const QString& p, FileStep step) {
            if (step != FileStep::Commit || QFileInfo(p).dir().path() != folder())
                return 0;
            return ++renames == c.failingRename ? c.error : 0;
        });
        FileSet set(folder());
        stageNewSet(set);
        EXPECT_FALSE(set.commit());
        EXPECT_TRUE(set.errorString().contains(c.reason)) << set.errorString().toStdString();
        expectOldSet();
        EXPECT_FALSE(QFileInfo(path("NormalMap_t.jpg")).isFile());
        QDir(path("NormalMap_t.jpg")).removeRecursively();
    }
    EXPECT_EQ(entriesOf(folder()).filter(".morvane-staging").size(), 0);
}

// A process killed before, during or after its commit leaves its staging
// folder; the next set in that folder finishes or undoes its work so the
// folder again holds one whole set.
TEST_F(FileSetTest, AStagingFolderLeftByADeadProcessIsRecovered) {
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    waitpid(dead, nullptr, 0);
    const QString s = ".morvane-staging-" + QString::number(dead) + "-AbCdEf", staging = path(s);
    const struct {
        const char* when;
        std::vector<std::pair<QString, const char*>> left; // as the killed process left them
        const char* obj;
        const char* jpg;
    } cases[] = {
        {"before the commit",
         {{"t.obj", "old obj"}, {"t.jpg", "old jpg"}, {s + "/t.obj", "new obj"},
          {s + "/t.jpg", "new jpg"}},
         "old obj", "old jpg"},
        {"half-way through the commit",
         {{s + "/.old/t.obj", "old obj"}, {s + "/.old/t.jpg", "old jpg"}, {"t.jpg", "new jpg"},
          {s + "/t.obj", "new obj"}},
         "old obj", "old jpg"},
        {"after the commit",
         {{s + "/.old/t.obj", "old obj"}, {"t.jpg", "new jpg"}, {"t.obj", "new obj"}},
         "new obj", "new jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        QDir(folder()).removeRecursively();
        QDir().mkpath(staging);
        for (const auto& [name, bytes] : c.left) {
            QDir().mkpath(QFileInfo(path(name)).path());
            writeFile(path(name), bytes);
        }
        FileSet set(folder());
        ASSERT_TRUE(set.isValid());
        EXPECT_EQ(readFile(path("t.obj")), c.obj);
        EXPECT_EQ(readFile(path("t.jpg")), c.jpg);
        EXPECT_FALSE(QFileInfo::exists(staging));
    }

    // A set still at work in another set's process, or one too old to name
    // its process, is left alone.
    const QString live = path(".morvane-staging-" + QString::number(getpid()) + "-XyZwVu");
    const QString unnamed = path(".morvane-staging-QrStUv");
    for (const QString& kept : {live, unnamed}) {
        QDir().mkpath(kept);
        writeFile(kept + "/t.obj", "busy");
    }
    FileSet set(folder());
    for (const QString& kept : {live, unnamed})
        EXPECT_EQ(readFile(kept + "/t.obj"), "busy") << kept.toStdString();
}

} // namespace
} // namespace morvane
