#include "app/mainform.h"
#include "app/qorapplication.h"
#include "net/qorsignals.h"

int main(int argc, char** argv) {
    QORApplication app(argc, argv);
    QORSignalWatcher signalWatcher;
    return QORApplication::Guarded([&] {
        TMainForm mainForm;
        // A log-out or Ctrl+C closes the window as its close button does.
        QObject::connect(&signalWatcher, &QORSignalWatcher::Terminate, &mainForm, &QWidget::close);
        mainForm.show();
        app.exec();
    });
}
