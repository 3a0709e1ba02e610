#pragma once
// A raw GLX pbuffer context for tests that need a framebuffer Qt cannot ask for, such as one
// with a real accumulation buffer. The X headers stay inside the source file: their macros
// clash with Qt's.

#include <memory>

class GlxOffscreen {
public:
    GlxOffscreen(int width, int height, bool withAccumulation);
    ~GlxOffscreen();
    GlxOffscreen(const GlxOffscreen&) = delete;
    GlxOffscreen& operator=(const GlxOffscreen&) = delete;

    bool IsValid() const;
    int AccumulationBits() const;

private:
    struct Native;
    std::unique_ptr<Native> D;
};
