#include "dialogs/qorwrappedcheckbox.h"

#include <QLabel>

QORWrappedCheckBox::QORWrappedCheckBox(const QString& text, QWidget* parent) : QCheckBox(parent) {
    // The caption lives in a label, so the box's own text stays empty; readers get the name.
    setAccessibleName(text);
    Caption = new QLabel(text, this);
    Caption->setWordWrap(true);
    Caption->setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool QORWrappedCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void QORWrappedCheckBox::resizeEvent(QResizeEvent* event) {
    QCheckBox::resizeEvent(event);
    const int indent = 20;
    Caption->setGeometry(indent, 0, width() - indent, height());
}
