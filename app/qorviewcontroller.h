#pragma once
// Turns what happens on the drawing panel into the view: mouse routing to the renderer and
// the stickers it hits to the game, the pass count of a picture that moves or rests, the draw
// timer with the turns it animates, and the idle rotation. The game hears of releases from
// the window, after the view has finished with them.

#include "app/qoridlerotation.h"
#include "app/qorturnanimation.h"
#include "render/qorgl.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class QORGame;
class QWindow;

class QORViewController : public QObject {
    Q_OBJECT
public:
    QORViewController(QORGame& game, const QORSettings& settings, QObject* parent = nullptr);
    ~QORViewController() override;

    QORGL Renderer;
    // The game's turns on their way to the screen.
    QORTurnAnimation Animation;
    // Every 10 ms while the picture can change: a turn shown, a held button, the idle rotation
    // or a picture still being refined; otherwise it sleeps until Wake. Each timeout is one
    // DrawTimerTimer tick, as the window connects it.
    QTimer DrawTimer;
    // Wakes the draw timer when the idle rotation is due to begin.
    QTimer IdleStart;
    QORIdleRotation IdleRotation;
    // Milliseconds of a steady clock for the idle rotation; tests drive it.
    std::function<int64_t()> IdleClock;

    // Creates the GL context on the panel and sizes the view to it; false without GL.
    bool Init(QWindow* panel);
    void Resize(int width, int height);
    // The window system may have lost the picture.
    void Expose();
    void KeyDown();
    // While a turn is shown the pointer neither picks nor turns the view: the picture is not
    // yet where the cube is.
    void MouseDown(int x, int y, int shift);
    void MouseMove(int x, int y, int shift);
    // Ends a drag and restores the quality's pass count.
    void MouseUp();
    void DrawTimerTimer();
    // Something may have changed the picture: input, a resize, an expose, a setting, the game.
    void Wake();
    // Stops drawing for good and gives up the GL context.
    void Release();

private:
    // The game's cube, or the picture of it while a turn is shown.
    void DrawTurn();

    QORGame& Game;
    const QORSettings& Settings;
    bool PanelPressed = false;
    // A press that stopped the idle rotation turns no layer until its release.
    bool PressStoppedRotation = false;
};
