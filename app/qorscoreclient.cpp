#include "app/qorscoreclient.h"

#include "net/qorcp1251.h"
#include "net/qorprotocol.h"

#include <QTcpSocket>

using namespace QORProtocol;

QORScoreClient::QORScoreClient(const QORSettings& settings, QObject* parent)
    : QObject(parent), ClientSocket(new QTcpSocket(this)), Settings(settings) {
    connect(ClientSocket, &QTcpSocket::connected, this, &QORScoreClient::ClientSocketConnect);
    connect(ClientSocket, &QTcpSocket::readyRead, this, &QORScoreClient::ClientSocketRead);
    connect(ClientSocket, &QTcpSocket::errorOccurred, this, &QORScoreClient::ClientSocketError);
    connect(ClientSocket, &QTcpSocket::disconnected, this, &QORScoreClient::ClientSocketDisconnect);
}

QORScoreClient::~QORScoreClient() {
    // The socket closes as it goes and must not report to whoever listens any more.
    ClientSocket->disconnect(this);
}

bool QORScoreClient::Connected() const {
    return ClientSocket->state() == QAbstractSocket::ConnectedState;
}

void QORScoreClient::SetStatus(const QString& text) {
    emit StatusChanged(text);
}

void QORScoreClient::Send(const QString& message) {
    ClientSocket->write(ToCp1251(message));
}

void QORScoreClient::Start() {
    if (!Settings.UpdateTopList) {
        SetStatus(QStringLiteral("OFFLINE"));
        return;
    }
    if (Settings.ShowLogin && (Settings.UserName.isEmpty() || Settings.Password.isEmpty()))
        emit LoginWanted();
    ConnectToServer();
}

void QORScoreClient::ConnectToServer() {
    if (Settings.UserName.isEmpty() || Settings.Password.isEmpty() || Connected())
        return;
    SetStatus(QStringLiteral("ПОДКЛЮЧЕНИЕ..."));
    // A look-up or connect still under way gives way to the new attempt.
    ClientSocket->abort();
    ClientSocket->connectToHost(Settings.HostName, quint16(Settings.HostPort));
}

bool QORScoreClient::RequestTopList() {
    if (!Connected())
        return false;
    Send(Credentials(GetTop, Settings.UserName, Settings.Password));
    return true;
}

void QORScoreClient::SubmitResult(int seconds, int shuffles) {
    if (Connected())
        Send(Result(Settings.UserName, Settings.Password, seconds, shuffles));
}

void QORScoreClient::ClientSocketConnect() {
    // The register choice keeps its state for the run: every connection registers until cleared.
    if (RegisterChosen()) {
        SetStatus(QStringLiteral("РЕГИСТРАЦИЯ..."));
        Send(Credentials(Register, Settings.UserName, Settings.Password));
    } else {
        SetStatus(QStringLiteral("АВТОРИЗАЦИЯ..."));
        Send(Credentials(Login, Settings.UserName, Settings.Password));
    }
}

void QORScoreClient::ClientSocketRead() {
    // What one read delivers is the whole reply: the protocol has no framing.
    const Reply reply = ParseReply(FromCp1251(ClientSocket->readAll()));
    switch (reply.What) {
    case Reply::TopListRows:
        emit TopListReceived(reply.Rows);
        break;
    case Reply::LoginAccepted:
        SetStatus(QStringLiteral("ZKSERVER IS ONLINE!"));
        break;
    case Reply::LoginRefused:
        SetStatus(QStringLiteral("ОШИБКА: ЛОГИН/ПАРОЛЬ!"));
        emit LoginRefused();
        ClientSocket->disconnectFromHost();
        break;
    case Reply::Ignored:
        break;
    }
}

void QORScoreClient::ClientSocketError() {
    SetStatus(QStringLiteral("СЕРВЕР НЕДОСТУПЕН!"));
}

void QORScoreClient::ClientSocketDisconnect() {
    SetStatus(QStringLiteral("OFFLINE"));
}
