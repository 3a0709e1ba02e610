#include "app/mainform.h"
#include "app/qorapplication.h"
#include "net/qorsignals.h"

int main(int argc, char** argv) {
    QORApplication app(argc, argv);
    QORSignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &QORSignalWatcher::Terminate, &app, &QCoreApplication::quit);
    return QORApplication::Guarded([&] {
        TMainForm mainForm;
        mainForm.show();
        app.exec();
    });
}
