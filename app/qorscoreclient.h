#pragma once
// The score-server client: one connection that logs in or registers as it opens, asks for the
// top list, sends results, and says in a status text what state it is in. It reads the user
// name, password, host and port from the live settings at the moment it needs them.

#include "net/qorverified.h"
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
    // The verified list's requests, sent while connected; false when nothing went, and a
    // solve that did not go says so in the status.
    bool RequestScramble(int shuffles);
    // A scramble of a kind, RandomKind.
    bool RequestScramble(const QString& kind);
    // plusTwo sends the inspection's penalty with it.
    bool SubmitSolve(const QString& id, qint64 ms, const QList<QORProtocol::TimedMove>& moves,
                     bool plusTwo = false);
    // The verified list of numbered shuffles, or with a kind that kind's list.
    bool RequestTopList2(const QString& kind = {});
    // Whether the solve fits in one message the server takes.
    bool SolveFits(const QString& id, qint64 ms, const QList<QORProtocol::TimedMove>& moves,
                   bool plusTwo = false) const;
    // The server has taken the credentials on this connection.
    bool LoggedInNow() const { return Online; }

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
    // A scramble the server dealt for the verified list; kind is empty for a numbered one.
    void ScrambleDealt(const QString& id, const QList<QORMove>& moves, const QString& kind);
    // The server's verdict on a solve: Accepted with its place, or Refused with its fault.
    void SolveAnswered(const QORProtocol::VerifiedReply& reply);
    // A verified list, of the kind it was asked for (empty for the numbered one).
    void VerifiedTopListReceived(const QList<QORProtocol::VerifiedRow>& rows, const QString& kind);

private:
    void SetStatus(const QString& text);
    // Whether every byte went to the connection.
    bool Send(const QString& message);
    void Dispatch();
    // Takes the seed's reply in text, up to a verified reply that follows it in the same read,
    // and gives back that rest.
    QString ReadSeed(QString text);
    // Handles every whole verified reply at the start of text and keeps an unfinished one.
    // What follows them, when it is no verified reply, is given back.
    QString ReadVerified(const QString& text);
    void DispatchVerified(const QORProtocol::VerifiedReply& reply);
    // Opens the connection again after the back-off, while the top list is on.
    void RetryLater();

    const QORSettings& Settings;
    // The seed's reply being read. The seed's replies have no terminator, so a read that does not
    // start a new reply continues this one, and the whole of it is read again.
    QString ReplyText;
    // A read too short to tell whether it starts a new reply; it waits for the next one.
    QString Undecided;
    // A verified reply whose line feed has not come yet.
    QString Unfinished;
    bool Online = false;
    // What the reply was taken for when last read, so that its status is set once.
    int Handled = -1;
    // The kinds of the verified lists asked for on this connection and not yet received: the
    // server answers in order, and its reply does not name its kind.
    QStringList ListsAsked;
    // The ids of the penalised solves sent on this connection and not yet answered: a server
    // from before the penalty refuses such a solve as it refuses a malformed message.
    QStringList PenaltiesAsked;
    QTimer Retry;
    std::chrono::milliseconds NextRetry{0};
    // The server refused the credentials: trying them again would only be refused again.
    bool Refused = false;
};
