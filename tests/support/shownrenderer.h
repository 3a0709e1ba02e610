#pragma once
// A renderer with its own cube and settings on a real, shown drawing panel, for GL tests.

#include "app/qordrawpanel.h"
#include "render/qorgl.h"

#include <QTest>

#include <gtest/gtest.h>

struct ShownRenderer {
    QORSettings settings;
    QORBigCube cube{&settings.ColorTable};
    QORDrawPanel panel;
    QORGL renderer;

    explicit ShownRenderer(int w = 320, int h = 320) {
        cube.Reset();
        renderer.Cube = &cube;
        // A GL error fails the test instead of waiting in a box for a player.
        renderer.ErrorBox = [](const auto& t, const auto&) { ADD_FAILURE() << qPrintable(t); };
        panel.resize(w, h);
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
        EXPECT_TRUE(renderer.InitGL(&panel));
        const QSize s = panel.size() * panel.devicePixelRatio();
        renderer.Resize(s.width(), s.height());
    }
};
