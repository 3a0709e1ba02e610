#pragma once
// The players and their results in one SQLite file. Every change is committed before the
// call returns, so whatever the server has answered after it survives a killed process.

#include <QDate>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct QORTopRow {
    QString Name;
    int Seconds = 0;
    int Shuffles = 0;
    QDate Date;
};

class QORScoreStore {
public:
    QORScoreStore();
    ~QORScoreStore();
    QORScoreStore(const QORScoreStore&) = delete;
    QORScoreStore& operator=(const QORScoreStore&) = delete;

    // Opens or creates the file and ranks the stored results for minShuffles. False, with
    // ErrorString set, when the file cannot be used.
    bool Open(const QString& path, int minShuffles);
    void Close();
    QString ErrorString() const { return Error; }

    // The player's id when the name exists with this password.
    std::optional<qint64> Verify(const QString& name, const QString& password);
    // Creates the player; registering an existing name with its own password is a login.
    // Nothing when the name is taken with another password.
    std::optional<qint64> Register(const QString& name, const QString& password);
    // Stores a result of the player, dated today; false when the file refused it.
    bool AddResult(qint64 player, int seconds, int shuffles);
    // Each player's best ranked result, fastest first, at most rows of them.
    QList<QORTopRow> Top(int rows);

    qint64 ResultCount();
    // Derivation cost for players registered from now on; the stored count is used to check.
    void SetPasswordIterations(int iterations) { Iterations = iterations; }

private:
    struct Statements;

    // Each gives the error text, empty on success.
    QString Connect(const QString& path);
    QString RebuildBest();

    QString ConnectionName;
    QString Error;
    int MinimumShuffles = 0;
    int Iterations;
    std::unique_ptr<Statements> Sql;
};
