// The anti-aliased frame: refined over several frames, the resting picture is the mean of its
// jittered passes, and sixteen passes soften the cube's edges.
#include "support/shownrenderer.h"

#include "render/qorcubedraw.h"

#include <QScreen>

#include <gtest/gtest.h>

namespace {

// The frame at the given pass count, from an orbited view so that edges are slanted, drawn
// one pass a frame as a slow machine draws it, for as long as the renderer says it refines.
QImage Frame(ShownRenderer& r, int passes) {
    for (int i = 1; i <= 9; ++i)
        r.renderer.MouseMove(i, i * 2, QORGL::ShiftRight);
    r.renderer.PassCount = passes;
    r.renderer.FrameBudgetMs = 0;
    do
        r.renderer.DrawFrame();
    while (r.renderer.Refining());
    // What the screen shows: the back buffer is undefined once presented.
    return r.panel.screen()->grabWindow(r.panel.winId()).toImage();
}

// Rows where the cube's left silhouette pixel is a blend of background and cube.
int SoftSilhouetteRows(const QImage& image) {
    int soft = 0;
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width() && qGray(image.pixel(x, y)) == 0)
            ++x;
        if (x + 2 < image.width() && qGray(image.pixel(x + 2, y)) > 20 &&
            qGray(image.pixel(x, y)) * 10 < qGray(image.pixel(x + 2, y)) * 8)
            ++soft;
    }
    return soft;
}

} // namespace

TEST(Accumulation, aRestingFrameIsTheMeanOfItsJitteredPassesWhichSoftenHardEdgesAndZeroIsBlack) {
    ShownRenderer r(256, 256);
    ASSERT_EQ(r.renderer.AccumulationMode(), QORAccumulator::Mode::Emulated);
    // Byte by byte, bottom row first as GL reads: rows of 256 RGB pixels need no padding.
    const QImage averaged = Frame(r, 16).convertToFormat(QImage::Format_RGB888).mirrored();
    std::vector<int> sum(size_t(averaged.sizeInBytes()));
    std::vector<uint8_t> one(sum.size());
    for (int pass = 0; pass < 16; ++pass) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        r.renderer.AccPerspective(1.0, QORGL::JitterTable[pass][0], QORGL::JitterTable[pass][1]);
        DrawAll(r.cube, false);
        glReadPixels(0, 0, 256, 256, GL_RGB, GL_UNSIGNED_BYTE, one.data());
        for (size_t i = 0; i < sum.size(); ++i)
            sum[i] += one[i];
    }
    int worst = 0;
    for (size_t i = 0; i < sum.size(); ++i)
        worst = std::max(worst, std::abs(averaged.constBits()[i] - (sum[i] + 8) / 16));
    EXPECT_LE(worst, 1);
    const int hard = SoftSilhouetteRows(Frame(r, 1)), soft = SoftSilhouetteRows(Frame(r, 16));
    EXPECT_GT(soft, 40);
    EXPECT_LT(hard * 4, soft) << "quality 1: " << hard << " soft rows, quality 16: " << soft;
    const QImage black = Frame(r, 0);
    for (int y = 0; y < black.height(); y += 7)
        for (int x = 0; x < black.width(); x += 7)
            ASSERT_EQ(qGray(black.pixel(x, y)), 0);
}
