#include "app/qordaily.h"

#include "app/qorscoreclient.h"
#include "game/qorgame.h"
#include "history/qorhistory.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>

QORDailyChallenge::QORDailyChallenge(QORGame& game, QORScoreClient& client,
                                     const QORSolveHistory& history, QObject* parent)
    : QObject(parent), StartAction(tr("Задача дня")), CopyAction(tr("Копировать результат")),
      Game(game), Client(client), History(history) {
    StartAction.setShortcut(Qt::CTRL | Qt::Key_D);
    // C turns no layer: the shortcut takes no move key.
    CopyAction.setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    CopyAction.setEnabled(false);
    connect(&StartAction, &QAction::triggered, this, &QORDailyChallenge::Start);
    connect(&CopyAction, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(ResultText()); });
    Wait.setSingleShot(true);
    Wait.setInterval(DealWait);
    connect(&Wait, &QTimer::timeout, this, [this] {
        emit Refused(tr("Сервер не прислал задачу дня: похоже, он её не проводит."));
    });
    connect(&Client, &QORScoreClient::ScrambleDealt, this, &QORDailyChallenge::Dealt);
    connect(&Client, &QORScoreClient::SolveAnswered, this, &QORDailyChallenge::Answered);
    connect(&Game, &QORGame::Won, this, &QORDailyChallenge::Won);
}

void QORDailyChallenge::Start() {
    // Only the server knows today's scramble and keeps the one try.
    if (!Client.LoggedInNow() || !Client.RequestScramble(QORProtocol::DailyKind)) {
        emit Refused(tr("Задача дня доступна только на сервере: войдите в «Топ "
                        "игроков» → «Авторизация...» и дождитесь связи."));
        return;
    }
    Wait.start();
}

void QORDailyChallenge::Cancel() {
    Wait.stop();
}

bool QORDailyChallenge::Playing() const {
    return Game.Playing() && Game.DailyDay.isValid() && Game.Verified();
}

void QORDailyChallenge::AskGiveUp(QWidget* parent) {
    if (Question)
        return;
    Question = new QMessageBox(QMessageBox::Question, tr("Задача дня"),
                               tr("Сдаться? Попытка на сегодня одна: после сдачи "
                                  "задачу дня можно будет решить только завтра."),
                               QMessageBox::Yes | QMessageBox::No, parent);
    Question->setAttribute(Qt::WA_DeleteOnClose);
    Question->setDefaultButton(QMessageBox::No);
    connect(Question, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes)
            GiveUp();
    });
    Question->open();
}

void QORDailyChallenge::GiveUp() {
    // The try may have been won or stopped while the question was up.
    if (Playing())
        Forfeit();
}

void QORDailyChallenge::Forfeit() {
    if (!Game.DailyDay.isValid() || !Game.Verified())
        return;
    GivenUpId = Game.ScrambleId;
    if (!Client.SubmitSolve(Game.ScrambleId, Game.ElapsedMs(), Game.TimedMoves))
        emit Refused(tr("Сервер недоступен: попытка не сдана и остаётся открытой, "
                        "задачу дня можно начать снова."));
    Game.Stop();
}

QString QORDailyChallenge::ResultText() const {
    // Hundredths cut, not rounded, as the clock and the lists show them. Counted words take
    // their plural forms from the translation, Russian included.
    QStringList parts = {tr("%1 с").arg(QLocale().toString(Ms / 10 / 100.0, 'f', 2)),
                         tr("%n ходов", nullptr, Moves)};
    if (Place > 0)
        parts << tr("%1-е место").arg(Place);
    parts << tr("серия %n дней", nullptr, std::max(1, History.DailyStreak(Day)));
    return tr("Quelmora, задача дня %1: %2")
        .arg(Day.toString(Qt::ISODate), parts.join(QStringLiteral(", ")));
}

void QORDailyChallenge::Dealt(const QString& id, const QList<QORMove>& moves, const QString& kind) {
    const std::optional<QDate> day = QORProtocol::DailyDayOf(kind);
    if (!Wait.isActive() || !day || moves.isEmpty())
        return;
    Wait.stop();
    Game.NewGame(id, moves, QDateTime::currentDateTimeUtc(), true, *day);
}

void QORDailyChallenge::Answered(const QORProtocol::VerifiedReply& reply) {
    using QORProtocol::VerifiedReply;
    if (Wait.isActive() && reply.What == VerifiedReply::Refused && reply.Id.isEmpty() &&
        reply.Fault == QORProtocol::SolveFault::Used) {
        Wait.stop();
        emit Refused(tr("Задача дня на сегодня уже сыграна. Новая будет завтра."));
        return;
    }
    if (!GivenUpId.isEmpty() && reply.Id == GivenUpId) {
        GivenUpId.clear();
        emit StatusChanged(tr("ЗАДАЧА ДНЯ СДАНА"));
        return;
    }
    if (WonId.isEmpty() || reply.Id != WonId)
        return;
    WonId.clear();
    if (reply.What != VerifiedReply::Accepted)
        return;
    Place = reply.Place;
    CopyAction.setEnabled(true);
    emit Placed();
}

void QORDailyChallenge::Won() {
    if (!Game.DailyDay.isValid() || !Game.Verified())
        return;
    WonId = Game.ScrambleId;
    Day = Game.DailyDay;
    Ms = Game.ElapsedMs();
    Moves = Game.Moves;
    Place = 0;
}
