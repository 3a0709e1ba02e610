#pragma once
// The score-server client: one connection that logs in or registers as it opens, asks for the
// top list, sends results, and says in a status text what state it is in. It reads the user
// name, password, host and port from the live settings at the moment it needs them.

#include "settings/qorsettings.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>

class QTcpSocket;

class QORScoreClient : public QObject {
    Q_OBJECT
public:
    explicit QORScoreClient(const QORSettings& settings, QObject* parent = nullptr);
    ~QORScoreClient() override;

    QTcpSocket* ClientSocket;
    // Whether the player chose to register; read when a connection opens.
    std::function<bool()> RegisterChosen = [] { return false; };
    // A lost connection is opened again after this, then after twice as long each time up to
    // LongestRetry, until a login succeeds.
    std::chrono::milliseconds FirstRetry{2000};
    static constexpr std::chrono::milliseconds LongestRetry{60000};

    bool Connected() const;
    // The start-up hook: offline when the top list is off, else the login is offered when a
    // credential is missing, then the connection opens.
    void Start();
    // Opens the connection when the credentials are there and none is open.
    void ConnectToServer();
    // Asks for the top list while connected; false when nothing was sent.
    bool RequestTopList();
    // Sends a solved game's time and shuffle length while connected. Says so in the status
    // and returns false when it could not be sent.
    bool SubmitResult(int seconds, int shuffles);

    void ClientSocketConnect();
    void ClientSocketRead();
    void ClientSocketError();
    void ClientSocketDisconnect();

signals:
    void StatusChanged(const QString& text);
    // The login dialog should be shown now; the connection is opened when it returns.
    void LoginWanted();
    void TopListReceived(const QList<QStringList>& rows);
    // The server took the credentials; results kept for later can go now.
    void LoggedIn();
    // The server refused the credentials; the connection closes once this has been handled.
    void LoginRefused();

private:
    void SetStatus(const QString& text);
    // Whether every byte went to the connection.
    bool Send(const QString& message);
    void Dispatch();
    // Opens the connection again after the back-off, while the top list is on.
    void RetryLater();

    const QORSettings& Settings;
    // The reply being read. The protocol has no terminator, so a read that does not start a
    // new reply continues this one, and the whole of it is read again.
    QString ReplyText;
    // A read too short to tell whether it starts a new reply; it waits for the next one.
    QString Undecided;
    // What the reply was taken for when last read, so that its status is set once.
    int Handled = -1;
    QTimer Retry;
    std::chrono::milliseconds NextRetry{0};
    // The server refused the credentials: trying them again would only be refused again.
    bool Refused = false;
};
