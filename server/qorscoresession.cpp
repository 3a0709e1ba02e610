#include "server/qorscoresession.h"

#include "net/qorcp1251.h"
#include "net/qorlogin.h"
#include "net/qorprotocol.h"
#include "server/qorloginguard.h"
#include "server/qorscorebook.h"
#include "server/qorscorestore.h"

#include <utility>

namespace {

QByteArray Ok() {
    return ToCp1251(QORProtocol::LoginOk);
}

QByteArray Bad() {
    return ToCp1251(QORProtocol::LoginBad);
}

} // namespace

QORScoreSession::QORScoreSession(QORScoreBook& book, QORLoginGuard& guard, const QHostAddress& peer,
                                 QObject* parent)
    : QObject(parent), Book(book), Guard(guard), Peer(peer) {
    Delay.setSingleShot(true);
    connect(&Delay, &QTimer::timeout, this, [this] { std::exchange(Delayed, nullptr)(); });
}

void QORScoreSession::ClientGone() {
    Gone = true;
    if (Delay.isActive()) {
        Delay.stop();
        std::exchange(Delayed, nullptr)();
    }
}

bool QORScoreSession::IsVerified(const QORServerMessage& message) const {
    return Player != 0 && message.Name == VerifiedName && message.Password == VerifiedPassword;
}

void QORScoreSession::Handle(const QORServerMessage& message, const Reply& reply) {
    if (message.What == QORServerMessage::Invalid) {
        reply(QByteArray());
        return;
    }
    if (message.What == QORServerMessage::Refused) {
        reply(Bad());
        return;
    }
    if (Gone &&
        (message.What == QORServerMessage::Login || message.What == QORServerMessage::GetTop)) {
        reply(QByteArray());
        return;
    }
    if (IsVerified(message)) {
        Serve(message, reply);
        return;
    }
    // The delay holds back an answer; with nobody left to answer, it holds back nothing.
    const std::chrono::milliseconds wait = Guard.Admit(Peer);
    if (wait.count() == 0 || Gone) {
        Check(message, reply);
        return;
    }
    Delayed = [this, message, reply] { Check(message, reply); };
    Delay.start(wait);
}

void QORScoreSession::Unanswerable(const Reply& reply) {
    emit Unavailable();
    reply(QByteArray());
}

void QORScoreSession::Check(const QORServerMessage& message, const Reply& reply) {
    const std::optional<QORAccount> account = Book.Store().Account(message.Name);
    if (!account && !Book.Store().Answered()) {
        Unanswerable(reply);
        return;
    }
    if (!account && message.What == QORServerMessage::Register &&
        IsValidName(TrimmedName(message.Name))) {
        Guard.Create(message.Password, this, [this, message, reply](const QORPasswordCheck& made) {
            Created(message, made.Renewed, reply);
        });
        return;
    }
    // Without an account the check runs against the dummy: unknown names cost the same.
    const qint64 id = account ? account->Id : 0;
    const QString name = account ? account->Name : QString();
    Guard.Check(message.Password,
                account ? std::optional<QByteArray>(account->Password) : std::nullopt, this,
                [this, message, id, name, reply](const QORPasswordCheck& check) {
                    Checked(message, id, name, check, reply);
                });
}

void QORScoreSession::Checked(const QORServerMessage& message, qint64 account, const QString& name,
                              const QORPasswordCheck& check, const Reply& reply) {
    if (!check.Matches) {
        reply(Bad());
        return;
    }
    Guard.Succeeded(Peer);
    // An old or cheaper hash is replaced now that the password is known; should the file
    // refuse, the next login tries again.
    if (!check.Renewed.isEmpty() && Book.Writable())
        Book.Store().SetPassword(account, check.Renewed);
    VerifiedName = message.Name;
    VerifiedPassword = message.Password;
    Player = account;
    PlayerName = name;
    Serve(message, reply);
}

void QORScoreSession::Created(const QORServerMessage& message, const QByteArray& password,
                              const Reply& reply) {
    const std::optional<qint64> id = password.isEmpty() || !Book.Writable()
                                         ? std::nullopt
                                         : Book.Store().AddAccount(message.Name, password);
    if (id) {
        QORPasswordCheck made;
        made.Matches = true;
        Checked(message, *id, TrimmedName(message.Name), made, reply);
        return;
    }
    // Another connection made the name meanwhile: then the password must be that account's.
    // Otherwise the store did not take a free name, which says nothing about the player.
    if (Book.Store().Account(message.Name))
        Check(message, reply);
    else
        Unanswerable(reply);
}

void QORScoreSession::Serve(const QORServerMessage& message, const Reply& reply) {
    switch (message.What) {
    case QORServerMessage::Login:
    case QORServerMessage::Register:
        reply(Ok());
        return;
    case QORServerMessage::GetTop:
        if (const QByteArray top = Book.TopReply(); !top.isEmpty())
            reply(top);
        else
            Unanswerable(reply);
        return;
    case QORServerMessage::TimeResult:
        Book.AddResult(
            {Player, PlayerName, message.Seconds, message.Shuffles, QDate::currentDate()});
        reply(QByteArray());
        return;
    case QORServerMessage::Invalid:
    case QORServerMessage::Refused:
        break;
    }
    reply(QByteArray());
}
