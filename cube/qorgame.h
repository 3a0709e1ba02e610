#pragma once
// One game of the puzzle: the cube, the clock and the flow from a new game to a win, and the
// game file. Windows show what it signals and forward the player's commands; it knows nothing
// of widgets or GL.

#include "cube/qorbigcube.h"

#include <QObject>
#include <QString>
#include <QTimer>

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

    bool Running() const { return GameTimer.isActive(); }
    // Resets and shuffles the cube and starts the clock. Forgets the game file.
    void NewGame();
    // Abandons the game: solved cube, clock at zero. Forgets the game file.
    void Stop();
    void GameTimerTimer();
    // A mouse button went up over the cube: a running game on a solved cube is won.
    void ButtonReleased();

    // Opens the file the player chose (empty: cancelled). The clock stops either way; a file
    // that is no saved game changes nothing else and is not taken as the game file.
    bool Open(const QString& path, QString* error);
    // Whether "Save" has a file to write without asking for a name.
    bool HasGameFile() const;
    // Saves to the game file, or to path, which then becomes the game file.
    bool Save(QString* error);
    bool SaveAs(const QString& path, QString* error);

signals:
    void ClockChanged(const QString& text);
    // The clock has stopped on a solved cube; the window congratulates and reports.
    void Won(int seconds, int shuffles);
    void GameFileChanged(const QString& path);
    void GameFileForgotten();

private:
    void StopClock();
    void ForgetGameFile();

    const QORSettings& Settings;
};
