#include "render/qorgl.h"
#include "support/glxoffscreen.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

namespace {

constexpr int Side = 256;

// Renders the cube from an orbited view, so edges are slanted, at the given pass count.
QImage RenderCube(QORAccumulator::Mode mode, int passes, QORAccumulator::Mode* active = nullptr) {
    QORGL renderer(mode);
    renderer.SetupCurrentContext();
    renderer.Cube->Reset();
    for (int i = 1; i <= 9; ++i) {
        renderer.Camera.Drag(i, i * 2);
        renderer.Light.Drag(i, i * 2);
    }
    renderer.ApplyLight();
    renderer.ApplyViewport(Side, Side);
    renderer.PassCount = passes;
    renderer.RenderFrame();
    if (active)
        *active = renderer.AccumulationMode();
    QImage image = ReadViewport();
    renderer.Release();
    return image;
}

// Rows where the cube's left silhouette pixel is a blend of background and cube: darker than
// the pixel just inside it by more than shading alone would make it.
int SoftSilhouetteRows(const QImage& image) {
    int soft = 0;
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width() && qGray(image.pixel(x, y)) == 0)
            ++x;
        if (x + 2 >= image.width())
            continue;
        const int edge = qGray(image.pixel(x, y)), inside = qGray(image.pixel(x + 2, y));
        if (inside > 20 && edge * 10 < inside * 8)
            ++soft;
    }
    return soft;
}

int LitPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += qGray(image.pixel(x, y)) > 0;
    return lit;
}

} // namespace

TEST(Accumulation, emulatedSumMatchesRealAccumulationBuffer) {
    GlxOffscreen context(Side, Side, true);
    ASSERT_TRUE(context.IsValid()) << "no GLX framebuffer with accumulation bits";
    ASSERT_GT(context.AccumulationBits(), 0);
    for (int passes : {1, 4, 16}) {
        QORAccumulator::Mode nativeMode, emulatedMode;
        const QImage native = RenderCube(QORAccumulator::Mode::Native, passes, &nativeMode);
        const QImage emulated = RenderCube(QORAccumulator::Mode::Emulated, passes, &emulatedMode);
        ASSERT_EQ(nativeMode, QORAccumulator::Mode::Native);
        ASSERT_EQ(emulatedMode, QORAccumulator::Mode::Emulated);
        EXPECT_LE(MaxChannelDifference(native, emulated), 2) << passes << " passes";
        // Two blank images would agree too; the cube must cover a good part of the frame.
        EXPECT_GT(LitPixels(native), Side * Side / 5);
    }
}

TEST(Accumulation, autoPicksRealBufferOnlyWhereSurfaceHasOne) {
    {
        GlxOffscreen with(64, 64, true);
        ASSERT_TRUE(with.IsValid());
        QORAccumulator a;
        a.Init();
        EXPECT_EQ(a.Active(), QORAccumulator::Mode::Native);
    }
    GlxOffscreen without(64, 64, false);
    ASSERT_TRUE(without.IsValid());
    if (without.AccumulationBits() > 0)
        GTEST_SKIP() << "this GLX offers no framebuffer without accumulation bits";
    QORAccumulator a;
    a.Init();
    EXPECT_EQ(a.Active(), QORAccumulator::Mode::Emulated);
    a.Release();
}

TEST(Accumulation, qualitySixteenBlendsEdgesThatQualityOneLeavesHard) {
    GlxOffscreen context(Side, Side, false);
    ASSERT_TRUE(context.IsValid());
    const QImage one = RenderCube(QORAccumulator::Mode::Emulated, 1);
    const QImage sixteen = RenderCube(QORAccumulator::Mode::Emulated, 16);
    const int hard = SoftSilhouetteRows(one), soft = SoftSilhouetteRows(sixteen);
    EXPECT_GT(soft, 40);
    EXPECT_LT(hard * 4, soft) << "quality 1: " << hard << " soft rows, quality 16: " << soft;
}

TEST(Accumulation, zeroPassesGiveBlackFrame) {
    GlxOffscreen context(Side, Side, false);
    ASSERT_TRUE(context.IsValid());
    const QImage image = RenderCube(QORAccumulator::Mode::Emulated, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            ASSERT_EQ(qGray(image.pixel(x, y)), 0);
}
