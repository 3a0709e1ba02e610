#include "server/qorstorecopy.h"

#include "server/qorscorestore.h"
#include "server/qorstoresql.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <iterator>

namespace {

struct Table {
    QString Name;
    QStringList Columns;
    // Whether the database numbers its rows, so that new ones must start after the copied.
    bool Numbered = true;
    // The column that orders the rows, so that a copy is read the same way every time.
    QString Key = QStringLiteral("id");
};

// Accounts before results, each in the order of its ids; then the dealt scrambles, keyed by
// their own ids, the daily challenge's scrambles, keyed by their days, and what the operator did.
const Table Tables[] = {
    {QStringLiteral("users"), {"id", "name", "name_key", "password", "banned"}},
    {QStringLiteral("results"),
     {"id", "user_id", "seconds", "shuffles", "date", "ms", "moves", "scramble_id", "solution",
      "held", "kind"}},
    {QStringLiteral("scrambles"),
     {"id", "user_id", "shuffles", "moves", "dealt_ms", "used", "kind"},
     false},
    {QStringLiteral("daily"), {"day", "moves", "created_at"}, false, QStringLiteral("day")},
    {QStringLiteral("audit"), {"id", "at", "command", "target"}},
};

// The error text, empty on success.
QString CopyRows(const QSqlDatabase& from, const QSqlDatabase& to, const Table& table,
                 qint64& copied) {
    const QString columns = table.Columns.join(QStringLiteral(", "));
    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(
            QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(columns, table.Name, table.Key)))
        return StoreProblem(QStringLiteral("cannot read ") + table.Name, read.lastError());
    QStringList marks;
    marks.fill(QStringLiteral("?"), table.Columns.size());
    QSqlQuery write(to);
    if (!write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table.Name, columns, marks.join(QStringLiteral(", ")))))
        return StoreProblem(QStringLiteral("cannot write ") + table.Name, write.lastError());
    const int passwordColumn = table.Columns.indexOf(QStringLiteral("password"));
    while (read.next()) {
        for (int c = 0; c < table.Columns.size(); ++c) {
            // A hash is bytes on either engine, whatever type a file once stored it as.
            write.bindValue(c, c == passwordColumn ? QVariant(read.value(c).toByteArray())
                                                   : read.value(c));
        }
        if (!write.exec())
            return StoreProblem(QStringLiteral("cannot write ") + table.Name, write.lastError());
        ++copied;
    }
    return read.lastError().isValid()
               ? StoreProblem(QStringLiteral("cannot read ") + table.Name, read.lastError())
               : QString();
}

// The error text of copying into an open, empty target, empty on success.
QString CopyInto(QORScoreStore& source, QORScoreStore& target, QORStoreCopy& copy) {
    QSqlDatabase out = target.Database();
    QSqlQuery query(out);
    if (!query.exec(QStringLiteral(
            "SELECT (SELECT COUNT(*) FROM users) + (SELECT COUNT(*) FROM results)")) ||
        !query.next())
        return StoreProblem(QStringLiteral("cannot read the target"), query.lastError());
    // Ids are kept, so a store that already has some could clash or mix two communities.
    if (query.value(0).toLongLong() != 0)
        return target.Location().Display() +
               QStringLiteral(" already holds accounts or results; copy into an empty store");
    query.finish();
    if (!out.transaction())
        return StoreProblem(QStringLiteral("cannot write the target"), out.lastError());
    qint64 others = 0;
    qint64* counts[] = {&copy.Accounts, &copy.Results, &others, &others, &others};
    for (size_t t = 0; t < std::size(Tables); ++t) {
        const QString error = CopyRows(source.Database(), out, Tables[t], *counts[t]);
        if (!error.isEmpty()) {
            out.rollback();
            return error;
        }
        // PostgreSQL numbers new rows from its own counter, which the copied ids have passed.
        if (target.Location().Engine == QORStoreLocation::PostgreSQL && Tables[t].Numbered &&
            !query.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), "
                                       "(SELECT COALESCE(MAX(id), 0) + 1 FROM %1), false)")
                            .arg(Tables[t].Name))) {
            const QString problem =
                StoreProblem(QStringLiteral("cannot number new rows"), query.lastError());
            out.rollback();
            return problem;
        }
    }
    if (!out.commit())
        return StoreProblem(QStringLiteral("cannot write the target"), out.lastError());
    return QString();
}

} // namespace

QORStoreCopy CopyStore(const QString& from, const QString& to, int minShuffles) {
    QORStoreCopy copy;
    QORScoreStore source;
    QORScoreStore target;
    if (!source.Open(from, minShuffles))
        copy.Error = source.ErrorString();
    else if (!target.Open(to, minShuffles))
        copy.Error = target.ErrorString();
    else
        copy.Error = CopyInto(source, target, copy);
    // Opened again, the target ranks what it now holds.
    if (copy.Error.isEmpty() && !target.Open(to, minShuffles))
        copy.Error = target.ErrorString();
    if (!copy.Error.isEmpty())
        copy.Accounts = copy.Results = 0;
    return copy;
}
