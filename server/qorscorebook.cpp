#include "server/qorscorebook.h"

#include "net/qorclocktext.h"
#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "server/qorscorestore.h"

QORScoreBook::QORScoreBook(QORScoreStore& store, int rows, QObject* parent)
    : QObject(parent), Records(store), Rows(rows) {
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
    if (TopRanking == Records.RankVersion())
        return Top;
    const QList<QORTopRow> top = Records.Top(Rows);
    if (!Records.Answered())
        return Top;
    QList<QStringList> rows;
    for (const QORTopRow& row : top)
        rows << QStringList{row.Name, ClockText(row.Seconds), QString::number(row.Shuffles),
                            row.Date.toString(QStringLiteral("dd.MM.yyyy"))};
    Top = ToCp1251(QORProtocol::TopListReply(rows));
    TopRanking = Records.RankVersion();
    return Top;
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
