#include "server/qorverifier.h"

#include "model/qorbigcube.h"
#include "net/qorcp1251.h"
#include "server/qorscorestore.h"
#include "server/qorservermessage.h"
#include "solver/qorsolver.h"
#include "solver/qorsolverbridge.h"

#include <QDateTime>
#include <QPointer>

#include <sodium.h>

using QORProtocol::SolveFault;

namespace {

constexpr qint64 ScrambleLifeMs = qint64(QORProtocol::ScrambleLifeHours) * 3600 * 1000;

// Sixteen random bytes as lowercase hex digits: nobody guesses another player's scramble.
QString NewScrambleId() {
    unsigned char bytes[QORProtocol::ScrambleIdLength / 2];
    randombytes_buf(bytes, sizeof bytes);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes).toHex());
}

uint32_t Draw(uint32_t n) {
    return uint32_t(randombytes_uniform(n));
}

// Built once per process, before the first deal, and shared read-only by every verifier: no
// copy is kept on disk, since building is quick and a server starts seldom.
std::shared_ptr<const QORSolver> SharedSolver() {
    static const std::shared_ptr<const QORSolver> solver =
        std::make_shared<const QORSolver>(QORSolverTables::Build());
    return solver;
}

} // namespace

QORVerifier::QORVerifier(QORScoreStore& store)
    : Clock([] { return QDateTime::currentMSecsSinceEpoch(); }), Records(store) {
    // Safe to call again; the random source needs it once per process.
    if (sodium_init() < 0)
        qFatal("libsodium cannot start");
    Solver = SharedSolver();
    Pool.setMaxThreadCount(1);
}

QString QORVerifier::Keep(QORScramble scramble) {
    const QString id = NewScrambleId();
    scramble.DealtMs = Clock();
    return Records.AddScramble(id, scramble) ? id : QString();
}

QByteArray QORVerifier::Deal(qint64 player, int shuffles) {
    QORBigCube cube;
    cube.Reset();
    // The game's own shuffle, drawn from the system's cryptographic source.
    const QList<QORMove> moves = cube.Shuffle(shuffles, Draw);
    const QString id = Keep({player, shuffles, MovesText(moves), 0, false, {}});
    return id.isEmpty() ? QByteArray() : ToCp1251(QORProtocol::ScrambleReply(id, shuffles, moves));
}

void QORVerifier::DrawRandom(QObject* context, std::function<void(const QList<QORMove>&)> drawn) {
    Pool.start([this, waiting = QPointer<QObject>(context), drawn = std::move(drawn),
                solver = Solver]() mutable {
        // Its length on the list is what the player has to undo: the quarter turns as dealt.
        const QList<QORMove> moves = QuarterTurnsOf(RandomStateScramble(*solver, Draw));
        QMetaObject::invokeMethod(
            &Home,
            [waiting = std::move(waiting), drawn = std::move(drawn), moves] {
                if (waiting)
                    drawn(moves);
            },
            Qt::QueuedConnection);
    });
}

void QORVerifier::DealRandom(qint64 player, QObject* context,
                             std::function<void(const QByteArray&)> done) {
    DrawRandom(context, [this, player, done = std::move(done)](const QList<QORMove>& moves) {
        const QString& kind = QORProtocol::RandomKind;
        const QString id = Keep({player, int(moves.size()), MovesText(moves), 0, false, kind});
        done(id.isEmpty() ? QByteArray() : ToCp1251(QORProtocol::ScrambleReply(id, kind, moves)));
    });
}

QDate QORVerifier::Today() const {
    return QDateTime::fromMSecsSinceEpoch(Clock(), Qt::UTC).date();
}

void QORVerifier::DealDaily(qint64 player, QObject* context,
                            std::function<void(const QByteArray&)> done) {
    const QDate day = Today();
    const QString kind = QORProtocol::DailyKindOf(day);
    if (const std::optional<QByteArray> known = TryReply(player, kind)) {
        done(*known);
        return;
    }
    const std::optional<QString> stored = Records.DailyScramble(day);
    if (!stored) {
        done(QByteArray());
    } else if (!stored->isEmpty()) {
        done(KeepTry(player, kind, *stored));
    } else {
        // The day's first request draws its scramble; another server may draw at the same
        // time, and then both deal the one stored first.
        DrawRandom(context,
                   [this, player, day, kind, done = std::move(done)](const QList<QORMove>& moves) {
                       const std::optional<QString> kept = Records.KeepDailyScramble(
                           day, MovesText(moves), QDateTime::fromMSecsSinceEpoch(Clock(), Qt::UTC));
                       done(kept ? KeepTry(player, kind, *kept) : QByteArray());
                   });
    }
}

std::optional<QByteArray> QORVerifier::TryReply(qint64 player, const QString& kind) {
    QString id;
    const std::optional<QORScramble> known = Records.DailyTry(player, kind, id);
    if (!known)
        return Records.Answered() ? std::nullopt : std::optional<QByteArray>(QByteArray());
    if (known->Used)
        return ToCp1251(QORProtocol::SolveBadReply(QString(), SolveFault::Used));
    return ToCp1251(
        QORProtocol::ScrambleReply(id, kind, ParseMoves(known->Moves).value_or(QList<QORMove>())));
}

QByteArray QORVerifier::KeepTry(qint64 player, const QString& kind, const QString& moves) {
    const QList<QORMove> turns = ParseMoves(moves).value_or(QList<QORMove>());
    const QString id = Keep({player, int(turns.size()), moves, 0, false, kind});
    if (!id.isEmpty())
        return ToCp1251(QORProtocol::ScrambleReply(id, kind, turns));
    // Another connection of the player may have dealt the try a moment ago: one try a day.
    return TryReply(player, kind).value_or(QByteArray());
}

std::optional<SolveFault> QORVerifier::Replay(const QString& scramble,
                                              const QORServerMessage& solve, qint64 sinceDealtMs) {
    const std::optional<QList<QORMove>> dealt = ParseMoves(scramble);
    if (!dealt || solve.Broken == SolveFault::Unsolved)
        return SolveFault::Unsolved;
    QORBigCube cube;
    cube.Reset();
    for (const QORMove& move : *dealt)
        cube.Turn(move);
    for (const QORProtocol::TimedMove& move : solve.Moves)
        cube.Turn(move.Move);
    if (!cube.IsSolved())
        return SolveFault::Unsolved;
    if (solve.Broken)
        return solve.Broken;
    qint64 last = 0;
    for (const QORProtocol::TimedMove& move : solve.Moves) {
        if (move.Ms < last)
            return SolveFault::Times;
        last = move.Ms;
    }
    // A penalised solve's inspection ran out before its first turn, so all of it fits between
    // the deal and the solve's arrival.
    const qint64 inspected = solve.PlusTwo ? QORProtocol::InspectionMs : 0;
    if (last > solve.Ms || solve.Ms + inspected > sinceDealtMs)
        return SolveFault::Times;
    return std::nullopt;
}

QORVerifier::Verdict QORVerifier::Check(qint64 player, const QORServerMessage& solve) {
    Verdict verdict;
    const auto refuse = [&verdict](SolveFault fault) {
        verdict.What = Verdict::Refused;
        verdict.Fault = fault;
        return verdict;
    };
    // What the store's answer makes of the verdict; nothing when it took the solve. Another
    // server on the same database may have taken it a moment ago.
    const auto unstored = [&](QORScoreStore::SolveStored stored) -> std::optional<Verdict> {
        if (stored == QORScoreStore::SolveStored::Failed)
            return verdict;
        if (stored == QORScoreStore::SolveStored::AlreadyUsed)
            return refuse(SolveFault::Used);
        return std::nullopt;
    };
    if (solve.Broken == SolveFault::Unknown)
        return refuse(SolveFault::Unknown);
    const std::optional<QORScramble> scramble = Records.Scramble(solve.Id);
    if (!scramble && !Records.Answered())
        return verdict;
    // Another player's id is as unknown as one never dealt: ids tell nothing of others.
    if (!scramble || scramble->Player != player)
        return refuse(SolveFault::Unknown);
    const qint64 since = Clock() - scramble->DealtMs;
    // A daily try lasts until its UTC day ends, any other scramble for a fixed time.
    const std::optional<QDate> day = QORProtocol::DailyDayOf(scramble->Kind);
    if (day ? Clock() >= day->addDays(1).startOfDay(Qt::UTC).toMSecsSinceEpoch()
            : since > ScrambleLifeMs)
        return refuse(SolveFault::Expired);
    if (scramble->Used)
        return refuse(SolveFault::Used);
    if (const std::optional<SolveFault> fault = Replay(scramble->Moves, solve, since)) {
        // A daily try has one solve, whatever its verdict: giving up sends the moves so far.
        if (day)
            if (const std::optional<Verdict> v = unstored(Records.FinishTry(solve.Id)))
                return *v;
        return refuse(*fault);
    }
    const int turns = int(solve.Moves.size());
    QORSolve stored{player,
                    solve.Id,
                    scramble->Shuffles,
                    solve.Ms + (solve.PlusTwo ? QORProtocol::PenaltyMs : 0),
                    turns,
                    QORProtocol::TimedMovesText(solve.Moves),
                    day.value_or(QDateTime::fromMSecsSinceEpoch(Clock()).date()),
                    solve.Ms < HeldUnderMs || qint64(turns) * 1000 > HeldTurnsPerSecond * solve.Ms,
                    scramble->Kind};
    if (const std::optional<Verdict> v = unstored(Records.AddSolve(stored, verdict.ResultId)))
        return *v;
    if (stored.Held)
        return refuse(SolveFault::Held);
    verdict.What = Verdict::Accepted;
    verdict.Listed = Records.Listed(stored);
    verdict.Kind = stored.Kind;
    return verdict;
}
