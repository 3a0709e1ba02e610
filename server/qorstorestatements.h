#pragma once
// The store's prepared statements on its open connection, shared by the files that make up
// QORScoreStore; nothing else includes this.

#include "server/qorscorestore.h"
#include "server/qorstoresql.h"

#include <QSqlDatabase>
#include <QSqlQuery>

struct QORScoreStore::Statements {
    QSqlDatabase Db;
    QSqlQuery FindAccount;
    QSqlQuery InsertAccount;
    QSqlQuery UpdatePassword;
    QSqlQuery FindBanned;
    QSqlQuery InsertResult;
    QSqlQuery UpsertBest;
    QSqlQuery Top;
    QSqlQuery CountResults;
    QSqlQuery InsertScramble;
    QSqlQuery FindScramble;
    QSqlQuery UseScramble;
    QSqlQuery InsertSolve;
    QSqlQuery VerifiedTop;
    QSqlQuery DataVersion;
    QSqlQuery FindDaily;
    QSqlQuery InsertDaily;
    QSqlQuery FindTry;
    QSqlQuery DailyTop;
    QSqlQuery DailySolved;

    explicit Statements(const QSqlDatabase& db)
        : Db(db), FindAccount(db), InsertAccount(db), UpdatePassword(db), FindBanned(db),
          InsertResult(db), UpsertBest(db), Top(db), CountResults(db), InsertScramble(db),
          FindScramble(db), UseScramble(db), InsertSolve(db), VerifiedTop(db), DataVersion(db),
          FindDaily(db), InsertDaily(db), FindTry(db), DailyTop(db), DailySolved(db) {}

    bool Prepare(bool sqlite) {
        return FindAccount.prepare(FindAccountStatement()) &&
               InsertAccount.prepare(
                   "INSERT INTO users (name, name_key, password) VALUES (?, ?, ?) RETURNING id") &&
               UpdatePassword.prepare("UPDATE users SET password = ? WHERE id = ?") &&
               FindBanned.prepare("SELECT banned FROM users WHERE id = ?") &&
               InsertResult.prepare("INSERT INTO results (user_id, seconds, shuffles, date) "
                                    "VALUES (?, ?, ?, ?) RETURNING id") &&
               // A later result with the same time keeps the earlier one: only faster wins.
               UpsertBest.prepare("INSERT INTO best (user_id, seconds, shuffles, date, result_id) "
                                  "VALUES (?, ?, ?, ?, ?) ON CONFLICT (user_id) DO UPDATE SET "
                                  "seconds = excluded.seconds, shuffles = excluded.shuffles, "
                                  "date = excluded.date, result_id = excluded.result_id "
                                  "WHERE excluded.seconds < best.seconds") &&
               // A banned player's best row stays, so that lifting the ban needs no ranking.
               Top.prepare("SELECT users.name, best.seconds, best.shuffles, best.date "
                           "FROM best JOIN users ON users.id = best.user_id "
                           "WHERE users.banned = 0 "
                           "ORDER BY best.seconds, best.result_id LIMIT ?") &&
               CountResults.prepare("SELECT COUNT(*) FROM results") &&
               InsertScramble.prepare("INSERT INTO scrambles (id, user_id, shuffles, moves, "
                                      "dealt_ms, kind) VALUES (?, ?, ?, ?, ?, ?)") &&
               FindScramble.prepare("SELECT user_id, shuffles, moves, dealt_ms, used, kind "
                                    "FROM scrambles WHERE id = ?") &&
               // Only the first solve of a scramble takes it, on one server or on several.
               UseScramble.prepare("UPDATE scrambles SET used = 1 WHERE id = ? AND used = 0") &&
               InsertSolve.prepare("INSERT INTO results (user_id, seconds, shuffles, date, ms, "
                                   "moves, scramble_id, solution, held, kind) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id") &&
               // Each player's fastest verified solve of a kind that counts, fastest first.
               VerifiedTop.prepare(
                   "SELECT users.name, ranked.ms, ranked.moves, ranked.shuffles, ranked.date, "
                   "ranked.id FROM (SELECT user_id, ms, moves, shuffles, date, id, ROW_NUMBER() "
                   "OVER (PARTITION BY user_id ORDER BY ms, id) AS place FROM results "
                   "WHERE ms IS NOT NULL AND held = 0 AND kind = ? AND shuffles >= ?) AS ranked "
                   "JOIN users ON users.id = ranked.user_id "
                   "WHERE ranked.place = 1 AND users.banned = 0 ORDER BY ranked.ms, ranked.id "
                   "LIMIT ?") &&
               (!sqlite || DataVersion.prepare("PRAGMA data_version")) && PrepareDaily();
    }

    // The daily challenge's: the day's scramble, a player's try, the day's list and the days
    // a player solved. The repeated LIKE lets both engines read the daily indexes.
    bool PrepareDaily() {
        return FindDaily.prepare("SELECT moves FROM daily WHERE day = ?") &&
               // Of two servers drawing at once, the first one's scramble stays.
               InsertDaily.prepare("INSERT INTO daily (day, moves, created_at) VALUES (?, ?, ?) "
                                   "ON CONFLICT (day) DO NOTHING") &&
               FindTry.prepare("SELECT id, shuffles, moves, dealt_ms, used FROM scrambles "
                               "WHERE kind = ? AND user_id = ? AND kind LIKE 'DAILY-%'") &&
               // Each player has one solve of the day at most: no ranking within a player.
               DailyTop.prepare("SELECT users.name, results.ms, results.moves, results.shuffles, "
                                "results.date, results.id FROM results "
                                "JOIN users ON users.id = results.user_id "
                                "WHERE results.kind = ? AND results.kind LIKE 'DAILY-%' AND "
                                "results.ms IS NOT NULL AND results.held = 0 AND "
                                "users.banned = 0 "
                                "ORDER BY results.ms, results.moves, results.id LIMIT ?") &&
               DailySolved.prepare("SELECT kind FROM results WHERE user_id = ? AND "
                                   "kind LIKE 'DAILY-%' AND ms IS NOT NULL AND held = 0");
    }
};
