// The login dialog on a live main window: what it shows, the order of its checks, and the
// check boxes that act at once.
#include "app/mainform.h"
#include "dialogs/login.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/game.h"

#include <gtest/gtest.h>

namespace {

// A game whose login dialog is shown without blocking the test.
struct LoginGame : Game {
    TLoginForm& f = *form.LoginForm;
    explicit LoginGame(const QByteArray& settings = QByteArray()) : Game(settings) {
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    ~LoginGame() { f.hide(); }
    void Type(const char* login, const char* p1, const char* p2 = "") {
        f.EditLogin->setText(QString::fromUtf8(login));
        f.EditPassword1->setText(QString::fromUtf8(p1));
        f.EditPassword2->setText(QString::fromUtf8(p2));
    }
    // Presses OK; the message it showed, or "" when it stored and closed.
    QString Ok() {
        messages.clear();
        f.ButtonOK->click();
        return messages.isEmpty() ? QString() : messages.join('|');
    }
};

// Types text as a keyboard with the right layout would, one character per key press.
void TypeText(QWidget* w, const char* text) {
    for (char32_t c : QString::fromUtf8(text).toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
        QApplication::sendEvent(w, &press);
    }
}

} // namespace

TEST(LoginDialog, showsTheStoredValuesWithTheRepeatDisabled) {
    LoginGame g("[QuelmoraSettings]\r\nUserName=anna\r\nPassword=secret1\r\nShowLogin=0\r\n");
    EXPECT_EQ(g.f.windowTitle(), "Авторизация...");
    EXPECT_EQ(g.f.width(), 318);
    EXPECT_EQ(g.f.EditLogin->text(), "anna");
    EXPECT_EQ(g.f.EditPassword1->text(), "secret1");
    EXPECT_EQ(g.f.EditPassword1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(g.f.EditPassword2->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(g.f.CheckBoxNoLogin->isChecked());
    EXPECT_TRUE(g.f.CheckBoxSavePassword->isChecked()) << "a stored password is kept";
    EXPECT_FALSE(g.f.CheckBoxFirst->isChecked());
    EXPECT_FALSE(g.f.Label3->isEnabled());
    EXPECT_FALSE(g.f.EditPassword2->isEnabled());
    EXPECT_FALSE(g.f.ButtonOK->isDefault());
    EXPECT_FALSE(g.f.ButtonOK->autoDefault());
    EXPECT_FALSE(g.f.ButtonCancel->autoDefault());
}

TEST(LoginDialog, tabGoesThroughTheControlsInTheirOrder) {
    LoginGame g;
    QWidget* expected[] = {g.f.CheckBoxNoLogin, g.f.EditLogin,      g.f.EditPassword1,
                           g.f.ButtonOK,        g.f.ButtonCancel,   g.f.CheckBoxSavePassword,
                           g.f.CheckBoxFirst,   g.f.CheckBoxNoLogin};
    g.f.CheckBoxNoLogin->setFocus();
    for (QWidget* w : expected) {
        ASSERT_EQ(QApplication::focusWidget(), w) << w->metaObject()->className();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The repeat joins the order while it is enabled.
    g.f.CheckBoxFirst->click();
    g.f.EditPassword1->setFocus();
    QTest::keyClick(g.f.EditPassword1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), g.f.EditPassword2);
}

TEST(LoginDialog, passwordLengthIsCheckedFirstThenTheRepeatThenTheLogin) {
    LoginGame g;
    g.Type("", "12345");
    EXPECT_EQ(g.Ok(), "Пароль должен содержать не менее шести символов");
    EXPECT_TRUE(g.f.isVisible());
    EXPECT_EQ(g.f.EditPassword1->text(), "12345") << "what was typed stays";
    g.f.CheckBoxFirst->click();
    g.Type("", "secret1", "secret2");
    EXPECT_EQ(g.Ok(), "Введённые пароли не совпадают...");
    g.Type("", "secret1", "secret1");
    EXPECT_EQ(g.Ok(), "Не указан логин...");
    EXPECT_TRUE(g.form.UserName.isEmpty()) << "nothing is stored before all checks pass";
    g.Type("anna", "secret1", "secret1");
    EXPECT_EQ(g.Ok(), "");
    EXPECT_FALSE(g.f.isVisible());
    EXPECT_EQ(g.form.UserName, "anna");
    EXPECT_EQ(g.form.Password, "secret1");
}

TEST(LoginDialog, loggingInIgnoresTheDisabledRepeatAndStoresBlanksAsTyped) {
    LoginGame g;
    g.Type("  ", "secret1", "other");
    EXPECT_EQ(g.Ok(), "");
    EXPECT_EQ(g.form.UserName, "  ");
}

TEST(LoginDialog, cancelForgetsWhatWasTypedButKeepsTheStoredValuesAndTheBoxes) {
    LoginGame g("[QuelmoraSettings]\r\nUserName=anna\r\nPassword=secret1\r\n");
    g.f.CheckBoxFirst->click();
    g.f.CheckBoxNoLogin->click();
    g.Type("bob", "hunter22", "hunter22");
    g.f.ButtonCancel->click();
    EXPECT_FALSE(g.f.isVisible());
    EXPECT_EQ(g.form.UserName, "anna");
    EXPECT_FALSE(g.form.ShowLogin) << "the offer stays off after Cancel";
    g.f.show();
    EXPECT_EQ(g.f.EditLogin->text(), "anna");
    EXPECT_EQ(g.f.EditPassword1->text(), "secret1");
    EXPECT_TRUE(g.f.EditPassword2->text().isEmpty());
    EXPECT_TRUE(g.f.CheckBoxFirst->isChecked()) << "the register box is as it was";
    EXPECT_TRUE(g.f.EditPassword2->isEnabled());
    EXPECT_TRUE(g.f.CheckBoxNoLogin->isChecked());
}

TEST(LoginDialog, checkBoxesActAtOnceAndTheRepeatKeepsItsTextWhenDisabled) {
    LoginGame g;
    g.f.CheckBoxSavePassword->click();
    EXPECT_TRUE(g.form.SavePassword);
    g.f.CheckBoxSavePassword->click();
    EXPECT_FALSE(g.form.SavePassword);
    g.f.CheckBoxFirst->click();
    EXPECT_TRUE(g.f.Label3->isEnabled());
    g.f.EditPassword2->setText("kept");
    g.f.CheckBoxFirst->click();
    EXPECT_FALSE(g.f.EditPassword2->isEnabled());
    EXPECT_EQ(g.f.EditPassword2->text(), "kept");
}

TEST(LoginDialog, escapeAndEnterPressNoButton) {
    LoginGame g;
    g.Type("anna", "secret1");
    QTest::keyClick(g.f.EditLogin, Qt::Key_Escape);
    EXPECT_TRUE(g.f.isVisible());
    QTest::keyClick(g.f.EditLogin, Qt::Key_Return);
    EXPECT_TRUE(g.f.isVisible());
    EXPECT_TRUE(g.form.UserName.isEmpty());
}

TEST(LoginDialog, fieldsTakeOnlyWhatCodePage1251Carries) {
    LoginGame g;
    TypeText(g.f.EditLogin, "Ёж€");
    EXPECT_EQ(g.f.EditLogin->text(), "Ёж€");
    TypeText(g.f.EditLogin, "中😀");
    EXPECT_EQ(g.f.EditLogin->text(), "Ёж€") << "characters the wire cannot carry are refused";
    TypeText(g.f.EditPassword1, "§中");
    EXPECT_EQ(g.f.EditPassword1->text(), "§");
}

TEST(LoginDialog, menuCommandShowsItModallyThenConnects) {
    Game g;
    g.form.AskLogin = [&] { g.form.LoginForm->exec(); };
    bool modal = false;
    QTimer::singleShot(0, [&] {
        modal = g.form.LoginForm->isVisible() && g.form.LoginForm->isModal();
        g.form.LoginForm->ButtonCancel->click();
    });
    g.form.N20->trigger();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(g.form.StatusPanels[1]->text().isEmpty()) << "no credentials, no attempt";
}
