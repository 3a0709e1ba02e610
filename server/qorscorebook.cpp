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

QByteArray QORScoreBook::Fresh(KeptReply& kept, const std::function<QByteArray()>& build) {
    const quint64 ranking = Records.RankVersion();
    if (kept.Ranking == ranking)
        return kept.Bytes;
    const QByteArray reply = build();
    // A store that cannot answer leaves the last reply standing.
    if (Records.Answered()) {
        kept.Bytes = reply;
        kept.Ranking = ranking;
    }
    return kept.Bytes;
}

QByteArray QORScoreBook::TopReply() {
    return Fresh(Top, [this] {
        QList<QStringList> rows;
        for (const QORTopRow& row : Records.Top(Rows))
            rows << QStringList{row.Name, ClockText(row.Seconds), QString::number(row.Shuffles),
                                row.Date.toString(QORProtocol::ListDateForm)};
        return ToCp1251(QORProtocol::TopListReply(rows));
    });
}

QORScoreBook::KeptList& QORScoreBook::List(const QString& kind) {
    // The message's reading lets no other kind through.
    if (kind.isEmpty())
        return Numbered;
    if (kind == QORProtocol::RandomKind)
        return Random;
    // Any day may be asked for, but only a few are kept, so that asking fills no memory.
    if (!Days.contains(kind) && Days.size() >= KeptDays)
        Days.clear();
    return Days[kind];
}

QByteArray QORScoreBook::TopList2Reply(const QString& asked) {
    const QString kind =
        asked == QORProtocol::DailyKind ? QORProtocol::DailyKindOf(Checker.Today()) : asked;
    KeptList& list = List(kind);
    return Fresh(list.Reply, [this, &list, kind] {
        const std::optional<QDate> day = QORProtocol::DailyDayOf(kind);
        const QList<QORVerifiedTopRow> top =
            day ? Records.DailyTop(*day, Rows) : Records.VerifiedTop(Rows, kind);
        QList<QORProtocol::VerifiedRow> rows;
        QList<qint64> results;
        for (const QORVerifiedTopRow& row : top) {
            rows << QORProtocol::VerifiedRow{row.Name, row.Ms, row.Moves, row.Shuffles, row.Date};
            results << row.ResultId;
        }
        if (Records.Answered())
            list.Results = results;
        return ToCp1251(QORProtocol::TopList2Reply(rows));
    });
}

int QORScoreBook::VerifiedPlace(qint64 resultId, const QString& kind) {
    TopList2Reply(kind);
    return int(List(kind).Results.indexOf(resultId) + 1);
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
