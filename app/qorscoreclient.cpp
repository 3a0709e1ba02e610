#include "app/qorscoreclient.h"

#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "net/qorverified.h"

#include <QTcpSocket>

#include <algorithm>

using namespace QORProtocol;

namespace {

// Every reply begins with this; the keywords differ only after it.
const QString ReplyStart = QStringLiteral("ZKSERVER_");
// A top list of the most rows a server sends is far smaller; a server that sends more is
// not heard any further.
constexpr qsizetype MaxReplyLength = 1 << 20;

// The text without the blanks the splitting rule skips at its start.
QStringView Head(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].unicode() >= 1 && text[i].unicode() <= 32)
        ++i;
    return QStringView(text).mid(i);
}

// The verified list's replies: each ends with a line feed, so the client knows when it has one.
const QString* const VerifiedKeywords[] = {&ScrambleDealt, &SolveOk, &SolveBad, &TopList2};

bool StartsVerified(QStringView head) {
    for (const QString* keyword : VerifiedKeywords) {
        if (!head.startsWith(*keyword))
            continue;
        const QStringView after = head.mid(keyword->size());
        if (after.isEmpty() || after[0] == u';' || after[0] == u'#' || after[0] == u'\n')
            return true;
    }
    return false;
}

// What the status says of a refused solve, for the player.
QString Refusal(SolveFault fault) {
    switch (fault) {
    case SolveFault::Unsolved:
        return QORScoreClient::tr("РЕЗУЛЬТАТ ОТКЛОНЁН: КУБИК НЕ СОБРАН");
    case SolveFault::Unknown:
        return QORScoreClient::tr("РЕЗУЛЬТАТ ОТКЛОНЁН: ЧУЖОЕ ПЕРЕМЕШИВАНИЕ");
    case SolveFault::Used:
        return QORScoreClient::tr("РЕЗУЛЬТАТ ОТКЛОНЁН: ПЕРЕМЕШИВАНИЕ УЖЕ ЗАСЧИТАНО");
    case SolveFault::Expired:
        return QORScoreClient::tr("РЕЗУЛЬТАТ ОТКЛОНЁН: ПЕРЕМЕШИВАНИЕ УСТАРЕЛО");
    case SolveFault::Times:
        return QORScoreClient::tr("РЕЗУЛЬТАТ ОТКЛОНЁН: НЕВЕРНОЕ ВРЕМЯ ХОДОВ");
    case SolveFault::Held:
        break;
    }
    return QORScoreClient::tr("РЕЗУЛЬТАТ ЖДЁТ ПРОВЕРКИ ОПЕРАТОРОМ");
}

} // namespace

QORScoreClient::QORScoreClient(const QORSettings& settings, QObject* parent)
    : QObject(parent), ClientSocket(new QTcpSocket(this)), Settings(settings) {
    connect(ClientSocket, &QTcpSocket::connected, this, &QORScoreClient::ClientSocketConnect);
    connect(ClientSocket, &QTcpSocket::readyRead, this, &QORScoreClient::ClientSocketRead);
    connect(ClientSocket, &QTcpSocket::errorOccurred, this, &QORScoreClient::ClientSocketError);
    connect(ClientSocket, &QTcpSocket::disconnected, this, &QORScoreClient::ClientSocketDisconnect);
    Retry.setSingleShot(true);
    connect(&Retry, &QTimer::timeout, this, [this] {
        if (Settings.UpdateTopList)
            ConnectToServer();
    });
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

bool QORScoreClient::Send(const QString& message) {
    const QByteArray bytes = ToCp1251(message);
    return ClientSocket->write(bytes) == bytes.size();
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
    SetStatus(tr("ПОДКЛЮЧЕНИЕ..."));
    // A look-up or connect still under way gives way to the new attempt.
    ClientSocket->abort();
    Retry.stop();
    Refused = false;
    ClientSocket->connectToHost(Settings.HostName, quint16(Settings.HostPort));
}

bool QORScoreClient::RequestTopList() {
    if (!Connected())
        return false;
    Send(Credentials(GetTop, Settings.UserName, Settings.Password));
    return true;
}

bool QORScoreClient::SubmitResult(int seconds, int shuffles) {
    if (Connected() && Send(Result(Settings.UserName, Settings.Password, seconds, shuffles)))
        return true;
    SetStatus(tr("РЕЗУЛЬТАТ НЕ ОТПРАВЛЕН"));
    return false;
}

bool QORScoreClient::RequestScramble(int shuffles) {
    return Connected() && Send(ScrambleRequest(Settings.UserName, Settings.Password, shuffles));
}

bool QORScoreClient::RequestScramble(const QString& kind) {
    return Connected() && Send(ScrambleRequest(Settings.UserName, Settings.Password, kind));
}

bool QORScoreClient::SubmitSolve(const QString& id, qint64 ms, const QList<TimedMove>& moves,
                                 bool plusTwo) {
    if (Connected() &&
        Send(SolveRequest(Settings.UserName, Settings.Password, id, ms, moves, plusTwo))) {
        if (plusTwo)
            PenaltiesAsked << id;
        return true;
    }
    SetStatus(tr("РЕЗУЛЬТАТ НЕ ОТПРАВЛЕН"));
    return false;
}

bool QORScoreClient::SolveFits(const QString& id, qint64 ms, const QList<TimedMove>& moves,
                               bool plusTwo) const {
    return ToCp1251(SolveRequest(Settings.UserName, Settings.Password, id, ms, moves, plusTwo))
               .size() <= MaxSolveBytes;
}

bool QORScoreClient::RequestTopList2(const QString& kind) {
    if (!Connected() || !Send(TopList2Request(Settings.UserName, Settings.Password, kind)))
        return false;
    ListsAsked << kind;
    return true;
}

void QORScoreClient::ClientSocketConnect() {
    ReplyText.clear();
    Undecided.clear();
    Unfinished.clear();
    Online = false;
    Handled = -1;
    ListsAsked.clear();
    PenaltiesAsked.clear();
    // The register choice keeps its state for the run: every connection registers until cleared.
    if (RegisterChosen()) {
        SetStatus(tr("РЕГИСТРАЦИЯ..."));
        Send(Credentials(Register, Settings.UserName, Settings.Password));
    } else {
        SetStatus(tr("АВТОРИЗАЦИЯ..."));
        Send(Credentials(Login, Settings.UserName, Settings.Password));
    }
}

void QORScoreClient::ClientSocketRead() {
    // A reply may arrive in pieces cut anywhere, even inside its keyword, and a read may hold
    // a verified reply and whatever follows it.
    QString text = Unfinished + Undecided + FromCp1251(ClientSocket->readAll());
    Unfinished.clear();
    Undecided.clear();
    while (!text.isEmpty())
        text = StartsVerified(Head(text)) ? ReadVerified(text) : ReadSeed(text);
}

QString QORScoreClient::ReadVerified(const QString& text) {
    const qsizetype end = text.indexOf(QLatin1Char(EndOfMessage));
    if (end < 0) {
        if (text.size() <= MaxReplyLength)
            Unfinished = text;
        return {};
    }
    // The seed reply before it has ended: a later piece continues nothing.
    ReplyText.clear();
    Handled = -1;
    DispatchVerified(ParseVerifiedReply(Head(text.left(end + 1)).toString()));
    return text.mid(end + 1);
}

QString QORScoreClient::ReadSeed(QString text) {
    // A verified reply that follows in the same read is a reply of its own.
    qsizetype cut = -1;
    for (const QString* keyword : VerifiedKeywords) {
        const qsizetype at = text.indexOf(*keyword, 1);
        if (at > 0 && (cut < 0 || at < cut))
            cut = at;
    }
    const QString rest = cut > 0 ? text.mid(cut) : QString();
    if (cut > 0)
        text.truncate(cut);
    const QStringView head = Head(text);
    if (head.startsWith(ReplyStart)) {
        ReplyText = text;
        Handled = -1;
    } else if (!head.isEmpty() && ReplyStart.startsWith(head)) {
        Undecided = text;
        return rest;
    } else if (ReplyText.size() + text.size() <= MaxReplyLength) {
        ReplyText += text;
    } else {
        return rest;
    }
    if (StartsVerified(Head(ReplyText))) {
        // Its keyword was cut: the reply was a verified one all along.
        const QString whole = ReplyText;
        ReplyText.clear();
        return whole + rest;
    }
    Dispatch();
    return rest;
}

void QORScoreClient::DispatchVerified(const VerifiedReply& reply) {
    switch (reply.What) {
    case VerifiedReply::Scramble:
        emit ScrambleDealt(reply.Id, reply.Moves, reply.Kind);
        break;
    case VerifiedReply::Accepted:
        PenaltiesAsked.removeOne(reply.Id);
        SetStatus(reply.Place > 0 ? tr("РЕЗУЛЬТАТ ПРОВЕРЕН: %1-е место").arg(reply.Place)
                                  : tr("РЕЗУЛЬТАТ ПРОВЕРЕН"));
        emit SolveAnswered(reply);
        break;
    case VerifiedReply::Refused:
        PenaltiesAsked.removeOne(reply.Id);
        SetStatus(Refusal(reply.Fault));
        emit SolveAnswered(reply);
        break;
    case VerifiedReply::Rows:
        // A list nobody asked for on this connection is the numbered one, as it always was.
        emit VerifiedTopListReceived(reply.List, ListsAsked.isEmpty() ? QString()
                                                                      : ListsAsked.takeFirst());
        break;
    case VerifiedReply::None:
        break;
    }
}

void QORScoreClient::Dispatch() {
    const QORProtocol::Reply reply = ParseReply(ReplyText);
    const bool again = Handled == reply.What;
    Handled = reply.What;
    switch (reply.What) {
    case QORProtocol::Reply::TopListRows:
        // Every piece shows the list as far as it has come.
        emit TopListReceived(reply.Rows);
        break;
    case QORProtocol::Reply::LoginAccepted:
        if (!again) {
            Online = true;
            NextRetry = FirstRetry;
            SetStatus(QStringLiteral("ZKSERVER IS ONLINE!"));
            emit LoggedIn();
        }
        break;
    case QORProtocol::Reply::LoginRefused:
        if (again)
            break;
        // A server from before random-state or daily lists refuses that request as it refuses a
        // malformed one: the credentials it took stand, and that list stays empty.
        if (Online && (ListsAsked.value(0) == RandomKind || ListsAsked.value(0) == DailyKind)) {
            ListsAsked.removeFirst();
            break;
        }
        // Nor does one from before the penalty take a penalised solve: it stays in the history
        // as judged, since sending it without the penalty would claim a better time.
        if (Online && !PenaltiesAsked.isEmpty()) {
            VerifiedReply refused;
            refused.What = VerifiedReply::Refused;
            refused.Id = PenaltiesAsked.takeFirst();
            SetStatus(tr("СЕРВЕР НЕ ПРИНИМАЕТ ШТРАФ +2"));
            emit SolveAnswered(refused);
            break;
        }
        SetStatus(tr("ОШИБКА: ЛОГИН/ПАРОЛЬ!"));
        Refused = true;
        Online = false;
        emit LoginRefused();
        ClientSocket->disconnectFromHost();
        break;
    case QORProtocol::Reply::Ignored:
        break;
    }
}

void QORScoreClient::ClientSocketError() {
    SetStatus(tr("СЕРВЕР НЕДОСТУПЕН!"));
    RetryLater();
}

void QORScoreClient::ClientSocketDisconnect() {
    Online = false;
    // A server that hung up, as one does without a verdict when its store cannot answer,
    // stays told as unavailable.
    if (ClientSocket->error() != QAbstractSocket::RemoteHostClosedError)
        SetStatus(QStringLiteral("OFFLINE"));
    RetryLater();
}

void QORScoreClient::RetryLater() {
    // An error and the hang-up after it are one loss, and wait once.
    if (Refused || !Settings.UpdateTopList || Retry.isActive())
        return;
    NextRetry = std::clamp(NextRetry, FirstRetry, LongestRetry);
    Retry.start(NextRetry);
    NextRetry = std::min(2 * NextRetry, LongestRetry);
}
