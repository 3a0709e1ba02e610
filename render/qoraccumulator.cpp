#include "render/qoraccumulator.h"

#include <initializer_list>

void QORAccumulator::Init() {
    GLint accumBits = 0;
    glGetIntegerv(GL_ACCUM_RED_BITS, &accumBits);
    if (Wanted == Mode::Native || (Wanted == Mode::Auto && accumBits > 0))
        Current = Mode::Native;
    else if (Wanted == Mode::None)
        Current = Mode::None;
    else
        Current = Mode::Emulated;
}

void QORAccumulator::Release() {
    if (Fbo)
        glDeleteFramebuffers(1, &Fbo);
    if (SumTexture)
        glDeleteTextures(1, &SumTexture);
    if (PassTexture)
        glDeleteTextures(1, &PassTexture);
    Fbo = SumTexture = PassTexture = 0;
    TargetW = TargetH = 0;
    Current = Mode::None;
}

bool QORAccumulator::EnsureTarget(GLsizei width, GLsizei height) {
    if (Fbo && width == TargetW && height == TargetH)
        return true;
    if (!Fbo) {
        glGenFramebuffers(1, &Fbo);
        glGenTextures(1, &SumTexture);
        glGenTextures(1, &PassTexture);
    }
    GLint oldTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &oldTexture);
    for (GLuint tex : {SumTexture, PassTexture}) {
        glBindTexture(GL_TEXTURE_2D, tex);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glBindTexture(GL_TEXTURE_2D, PassTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, SumTexture);
    // Three float channels: the window keeps no alpha, and a software rasteriser blends
    // RGB noticeably faster than RGBA.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, width, height, 0, GL_RGB, GL_FLOAT, nullptr);
    glBindFramebuffer(GL_FRAMEBUFFER, Fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, SumTexture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, GLuint(oldTexture));
    TargetW = width;
    TargetH = height;
    if (!complete) {
        // Without a float target the last pass simply stays on screen.
        Release();
        return false;
    }
    return true;
}

// Draws the region's corner of a texture over the whole current viewport, leaving GL state as
// it was. The fixed pipeline keeps the texels exact with nearest sampling at 1:1.
void QORAccumulator::DrawQuad(GLuint texture) const {
    const float s = float(Region[2]) / float(TargetW), t = float(Region[3]) / float(TargetH);
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(s, 0);
    glVertex2f(1, -1);
    glTexCoord2f(s, t);
    glVertex2f(1, 1);
    glTexCoord2f(0, t);
    glVertex2f(-1, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void QORAccumulator::Scissored(GLenum op, GLfloat value) const {
    glPushAttrib(GL_SCISSOR_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(Region[0], Region[1], Region[2], Region[3]);
    if (op == GL_ACCUM_BUFFER_BIT)
        glClear(GL_ACCUM_BUFFER_BIT);
    else
        glAccum(op, value);
    glPopAttrib();
}

void QORAccumulator::Clear(const GLint region[4]) {
    glGetIntegerv(GL_VIEWPORT, View);
    for (int i = 0; i < 4; ++i)
        Region[i] = region[i];
    if (Current == Mode::Native)
        Scissored(GL_ACCUM_BUFFER_BIT, 0);
    if (Current != Mode::Emulated)
        return;
    if (View[2] <= 0 || View[3] <= 0 || !EnsureTarget(View[2], View[3]))
        return;
    GLfloat clearColor[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
    glBindFramebuffer(GL_FRAMEBUFFER, Fbo);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void QORAccumulator::Accumulate(int pass) {
    // The mean of k passes is the new one times 1/k plus the mean of the others times
    // (k - 1)/k: the picture so far can be shown after every pass.
    const float weight = 1.0f / float(pass);
    if (Current == Mode::Native) {
        if (pass > 1)
            Scissored(GL_MULT, 1.0f - weight);
        Scissored(pass > 1 ? GL_ACCUM : GL_LOAD, weight);
        return;
    }
    if (Current != Mode::Emulated || !Fbo)
        return;
    glBindTexture(GL_TEXTURE_2D, PassTexture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, Region[0], Region[1], Region[2], Region[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, Fbo);
    glViewport(0, 0, Region[2], Region[3]);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendColor(0, 0, 0, weight);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    DrawQuad(PassTexture);
    glPopAttrib();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(View[0], View[1], View[2], View[3]);
}

void QORAccumulator::Return() {
    if (Current == Mode::Native) {
        Scissored(GL_RETURN, 1.0f);
        return;
    }
    if (Current != Mode::Emulated || !Fbo)
        return;
    glViewport(Region[0], Region[1], Region[2], Region[3]);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    DrawQuad(SumTexture);
    glPopAttrib();
    glViewport(View[0], View[1], View[2], View[3]);
}
