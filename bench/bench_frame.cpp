// Frame, pass and pick costs on the default drawing panel. Run under a display (Xvfb):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quelmora_bench
#include "app/qordrawpanel.h"
#include "render/qorgl.h"

#include <QGuiApplication>
#include <QTest>

#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

// The panel left by the main window's tool bars and status bar.
constexpr int PanelW = 478, PanelH = 315;

QORDrawPanel* Panel = nullptr;
QORGL* Renderer = nullptr;

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
        Renderer->AccPerspective(30.0, double(v[2]) / v[3], 2.0, 30.0, 0.375, 0.4375, 0, 0, 1);
        Renderer->Cube->DrawAll(false);
        glFinish();
    }
}

// A 1x1 selection-mode pick at the panel centre, as sticker dragging does it.
void SelectionPick(benchmark::State& state) {
    std::vector<GLuint> buffer(512);
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    for (auto _ : state) {
        glSelectBuffer(GLsizei(buffer.size()), buffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPickMatrix(PanelW / 2.0, PanelH / 2.0, 1, 1, v);
        gluPerspective(30, 1, 1, 100);
        const Vec3 e = Renderer->Camera.Eye, u = Renderer->Camera.Up;
        gluLookAt(e.x, e.y, e.z, 0, 0, 0, u.x, u.y, u.z);
        glMatrixMode(GL_MODELVIEW);
        Renderer->Cube->DrawAll(true);
        benchmark::DoNotOptimize(glRenderMode(GL_RENDER));
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
BENCHMARK(SelectionPick)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UnchangedFrameCheck)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QORDrawPanel panel;
    panel.resize(PanelW, PanelH);
    panel.show();
    if (!QTest::qWaitForWindowExposed(&panel))
        return 1;
    QORGL renderer;
    if (!renderer.InitGL(&panel))
        return 1;
    renderer.Resize(PanelW, PanelH);
    Panel = &panel;
    Renderer = &renderer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    renderer.Release();
    return 0;
}
