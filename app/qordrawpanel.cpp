#include "app/qordrawpanel.h"

#include "render/qorgl.h"

#include <QMouseEvent>

QORDrawPanel::QORDrawPanel(QWindow* parent) : QWindow(parent) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(QORGL::SurfaceFormat());
    // Lets desktop tools (and the player tests) find the drawing surface.
    setTitle(QStringLiteral("DrawPanel"));
}

int QORDrawPanel::ShiftOf(Qt::MouseButtons buttons) {
    int shift = 0;
    if (buttons & Qt::LeftButton)
        shift |= QORGL::ShiftLeft;
    if (buttons & Qt::RightButton)
        shift |= QORGL::ShiftRight;
    if (buttons & Qt::MiddleButton)
        shift |= QORGL::ShiftMiddle;
    return shift;
}

QPoint QORDrawPanel::DevicePos(const QMouseEvent* event) const {
    return (event->position() * devicePixelRatio()).toPoint();
}

void QORDrawPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = DevicePos(event);
    emit MouseDown(p.x(), p.y(), ShiftOf(event->buttons()));
}

void QORDrawPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = DevicePos(event);
    emit MouseMove(p.x(), p.y(), ShiftOf(event->buttons()));
}

void QORDrawPanel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = DevicePos(event);
    emit MouseUp(p.x(), p.y(), ShiftOf(event->buttons()));
}

void QORDrawPanel::resizeEvent(QResizeEvent*) {
    const QSize s = size() * devicePixelRatio();
    emit Resized(s.width(), s.height());
}

void QORDrawPanel::exposeEvent(QExposeEvent*) {
    if (isExposed())
        emit Exposed();
}

void QORDrawPanel::keyPressEvent(QKeyEvent* event) {
    event->ignore();
    emit KeyDown(event);
    if (!event->isAccepted())
        QWindow::keyPressEvent(event);
}
