#pragma once
// A connection of its own to an SQLite file, as another process would have one.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

struct OutsideConnection {
    explicit OutsideConnection(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        db.setDatabaseName(path);
        db.open();
    }
    ~OutsideConnection() { QSqlDatabase::removeDatabase(Name); }
    QSqlQuery Query() const { return QSqlQuery(QSqlDatabase::database(Name)); }
    bool Run(const QString& statement) const { return Query().exec(statement); }
    // The first column of every row the statement reads now.
    QStringList Column(const QString& statement) const {
        QSqlQuery q = Query();
        QStringList values;
        for (q.exec(statement); q.next();)
            values << q.value(0).toString();
        return values;
    }

    const QString Name = QStringLiteral("outside");
};
