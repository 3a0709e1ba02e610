// The web front's front page over loopback HTTP with 10 000 players and 100 000 results on an
// SQLite file: requests per second from six keep-alive connections, as a browser opens them,
// and the first page, which is read from the store before it is kept.
#include "net/qorverified.h"
#include "server/qorscorestore.h"
#include "server/qorwebfront.h"

#include "benchapplication.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

namespace {

constexpr int Players = 10000;
constexpr int Results = 100000;

// A quarter of the results are seed results, a quarter each verified numbered, random-state
// and today's daily solves; one transaction, ranked by opening the store again.
bool Fill(QORScoreStore& store, const QString& location) {
    {
        QSqlDatabase db = store.Database();
        QSqlQuery user(db), result(db);
        if (!db.transaction() ||
            !user.prepare("INSERT INTO users (id, name, name_key, password) VALUES (?, ?, ?, ?)") ||
            !result.prepare("INSERT INTO results (user_id, seconds, shuffles, date, ms, moves, "
                            "kind) VALUES (?, ?, ?, ?, ?, ?, ?)"))
            return false;
        for (int p = 1; p <= Players; ++p) {
            const QString name = QStringLiteral("игрок <%1> & co").arg(p);
            for (const QVariant& value :
                 {QVariant(p), QVariant(name), QVariant(name.toLower()), QVariant(QByteArray("x"))})
                user.addBindValue(value);
            if (!user.exec())
                return false;
        }
        const QDate today = QDateTime::currentDateTimeUtc().date();
        // The kind column holds no nulls: a numbered solve's kind is the empty text.
        const QString kinds[] = {QStringLiteral(""), QStringLiteral(""), QORProtocol::RandomKind,
                                 QORProtocol::DailyKindOf(today)};
        for (int r = 0; r < Results; ++r) {
            const int kind = r % 4;
            const qint64 ms = 20000 + (qint64(r) * 7919) % 600000;
            for (const QVariant& value :
                 {QVariant(1 + r % Players), QVariant(int(ms / 1000)), QVariant(20 + r % 10),
                  QVariant(today.toString(Qt::ISODate)),
                  kind == 0 ? QVariant(QMetaType::fromType<qint64>()) : QVariant(ms),
                  QVariant(40 + r % 30), QVariant(kinds[kind])})
                result.addBindValue(value);
            if (!result.exec())
                return false;
        }
        if (!db.commit())
            return false;
    }
    return store.Open(location, 20);
}

void WebFrontPageRequests(benchmark::State& state) {
    EnsureApplication();
    QTemporaryDir dir;
    const QString location = dir.filePath(QStringLiteral("scores.sqlite"));
    QORScoreStore store;
    if (!store.Open(location, 20) || !Fill(store, location)) {
        state.SkipWithError("could not fill the store");
        return;
    }
    QORWebFront front(store, 100);
    if (!front.Listen(QHostAddress(QHostAddress::LocalHost), 0)) {
        state.SkipWithError("could not listen");
        return;
    }
    QNetworkAccessManager net;
    const QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(front.Port())));
    // Sends count requests at once and waits for all; whether every one was answered well.
    const auto ask = [&](int count) {
        int left = count;
        bool ok = true;
        for (int i = 0; i < count; ++i) {
            QNetworkReply* reply = net.get(request);
            QObject::connect(reply, &QNetworkReply::finished, [&, reply] {
                ok = ok && reply->error() == QNetworkReply::NoError && reply->size() > 0;
                --left;
                reply->deleteLater();
            });
        }
        while (left > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return ok;
    };
    QElapsedTimer first;
    first.start();
    if (!ask(1)) {
        state.SkipWithError("the front page was not answered");
        return;
    }
    state.counters["first_ms"] = double(first.nsecsElapsed()) / 1e6;
    constexpr int Batch = 200;
    for (auto _ : state)
        if (!ask(Batch))
            state.SkipWithError("a request was not answered");
    state.counters["page_bytes"] = double(front.Answer(QStringLiteral("/")).Body.size());
    state.counters["requests_per_s"] =
        benchmark::Counter(double(Batch) * double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(WebFrontPageRequests)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
