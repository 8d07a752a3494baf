#include "props/pp2_reader.h"

#include "common/random_source.h"
#include "props/obj_model.h"
#include "props/prop_loading.h"
#include "props/prop_preview.h"

#include "pipeline_fixture.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

namespace morvane {
namespace {

using testing::readFile;
using testing::RecordingNotifier;
using testing::ScriptedRandom;
using testing::writeFile;

// A library on disk: <root>/lib/Runtime/Libraries/Props/test/<name>.pp2 and
// its geometry under <root>/lib/Runtime/Geometries; the maps folder beside.
class Pp2ReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        library = m_dir.filePath("lib");
        maps = m_dir.filePath("maps");
        for (const QString& folder : {library + "/Runtime/Libraries/Props/test",
                                      library + "/Runtime/Geometries/Trees", maps})
            ASSERT_TRUE(QDir().mkpath(folder));
        obj = library + "/Runtime/Geometries/Trees/Oak.obj";
        ASSERT_TRUE(writeFile(obj, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
    }
    QString prop(const QByteArray& text) {
        const QString path = library + "/Runtime/Libraries/Props/test/prop.pp2";
        EXPECT_TRUE(writeFile(path, text));
        return path;
    }
    QString tmpObj(int k) const { return maps + "/tmpObj" + QString::number(k) + ".obj"; }

    QTemporaryDir m_dir;
    QString library, maps, obj;
};

const QByteArray kInlineBlock = "prop box\n\t{\n\tstorageOffset 0 0.35 0\n\tgeomCustom\n\t\t{\n"
                                "\t\tnumbVerts 3\n\t\tnumbTVerts 0\n\t\tnumbTSets 0\n"
                                "\t\tnumbElems 1\n\t\tnumbSets 3\n"
                                "\t\tv 0 0 0\n\t\tv 1\t0 0\n\t\tv 0 1 0\n\t\tf 1 2 3\n\t\t}\n\t}\n";

// References take the spelling on disk, whatever case, quotes or trailing blanks.
TEST_F(Pp2ReaderTest, ReferencesAndInlineBlocksBecomeObjPathsInFileOrder) {
    struct Case {
        const char* name;
        QByteArray text;
        int result;
        QStringList objFiles;
    };
    const QString elm = library + "/Runtime/Geometries/Trees/Elm.obj";
    const Case cases[] = {
        {"inline only", "{\nversion\n\t{\n\tnumber 4.01\n\t}\n" + kInlineBlock + "}\n", kPp2Loaded,
         {tmpObj(1)}},
        {"reference", "prop a\n\t{\n\tobjFileGeom 0 0 :Runtime:Geometries:Trees:Oak.obj\n\t}\n",
         kPp2Loaded, {obj}},
        {"figure reference, quoted", "figureResFile \":Runtime:Geometries:Trees:Oak.obj\"\n",
         kPp2Loaded, {obj}},
        {"other case, trailing blanks", "objFileGeom 0 0 :RUNTIME:geometries:TREES:oak.obj  \r\n",
         kPp2Loaded, {obj}},
        {"quoted, other case", "objFileGeom 0 0 \":runtime:Geometries:Trees:Oak.obj\"\n", kPp2Loaded,
         {obj}},
        {"nothing to load", "{\nversion\n\t{\n\tnumber 4.01\n\t}\nprop a\n\t{\n\t}\n}\n",
         kPp2NoReference, {}},
        {"missing obj", "objFileGeom 0 0 :Runtime:Geometries:Trees:Elm.obj\n", kPp2ObjMissing, {elm}},
        {"reference without a runtime path", "objFileGeom 0 0 Elm.obj\n", kPp2ObjMissing, {}},
        {"out of the library", "objFileGeom 0 0 :Runtime:..:..:secret.obj\n", kPp2OutsideLibrary,
         {}},
        {"up and back in", "objFileGeom 0 0 :Runtime:Geometries:..:Geometries:Trees:Oak.obj\n",
         kPp2Loaded, {obj}},
    };
    ASSERT_TRUE(writeFile(m_dir.filePath("secret.obj"), "v 0 0 0\n"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(tmpObj(1));
        const Pp2Read read = readPp2(prop(c.text), maps);
        EXPECT_EQ(read.result, c.result) << read.problem.toStdString();
        EXPECT_EQ(read.objFiles, c.objFiles) << read.objFiles.join(',').toStdString();
        for (const QString& path : read.objFiles)
            EXPECT_EQ(QFileInfo(path).isFile(), c.result == kPp2Loaded) << path.toStdString();
    }
}

TEST_F(Pp2ReaderTest, InlineBlockIsWrittenAsObjWithoutCountsTabsOrBraces) {
    const Pp2Read read = readPp2(prop(kInlineBlock), maps);
    ASSERT_EQ(read.result, kPp2Loaded);
    ASSERT_EQ(read.objFiles, QStringList{tmpObj(1)});
    EXPECT_EQ(readFile(tmpObj(1)), "o tmpObj1\ng default\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");

    // CR LF lines lose their CR too, and the name counts the paths before.
    QByteArray crlf = "objFileGeom 0 0 :Runtime:Geometries:Trees:Oak.obj\n" + kInlineBlock;
    crlf.replace("\n", "\r\n");
    const Pp2Read second = readPp2(prop(crlf), maps);
    ASSERT_EQ(second.result, kPp2Loaded);
    EXPECT_EQ(second.objFiles, QStringList({obj, tmpObj(2)}));
    EXPECT_FALSE(readFile(tmpObj(2)).contains('\r'));
}

TEST_F(Pp2ReaderTest, ReadingStopsAtTheFirstMissingFile) {
    const Pp2Read read =
        readPp2(prop("objFileGeom 0 0 :Runtime:Geometries:Trees:Elm.obj\n" + kInlineBlock), maps);
    EXPECT_EQ(read.result, kPp2ObjMissing);
    EXPECT_EQ(read.problem, library + "/Runtime/Geometries/Trees/Elm.obj");
    EXPECT_FALSE(QFileInfo::exists(tmpObj(1)));
}

TEST_F(Pp2ReaderTest, HugeInlineGeometryIsRefusedAndLeavesNoFile) {
    // Over the limit in many lines, and in one line without a break.
    QByteArray lines = "geomCustom\n{\n";
    for (int i = 0; i < 100; ++i)
        lines += "v 0 0 0\n";
    lines += "}\n";
    EXPECT_EQ(readPp2(prop(lines), maps, 400).result, kPp2InlineTooLarge);
    EXPECT_FALSE(QFileInfo::exists(tmpObj(1)));
    EXPECT_EQ(readPp2(prop(lines), maps, 4000).result, kPp2Loaded);
    QFile::remove(tmpObj(1));

    const QByteArray endless = "geomCustom\n{\nv " + QByteArray(3 * 1024 * 1024, '1');
    EXPECT_EQ(readPp2(prop(endless), maps).result, kPp2InlineTooLarge);
    EXPECT_FALSE(QFileInfo::exists(tmpObj(1)));
    // The limit is over the whole prop, not per block.
    EXPECT_EQ(readPp2(prop(lines + lines), maps, 1000).result, kPp2InlineTooLarge);
}

TEST_F(Pp2ReaderTest, UnreadableFilesAndUnwritableMapsAreReported) {
    EXPECT_EQ(readPp2(library + "/nowhere.pp2", maps).result, kPp2Unreadable);
    EXPECT_EQ(readPp2(prop(kInlineBlock), m_dir.filePath("no/such/maps")).result,
              kPp2InlineNotWritten);
}

TEST(Pp2LibraryRootTest, IsTheFolderAboveTheFirstRuntimeFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"/c/My Library/Runtime/Libraries/Props/a.pp2", "/c/My Library"},
        {"/c/Lib/RUNTIME/Libraries/Runtime/a.pp2", "/c/Lib"},
        {"/c/Runtime2/Props/a.pp2", "/c/Runtime2/Props"}, // no Runtime folder: its own folder
        {"/Runtime/a.pp2", ""},
    };
    for (const auto& [file, root] : cases)
        EXPECT_EQ(pp2LibraryRoot(file), QString(root)) << file;
}

TEST_F(Pp2ReaderTest, PropWithoutRuntimeFolderFindsGeometryBesideIt) {
    const QString loose = m_dir.filePath("loose");
    ASSERT_TRUE(QDir().mkpath(loose + "/Runtime/Geometries"));
    ASSERT_TRUE(writeFile(loose + "/Runtime/Geometries/x.obj", "v 0 0 0\n"));
    ASSERT_TRUE(writeFile(loose + "/x.pp2", "objFileGeom 0 0 :Runtime:Geometries:x.obj\n"));
    const Pp2Read read = readPp2(loose + "/x.pp2", maps);
    EXPECT_EQ(read.result, kPp2Loaded);
    EXPECT_EQ(read.objFiles, QStringList{loose + "/Runtime/Geometries/x.obj"});
}

TEST(PropChoiceTest, ColourChannelsLieBetween150And255Over255) {
    ScriptedRandom random({0, 105, 106 + 50});
    const std::array<float, 3> colour = drawPropColour(random);
    EXPECT_FLOAT_EQ(colour[0], 150.0f / 255.0f);
    EXPECT_FLOAT_EQ(colour[1], 1.0f);
    EXPECT_FLOAT_EQ(colour[2], 200.0f / 255.0f);

    EXPECT_TRUE(propSlotFree(0));
    EXPECT_TRUE(propSlotFree(254)); // the next prop takes slot 255, the table's last
    EXPECT_FALSE(propSlotFree(255));
}

TEST(PropChoiceTest, ThumbnailIsPngElseJpgElseThePlaceholder) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("a.pp2 set");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString none = "/plugin/resources/none.jpg";
    const QString pp2 = folder + "/tree.pp2";
    EXPECT_EQ(propThumbnailFor(pp2, none), none);
    ASSERT_TRUE(writeFile(folder + "/tree.jpg", "x"));
    EXPECT_EQ(propThumbnailFor(pp2, none), folder + "/tree.jpg");
    ASSERT_TRUE(writeFile(folder + "/tree.png", "x"));
    EXPECT_EQ(propThumbnailFor(pp2, none), folder + "/tree.png");

    // Sizes round down to whole Kb.
    ASSERT_TRUE(writeFile(pp2, QByteArray(2047, 'x')));
    EXPECT_TRUE(propInfoText(QFileInfo(pp2)).startsWith("size: 1Kb\ncreated: "));
}

// Every shipped sample prop loads, with a size usable on a 100-unit terrain.
TEST(SamplePropsTest, EveryShippedPropLoadsWithSensibleSize) {
    const QString props = QStringLiteral(MORVANE_SOURCE_DIR) +
                          "/host/content/MORVANE Samples/Runtime/Libraries/Props/MORVANE";
    QTemporaryDir maps;
    QDirIterator files(props, {"*.pp2"}, QDir::Files);
    int count = 0, inlineProps = 0, trees = 0;
    // Poser units to metres (scene units), as the viewport scales props.
    const float metres = 2.4384f;
    while (files.hasNext()) {
        const QString pp2 = files.next();
        SCOPED_TRACE(pp2.toStdString());
        ++count;
        EXPECT_TRUE(QFileInfo(propThumbnailFor(pp2, QString())).isFile());
        const Pp2Read read = readPp2(pp2, maps.path());
        ASSERT_EQ(read.result, kPp2Loaded) << read.problem.toStdString();
        ASSERT_EQ(read.objFiles.size(), 1);
        if (read.objFiles[0].startsWith(maps.path()))
            ++inlineProps;

        ObjFacts facts;
        RecordingNotifier notifier;
        QStringList console;
        const auto model = readObjModel(read.objFiles[0], facts, notifier, console);
        ASSERT_TRUE(model);
        EXPECT_TRUE(console.isEmpty()) << console.join("").toStdString();
        EXPECT_GE(model->triangles.size(), 20u);
        const float height = (facts.boxMax[1] - facts.boxMin[1]) * metres;
        EXPECT_NEAR(facts.boxMin[1], 0.0f, 0.05f); // stands on the ground
        const bool tree = QFileInfo(pp2).baseName().contains("Tree");
        trees += tree;
        EXPECT_GE(height, tree ? 6.0f : 0.2f);
        EXPECT_LE(height, tree ? 10.0f : 7.0f);
    }
    EXPECT_GE(count, 8);
    EXPECT_GE(trees, 2);
    EXPECT_GE(inlineProps, 1);
}

} // namespace
} // namespace morvane
