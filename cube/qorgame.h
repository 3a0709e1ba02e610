#pragma once
// One game of the puzzle: the cube, the clock and the flow from a new game to a win, and the
// game file. Windows show what it signals and forward the player's commands; it knows nothing
// of widgets or GL.

#include "cube/qorbigcube.h"
#include "cube/qorundo.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QORGame : public QObject {
    Q_OBJECT
public:
    explicit QORGame(const QORSettings& settings, QObject* parent = nullptr);

    QORBigCube Cube;
    // Runs exactly while a game is timed; each timeout is one GameTimerTimer tick, as the
    // window connects it.
    QTimer GameTimer;
    int GameSeconds = 0;
    // The shuffle length the running game began with.
    int GameShuffles = 0;
    // The game file last opened or saved; empty when there is none.
    QString CurrentGameFile;
    QORUndo History;
    // The shuffle's turns and the player's, undos and redos written as the turns they made:
    // replaying both from a solved cube ends solved.
    QList<QORMove> Scramble;
    QList<QORMove> Solution;
    // The player's quarter turns since the game began, undos and redos included; turns of the
    // whole cube only change how it is held and count nothing.
    int Moves = 0;
    // The running game, or the last one, ended solved.
    bool Solved = false;

    // A monotonic clock in milliseconds; tests set one of their own.
    std::function<qint64()> NowMs;

    bool Running() const { return GameTimer.isActive(); }
    // Milliseconds the game has run by the monotonic clock, to its end when it has ended.
    qint64 ElapsedMs() const { return Running() ? NowMs() - StartMs : FinalMs; }
    // Resets and shuffles the cube and starts the clock. Forgets the game file.
    void NewGame();
    // Abandons the game: solved cube, clock at zero. Forgets the game file.
    void Stop();
    void GameTimerTimer();
    // A mouse button went up over the cube: a running game on a solved cube is won.
    void ButtonReleased();
    // The player's turns from a key, animated like a drag's; a running game is won when they
    // solve the cube. False when they were stopped part-way.
    bool PlayerTurns(const QList<QORMove>& turns);
    bool UndoTurn();
    bool RedoTurn();

    // Opens a saved game, which ends the running one. A file that is no saved game changes
    // nothing: the game, its clock and its turns go on as they were.
    bool Open(const QString& path, QString* error);
    // Whether "Save" has a file to write without asking for a name.
    bool HasGameFile() const;
    // Saves to the game file, or to path, which then becomes the game file.
    bool Save(QString* error);
    bool SaveAs(const QString& path, QString* error);

signals:
    void ClockChanged(const QString& text);
    // The clock has stopped on a solved cube; the window congratulates and reports. The clock's
    // text keeps the final time until the next game.
    void Won(int seconds, int shuffles);
    void GameFileChanged(const QString& path);
    void GameFileForgotten();
    // The move count, or what can be undone and redone, has changed.
    void MovesChanged();

private:
    void StopClock();
    void ForgetGameFile();
    // Forgets the turns of the game before: a new game, a stop, an opened file.
    void ClearTurns();
    void Count(const QList<QORMove>& turns);
    bool Make(const QList<QORMove>& turns);
    void CheckWin();

    qint64 StartMs = 0;
    qint64 FinalMs = 0;

    const QORSettings& Settings;
};
