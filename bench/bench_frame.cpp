// Frame, pass, pick and shuffle costs on the default drawing panel, with the figures that
// matter printed side by side at the end. Run under a display (Xvfb):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quelmora_bench
#include "app/qordrawpanel.h"
#include "render/qorcubedraw.h"
#include "render/qorgl.h"
#include "render/qorstickersymbols.h"

#include <QGuiApplication>
#include <QImage>
#include <QOpenGLContext>
#include <QScreen>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>

namespace {

// The panel left by the main window's tool bars and status bar.
constexpr int PanelW = 478, PanelH = 315;

QORGL* Renderer = nullptr;
QORBigCube* Cube = nullptr;
QORDrawPanel* Panel = nullptr;
QORSettings Settings;

// A picture that changed: a hair's turn of the view, back and forth.
void Nudge() {
    static float sign = 1;
    Renderer->Orbit(sign * 0.01f);
    sign = -sign;
}

// A complete picture of range(0) passes, from its first pass to its last present, as the draw
// timer refines it at rest.
void Frame(benchmark::State& state) {
    Renderer->PassCount = int(state.range(0));
    for (auto _ : state) {
        Nudge();
        do
            Renderer->DrawFrame();
        while (Renderer->Refining());
        glFinish();
    }
}

// The sixteen passes averaged over the whole viewport in one go and presented.
void WholeViewportFrame16(benchmark::State& state) {
    QORAccumulator accum;
    accum.Init();
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    for (auto _ : state) {
        Nudge();
        accum.Clear(v);
        for (int pass = 0; pass < 16; ++pass) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            Renderer->AccPerspective(double(v[2]) / v[3], QORGL::JitterTable[pass][0],
                                     QORGL::JitterTable[pass][1]);
            DrawAll(*Renderer->Cube, false);
            accum.Accumulate(pass + 1);
        }
        accum.Return();
        Renderer->GLContext->swapBuffers(Panel);
        glFinish();
    }
    accum.Release();
}

// One pass as a frame draws it, without averaging or presenting; with range(0), the stickers
// carry their symbols.
void BarePass(benchmark::State& state) {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Renderer->AccPerspective(double(v[2]) / v[3], 0.375, 0.4375);
        DrawAll(*Renderer->Cube, false);
        if (state.range(0))
            DrawStickerSymbols(*Renderer->Cube, nullptr, Renderer->Camera.Eye);
        glFinish();
    }
}

// The same from a corner of the cube, where three faces and the most symbols show.
void CornerPass(benchmark::State& state) {
    const QORCamera start = Renderer->Camera;
    const float e = QORCamera::Distance / std::sqrt(3.0f), u = 1 / std::sqrt(6.0f);
    Renderer->Camera.Eye = {e, e, e};
    Renderer->Camera.Up = {-u, 2 * u, -u};
    BarePass(state);
    Renderer->Camera = start;
}

// One sticker pick, as every left-button move makes it; the picks are cleared so none turns.
void PickAt(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(Renderer->PickAt(PanelW / 2 + 60, PanelH / 2 - 60));
    }
}

// A new game's 30-turn shuffle shown at the default speed, 18 frames a turn in one pass each,
// then the picture at rest refined to the quality range(0).
void Shuffle30(benchmark::State& state) {
    QORBigCube model(&Settings.ColorTable), shown(&Settings.ColorTable);
    model.SeedSource = [] { return uint64_t(3); };
    QORTurnPose pose;
    for (auto _ : state) {
        model.Reset();
        shown.Reset();
        Renderer->Cube = &shown;
        Renderer->Pose = &pose;
        Renderer->PassCount = 1;
        for (const QORMove& move : model.Shuffle(30)) {
            shown.Turn(move);
            pose.Axis = move.Axis;
            for (int i = 0; i < QORBigCube::CubieCount; ++i) {
                const Vec3& o = shown.Cubies[std::size_t(i)].Points[0];
                const float along = move.Axis == 0 ? o.x : move.Axis == 1 ? o.y : o.z;
                pose.Turning[std::size_t(i)] = std::lround(along / 1.6f) == move.Layer;
            }
            for (int step = 1; step <= 18; ++step) {
                pose.Degrees = float(-move.Sense * 5 * (18 - step));
                Renderer->DrawFrame();
            }
        }
        Renderer->Pose = nullptr;
        Renderer->PassCount = int(state.range(0));
        do
            Renderer->DrawFrame();
        while (Renderer->Refining());
        glFinish();
    }
    Renderer->Cube = Cube;
}

// The timer's check that keeps an unchanged picture from being drawn again.
void UnchangedFrameCheck(benchmark::State& state) {
    Renderer->DrawFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(Renderer->NeedsFrame());
}

// The largest difference, per channel, between the refined picture at quality 16 on the
// screen and the mean of the same 16 passes read back one by one.
int RestingPictureDifference() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    std::vector<int> sum(size_t(v[2]) * size_t(v[3]) * 4);
    for (int pass = 0; pass < 16; ++pass) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Renderer->AccPerspective(double(v[2]) / v[3], QORGL::JitterTable[pass][0],
                                 QORGL::JitterTable[pass][1]);
        DrawAll(*Renderer->Cube, false);
        std::vector<unsigned char> one(sum.size());
        glReadPixels(v[0], v[1], v[2], v[3], GL_RGBA, GL_UNSIGNED_BYTE, one.data());
        for (size_t i = 0; i < sum.size(); ++i)
            sum[i] += one[i];
    }
    Renderer->PassCount = 16;
    Nudge();
    Nudge();
    do
        Renderer->DrawFrame();
    while (Renderer->Refining());
    const QImage shown = Panel->screen()->grabWindow(Panel->winId()).toImage().mirrored();
    int worst = 0;
    for (int y = 0; y < v[3]; ++y)
        for (int x = 0; x < v[2]; ++x) {
            const QRgb p = shown.pixel(v[0] + x, v[1] + y);
            const int rgb[3] = {qRed(p), qGreen(p), qBlue(p)};
            for (int c = 0; c < 3; ++c) {
                const int mean = (sum[(size_t(y) * size_t(v[2]) + size_t(x)) * 4 + size_t(c)] + 8) / 16;
                worst = std::max(worst, std::abs(rgb[c] - mean));
            }
        }
    return worst;
}

// Prints the table as usual and keeps each run's time for the ratios at the end.
class Reporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Ms;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            Ms[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
};

} // namespace

BENCHMARK(Frame)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WholeViewportFrame16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BarePass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CornerPass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PickAt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Shuffle30)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UnchangedFrameCheck)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QORDrawPanel panel;
    panel.resize(PanelW, PanelH);
    panel.show();
    if (!QTest::qWaitForWindowExposed(&panel))
        return 1;
    QORBigCube cube(&Settings.ColorTable);
    cube.Reset();
    QORGL renderer;
    renderer.Cube = &cube;
    Cube = &cube;
    if (!renderer.InitGL(&panel))
        return 1;
    renderer.Resize(PanelW, PanelH);
    Renderer = &renderer;
    Panel = &panel;
    benchmark::Initialize(&argc, argv);
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& ms = reporter.Ms;
    const auto ratio = [&ms](const char* a, const char* b, double times = 1) {
        if (ms.count(a) && ms.count(b))
            std::printf("  %-48s %.2f\n", (std::string(a) + " / " + b).c_str(),
                        ms[a] / (ms[b] * times));
    };
    std::printf("\nSide by side (target):\n");
    ratio("Shuffle30/16/real_time", "Shuffle30/1/real_time");
    std::printf("    (at most 1.3)\n");
    ratio("Frame/16/real_time", "BarePass/0/real_time", 16);
    std::printf("    (a complete quality-16 frame per 16 bare passes, at most 1.15)\n");
    ratio("WholeViewportFrame16/real_time", "BarePass/0/real_time", 16);
    std::printf("    (the same averaged over the whole viewport)\n");
    ratio("BarePass/1/real_time", "BarePass/0/real_time");
    ratio("CornerPass/1/real_time", "CornerPass/0/real_time");
    std::printf("    (a pass with the stickers' symbols against a bare one, at most 1.10)\n");
    std::printf("  resting picture at 16 against the mean of its passes: %d units at most (at "
                "most 1)\n",
                RestingPictureDifference());
    benchmark::Shutdown();
    renderer.Release();
    return 0;
}
