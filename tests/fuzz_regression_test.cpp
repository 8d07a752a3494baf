// The fuzz targets' promise checks on the inputs kept in the tree: every
// seed of fuzz/corpus and every input that once broke a reader
// (fuzz/regressions), so a regression shows in the normal suite without
// a fuzzing run.

#include "fuzz_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace morvane {
namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

int checkedInputs(const QString& target, Target check) {
    int count = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const QDir dir(QStringLiteral(MORVANE_SOURCE_DIR "/fuzz/%1/%2").arg(kind, target));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray bytes = file.readAll();
            try {
                check(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      std::size_t(bytes.size()));
            } catch (const std::logic_error& broken) {
                ADD_FAILURE() << kind << "/" << target.toStdString() << "/"
                              << name.toStdString() << ": " << broken.what();
            }
            ++count;
        }
    }
    return count;
}

TEST(FuzzRegressionTest, KeptInputsKeepEveryReadersPromises) {
    const struct {
        const char* target;
        Target check;
    } targets[] = {
        {"preset_reader", fuzz::presetReaderOneInput},
        {"obj_reader", fuzz::objReaderOneInput},
        {"pp2_reader", fuzz::pp2ReaderOneInput},
        {"picture_reader", fuzz::pictureReaderOneInput},
        {"file_names", fuzz::fileNamesOneInput},
    };
    for (const auto& t : targets)
        EXPECT_GT(checkedInputs(t.target, t.check), 3) << t.target;
}

} // namespace
} // namespace morvane
