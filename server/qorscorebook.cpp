#include "server/qorscorebook.h"

#include "net/qorclocktext.h"
#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "server/qorscorestore.h"

QORScoreBook::QORScoreBook(QORScoreStore& store, int rows, QObject* parent)
    : QObject(parent), Records(store), Checker(store), Rows(rows) {
    Retry.setInterval(RetryMs);
    connect(&Retry, &QTimer::timeout, this, &QORScoreBook::Flush);
    // Knowing the connection lost asks nothing of the database, so the watch costs nothing.
    Watch.setInterval(1000);
    connect(&Watch, &QTimer::timeout, this, [this] {
        if (Records.Lost())
            Records.Reconnect();
    });
    Watch.start();
}

QByteArray QORScoreBook::TopReply() {
    const quint64 ranking = Records.RankVersion();
    if (TopRanking == ranking)
        return Top;
    const QList<QORTopRow> top = Records.Top(Rows);
    if (!Records.Answered())
        return Top;
    QList<QStringList> rows;
    for (const QORTopRow& row : top)
        rows << QStringList{row.Name, ClockText(row.Seconds), QString::number(row.Shuffles),
                            row.Date.toString(QORProtocol::ListDateForm)};
    Top = ToCp1251(QORProtocol::TopListReply(rows));
    TopRanking = ranking;
    return Top;
}

QByteArray QORScoreBook::TopList2Reply() {
    const quint64 ranking = Records.RankVersion();
    if (Top2Ranking == ranking)
        return Top2;
    const QList<QORVerifiedTopRow> top = Records.VerifiedTop(Rows);
    if (!Records.Answered())
        return Top2;
    QList<QORProtocol::VerifiedRow> rows;
    Top2Results.clear();
    for (const QORVerifiedTopRow& row : top) {
        rows << QORProtocol::VerifiedRow{row.Name, row.Ms, row.Moves, row.Shuffles, row.Date};
        Top2Results << row.ResultId;
    }
    Top2 = ToCp1251(QORProtocol::TopList2Reply(rows));
    Top2Ranking = ranking;
    return Top2;
}

int QORScoreBook::VerifiedPlace(qint64 resultId) {
    TopList2Reply();
    return int(Top2Results.indexOf(resultId) + 1);
}

void QORScoreBook::AddResult(const QORKeptResult& result) {
    if (Writable() &&
        Records.AddResult(result.Player, result.Seconds, result.Shuffles, result.Date))
        return;
    Kept << result;
    // Results that keep coming must not put the next try off.
    if (!Retry.isActive())
        Retry.start();
}

QList<QORKeptResult> QORScoreBook::Flush() {
    while (!Kept.isEmpty()) {
        const QORKeptResult& first = Kept.first();
        if (!Records.AddResult(first.Player, first.Seconds, first.Shuffles, first.Date))
            return Kept;
        Kept.removeFirst();
    }
    Retry.stop();
    return Kept;
}
