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
    return (what == QORServerMessage::Register || what == QORServerMessage::TimeResult ||
            what == QORServerMessage::Solve) &&
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
        // The operator may ban the player while the connection is open. A store that cannot
        // tell leaves the last check standing, so that results are kept through an outage.
        const std::optional<bool> banned =
            Book.Store().Lost() ? std::nullopt : Book.Store().Banned(Player);
        if (banned.value_or(false)) {
            Player = 0;
            reply(Bad());
        } else {
            Serve(message, reply);
        }
        return;
    }
    Check(message, reply);
}

void QORScoreSession::Unanswerable(const Reply& reply) {
    emit Unavailable();
    reply(QByteArray());
}

void QORScoreSession::Answer(const QByteArray& bytes, const Reply& reply) {
    if (bytes.isEmpty())
        Unanswerable(reply);
    else
        reply(bytes);
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
    const QORAccount found = account.value_or(QORAccount());
    Guard.Check(Peer, message.Password,
                account ? std::optional<QByteArray>(account->Password) : std::nullopt,
                Waiting.get(), [this, message, found, reply](const QORPasswordCheck& check) {
                    Checked(message, found, check, reply);
                });
}

void QORScoreSession::Checked(const QORServerMessage& message, const QORAccount& account,
                              const QORPasswordCheck& check, const Reply& reply) {
    Waiting.reset();
    // A banned player learns of the ban only with the right password, so that a guesser
    // learns nothing more than from any other refusal.
    if (!check.Matches || account.Banned) {
        reply(Bad());
        return;
    }
    // An old or cheaper hash is replaced now that the password is known; should the file
    // refuse, the next login tries again.
    if (!check.Renewed.isEmpty() && Book.Writable())
        Book.Store().SetPassword(account.Id, check.Renewed);
    VerifiedName = message.Name;
    VerifiedPassword = message.Password;
    Player = account.Id;
    PlayerName = account.Name;
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
        QORAccount account;
        account.Id = *id;
        account.Name = TrimmedName(message.Name);
        Checked(message, account, made, reply);
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
        Answer(Book.TopReply(), reply);
        return;
    case QORServerMessage::TimeResult:
        // A server of verified solves only takes none of these, and says nothing.
        if (!Book.VerifiedOnly)
            Book.AddResult(
                {Player, PlayerName, message.Seconds, message.Shuffles, QDate::currentDate()});
        reply(QByteArray());
        return;
    case QORServerMessage::Scramble:
        if (message.KindName.isEmpty()) {
            Answer(Book.Verifier().Deal(Player, message.Shuffles), reply);
            return;
        }
        // The deal waits for its solve as a login waits for its check.
        Waiting = std::make_unique<QObject>();
        WaitingFor = message.What;
        WaitingReply = reply;
        {
            auto dealt = [this, reply](const QByteArray& bytes) {
                Waiting.reset();
                Answer(bytes, reply);
            };
            if (message.KindName == QORProtocol::DailyKind)
                Book.Verifier().DealDaily(Player, Waiting.get(), dealt);
            else
                Book.Verifier().DealRandom(Player, Waiting.get(), dealt);
        }
        return;
    case QORServerMessage::Solve:
        ServeSolve(message, reply);
        return;
    case QORServerMessage::GetTop2:
        Answer(Book.TopList2Reply(message.KindName), reply);
        return;
    case QORServerMessage::Invalid:
    case QORServerMessage::Refused:
        break;
    }
    reply(QByteArray());
}

void QORScoreSession::ServeSolve(const QORServerMessage& message, const Reply& reply) {
    using Verdict = QORVerifier::Verdict;
    const Verdict verdict = Book.Verifier().Check(Player, message);
    switch (verdict.What) {
    case Verdict::Unanswerable:
        // The solve was not taken: the client keeps it and sends it again.
        Unanswerable(reply);
        return;
    case Verdict::Refused:
        reply(ToCp1251(QORProtocol::SolveBadReply(message.Id, verdict.Fault)));
        return;
    case Verdict::Accepted:
        break;
    }
    const int place = verdict.Listed ? Book.VerifiedPlace(verdict.ResultId, verdict.Kind) : 0;
    reply(ToCp1251(QORProtocol::SolveOkReply(message.Id, place)));
}
