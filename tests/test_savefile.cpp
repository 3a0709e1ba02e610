#include "model/qorbigcube.h"
#include "model/qorsavefile.h"

#include "support/testutil.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <limits>

namespace {

float FloatAt(const QByteArray& bytes, int index) {
    const uint32_t bits = qFromLittleEndian<uint32_t>(bytes.constData() + 4 * index);
    float f = 0;
    std::memcpy(&f, &bits, 4);
    return f;
}

// A well scrambled cube, whose every point a save must keep.
QORBigCube Scrambled() {
    QORBigCube cube;
    cube.SeedSource = [] { return uint64_t(99); };
    cube.Reset();
    cube.Shuffle(3000);
    return cube;
}

} // namespace

TEST(SaveFile, aSaveIsLittleEndianFloatsThatLoadBitForBitAndNothingElseLoadsOrIsOverwritten) {
    QTemporaryDir dir;
    QORBigCube cube;
    cube.Reset();
    ASSERT_TRUE(cube.Save(dir.filePath("a.cube")));
    const QByteArray bytes = ReadAll(dir.filePath("a.cube"));
    ASSERT_EQ(bytes.size(), 15876);
    // Cubie 0's centre, then its point 1; then cubie 26's centre.
    const float expected[6] = {-1.6f, -1.6f, -1.6f, -2.3f, -1.0f, -0.8f};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(FloatAt(bytes, i), expected[i]) << i;
    EXPECT_EQ(FloatAt(bytes, 147 * 26 + 2), 1.6f);
    const QORBigCube before = Scrambled();
    ASSERT_TRUE(before.Save(dir.filePath("g.cube")));
    ASSERT_TRUE(cube.Load(dir.filePath("g.cube")));
    EXPECT_TRUE(SamePoints(before, cube));
    QByteArray nan = bytes, inf = bytes;
    const float bad[2] = {std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity()};
    std::memcpy(nan.data() + 4 * 100, &bad[0], 4);
    std::memcpy(inf.data() + 4 * 3968, &bad[1], 4);
    WriteAll(dir.filePath("short"), bytes.left(15875));
    WriteAll(dir.filePath("long"), bytes + "x");
    WriteAll(dir.filePath("empty"), {});
    WriteAll(dir.filePath("nan"), nan);
    WriteAll(dir.filePath("inf"), inf);
    QDir(dir.path()).mkdir("folder");
    // Cubes no turn can make: a cubie off the grid, two in one place, a shrunk cubie, a tiny cube.
    QORBigCube impossible[4];
    for (QORBigCube& c : impossible)
        c.Reset();
    for (Vec3& p : impossible[0].Cubies[4].Points)
        p.x += 0.5f;
    impossible[1].Cubies[1].Points = impossible[1].Cubies[0].Points;
    for (Vec3& p : impossible[2].Cubies[5].Points)
        p = {p.x * 0.5f - 0.8f, p.y * 0.5f, p.z * 0.5f + 0.8f}; // its centre stays
    for (QORSmallCube& c : impossible[3].Cubies)
        for (Vec3& p : c.Points)
            p = {p.x * 1e-30f, p.y * 1e-30f, p.z * 1e-30f};
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(impossible[i].Save(dir.filePath(QString("cube%1").arg(i))));
    for (const char* name : {"short", "long", "empty", "nan", "inf", "folder", "missing", "cube0",
                             "cube1", "cube2", "cube3"}) {
        QString error;
        EXPECT_FALSE(cube.Load(dir.filePath(name), &error)) << name;
        EXPECT_TRUE(error.contains(QRegularExpression("^[а-я]"))) << name << ": " << error.toStdString();
        EXPECT_TRUE(SamePoints(cube, before)) << name;
    }
    QString error;
    EXPECT_FALSE(cube.Save(dir.filePath("short/sub"), &error) || error.isEmpty());
    EXPECT_FALSE(cube.Save(dir.filePath("folder")));
    EXPECT_EQ(ReadAll(dir.filePath("short")), bytes.left(15875));
}

TEST(SaveFile, proposedNameIsDayMonthYearThenTheTime) {
    EXPECT_EQ(ProposedGameFileName(QDateTime(QDate(2027, 1, 9), QTime(13, 5, 7))),
              "09-01-2027--13-05-07.cube");
}
