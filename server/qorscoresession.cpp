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
    : QObject(parent), Book(book), Guard(guard), Peer(peer) {}

void QORScoreSession::ClientGone() {
    Gone = true;
    if (Waiting && !WorthDoingUnheard(WaitingFor)) {
        Waiting.reset();
        std::exchange(WaitingReply, nullptr)(QByteArray());
    }
}

bool QORScoreSession::WorthDoingUnheard(QORServerMessage::Kind what) const {
    // Only what changes the store, and not from an address that keeps failing: a result
    // written for a guess would tell the guesser through the top list.
    return (what == QORServerMessage::Register || what == QORServerMessage::TimeResult) &&
           !Guard.Throttled(Peer);
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
    if (Gone && !WorthDoingUnheard(message.What)) {
        reply(QByteArray());
        return;
    }
    if (IsVerified(message)) {
        Serve(message, reply);
        return;
    }
    Check(message, reply);
}

void QORScoreSession::Unanswerable(const Reply& reply) {
    emit Unavailable();
    reply(QByteArray());
}

void QORScoreSession::Check(const QORServerMessage& message, const Reply& reply) {
    // The check's own context: when it goes, the guard drops the check.
    Waiting = std::make_unique<QObject>();
    WaitingFor = message.What;
    WaitingReply = reply;
    const std::optional<QORAccount> account = Book.Store().Account(message.Name);
    if (!account && !Book.Store().Answered()) {
        Unanswerable(reply);
        return;
    }
    if (!account && message.What == QORServerMessage::Register &&
        IsValidName(TrimmedName(message.Name))) {
        Guard.Create(Peer, message.Password, Waiting.get(),
                     [this, message, reply](const QORPasswordCheck& made) {
                         Created(message, made.Renewed, reply);
                     });
        return;
    }
    // Without an account the check runs against the dummy: unknown names cost the same.
    const qint64 id = account ? account->Id : 0;
    const QString name = account ? account->Name : QString();
    Guard.Check(Peer, message.Password,
                account ? std::optional<QByteArray>(account->Password) : std::nullopt,
                Waiting.get(),
                [this, message, id, name, reply](const QORPasswordCheck& check) {
                    Checked(message, id, name, check, reply);
                });
}

void QORScoreSession::Checked(const QORServerMessage& message, qint64 account, const QString& name,
                              const QORPasswordCheck& check, const Reply& reply) {
    Waiting.reset();
    if (!check.Matches) {
        reply(Bad());
        return;
    }
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
    Waiting.reset();
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
