#include "dialogs/login.h"

#include "settings/qorsettings.h"
#include "dialogs/qorfont.h"
#include "dialogs/qorprogram.h"
#include "dialogs/qorwrappedcheckbox.h"
#include "net/qorcp1251.h"
#include "net/qorlogin.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

namespace {

// The wire carries code page 1251: anything else would reach the server as something the
// player did not type.
class Cp1251Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return FitsCp1251(input) ? Acceptable : Invalid;
    }
};

constexpr int EditLeft = 133;

} // namespace

TLoginForm::TLoginForm(QORSettings& settings, QWidget* parent)
    : QDialog(parent), Settings(settings) {
    Tell = [this](const QString& text) {
        QMessageBox(QMessageBox::NoIcon, QLatin1String(ProgramTitle), text, QMessageBox::Ok, this)
            .exec();
    };
    setWindowTitle(tr("Авторизация..."));
    setFixedSize(318, 186);
    setFont(FittingFont(Tahoma(FormFontPixels), {{tr("Пароль (min 6 симв.):"), EditLeft - 10},
                                                 {tr("Больше не предлагать"), 130}}));
    CheckBoxFirst = new QCheckBox(tr("Зарегистрироваться"), this);
    CheckBoxFirst->setGeometry(EditLeft, 6, 177, 20);
    EditLogin = Edit(30);
    EditLogin->setMaxLength(MaxNameLength);
    Label1 = LabelFor(tr("Логин:"), EditLogin);
    EditPassword1 = Edit(57);
    Label2 = LabelFor(tr("Пароль (min 6 симв.):"), EditPassword1);
    EditPassword2 = Edit(84);
    Label3 = LabelFor(tr("Еще раз:"), EditPassword2);
    for (QLineEdit* edit : {EditPassword1, EditPassword2}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
        edit->setMaxLength(MaxPasswordLength);
    }
    CheckBoxNoLogin = new QORWrappedCheckBox(tr("Больше не предлагать авторизацию"), this);
    CheckBoxNoLogin->setGeometry(6, 112, 152, 34);
    CheckBoxSavePassword =
        new QORWrappedCheckBox(tr("Сохранить пароль (это не безопасно :)"), this);
    CheckBoxSavePassword->setGeometry(162, 112, 152, 34);
    ButtonCancel = new QPushButton(tr("Отмена"), this);
    ButtonCancel->setGeometry(128, 156, 86, 21);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setGeometry(222, 156, 86, 21);
    // Enter presses OK wherever the focus is; Escape presses Cancel.
    ButtonCancel->setAutoDefault(false);
    ButtonOK->setDefault(true);
    const QList<QWidget*> tabOrder = {CheckBoxNoLogin,      EditLogin,    EditPassword1,
                                      EditPassword2,        ButtonOK,     ButtonCancel,
                                      CheckBoxSavePassword, CheckBoxFirst};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(CheckBoxFirst, &QCheckBox::clicked, this, &TLoginForm::CheckBoxFirstClick);
    connect(CheckBoxNoLogin, &QCheckBox::clicked, this, &TLoginForm::CheckBoxNoLoginClick);
    connect(CheckBoxSavePassword, &QCheckBox::clicked, this,
            &TLoginForm::CheckBoxSavePasswordClick);
    connect(ButtonOK, &QPushButton::clicked, this, &TLoginForm::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TLoginForm::ButtonCancelClick);
    FormCreate();
}

QLineEdit* TLoginForm::Edit(int top) {
    auto* edit = new QLineEdit(this);
    edit->setGeometry(EditLeft, top, 177, 21);
    edit->setValidator(new Cp1251Validator(edit));
    return edit;
}

QLabel* TLoginForm::LabelFor(const QString& text, QLineEdit* edit) {
    auto* label = new QLabel(text, this);
    label->setGeometry(2, edit->y(), EditLeft - 8, edit->height());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(edit);
    return label;
}

void TLoginForm::FormCreate() {
    Label3->setEnabled(false);
    EditPassword2->setEnabled(false);
}

void TLoginForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TLoginForm::keyPressEvent(QKeyEvent* event) {
    // Escape is Cancel, which also forgets what was typed.
    if (event->key() == Qt::Key_Escape)
        ButtonCancelClick();
    else
        QDialog::keyPressEvent(event);
}

void TLoginForm::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    EditLogin->setText(Settings.UserName);
    EditPassword1->setText(Settings.Password);
    CheckBoxNoLogin->setChecked(!Settings.ShowLogin);
    CheckBoxSavePassword->setChecked(Settings.SavePassword);
    CheckBoxFirstClick();
    // The player starts by typing the name.
    EditLogin->setFocus();
}

void TLoginForm::CheckBoxFirstClick() {
    // Disabling keeps the repeat's text.
    const bool registering = CheckBoxFirst->isChecked();
    Label3->setEnabled(registering);
    EditPassword2->setEnabled(registering);
}

void TLoginForm::CheckBoxNoLoginClick() {
    Settings.ShowLogin = !CheckBoxNoLogin->isChecked();
}

void TLoginForm::CheckBoxSavePasswordClick() {
    Settings.SavePassword = CheckBoxSavePassword->isChecked();
}

void TLoginForm::ButtonOKClick() {
    const std::optional<QString> problem =
        LoginCheck({EditLogin->text(), EditPassword1->text(), EditPassword2->text(),
                    CheckBoxFirst->isChecked()});
    if (problem) {
        Tell(*problem);
        return;
    }
    // Blanks around a name only make look-alikes of it.
    Settings.UserName = TrimmedName(EditLogin->text());
    Settings.Password = EditPassword1->text();
    accept();
}

void TLoginForm::ButtonCancelClick() {
    EditLogin->clear();
    EditPassword1->clear();
    EditPassword2->clear();
    reject();
}
