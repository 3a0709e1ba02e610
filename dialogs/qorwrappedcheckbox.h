#pragma once
// A check box whose caption wraps over several lines; the whole box takes the click.

#include <QCheckBox>

class QLabel;

class QORWrappedCheckBox : public QCheckBox {
public:
    QORWrappedCheckBox(const QString& text, QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* Caption;
};
