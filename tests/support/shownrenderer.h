#pragma once
// A renderer with its own cube and settings on a real, shown drawing panel, for GL tests.

#include "app/qordrawpanel.h"
#include "render/qorgl.h"

#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

struct ShownRenderer {
    QORSettings settings;
    QORBigCube cube{&settings};
    QORDrawPanel panel;
    QORGL renderer;
    QStringList errors;

    explicit ShownRenderer(int w = 320, int h = 320) {
        cube.Reset();
        renderer.Cube = &cube;
        renderer.ErrorBox = [this](const QString& t, const QString& c) { errors << c + ":" + t; };
        panel.resize(w, h);
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
        EXPECT_TRUE(renderer.InitGL(&panel));
        const QSize s = panel.size() * panel.devicePixelRatio();
        renderer.Resize(s.width(), s.height());
    }
};
