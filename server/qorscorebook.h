#pragma once
// The store as every connection shares it: the top-list reply is built once per ranking, and
// results the file refuses are kept in memory, in order, and written as soon as it takes them.
// A lost PostgreSQL connection is opened again within a second, also while nothing is
// written, so that the ranking notices of other servers are heard again.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class QORScoreStore;

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
    // Stores the result, or keeps it when the file refuses it or earlier ones wait.
    void AddResult(const QORKeptResult& result);
    // Whether a write may be tried now: while results wait, the file is known to refuse and
    // another write would only wait for it again.
    bool Writable() const { return Kept.isEmpty(); }
    // Writes the kept results it can, in order; those it still could not write.
    QList<QORKeptResult> Flush();

private:
    QORScoreStore& Records;
    int Rows;
    QByteArray Top;
    // The ranking Top was built for; none at first.
    std::optional<quint64> TopRanking;
    QList<QORKeptResult> Kept;
    QTimer Retry;
    QTimer Watch;
};
