#include "app/qorviewcontroller.h"

#include "game/qorgame.h"

#include <QWindow>

#include <chrono>
#include <climits>

QORViewController::QORViewController(QORGame& game, const QORSettings& settings, QObject* parent)
    : QObject(parent), Animation(game.Cube, settings), Game(game), Settings(settings) {
    Renderer.Cube = &game.Cube;
    // The game's turns are shown in order, each after those before it; the game learns when
    // all are on the screen.
    game.ShowsTurns = true;
    connect(&game, &QORGame::Turned, this, [this](const QORMove& move, bool paced) {
        Animation.AnimateTurn(move, paced);
        Wake();
    });
    connect(&game, &QORGame::CubeReplaced, this, [this] {
        Animation.Replace();
        Wake();
    });
    connect(&Animation, &QORTurnAnimation::Idle, &game, &QORGame::TurnsShown);
    IdleClock = [] {
        using namespace std::chrono;
        return int64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    IdleRotation.Input(IdleClock());
    DrawTimer.setInterval(10);
    DrawTimer.start();
    IdleStart.setSingleShot(true);
    connect(&IdleStart, &QTimer::timeout, this, &QORViewController::Wake);
    // A new game, a stop, an opened file, a turn or the clock's tick.
    connect(&game, &QORGame::ClockChanged, this, &QORViewController::Wake);
    connect(&game, &QORGame::MovesChanged, this, &QORViewController::Wake);
    connect(&game, &QORGame::GameFileChanged, this, &QORViewController::Wake);
}

QORViewController::~QORViewController() {
    Release();
}

bool QORViewController::Init(QWindow* panel) {
    const bool ok = Renderer.InitGL(panel);
    const QSize s = panel->size() * panel->devicePixelRatio();
    Renderer.Resize(s.width(), s.height());
    return ok;
}

void QORViewController::Release() {
    DrawTimer.stop();
    IdleStart.stop();
    Renderer.Cube = nullptr;
    Renderer.Pose = nullptr;
    Renderer.Release();
}

void QORViewController::Resize(int width, int height) {
    Renderer.Resize(width, height);
    Wake();
}

void QORViewController::Expose() {
    Renderer.InvalidateFrame();
    Wake();
}

void QORViewController::Wake() {
    if (Renderer.Cube && !DrawTimer.isActive())
        DrawTimer.start();
}

void QORViewController::KeyDown() {
    IdleRotation.Input(IdleClock());
    Wake();
}

void QORViewController::MouseDown(int x, int y, int shift) {
    PressStoppedRotation = IdleRotation.Active();
    PanelPressed = true;
    IdleRotation.Input(IdleClock());
    Renderer.PassCount = 1;
    Wake();
    // The press picks too: a flick may reach the next sticker with its first move.
    if (!PressStoppedRotation && !Animation.Active())
        if (const std::optional<QORHit> hit = Renderer.MouseDown(x, y, shift))
            Game.Pick(*hit);
}

void QORViewController::MouseMove(int x, int y, int shift) {
    const bool stopsRotation = IdleRotation.Active();
    IdleRotation.Input(IdleClock());
    Wake();
    if (stopsRotation || Animation.Active())
        return;
    if (PressStoppedRotation)
        shift &= ~QORGL::ShiftLeft;
    if (const std::optional<QORHit> hit = Renderer.MouseMove(x, y, shift))
        Game.Pick(*hit);
}

void QORViewController::MouseUp() {
    PanelPressed = false;
    PressStoppedRotation = false;
    IdleRotation.Input(IdleClock());
    Renderer.PassCount = Settings.DrawQuality;
    Wake();
}

void QORViewController::DrawTurn() {
    Renderer.Cube = &Animation.Picture();
    Renderer.Pose = Animation.Frame();
    // A moving picture gets one pass; the timer refines it once the turns are over.
    Renderer.PassCount = 1;
    Renderer.DrawFrame();
    Animation.Drawn();
    if (!Animation.Active()) {
        Renderer.Cube = &Game.Cube;
        Renderer.Pose = nullptr;
    }
}

void QORViewController::DrawTimerTimer() {
    if (!Renderer.Cube)
        return;
    DrawTimer.stop();
    const bool turning = Animation.Active();
    // A timed game keeps the cube still: the player's next drag must hit what they aimed at.
    const bool still = turning || PanelPressed || Game.Playing();
    const float degrees = IdleRotation.Tick(IdleClock(), Settings.IdleTimeout, still);
    if (degrees > 0)
        Renderer.Orbit(degrees);
    const bool moving = PanelPressed || IdleRotation.Active();
    if (turning) {
        DrawTurn();
    } else {
        Renderer.PassCount = moving ? 1 : Settings.DrawQuality;
        if (Renderer.NeedsFrame())
            Renderer.DrawFrame();
    }
    if (moving || Animation.Active() || Renderer.NeedsFrame()) {
        DrawTimer.start();
        return;
    }
    // Nothing can change until input or the game says so, or the idle rotation is due.
    const int64_t due = still ? -1 : IdleRotation.MsUntilStart(IdleClock(), Settings.IdleTimeout);
    if (due >= 0)
        IdleStart.start(int(std::min<int64_t>(due, INT_MAX)));
}
