#pragma once
// What the web front shows, gathered from the store: the lists of the front page, one day's
// daily list, and one player's places and streak. Nothing here carries an id, a password or an
// address, so no page can show one.

#include "net/qorverified.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class QORScoreStore;

// The lists of the front page, each best first.
struct QORWebBoard {
    QDate Today;
    QList<QORProtocol::VerifiedRow> Daily;
    QList<QORProtocol::VerifiedRow> Verified;
    QList<QORProtocol::VerifiedRow> Random;
    // The seed list counts whole seconds; its rows have no moves.
    QList<QORProtocol::VerifiedRow> Seed;
};

// A player's row and place on one list; place 0 when the player is not among its rows.
struct QORWebPlace {
    int Place = 0;
    QORProtocol::VerifiedRow Row;
};

struct QORWebPlayer {
    // The name as stored, which may differ from the one asked for in letter case.
    QString Name;
    QDate Today;
    QORWebPlace Daily;
    QORWebPlace Verified;
    QORWebPlace Random;
    QORWebPlace Seed;
    int Streak = 0;
};

// Reads what the pages show, at most rows rows a list.
class QORWebData {
public:
    QORWebData(QORScoreStore& store, int rows) : Records(store), Rows(rows) {}

    QORWebBoard Board(const QDate& today);
    QList<QORProtocol::VerifiedRow> Day(const QDate& day);
    // Nothing when there is no such player.
    std::optional<QORWebPlayer> Player(const QString& name, const QDate& today);

private:
    QORScoreStore& Records;
    int Rows;
};
