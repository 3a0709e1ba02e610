#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread, so a
// log-out or Ctrl+C ends the program through the ordinary exit path and settings are written.

#include <QObject>

class QSocketNotifier;

class QORSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit QORSignalWatcher(QObject* parent = nullptr);
    ~QORSignalWatcher() override;

signals:
    void Terminate(int signalNumber);

private:
    void PipeReadable();
    QSocketNotifier* Notifier = nullptr;
};
