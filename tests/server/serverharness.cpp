#include "serverharness.h"

#include "app/qorcp1251.h"
#include "net/qorprotocol.h"

#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QVariant>

void EnsureCoreApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quelmora_server_tests";
    static char* argv[] = {name, nullptr};
    // Kept for the whole run: Qt objects of later tests need the same instance.
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    EnsureCoreApplication();
    QDeadlineTimer deadline(timeoutMs);
    // The tick wakes the loop now and then to look at the deadline when nothing else comes.
    QTimer tick;
    tick.start(10);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

QByteArray LoginBytes(const QString& name, const QString& password) {
    return ToCp1251(QORProtocol::Credentials(QORProtocol::Login, name, password));
}

QByteArray RegisterBytes(const QString& name, const QString& password) {
    return ToCp1251(QORProtocol::Credentials(QORProtocol::Register, name, password));
}

QByteArray GetTopBytes(const QString& name, const QString& password) {
    return ToCp1251(QORProtocol::Credentials(QORProtocol::GetTop, name, password));
}

QByteArray ResultBytes(const QString& name, const QString& password, int seconds, int shuffles) {
    return ToCp1251(QORProtocol::Result(name, password, seconds, shuffles));
}

QByteArray OkBytes() {
    return ToCp1251(QORProtocol::LoginOk);
}

QByteArray BadBytes() {
    return ToCp1251(QORProtocol::LoginBad);
}

QByteArray TopListBytes(const QList<QStringList>& rows) {
    return ToCp1251(QORProtocol::TopListReply(rows));
}

QStringList TopRow(const QString& name, int seconds, int shuffles) {
    const int hours = seconds / 3600;
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(hours, 2, 10, QLatin1Char('0'))
                              .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return {name, clock, QString::number(shuffles),
            QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"))};
}

QORTestServer::QORTestServer(QORServerOptions options) : Options(options) {
    EnsureCoreApplication();
    Options.Address = QHostAddress(QHostAddress::LocalHost);
    Options.Port = 0;
}

QORTestServer::~QORTestServer() {
    Server.reset();
    ScoreStore.Close();
}

bool QORTestServer::Start() {
    if (!Dir.isValid() || !ScoreStore.Open(DatabasePath(), Options.MinShuffles))
        return false;
    Server = std::make_unique<QORScoreServer>(ScoreStore, Options);
    return Server->Listen();
}

QORTestClient::QORTestClient() : Socket(std::make_unique<QTcpSocket>()) {
    EnsureCoreApplication();
    QObject::connect(Socket.get(), &QTcpSocket::readyRead, [this] { Buffer += Socket->readAll(); });
}

bool QORTestClient::Connect(quint16 port, const QHostAddress& from) {
    if (!from.isNull() && !Socket->bind(from, 0))
        return false;
    Socket->connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    return WaitUntil([this] {
               return Socket->state() != QAbstractSocket::ConnectingState &&
                      Socket->state() != QAbstractSocket::HostLookupState;
           }) &&
           IsConnected();
}

void QORTestClient::Send(const QByteArray& bytes) {
    Socket->write(bytes);
    Socket->flush();
}

QByteArray QORTestClient::Ask(const QByteArray& message, qsizetype replySize) {
    Send(message);
    WaitForBytes(replySize);
    return Take();
}

bool QORTestClient::WaitForBytes(qsizetype size) {
    return WaitUntil([this, size] { return Buffer.size() >= size; });
}

bool QORTestClient::WaitForClose() {
    return WaitUntil([this] { return Socket->state() == QAbstractSocket::UnconnectedState; });
}

QByteArray QORTestClient::Take() {
    QByteArray taken;
    taken.swap(Buffer);
    return taken;
}

qint64 CountResultsInFile(const QString& path) {
    const QString name = QStringLiteral("quelmora-count");
    qint64 count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM results")) && query.next())
                count = query.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}
