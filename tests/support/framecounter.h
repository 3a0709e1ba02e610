#pragma once
// A renderer stand-in for model tests: counts the frames the cube asks for, with the
// starting view.

#include "cube/qorbigcube.h"

struct FrameCounter : QORRendererLink {
    int Frames = 0;
    void DrawFrame() override { ++Frames; }
    Vec3 CameraEye() const override { return {0, 0, 20}; }
    Vec3 CameraUp() const override { return {0, 1, 0}; }
    int PanelHeight() const override { return 399; }
};
