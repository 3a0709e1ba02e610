#pragma once
// Keeps the running mean of a frame's jittered passes over one region of the viewport, so
// that the mean of the passes so far can be shown at any time. Where the surface has an
// accumulation buffer the mean lives there; Qt cannot ask a window for one, so otherwise it
// lives in a floating-point framebuffer object. Every call needs the context current.

#include <QtGui/qopengl.h>

class QORAccumulator {
public:
    enum class Mode { Auto, Native, Emulated, None };

    explicit QORAccumulator(Mode wanted = Mode::Auto) : Wanted(wanted) {}
    QORAccumulator(const QORAccumulator&) = delete;
    QORAccumulator& operator=(const QORAccumulator&) = delete;

    // Chooses the real accumulation buffer when the surface has one (or when asked to).
    void Init();
    // Gives back the GL objects; call before the context goes away.
    void Release();

    // Starts a new mean over region (x, y, width, height in window pixels, inside the current
    // viewport); nothing outside it is read or written.
    void Clear(const GLint region[4]);
    // Takes the colour buffer's region as pass number pass (from 1) of the mean.
    void Accumulate(int pass);
    // Writes the mean into the colour buffer's region.
    void Return();

    Mode Active() const { return Current; }

private:
    bool EnsureTarget(GLsizei width, GLsizei height);
    void DrawQuad(GLuint texture) const;
    // Native operations are limited to the region by the scissor test.
    void Scissored(GLenum op, GLfloat value) const;

    Mode Wanted;
    Mode Current = Mode::None;
    GLint View[4] = {0, 0, 0, 0};
    GLint Region[4] = {0, 0, 0, 0};
    GLsizei TargetW = 0, TargetH = 0;
    GLuint Fbo = 0;
    GLuint SumTexture = 0;
    GLuint PassTexture = 0;
};
