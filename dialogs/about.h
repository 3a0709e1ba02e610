#pragma once
// The about box: the program's picture, name, version and the maker's addresses.

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QLabel* Image = nullptr;
    QLabel* LabelTitle = nullptr;
    QLabel* LabelWeb = nullptr;
    QLabel* LabelMail = nullptr;
    QPushButton* ButtonOK = nullptr;

    // What both links open: the help page, until the game has addresses of its own that
    // reach someone. The main window gives it; tests capture it.
    std::function<void()> ShowSite = [] {};

    void LabelWebClick();
    void LabelMailClick();
    void ButtonOKClick() { accept(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Link(const QString& text, int top);
};
