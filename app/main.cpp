#include "app/mainform.h"
#include "app/qorapplication.h"
#include "app/qorsignals.h"
#include "dialogs/about.h"

int main(int argc, char** argv) {
    QORApplication app(argc, argv);
    InitQuelmoraResources();
    QORSignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &QORSignalWatcher::Terminate, &app, &QCoreApplication::quit);
    return QORApplication::Guarded([&] {
        TMainForm mainForm;
        mainForm.show();
        app.exec();
    });
}
