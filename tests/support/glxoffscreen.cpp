#include "support/glxoffscreen.h"

#include <QOpenGLContext>

#include <GL/glx.h>

struct GlxOffscreen::Native {
    Display* Dpy = nullptr;
    GLXPbuffer Buffer = 0;
    GLXContext Context = nullptr;
};

GlxOffscreen::GlxOffscreen(int width, int height, bool withAccumulation) : D(new Native) {
    // Qt caches which context is current; drop its context first so it makes its own current
    // again when asked.
    if (QOpenGLContext* qt = QOpenGLContext::currentContext())
        qt->doneCurrent();
    D->Dpy = XOpenDisplay(nullptr);
    if (!D->Dpy)
        return;
    const int accum = withAccumulation ? 16 : 0;
    const int attributes[] = {GLX_DRAWABLE_TYPE,
                              GLX_PBUFFER_BIT,
                              GLX_RENDER_TYPE,
                              GLX_RGBA_BIT,
                              GLX_RED_SIZE,
                              8,
                              GLX_GREEN_SIZE,
                              8,
                              GLX_BLUE_SIZE,
                              8,
                              GLX_DEPTH_SIZE,
                              16,
                              GLX_DOUBLEBUFFER,
                              True,
                              GLX_ACCUM_RED_SIZE,
                              accum,
                              GLX_ACCUM_GREEN_SIZE,
                              accum,
                              GLX_ACCUM_BLUE_SIZE,
                              accum,
                              None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(D->Dpy, DefaultScreen(D->Dpy), attributes, &count);
    if (!configs || count == 0)
        return;
    const int pbufferAttributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
    D->Buffer = glXCreatePbuffer(D->Dpy, configs[0], pbufferAttributes);
    D->Context = glXCreateNewContext(D->Dpy, configs[0], GLX_RGBA_TYPE, nullptr, True);
    XFree(configs);
    if (D->Context && !glXMakeContextCurrent(D->Dpy, D->Buffer, D->Buffer, D->Context)) {
        glXDestroyContext(D->Dpy, D->Context);
        D->Context = nullptr;
    }
}

GlxOffscreen::~GlxOffscreen() {
    if (!D->Dpy)
        return;
    glXMakeContextCurrent(D->Dpy, None, None, nullptr);
    if (D->Context)
        glXDestroyContext(D->Dpy, D->Context);
    if (D->Buffer)
        glXDestroyPbuffer(D->Dpy, D->Buffer);
    XCloseDisplay(D->Dpy);
}

bool GlxOffscreen::IsValid() const {
    return D->Context != nullptr;
}

int GlxOffscreen::AccumulationBits() const {
    GLint bits = 0;
    glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
    return bits;
}
