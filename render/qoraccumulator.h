#pragma once
// Averages the passes of an anti-aliased frame with glAccum's semantics: clear, add the
// colour buffer times a weight, return the sum. Qt cannot ask a window for accumulation bits,
// so where the surface has none the sum is kept in a floating-point framebuffer object instead.
// Every call needs the context current; all calls work on the current viewport.

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

    void Clear();
    void Accumulate(float weight);
    void Return(float value);

    Mode Active() const { return Current; }

private:
    bool EnsureTarget(GLsizei width, GLsizei height);
    void DrawQuad(GLuint texture, float weight) const;

    Mode Wanted;
    Mode Current = Mode::None;
    GLint View[4] = {0, 0, 0, 0};
    GLsizei TargetW = 0, TargetH = 0;
    GLuint Fbo = 0;
    GLuint SumTexture = 0;
    GLuint PassTexture = 0;
};
