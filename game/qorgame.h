#pragma once
// One game of the puzzle: the cube, the clock and the flow from a new game to a win, and the
// game file. Windows show what it signals and forward the player's commands; it knows nothing
// of widgets or GL.

#include "game/qorcubeframe.h"
#include "game/qorundo.h"
#include "model/qorbigcube.h"
#include "net/qorverified.h"
#include "settings/qorsettings.h"

#include <QDateTime>
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
    // Of a game shuffled by the score server: its id and when it was dealt (UTC). Empty for a
    // game shuffled here, which is never verified.
    QString ScrambleId;
    QDateTime DealtAt;
    // The running game's shuffle is a uniformly random state's scramble, not a number of
    // random turns: its result belongs to no numbered list.
    bool RandomState = false;
    // The UTC day whose daily challenge the running game is, the player's one try; invalid
    // for every other game.
    QDate DailyDay;
    // The player's layer turns, undos and redos included, each with the clock's reading and
    // written in the cube's own frame, so that the shuffle and these replayed without the
    // whole-cube turns end solved.
    QList<QORProtocol::TimedMove> TimedMoves;
    // The running game, or the last one, ended solved.
    bool Solved = false;
    // A hint has turned a layer since the game began; such a game is kept but goes to no list.
    bool HintUsed = false;

    // A view shows each turn after the cube has made it: a new game's clock then starts only
    // when the view says the shuffle is on the screen (TurnsShown), and a replay waits for it
    // between turns. Without a view both go on at once.
    bool ShowsTurns = false;

    // Whether a new game begins with the inspection; the window answers from the player's
    // choices. Unset, never.
    std::function<bool()> WantsInspection;
    // Runs while the player inspects the shuffled cube; each timeout is one
    // InspectionTimerTimer, due when the countdown next changes.
    QTimer InspectionTimer;
    // The first layer turn came after the inspection's time: the result is 2 s longer.
    bool PlusTwo = false;
    // No turn came before the inspection ran out: the game ended unsolved.
    bool Dnf = false;

    // A monotonic clock in milliseconds; tests set one of their own.
    std::function<qint64()> NowMs;

    bool Running() const { return GameTimer.isActive(); }
    bool Inspecting() const { return InspectionTimer.isActive(); }
    // A game is under way: inspected or timed.
    bool Playing() const { return Running() || Inspecting(); }
    // The clock shows a warning: the inspection's last seconds, or a DNF.
    bool ClockWarns() const;
    // Milliseconds the game has run by the monotonic clock, to its end when it has ended.
    qint64 ElapsedMs() const { return Running() ? NowMs() - StartMs : FinalMs; }
    // Resets and shuffles the cube and starts the clock, once the shuffle has been shown when
    // a view shows it. Forgets the game file.
    void NewGame();
    // The same with a given shuffle: one the score server dealt, which makes the game a
    // verified one, or with no id one made here. randomState says it is a random state's.
    void NewGame(const QString& scrambleId, const QList<QORMove>& scramble,
                 const QDateTime& dealtAt, bool randomState = false,
                 const QDate& dailyDay = {});
    bool Verified() const { return !ScrambleId.isEmpty(); }
    // The view has shown every turn made so far.
    void TurnsShown();
    // Abandons the game: solved cube, clock at zero. Forgets the game file.
    void Stop();
    void GameTimerTimer();
    void InspectionTimerTimer();
    // A mouse button went up over the cube: the drag ends, and a running game on a solved
    // cube is won.
    void ButtonReleased();
    // The player's turns from a key; a running game is won when they solve the cube.
    bool PlayerTurns(const QList<QORMove>& turns);
    // False when there is nothing to undo or redo.
    bool UndoTurn();
    bool RedoTurn();
    // The pointer is over a sticker during a drag; the turn the drag makes, if any, is the
    // player's. The game is won only on the release, as the drag may go on.
    void Pick(const QORHit& hit);
    // A drag's turn: counted and kept for undo.
    void Dragged(const QORMove& move);
    // A turn of someone else's, such as a replay's: counted nowhere.
    void ShowTurn(const QORMove& move);

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
    // The cube has made a quarter turn; paced ones (a shuffle's, a replay's) are shown at the
    // full turn speed, the player's may be hurried.
    void Turned(const QORMove& move, bool paced);
    // The cube took a new position without turns: a reset or an opened file.
    void CubeReplaced();
    // Every turn made so far has been shown.
    void Shown();
    // The inspection ran out before the first turn: the game is over, unsolved, and its clock
    // says DNF.
    void DidNotFinish();

private:
    void Begin(int shuffles, const std::function<QList<QORMove>()>& shuffle);
    void StopClock();
    void ForgetGameFile();
    // Forgets the turns of the game before: a new game, a stop, an opened file.
    void ClearTurns();
    void Count(const QList<QORMove>& turns);
    // The player's turns, new, undone or redone: made, counted, and a win when they solve.
    bool Play(const QList<QORMove>& turns);
    void Make(const QList<QORMove>& turns, bool paced = false);
    // The shuffle is on the screen: the inspection or the clock begins.
    void Ready();
    void StartClock();
    void ShowInspection();
    // The first layer turn, or the inspection's end without one.
    void EndInspection();
    void CheckWin();

    qint64 StartMs = 0;
    qint64 FinalMs = 0;
    qint64 InspectionStartMs = 0;
    // A new game's shuffle is still being shown.
    bool ClockWaits = false;
    QORCubeFrame Frame;

    const QORSettings& Settings;
};
