#pragma once
// The login dialog: user name and password for the score server, log in or register, and
// whether the password is kept. It stores what passes its checks in the live settings and
// sends nothing itself.

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct QORSettings;

class TLoginForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoginForm(QORSettings& settings, QWidget* parent = nullptr);

    QCheckBox* CheckBoxFirst = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QLineEdit *EditLogin = nullptr, *EditPassword1 = nullptr, *EditPassword2 = nullptr;
    QCheckBox *CheckBoxNoLogin = nullptr, *CheckBoxSavePassword = nullptr;
    QPushButton *ButtonCancel = nullptr, *ButtonOK = nullptr;

    // Shows a check's message in a box with one OK button; tests replace it.
    std::function<void(const QString& text)> Tell;

    void FormShow();
    void CheckBoxFirstClick();
    void CheckBoxNoLoginClick();
    void CheckBoxSavePasswordClick();
    void ButtonOKClick();
    void ButtonCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    QLineEdit* Edit(int top);
    QLabel* LabelFor(const QString& text, QLineEdit* edit);

    QORSettings& Settings;
};
