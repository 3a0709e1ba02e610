#pragma once
// Turns what happens on the drawing panel into the view: mouse routing to the renderer, the
// pass count of a picture that moves or rests, the draw timer and the idle rotation. The game
// hears of releases from the window, after the view has finished with them.

#include "app/qoridlerotation.h"
#include "render/qorgl.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class QORGame;
class QWindow;

class QORViewController : public QObject, public QORRendererLink {
    Q_OBJECT
public:
    QORViewController(QORGame& game, const QORSettings& settings, QObject* parent = nullptr);
    ~QORViewController() override;

    QORGL Renderer;
    // Every 10 ms while the picture can change: an animation, a held button, the idle rotation
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
    void MouseDown(int x, int y, int shift);
    void MouseMove(int x, int y, int shift);
    // Ends a drag and restores the quality's pass count.
    void MouseUp();
    void DrawTimerTimer();
    // Something may have changed the picture: input, a resize, an expose, a setting, the game.
    void Wake();
    // Stops drawing for good and gives up the GL context.
    void Release();

    // A frame of a turn the cube animates. Events other than the player's input are handled
    // between frames, so that a close or a quit signal can stop a long shuffle.
    bool AnimationFrame() override;
    // Set when the program is closing: running turns stop at their next frame.
    bool StopAnimations = false;

private:
    QORGame& Game;
    const QORSettings& Settings;
    bool PanelPressed = false;
    // A press that stopped the idle rotation turns no layer until its release.
    bool PressStoppedRotation = false;
};
