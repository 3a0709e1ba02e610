#pragma once
// The drawing panel: a native child window that the renderer's GL context draws into. It
// reports its events in device pixels, the units of the GL viewport.

#include <QWindow>

class QORDrawPanel : public QWindow {
    Q_OBJECT
public:
    explicit QORDrawPanel(QWindow* parent = nullptr);

    // Pointer buttons as QORGL::Shift flags.
    static int ShiftOf(Qt::MouseButtons buttons);

signals:
    void MouseDown(int x, int y, int shift);
    void MouseMove(int x, int y, int shift);
    void MouseUp(int x, int y, int shift);
    void Resized(int width, int height);
    void Exposed();
    void KeyDown(QKeyEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPoint DevicePos(const QMouseEvent* event) const;
};
