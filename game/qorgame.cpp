#include "game/qorgame.h"

#include "game/qorinspection.h"
#include "net/qorclocktext.h"

#include <QFileInfo>

#include <chrono>

QORGame::QORGame(const QORSettings& settings, QObject* parent)
    : QObject(parent), Cube(&settings.ColorTable), Settings(settings) {
    GameTimer.setInterval(1000);
    // The DNF falls on its moment, not up to a twentieth of a second early or late.
    InspectionTimer.setSingleShot(true);
    InspectionTimer.setTimerType(Qt::PreciseTimer);
    connect(&InspectionTimer, &QTimer::timeout, this, &QORGame::InspectionTimerTimer);
    NowMs = [] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    Cube.Reset();
}

void QORGame::NewGame() {
    // A copy: changing the setting during the game does not change what it reports.
    const int shuffles = Settings.ShuffleCount;
    Begin(shuffles, [this, shuffles] { return Cube.Shuffle(shuffles); });
}

void QORGame::NewGame(const QString& scrambleId, const QList<QORMove>& scramble,
                      const QDateTime& dealtAt, bool randomState, const QDate& dailyDay) {
    Begin(int(scramble.size()), [this, scramble] {
        for (const QORMove& move : scramble)
            Cube.Turn(move);
        return scramble;
    });
    ScrambleId = scrambleId;
    DealtAt = dealtAt;
    RandomState = randomState;
    DailyDay = dailyDay;
}

void QORGame::Begin(int shuffles, const std::function<QList<QORMove>()>& shuffle) {
    InspectionTimer.stop();
    ForgetGameFile();
    ClearTurns();
    GameSeconds = 0;
    GameShuffles = shuffles;
    emit ClockChanged(ClockText(0));
    Cube.Reset();
    emit CubeReplaced();
    Scramble = shuffle();
    for (const QORMove& move : Scramble)
        emit Turned(move, true);
    ClockWaits = ShowsTurns && !Scramble.isEmpty();
    if (!ClockWaits)
        Ready();
    emit MovesChanged();
}

void QORGame::Ready() {
    ClockWaits = false;
    // A solved cube has nothing to inspect.
    if (!WantsInspection || !WantsInspection() || Scramble.isEmpty()) {
        StartClock();
        return;
    }
    // The timer of a game started over a running one must not tick during the inspection.
    GameTimer.stop();
    InspectionStartMs = NowMs();
    ShowInspection();
}

void QORGame::ShowInspection() {
    const qint64 ms = NowMs() - InspectionStartMs;
    InspectionTimer.start(int(QORInspection::NextChangeIn(ms)));
    emit ClockChanged(QORInspection::Text(ms));
}

void QORGame::InspectionTimerTimer() {
    if (QORInspection::At(NowMs() - InspectionStartMs) == QORInspection::Verdict::Dnf)
        EndInspection();
    else
        ShowInspection();
}

void QORGame::EndInspection() {
    InspectionTimer.stop();
    const QORInspection::Verdict verdict = QORInspection::At(NowMs() - InspectionStartMs);
    if (verdict != QORInspection::Verdict::Dnf) {
        PlusTwo = verdict == QORInspection::Verdict::PlusTwo;
        StartClock();
        emit ClockChanged(ClockText(0));
        return;
    }
    Dnf = true;
    FinalMs = 0;
    emit ClockChanged(QStringLiteral("DNF"));
    emit DidNotFinish();
}

bool QORGame::ClockWarns() const {
    return Dnf || (Inspecting() && QORInspection::Warns(NowMs() - InspectionStartMs));
}

void QORGame::StartClock() {
    ClockWaits = false;
    // Restarting a running timer would restart its period too.
    if (!GameTimer.isActive())
        GameTimer.start();
    StartMs = NowMs();
}

void QORGame::TurnsShown() {
    if (ClockWaits) {
        Ready();
        // The game is under way now: the window shows its move count.
        if (Running())
            emit ClockChanged(ClockText(GameSeconds));
    }
    emit Shown();
}

void QORGame::Stop() {
    ForgetGameFile();
    ClearTurns();
    Cube.Reset();
    emit CubeReplaced();
    StopClock();
}

void QORGame::ForgetGameFile() {
    // A new position is no longer the file's: a later save must ask for a name, not silently
    // replace the saved game.
    if (CurrentGameFile.isEmpty())
        return;
    CurrentGameFile.clear();
    emit GameFileForgotten();
}

void QORGame::StopClock() {
    ClockWaits = false;
    GameTimer.stop();
    InspectionTimer.stop();
    GameSeconds = 0;
    emit ClockChanged(ClockText(0));
}

void QORGame::ClearTurns() {
    History.Clear();
    Scramble.clear();
    Solution.clear();
    ScrambleId.clear();
    DealtAt = {};
    RandomState = false;
    DailyDay = {};
    TimedMoves.clear();
    Frame.Reset();
    Moves = 0;
    Solved = false;
    HintUsed = false;
    PlusTwo = false;
    Dnf = false;
    emit MovesChanged();
}

void QORGame::Count(const QList<QORMove>& turns) {
    Solution << turns;
    if (TurnsWholeCube(turns)) {
        Frame.TurnWhole(turns);
    } else {
        Moves += int(turns.size());
        // The first layer turn ends the inspection; a whole-cube turn only looks.
        if (Inspecting())
            EndInspection();
        // A turn made while the shuffle is still being shown counts from the clock's start.
        const qint64 ms = Running() && !ClockWaits ? NowMs() - StartMs : 0;
        for (const QORMove& move : turns)
            TimedMoves << QORProtocol::TimedMove{Frame.Own(move), ms};
    }
    emit MovesChanged();
}

void QORGame::Make(const QList<QORMove>& turns, bool paced) {
    for (const QORMove& move : turns) {
        Cube.Turn(move);
        emit Turned(move, paced);
    }
}

bool QORGame::PlayerTurns(const QList<QORMove>& turns) {
    History.Did(turns);
    return Play(turns);
}

bool QORGame::UndoTurn() {
    return History.CanUndo() && Play(History.Undo());
}

bool QORGame::RedoTurn() {
    return History.CanRedo() && Play(History.Redo());
}

bool QORGame::Play(const QList<QORMove>& turns) {
    Make(turns);
    Count(turns);
    CheckWin();
    return true;
}

void QORGame::Pick(const QORHit& hit) {
    if (const std::optional<QORMove> move = Cube.Pick(hit))
        Dragged(*move);
}

void QORGame::Dragged(const QORMove& move) {
    Make({move});
    History.Did({move});
    Count({move});
}

void QORGame::ShowTurn(const QORMove& move) {
    Make({move}, true);
}

void QORGame::GameTimerTimer() {
    // A new game started during a running one keeps the timer's period, so it ticks while
    // the shuffle is still shown; the game's time starts only after it.
    if (ClockWaits)
        return;
    ++GameSeconds;
    emit ClockChanged(ClockText(GameSeconds));
}

void QORGame::ButtonReleased() {
    // The drag is over: the next press starts a new one.
    Cube.ClearTurnMarks();
    Cube.ClearPicks();
    CheckWin();
}

void QORGame::CheckWin() {
    if (!Running() || !Cube.IsSolved())
        return;
    GameTimer.stop();
    FinalMs = NowMs() - StartMs;
    Solved = true;
    // The clock's text and GameSeconds keep the final time until the next game; a verified
    // game's clock shows its hundredths, which its result is sent with.
    // A penalised time says so beside it.
    const QString penalty = PlusTwo ? u' ' + QORProtocol::PlusTwo : QString();
    if (Verified())
        emit ClockChanged(ClockTextMs(FinalMs) + penalty);
    else if (PlusTwo)
        emit ClockChanged(ClockText(GameSeconds) + penalty);
    emit Won(GameSeconds, GameShuffles);
}

bool QORGame::Open(const QString& path, QString* error) {
    // The load leaves the cube as it was when it fails, so the game it would end goes on.
    if (!Cube.Load(path, error))
        return false;
    CurrentGameFile = path;
    emit CubeReplaced();
    ClearTurns();
    StopClock();
    emit GameFileChanged(CurrentGameFile);
    return true;
}

bool QORGame::HasGameFile() const {
    return !CurrentGameFile.isEmpty() && QFileInfo(CurrentGameFile).isFile();
}

bool QORGame::Save(QString* error) {
    return Cube.Save(CurrentGameFile, error);
}

bool QORGame::SaveAs(const QString& path, QString* error) {
    if (!Cube.Save(path, error))
        return false;
    CurrentGameFile = path;
    emit GameFileChanged(CurrentGameFile);
    return true;
}
