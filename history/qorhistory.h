#pragma once
// Every game the player solved while the clock ran, kept in an SQLite file in the per-user
// data folder: it outlives reinstalls and settings resets, and a result the score server has
// not had yet waits there until it is sent.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>

struct QORSolve {
    qint64 Id = 0;
    QDateTime FinishedAt; // UTC
    // By a monotonic clock, to the millisecond; the clock on screen shows whole seconds.
    double Seconds = 0;
    // The whole seconds the clock showed, which is what the score server is sent.
    int ClockSeconds = 0;
    int Shuffles = 0;
    int Moves = 0;
    // Quarter turns in the cube's own frame, as MovesText writes them.
    QString Scramble;
    QString Solution;
    bool Sent = false;
    // Of a game the score server shuffled: its scramble's id, when it was dealt (UTC), and the
    // player's turns with their times as the server is sent them. Empty otherwise.
    QString ScrambleId;
    QDateTime DealtAt;
    QString TimedMoves;
    // The shuffle was a uniformly random state's scramble, Shuffles its quarter turns: it
    // belongs to no numbered list.
    bool RandomState = false;
    // The UTC day whose daily challenge this was; invalid for every other game.
    QDate DailyDay;
    // The stored numbers cannot come from a real solve (a damaged or edited file); such a
    // solve is shown as damaged and counts nowhere.
    bool Damaged = false;
    // A hint turned a layer in this game: it is kept, but never sent and never a record.
    bool Hinted = false;
    // The quarter turns the game's solver needed from the shuffled cube; nothing until it has
    // answered, or for a solve kept before the game had a solver.
    std::optional<int> SolverMoves;
    // The first turn came after the inspection's time: the result is 2 s more than Seconds.
    bool PlusTwo = false;
    // The inspection ran out before any turn: no time, and no solve.
    bool Dnf = false;

    // The time that counts, the penalty included; infinite for a DNF, which is worse than any.
    double Result() const;

    // The solver's length over the player's: 1 when the player was as short, less when longer.
    // Nothing while either is unknown or the player made no turn.
    std::optional<double> Efficiency() const;
};

class QORSolveHistory {
public:
    QORSolveHistory();
    ~QORSolveHistory();
    QORSolveHistory(const QORSolveHistory&) = delete;
    QORSolveHistory& operator=(const QORSolveHistory&) = delete;

    // quelmora/history.sqlite under $XDG_DATA_HOME, or ~/.local/share where it is not set.
    static QString DefaultPath();

    // Opens or creates the file; false, with the reason, when it cannot be used.
    bool Open(const QString& path, QString* error = nullptr);
    bool IsOpen() const;
    // Stores the solve, committed before it returns; its id, or nothing with the reason.
    std::optional<qint64> Add(const QORSolve& solve, QString* error = nullptr);
    bool MarkSent(qint64 id);
    bool SetSolverMoves(qint64 id, int quarterTurns);
    bool Remove(qint64 id);
    // Oldest first.
    QList<QORSolve> All() const;
    // The sound solves the score server has not had; a damaged or hinted one is never sent.
    QList<QORSolve> Unsent() const;
    // The length that stands for the random-state games, whatever their scrambles' length: the
    // lengths below are of the other games.
    static constexpr int RandomStateLength = -2;
    // And the one for the daily challenges, which are random states too but kept apart.
    static constexpr int DailyLength = -3;
    // Up to count solves at this shuffle length (any when -1), newest first, from the
    // one before the solve named (from the newest when 0): a window reads as it scrolls.
    QList<QORSolve> Page(int shuffles, qint64 before, int count) const;
    // The result of every solve at this shuffle length (any when -1), oldest first, as
    // QORSolve::Result counts it, and nothing for a damaged one: one pass for the figures and
    // the chart.
    QList<std::optional<double>> Times(int shuffles) const;
    // The shuffle lengths the game offers among the solves, shortest first, and
    // RandomStateLength and DailyLength last when there are such games.
    QList<int> Lengths() const;
    // The best result of the sound solves without hints at this shuffle length, other than the one
    // named, among the random-state ones or among the others.
    std::optional<double> Best(int shuffles, qint64 except = 0, bool randomState = false) const;
    // The days in a row, ending on day, on each of which the daily challenge was solved; 0
    // when it was not solved on day itself.
    int DailyStreak(const QDate& day) const;
    // Every solve as comma-separated values with a header line, in UTF-8.
    bool ExportCsv(const QString& path, QString* error = nullptr) const;

private:
    QList<QORSolve> Select(const QString& where, const QVariantList& values = {}) const;

    QString Connection;
};
