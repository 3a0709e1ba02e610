#include "server/qorscoresession.h"

#include "net/qorcp1251.h"
#include "net/qorclocktext.h"
#include "net/qorprotocol.h"
#include "server/qorscorestore.h"

#include <optional>

namespace {

constexpr qint64 NoPlayer = 0;

QByteArray TopListBytes(const QList<QORTopRow>& top) {
    QList<QStringList> rows;
    rows.reserve(top.size());
    for (const QORTopRow& row : top)
        rows << QStringList{row.Name, ClockText(row.Seconds), QString::number(row.Shuffles),
                            row.Date.toString(QStringLiteral("dd.MM.yyyy"))};
    return ToCp1251(QORProtocol::TopListReply(rows));
}

} // namespace

QORScoreSession::QORScoreSession(QORScoreStore& store, int rows) : Store(store), Rows(rows) {}

qint64 QORScoreSession::Authenticate(const QString& name, const QString& password) {
    if (IsVerified(name, password))
        return VerifiedPlayer;
    ++DerivationCount;
    const std::optional<qint64> player = Store.Verify(name, password);
    if (!player)
        return NoPlayer;
    Remember(name, password, *player);
    return *player;
}

bool QORScoreSession::IsVerified(const QString& name, const QString& password) const {
    return VerifiedPlayer != NoPlayer && name == VerifiedName && password == VerifiedPassword;
}

void QORScoreSession::Remember(const QString& name, const QString& password, qint64 player) {
    VerifiedName = name;
    VerifiedPassword = password;
    VerifiedPlayer = player;
}

QORScoreSession::Answer QORScoreSession::Handle(const QORServerMessage& message) {
    const QByteArray ok = ToCp1251(QORProtocol::LoginOk);
    const QByteArray bad = ToCp1251(QORProtocol::LoginBad);
    Answer answer;
    switch (message.What) {
    case QORServerMessage::Invalid:
        break;
    case QORServerMessage::Login:
        answer.Reply = Authenticate(message.Name, message.Password) != NoPlayer ? ok : bad;
        break;
    case QORServerMessage::Register: {
        if (IsVerified(message.Name, message.Password)) {
            answer.Reply = ok;
            break;
        }
        ++DerivationCount;
        const std::optional<qint64> player = Store.Register(message.Name, message.Password);
        if (player)
            Remember(message.Name, message.Password, *player);
        answer.Reply = player ? ok : bad;
        break;
    }
    case QORServerMessage::GetTop:
        answer.Reply = Authenticate(message.Name, message.Password) != NoPlayer
                           ? TopListBytes(Store.Top(Rows))
                           : bad;
        break;
    case QORServerMessage::TimeResult: {
        const qint64 player = Authenticate(message.Name, message.Password);
        if (player == NoPlayer)
            answer.Reply = bad;
        else
            answer.StoreFailed = !Store.AddResult(player, message.Seconds, message.Shuffles);
        break;
    }
    }
    return answer;
}
