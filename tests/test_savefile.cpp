#include "cube/qorbigcube.h"
#include "cube/qorsavefile.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

float FloatAt(const QByteArray& bytes, int index) {
    const uint32_t bits = qFromLittleEndian<uint32_t>(bytes.constData() + 4 * index);
    float f = 0;
    std::memcpy(&f, &bits, 4);
    return f;
}

bool SamePoints(const QORBigCube& a, const QORBigCube& b) {
    for (int c = 0; c < 27; ++c)
        if (std::memcmp(a.Cubies[c].Points.data(), b.Cubies[c].Points.data(),
                        sizeof(a.Cubies[c].Points)) != 0)
            return false;
    return true;
}

QORBigCube Scrambled() {
    QORBigCube cube;
    cube.RotateStep = 9;
    cube.SeedSource = [] { return uint64_t(99); };
    cube.Reset();
    cube.Shuffle(3000);
    return cube;
}

} // namespace

TEST(SaveFile, solvedCubeStartsWithCubieZeroCentreAndFirstCorner) {
    QTemporaryDir dir;
    QORBigCube cube;
    cube.Reset();
    ASSERT_TRUE(cube.Save(dir.filePath("a.cube")));
    const QByteArray bytes = ReadAll(dir.filePath("a.cube"));
    ASSERT_EQ(bytes.size(), 15876);
    const float expected[6] = {-1.6f, -1.6f, -1.6f, -2.3f, -1.0f, -0.8f};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(FloatAt(bytes, i), expected[i]) << i;
    // Cubie 26's centre is the 147th float from the end of its block.
    EXPECT_EQ(FloatAt(bytes, 147 * 26 + 2), 1.6f);
}

TEST(SaveFile, saveThenLoadIsBitExactAfterThousandsOfTurns) {
    QTemporaryDir dir;
    const QORBigCube saved = Scrambled();
    ASSERT_TRUE(saved.Save(dir.filePath("g.cube")));
    QORBigCube loaded;
    loaded.Reset();
    ASSERT_TRUE(loaded.Load(dir.filePath("g.cube")));
    EXPECT_TRUE(SamePoints(saved, loaded));
    // Colours and flags stay the loader's own.
    EXPECT_EQ(loaded.Cubies[26].Name, 2700u);
}

TEST(SaveFile, badFilesLeaveTheCubeUnchanged) {
    QTemporaryDir dir;
    QORBigCube good;
    good.Reset();
    ASSERT_TRUE(good.Save(dir.filePath("good.cube")));
    const QByteArray bytes = ReadAll(dir.filePath("good.cube"));
    QByteArray nan = bytes;
    const float bad = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(nan.data() + 4 * 100, &bad, 4);
    QByteArray inf = bytes;
    const float huge = std::numeric_limits<float>::infinity();
    std::memcpy(inf.data() + 4 * 3968, &huge, 4);
    WriteAll(dir.filePath("short.cube"), bytes.left(15875));
    WriteAll(dir.filePath("long.cube"), bytes + "x");
    WriteAll(dir.filePath("empty.cube"), QByteArray());
    WriteAll(dir.filePath("nan.cube"), nan);
    WriteAll(dir.filePath("inf.cube"), inf);
    QDir(dir.path()).mkdir("folder.cube");
    const QORBigCube before = Scrambled();
    for (const char* name : {"short.cube", "long.cube", "empty.cube", "nan.cube", "inf.cube",
                             "folder.cube", "missing.cube"}) {
        QORBigCube cube = before;
        QString error;
        EXPECT_FALSE(cube.Load(dir.filePath(name), &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_TRUE(SamePoints(cube, before)) << name;
    }
}

TEST(SaveFile, failedSaveKeepsThePreviousFile) {
    QTemporaryDir dir;
    WriteAll(dir.filePath("plain"), "keep");
    QORBigCube cube;
    cube.Reset();
    QString error;
    EXPECT_FALSE(cube.Save(dir.filePath("plain") + "/sub.cube", &error));
    EXPECT_FALSE(error.isEmpty());
    QDir(dir.path()).mkdir("taken.cube");
    EXPECT_FALSE(cube.Save(dir.filePath("taken.cube")));
    EXPECT_EQ(ReadAll(dir.filePath("plain")), QByteArray("keep"));
    // Over an existing game file, the new one replaces it whole.
    ASSERT_TRUE(cube.Save(dir.filePath("game.cube")));
    const QORBigCube other = Scrambled();
    ASSERT_TRUE(other.Save(dir.filePath("game.cube")));
    EXPECT_EQ(ReadAll(dir.filePath("game.cube")).size(), 15876);
}

TEST(SaveFile, proposedNameIsDayMonthYearThenTime) {
    const QDateTime when(QDate(2026, 12, 5), QTime(13, 38, 54));
    EXPECT_EQ(ProposedGameFileName(when), "05-12-2026--13-38-54.cube");
    EXPECT_EQ(ProposedGameFileName(QDateTime(QDate(2027, 1, 9), QTime(0, 5, 7))),
              "09-01-2027--00-05-07.cube");
}
