#include "fault_support.h"
#include "pipeline_fixture.h"

#include <QProcess>
#include <QRandomGenerator>

namespace morvane {
namespace {

using testing::readFile;

const QString kNoMemory = "Not enough memory to compute the terrain at 16384 x 16384";

class CliFaultTest : public testing::PipelineFixture {
protected:
    struct Run {
        int exitCode = -1; // -1: crashed
        QByteArray out;
        QString errors;
    };
    // `limits` (shell commands such as "ulimit -v 1000") run before the tool.
    Run run(const QStringList& arguments, const QString& limits = {}) {
        QProcess process;
        if (!limits.isEmpty()) {
            QStringList shell{"-c", limits + QStringLiteral("; exec \"$0\" \"$@\""),
                              QStringLiteral(MORVANE_CLI_PATH)};
            process.start("bash", shell + arguments);
        } else {
            process.start(QStringLiteral(MORVANE_CLI_PATH), arguments);
        }
        EXPECT_TRUE(process.waitForFinished(300000));
        Run result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }
    QString file(const QString& name) const { return QDir(root()).filePath(name); }
    QStringList common() const {
        return {"--plugin-dir", paths.pluginDir, "--maps", file("maps"), "--seed", "3"};
    }
    QString preset() const {
        const QString path = file("p.ipf");
        testing::writeFile(path, "I1Type=4\nI1seedNumber=6\n");
        return path;
    }
};

TEST_F(CliFaultTest, APresetWithoutASingleKnownKeyFailsTheRun) {
    QByteArray noise(5 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator random(11);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    noise.replace('=', ' '); // no line can name a key
    const QByteArray texts[] = {"", noise, "colour=red\n"};
    for (const QByteArray& text : texts) {
        const QString path = file("bad.ipf");
        ASSERT_TRUE(testing::writeFile(path, text));
        const Run r = run(QStringList{path, "--size", "16", "--raw", file("h.raw")} + common());
        EXPECT_EQ(r.exitCode, 1) << text.left(20).toStdString();
        EXPECT_TRUE(r.errors.contains("no preset settings found in " + path))
            << r.errors.toStdString();
        EXPECT_FALSE(QFileInfo::exists(file("h.raw")));
    }
}

TEST_F(CliFaultTest, DevicesPipesAndStandardOutputAreWrittenNotReplaced) {
    const QString p = preset();
    const int rawSize = 16 * 16 * 4;

    const Run toStdout = run(QStringList{p, "--size", "16", "--raw", "-"} + common());
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.errors.toStdString();
    EXPECT_EQ(toStdout.out.size(), rawSize);
    EXPECT_FALSE(QFileInfo::exists("-"));

    const QString fifo = file("pipe");
    testing::FifoReader reader(fifo);
    ASSERT_TRUE(reader.isOpen());
    const Run toPipe = run(QStringList{p, "--size", "16", "--raw", fifo} + common());
    EXPECT_EQ(toPipe.exitCode, 0) << toPipe.errors.toStdString();
    EXPECT_EQ(reader.readAll(), toStdout.out);
    EXPECT_TRUE(testing::isFifo(fifo));

    const QString full = file("full");
    if (!testing::makeFullDevice(full))
        GTEST_SKIP() << "device nodes cannot be made here";
    const Run r = run(QStringList{p, "--size", "16", "--heightmap16", full} + common());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains("cannot write " + full)) << r.errors.toStdString();
    EXPECT_TRUE(testing::isCharacterDevice(full));
}

// A file-size limit fails writes with EFBIG as a full disk would: every
// file the tool writes is reported, and the previous one stays whole.
TEST_F(CliFaultTest, AFullDiskFailsEveryWriteAndKeepsThePreviousFiles) {
    const QString p = preset();
    const QString out = file("out");
    const struct {
        QStringList write;
        QString target;
        int limitKb; // room for the pictures of a 256 map (80 KB), not for the 110 KB height map
        QString says;
    } cases[] = {
        {{"--raw", file("h.raw")}, file("h.raw"), 96, "cannot write " + file("h.raw")},
        {{"--heightmap16", file("h.png")}, file("h.png"), 96, "cannot write " + file("h.png")},
        // The log is short: only no room at all fails it.
        {{"--log", file("log.txt")}, file("log.txt"), 0, "cannot write the log " + file("log.txt")},
        // The export's 1024 texture is written into the maps folder first:
        // had that failure gone unnoticed, the export would have copied the
        // previous texture and reported success.
        {{"--export", "t", "--out", out, "--texture-size", "1024"}, out + "/t.obj", 96,
         "The pictures could not be written: " + file("maps/TFFnoisePreview.jpg")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.write.join(' ').toStdString());
        const QStringList arguments = QStringList{p, "--size", "256"} + c.write + common();
        ASSERT_EQ(run(arguments).exitCode, 0);
        const QStringList before = testing::entriesOf(QFileInfo(c.target).path());
        const QByteArray old = readFile(c.target);
        // SIGXFSZ would kill the tool; ignored, the write fails with EFBIG.
        const Run r = run(arguments, QString("trap '' XFSZ; ulimit -f %1").arg(c.limitKb));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.errors.contains(c.says + ": File too large")) << r.errors.toStdString();
        if (c.write[0] != "--log") { // the log records this run, cut at its last whole line
            EXPECT_EQ(readFile(c.target), old);
        }
        EXPECT_EQ(testing::entriesOf(QFileInfo(c.target).path()), before);
    }
}

// The limit leaves room for a 512 export, so it is the size that fails.
TEST_F(CliFaultTest, LargestSizesBeyondTheMemoryLimitFailCleanly) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#else
    const QString limitKb = "ulimit -v " + QString::number(700 * 1024);
    const QString out = file("out");
    const QStringList exportTo = QStringList{preset(), "--export", "t", "--out", out} + common();
    const Run small = run(exportTo + QStringList{"--texture-size", "512"}, limitKb);
    ASSERT_EQ(small.exitCode, 0) << small.errors.toStdString();
    const QByteArray oldObj = readFile(out + "/t.obj"), oldTexture = readFile(out + "/t.jpg");

    for (const QStringList& sizes : {QStringList{"--texture-size", "16384"},
                                     QStringList{"--normal-map", "16384"}}) {
        const Run r = run(exportTo + sizes, limitKb);
        EXPECT_EQ(r.exitCode, 1) << sizes.join(' ').toStdString();
        EXPECT_TRUE(r.errors.contains(kNoMemory)) << r.errors.toStdString();
        EXPECT_EQ(readFile(out + "/t.obj"), oldObj);
        EXPECT_EQ(readFile(out + "/t.jpg"), oldTexture);
        EXPECT_EQ(testing::entriesOf(out), (QStringList{"t.jpg", "t.obj"}));
    }

    // Without maps there is nothing to write: the height map asked for stays.
    const QString raw = file("h.raw");
    ASSERT_TRUE(testing::writeFile(raw, "old heights"));
    const Run big = run(QStringList{preset(), "--size", "16384", "--final", "--raw", raw} + common(),
                        limitKb);
    EXPECT_EQ(big.exitCode, 1);
    EXPECT_TRUE(big.errors.contains(kNoMemory)) << big.errors.toStdString();
    EXPECT_EQ(readFile(raw), "old heights");

    const QString sky = out + "/t_skyDome.jpg";
    ASSERT_EQ(run({"--sky-map", sky, "--sky-size", "256", "--seed", "1"}, limitKb).exitCode, 0);
    const QByteArray oldSky = readFile(sky);
    const Run r = run({"--sky-map", sky, "--sky-size", "16384", "--seed", "1"}, limitKb);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains("Not enough memory for a 16384 x 16384 sky dome map; the "
                                  "previous map is kept."))
        << r.errors.toStdString();
    EXPECT_EQ(readFile(sky), oldSky);
    EXPECT_EQ(testing::entriesOf(out), (QStringList{"t.jpg", "t.obj", "t_skyDome.jpg"}));
#endif
}

} // namespace
} // namespace morvane
