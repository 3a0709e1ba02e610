// The login dialog on a plain settings value: what it shows, its checks, and the check boxes
// that act at once.
#include "dialogs/login.h"

#include "settings/qorsettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A dialog over stored credentials, shown without blocking the test.
struct Login {
    QORSettings settings;
    TLoginForm f{settings};
    QStringList told;
    Login() {
        settings.UserName = "anna";
        settings.Password = "secret1";
        settings.SavePassword = true;
        settings.ShowLogin = false;
        f.Tell = [this](const QString& text) { told << text; };
        f.show();
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    void Type(const char* login, const char* p1, const char* p2) {
        f.EditLogin->setText(QString::fromUtf8(login));
        f.EditPassword1->setText(QString::fromUtf8(p1));
        f.EditPassword2->setText(QString::fromUtf8(p2));
    }
};

} // namespace

TEST(LoginDialog, showsTheStoredValuesTheRepeatOnlyForARegistrationTabOrderAndOnlyCp1251) {
    Login l;
    EXPECT_EQ(l.f.EditLogin->text() + l.f.EditPassword1->text(), "annasecret1");
    EXPECT_EQ(l.f.EditPassword1->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(l.f.CheckBoxNoLogin->isChecked() && l.f.CheckBoxSavePassword->isChecked());
    EXPECT_FALSE(l.f.EditPassword2->isEnabled() || l.f.Label3->isEnabled());
    l.f.CheckBoxFirst->click();
    EXPECT_TRUE(l.f.EditPassword2->isEnabled() && l.f.Label3->isEnabled());
    l.f.EditPassword2->setText("typed");
    l.f.CheckBoxFirst->click();
    EXPECT_EQ(l.f.EditPassword2->text(), "typed") << "disabling keeps the repeat's text";
    for (QLineEdit* edit : {l.f.EditLogin, l.f.EditPassword1}) {
        edit->clear();
        for (char32_t c : QString::fromUtf8("Ёж日€").toUcs4()) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
            QApplication::sendEvent(edit, &press);
        }
        EXPECT_EQ(edit->text(), "Ёж€");
    }
    // The disabled repeat is passed over.
    QWidget* order[] = {l.f.CheckBoxNoLogin, l.f.EditLogin,      l.f.EditPassword1,
                        l.f.ButtonOK,        l.f.ButtonCancel,   l.f.CheckBoxSavePassword,
                        l.f.CheckBoxFirst,   l.f.CheckBoxNoLogin};
    l.f.CheckBoxNoLogin->setFocus();
    for (QWidget* w : order) {
        ASSERT_EQ(QApplication::focusWidget(), w) << w->metaObject()->className();
        QTest::keyClick(w, Qt::Key_Tab);
    }
}

TEST(LoginDialog, okOrEnterStoresOnlyWhatPassesEveryCheckAndEscapeForgetsTheTypingNotTheBoxes) {
    Login l;
    l.f.CheckBoxFirst->click();
    l.f.CheckBoxNoLogin->click();
    l.f.CheckBoxSavePassword->click();
    l.Type("", "secret2", "secret3");
    QTest::keyClick(l.f.EditLogin, Qt::Key_Return);
    EXPECT_EQ(l.told, QStringList{"Введённые пароли не совпадают..."});
    EXPECT_TRUE(l.f.isVisible());
    EXPECT_EQ(l.f.EditPassword2->text(), "secret3") << "what was typed stays";
    QTest::keyClick(l.f.EditLogin, Qt::Key_Escape);
    EXPECT_FALSE(l.f.isVisible());
    EXPECT_EQ(l.settings.UserName, "anna");
    EXPECT_TRUE(l.settings.ShowLogin && !l.settings.SavePassword) << "the boxes acted at once";
    l.f.show();
    EXPECT_EQ(l.f.EditLogin->text(), "anna");
    EXPECT_TRUE(l.f.EditPassword2->text().isEmpty());
    EXPECT_TRUE(l.f.CheckBoxFirst->isChecked()) << "the register box keeps its state";
    l.f.CheckBoxFirst->click();
    l.Type("  bob ", "secret2", "ignored");
    l.f.ButtonOK->click();
    EXPECT_EQ(l.told.size(), 1);
    EXPECT_EQ(l.settings.UserName, "bob") << "stored trimmed";
    EXPECT_EQ(l.settings.Password, "secret2");
}
