#pragma once
// The store as every connection shares it: the top-list reply is built once per ranking, and
// results the file refuses are kept in memory, in order, and written as soon as it takes them.
// A lost PostgreSQL connection is opened again within a second, also while nothing is
// written, so that the ranking notices of other servers are heard again.

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include "server/qorverifier.h"

#include <functional>
#include <optional>

class QORScoreStore;
struct QORVerifiedTopRow;

struct QORKeptResult {
    qint64 Player = 0;
    // The player's name, to say whose result it was should it never be written.
    QString Name;
    int Seconds = 0;
    int Shuffles = 0;
    QDate Date;
};

class QORScoreBook : public QObject {
    Q_OBJECT
public:
    // How often kept results are tried again.
    static constexpr int RetryMs = 500;

    QORScoreBook(QORScoreStore& store, int rows, QObject* parent = nullptr);

    QORScoreStore& Store() { return Records; }
    // The reply to a top-list request, built again only once the ranking has changed. The
    // last one built while the store cannot answer; empty when there is none.
    QByteArray TopReply();
    // The same for the verified list of scrambles of that kind, the numbered ones by default;
    // DailyKind is today's daily list, a DAILY-YYYY-MM-DD kind that day's.
    QByteArray TopList2Reply(const QString& kind = {});
    // The place of that result on the verified list of that kind, 1…, or 0 outside its rows.
    int VerifiedPlace(qint64 resultId, const QString& kind = {});
    QORVerifier& Verifier() { return Checker; }
    // Stores the result, or keeps it when the file refuses it or earlier ones wait.
    void AddResult(const QORKeptResult& result);
    // Whether a write may be tried now: while results wait, the file is known to refuse and
    // another write would only wait for it again.
    bool Writable() const { return Kept.isEmpty(); }
    // Whether results of the first kind are ignored, so that the seed list holds verified
    // solves only.
    bool VerifiedOnly = false;
    // Writes the kept results it can, in order; those it still could not write.
    QList<QORKeptResult> Flush();

private:
    QORScoreStore& Records;
    QORVerifier Checker;
    int Rows;
    // A reply and the ranking it was built for; none at first.
    struct KeptReply {
        QByteArray Bytes;
        std::optional<quint64> Ranking;
    };
    // The kept reply, built again by build when the ranking has changed and the store answers.
    QByteArray Fresh(KeptReply& kept, const std::function<QByteArray()>& build);

    // A verified list's reply, and the results of its rows, in order.
    struct KeptList {
        KeptReply Reply;
        QList<qint64> Results;
    };

    // The kept list of that kind, made when missing.
    KeptList& List(const QString& kind);
    // Daily lists kept at most, for today and the days asked for lately.
    static constexpr int KeptDays = 8;

    KeptReply Top;
    KeptList Numbered;
    KeptList Random;
    QHash<QString, KeptList> Days;
    QList<QORKeptResult> Kept;
    QTimer Retry;
    QTimer Watch;
};
