// The main window's score-server client: log in or register on connect, ask for the top
// list, send results, and show the connection's state in the status bar.
#include "app/mainform.h"

#include "app/qorcp1251.h"
#include "app/qorprogram.h"
#include "dialogs/login.h"
#include "dialogs/players.h"
#include "net/qorprotocol.h"

#include <QCheckBox>
#include <QLabel>
#include <QTcpSocket>

using namespace QORProtocol;

void TMainForm::CreateClient() {
    LoginForm = new TLoginForm(this);
    PlayersForm = new TPlayersForm(this);
    AskLogin = [this] { LoginForm->exec(); };
    ClientSocket = new QTcpSocket(this);
    connect(ClientSocket, &QTcpSocket::connected, this, &TMainForm::ClientSocketConnect);
    connect(ClientSocket, &QTcpSocket::readyRead, this, &TMainForm::ClientSocketRead);
    connect(ClientSocket, &QTcpSocket::errorOccurred, this, &TMainForm::ClientSocketError);
    connect(ClientSocket, &QTcpSocket::disconnected, this, &TMainForm::ClientSocketDisconnect);
}

void TMainForm::SetStatus(const QString& text) {
    StatusPanels[1]->setText(text);
}

void TMainForm::Send(const QString& message) {
    ClientSocket->write(ToCp1251(message));
}

void TMainForm::ConnectToServer() {
    if (UserName.isEmpty() || Password.isEmpty() ||
        ClientSocket->state() == QAbstractSocket::ConnectedState)
        return;
    SetStatus(QStringLiteral("ПОДКЛЮЧЕНИЕ..."));
    // A look-up or connect still under way gives way to the new attempt.
    ClientSocket->abort();
    ClientSocket->connectToHost(HostName, quint16(HostPort));
}

void TMainForm::N20Click() {
    AskLogin();
    ConnectToServer();
}

void TMainForm::N21Click() {
    if (ClientSocket->state() != QAbstractSocket::ConnectedState)
        return;
    Send(Credentials(GetTop, UserName, Password));
    PlayersForm->ShowList();
}

void TMainForm::SubmitResult(int seconds, int shuffles) {
    if (ClientSocket->state() == QAbstractSocket::ConnectedState)
        Send(Result(UserName, Password, seconds, shuffles));
}

void TMainForm::ClientSocketConnect() {
    // The register box keeps its state for the run: every connection registers until cleared.
    if (LoginForm->CheckBoxFirst->isChecked()) {
        SetStatus(QStringLiteral("РЕГИСТРАЦИЯ..."));
        Send(Credentials(Register, UserName, Password));
    } else {
        SetStatus(QStringLiteral("АВТОРИЗАЦИЯ..."));
        Send(Credentials(Login, UserName, Password));
    }
}

void TMainForm::ClientSocketRead() {
    // What one read delivers is the whole reply: the protocol has no framing.
    const Reply reply = ParseReply(FromCp1251(ClientSocket->readAll()));
    switch (reply.What) {
    case Reply::TopListRows:
        PlayersForm->Clear();
        for (const QStringList& row : reply.Rows)
            PlayersForm->AddRow(row.first(), row.mid(1));
        break;
    case Reply::LoginAccepted:
        SetStatus(QStringLiteral("ZKSERVER IS ONLINE!"));
        break;
    case Reply::LoginRefused:
        SetStatus(QStringLiteral("ОШИБКА: ЛОГИН/ПАРОЛЬ!"));
        MessageBox(QMessageBox::Warning, QLatin1String(ProgramTitle),
                   QStringLiteral("Ошибка: неверный логин или пароль! Зарегистрируйтесь..."));
        ClientSocket->disconnectFromHost();
        break;
    case Reply::Ignored:
        break;
    }
}

void TMainForm::ClientSocketError() {
    SetStatus(QStringLiteral("СЕРВЕР НЕДОСТУПЕН!"));
}

void TMainForm::ClientSocketDisconnect() {
    SetStatus(QStringLiteral("OFFLINE"));
}
