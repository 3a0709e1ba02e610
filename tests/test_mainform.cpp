#include "app/mainform.h"
#include "app/qordrawpanel.h"
#include "render/qorgl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(MainForm, captionAndStartSizeAreTheGames) {
    QTemporaryDir dir;
    TMainForm form(dir.filePath("quelmora"));
    EXPECT_EQ(form.windowTitle(), "Quelmora 1.10");
    EXPECT_EQ(form.size(), QSize(478, 399));
    EXPECT_TRUE(form.DrawTimer->isActive());
    EXPECT_EQ(form.DrawTimer->interval(), 10);
}

TEST(MainForm, settingsAreReadAtStartAndWrittenAtExitKeepingForeignLines) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("quelmora.ini");
    WriteAll(ini, "; hand notes\r\n[Other]\r\nKeep=me\r\n[QuelmoraSettings]\r\nDrawQuality=4\r\n"
                  "FrontColor=clRed\r\nRotateSpeed=7\r\nHostName=scores.example\r\n"
                  "Custom=stays\r\n");
    {
        TMainForm form(dir.filePath("quelmora"));
        EXPECT_EQ(form.SettingsReadPath(), ini);
        EXPECT_EQ(form.Renderer->DrawQuality, 4);
        EXPECT_EQ(form.Renderer->PassCount, 1) << "one pass until the first release";
        EXPECT_EQ(form.Renderer->Cube->RotateStep, 5) << "7 does not divide 90";
        EXPECT_EQ(form.Renderer->Cube->Cubies[26].Colors[1].r, 255);
        EXPECT_EQ(form.Renderer->Cube->Cubies[26].Colors[1].g, 0);
        EXPECT_EQ(form.HostName, "scores.example");
        form.Renderer->DrawQuality = 9;
    }
    const QByteArray written = ReadAll(ini);
    EXPECT_TRUE(written.startsWith("; hand notes\r\n[Other]\r\nKeep=me\r\n")) << written.data();
    EXPECT_TRUE(written.contains("DrawQuality=9\r\n"));
    EXPECT_TRUE(written.contains("RotateSpeed=5\r\n"));
    EXPECT_TRUE(written.contains("FrontColor=clRed\r\n"));
    EXPECT_TRUE(written.contains("Custom=stays\r\n"));
    EXPECT_TRUE(written.contains("PlayerIdleTimeout=60000\r\n"));
}

TEST(MainForm, unwritableSettingsFileIsReportedToThePlayer) {
    QTemporaryDir dir;
    // A folder where the file should be cannot be replaced, not even by root.
    ASSERT_TRUE(QDir(dir.path()).mkdir("quelmora.ini"));
    QStringList shown;
    {
        TMainForm form(dir.filePath("quelmora"));
        form.MessageBox = [&](const QString& text, const QString&) { shown << text; };
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QString("Unable to write to %1.").arg(dir.filePath("quelmora.ini")));
}

TEST(MainForm, pressUsesOnePassAndReleaseRestoresQuality) {
    QTemporaryDir dir;
    TMainForm form(dir.filePath("quelmora"));
    form.Renderer->DrawQuality = 8;
    form.DrawPanelMouseUp(0, 0, 0);
    EXPECT_EQ(form.Renderer->PassCount, 8);
    form.DrawPanelMouseDown(5, 5, QORGL::ShiftRight);
    EXPECT_EQ(form.Renderer->PassCount, 1);
    form.DrawPanelMouseMove(5, 5, QORGL::ShiftRight);
    form.DrawPanelMouseMove(9, 5, QORGL::ShiftRight);
    EXPECT_LT(form.Renderer->Camera.Eye.x, -1.0f);
    form.DrawPanelMouseUp(9, 5, 0);
    EXPECT_EQ(form.Renderer->PassCount, 8) << "a view drag's release restores the quality too";
}

TEST(MainForm, realRightDragOnThePanelTurnsTheView) {
    QTemporaryDir dir;
    TMainForm form(dir.filePath("quelmora"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWindow* panel = form.DrawPanel;
    QTest::mousePress(panel, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_EQ(form.Renderer->PassCount, 1);
    for (int x = 101; x <= 110; ++x)
        QTest::mouseMove(panel, QPoint(x, 100));
    QTest::mouseRelease(panel, Qt::RightButton, {}, QPoint(110, 100));
    EXPECT_LT(form.Renderer->Camera.Eye.x, -1.0f) << "the cube turns with the pointer";
}
