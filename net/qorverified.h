#pragma once
// The verified top list's messages: the server deals a scramble, the client sends the solve
// with the time of every move, the server replays it and answers with a place or a fault.
// They follow the first messages' rules (cp1251, ";" between fields, "#" between records,
// the keyword carrying its ";"), but each request and each reply ends with a line feed, so
// that either side can act on a message as soon as it has all of it.

#include "model/qormove.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace QORProtocol {

inline const QString GetScramble = QStringLiteral("CUBE_SCRAMBLE;");
inline const QString Solve = QStringLiteral("CUBE_SOLVE;");
inline const QString GetTop2 = QStringLiteral("CUBE_GETTOP2;");

inline const QString ScrambleDealt = QStringLiteral("ZKSERVER_SCRAMBLE");
inline const QString SolveOk = QStringLiteral("ZKSERVER_SOLVE_OK");
inline const QString SolveBad = QStringLiteral("ZKSERVER_SOLVE_BAD");
inline const QString TopList2 = QStringLiteral("ZKSERVER_TOPLIST2");

inline constexpr char EndOfMessage = '\n';
// A solve carries every move with its time, so it may be far longer than any other message.
inline constexpr qsizetype MaxSolveBytes = 64 * 1024;
// How long a dealt scramble may be solved for the verified list.
inline constexpr int ScrambleLifeHours = 48;
// A scramble of a uniformly random state, dealt in place of a number of shuffle turns, and the
// verified list of such solves, which is kept apart from every numbered one.
inline const QString RandomKind = QStringLiteral("RANDOM");
// The daily challenge: asked for as DailyKind, today's; dealt and listed as DAILY-YYYY-MM-DD,
// the UTC day it belongs to.
inline const QString DailyKind = QStringLiteral("DAILY");
QString DailyKindOf(const QDate& day);
// The day of a DAILY-YYYY-MM-DD kind; nothing for any other text.
std::optional<QDate> DailyDayOf(const QString& kind);
// Inspection before a solve: the player may look this long before the first turn, a first
// turn later than that adds the penalty to the result, and none by the last moment makes the
// solve DNF. A solve with the penalty carries PlusTwo as its last field.
inline constexpr qint64 InspectionMs = 15000;
inline constexpr qint64 PenaltyMs = 2000;
inline constexpr qint64 InspectionEndMs = InspectionMs + PenaltyMs;
inline const QString PlusTwo = QStringLiteral("+2");
// A scramble id: this many lowercase hex digits, 128 random bits.
inline constexpr int ScrambleIdLength = 32;

// Why a solve was not taken, as the server names it on the wire.
enum class SolveFault { Unsolved, Unknown, Used, Expired, Times, Held };
QString FaultName(SolveFault fault);
std::optional<SolveFault> FaultFromName(const QString& name);

// A player's move and the clock's reading when it was made, in milliseconds.
struct TimedMove {
    QORMove Move;
    qint64 Ms = 0;
    bool operator==(const TimedMove& o) const { return Move == o.Move && Ms == o.Ms; }
};
// "R@412 U'@655": each move's name, "@" and its time, separated by single blanks.
QString TimedMovesText(const QList<TimedMove>& moves);
// Nothing unless every item is a move's name, "@" and at most nine digits; an empty text is
// an empty list.
std::optional<QList<TimedMove>> ParseTimedMoves(const QString& text);
bool IsScrambleId(const QString& id);

// The requests, each ending with the line feed.
QString ScrambleRequest(const QString& user, const QString& password, int shuffles);
// The same for a named kind: RandomKind or DailyKind.
QString ScrambleRequest(const QString& user, const QString& password, const QString& kind);
// ms is the clock's time from the first turn; plusTwo adds the penalty's field.
QString SolveRequest(const QString& user, const QString& password, const QString& id, qint64 ms,
                     const QList<TimedMove>& moves, bool plusTwo = false);
// Without a kind, the list of numbered shuffles; with one, that kind's list.
QString TopList2Request(const QString& user, const QString& password, const QString& kind = {});

// A row of the verified list: the time in milliseconds, the quarter turns the solve took.
struct VerifiedRow {
    QString Nick;
    qint64 Ms = 0;
    int Moves = 0;
    int Shuffles = 0;
    QDate Date;
};

// The replies, each ending with the line feed.
QString ScrambleReply(const QString& id, int shuffles, const QList<QORMove>& moves);
QString ScrambleReply(const QString& id, const QString& kind, const QList<QORMove>& moves);
QString SolveOkReply(const QString& id, int place);
QString SolveBadReply(const QString& id, SolveFault fault);
QString TopList2Reply(const QList<VerifiedRow>& rows);

// One of the replies above, read by the client once its line feed has come.
struct VerifiedReply {
    enum Kind { Scramble, Accepted, Refused, Rows, None };
    Kind What = None;
    QString Id;
    // A dealt scramble's number of shuffle turns, or 0 with its kind: RandomKind, or a daily
    // challenge's DAILY-YYYY-MM-DD. A refusal of a daily try already finished has no id.
    int Shuffles = 0;
    QString Kind;
    QList<QORMove> Moves;
    // Of an accepted solve: 1… on the verified list, 0 outside its rows.
    int Place = 0;
    SolveFault Fault = SolveFault::Unknown;
    QList<VerifiedRow> List;
};
// None when the text is not one whole reply of these kinds, or breaks its rules.
VerifiedReply ParseVerifiedReply(const QString& text);

} // namespace QORProtocol
