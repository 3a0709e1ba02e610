#pragma once
// The application object: an exception that escapes an event handler is shown in an error box
// and the program goes on. The game and Qt's own dialogs speak the desktop's language when it
// is English, else Russian. A display that cannot be opened is told so in that language and
// ends the program with exit status 1.

#include <QApplication>

#include <functional>

class QORApplication : public QApplication {
public:
    QORApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs the program body, showing an escaping exception; always returns exit code 0.
    static int Guarded(const std::function<void()>& body);
    static void ShowException(const char* what);

private:
    // Watches Qt's start for a fatal failure; returns argc for the base's constructor.
    static int& Starting(int& argc);
};
