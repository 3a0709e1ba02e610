// Frame, pass and pick costs on the default drawing panel. Run under a display (Xvfb):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quelmora_bench
#include "app/qordrawpanel.h"
#include "render/qorcubedraw.h"
#include "render/qorgl.h"

#include <QGuiApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The panel left by the main window's tool bars and status bar.
constexpr int PanelW = 478, PanelH = 315;

QORGL* Renderer = nullptr;
QORSettings Settings;

void Frame(benchmark::State& state) {
    Renderer->PassCount = int(state.range(0));
    for (auto _ : state) {
        Renderer->DrawFrame();
        glFinish();
    }
}

// One pass as the frame draws it, without averaging or presenting.
void BarePass(benchmark::State& state) {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Renderer->AccPerspective(double(v[2]) / v[3], 0.375, 0.4375);
        DrawAll(*Renderer->Cube, false);
        glFinish();
    }
}

// One sticker pick, as every left-button move makes it; the picks are cleared so none turns.
void PickAt(benchmark::State& state) {
    for (auto _ : state) {
        Renderer->PickAt(PanelW / 2 + 60, PanelH / 2 - 60);
        Renderer->Cube->ClearPicks();
    }
}

// A new game's 30-turn shuffle at 45 degrees a frame: 60 frames of one pass each.
void Shuffle30(benchmark::State& state) {
    Renderer->PassCount = 1;
    Settings.RotateStep = 45;
    for (auto _ : state) {
        Renderer->Cube->Reset();
        Renderer->Cube->Shuffle(30);
        glFinish();
    }
}

// The timer's check that keeps an unchanged picture from being drawn again.
void UnchangedFrameCheck(benchmark::State& state) {
    Renderer->DrawFrame();
    for (auto _ : state)
        benchmark::DoNotOptimize(Renderer->NeedsFrame());
}

} // namespace

BENCHMARK(Frame)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BarePass)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PickAt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Shuffle30)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UnchangedFrameCheck)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QORDrawPanel panel;
    panel.resize(PanelW, PanelH);
    panel.show();
    if (!QTest::qWaitForWindowExposed(&panel))
        return 1;
    QORBigCube cube(&Settings);
    cube.Reset();
    QORGL renderer;
    renderer.Cube = &cube;
    // Each animation step draws a whole frame, as the game's view does.
    struct Frames : QORRendererLink {
        QORGL* Gl = nullptr;
        bool AnimationFrame() override { return Gl->DrawFrame(), true; }
    } frames;
    frames.Gl = &renderer;
    cube.Renderer = &frames;
    if (!renderer.InitGL(&panel))
        return 1;
    renderer.Resize(PanelW, PanelH);
    Renderer = &renderer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    renderer.Release();
    return 0;
}
