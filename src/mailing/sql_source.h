#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <memory>

class QSqlQuery;

namespace tav {

/// The rows of a database query, through Qt SQL: any driver Qt has. The rows are fetched one at
/// a time (forward only); NULL reads as an empty field. Numbers count the result's rows from 1.
class MAILPIECE_EXPORT SqlSource : public MailingSource {
public:
    /// Connects as `connection` says and runs `query`. A connection is:
    /// - a file ending in .sqlite, .sqlite3 or .db, or "sqlite:FILE": SQLite, read only;
    /// - "postgresql://[USER@][HOST][:PORT]/DATABASE": PostgreSQL; without a HOST, the one
    ///   PGHOST names (a Unix socket's directory too), else the local server;
    /// - "DRIVER:NAME[?OPTIONS]" for any other Qt driver ("QMYSQL:mail", "QODBC:dsn").
    /// The connection is read-only. `query` is one query that reads (SELECT, WITH, VALUES,
    /// TABLE), or the name of a table, which reads all of it. `password` is given to the
    /// database (take it from the environment or a prompt, never from a command line);
    /// PostgreSQL also reads PGPASSWORD itself. Raises error 75 when the driver is missing or
    /// the connection fails, and error 5 when the query is not one query or does not run, with
    /// the database's own words.
    SqlSource(const QString& connection, const QString& query, const QString& password = {});
    /// The whole table named `table` (any name: it is quoted as the driver quotes names, never
    /// run), as a table chosen from tables() is read.
    static std::unique_ptr<SqlSource> table(const QString& connection, const QString& table,
                                            const QString& password = {});
    ~SqlSource() override;

    const QStringList& header() const override { return header_; }
    bool next(MailingRow& row) override;
    QString numberName() const override { return QStringLiteral("row"); }

    /// The file a connection reads: a SQLite file by any of its forms ("FILE.sqlite",
    /// "sqlite:FILE", "QSQLITE:FILE?OPTIONS"), or "" for a server.
    static QString databaseFile(const QString& connection);
    /// Whether `path` names a SQLite file by its suffix (.sqlite, .sqlite3, .db).
    static bool isDatabaseFile(const QString& path);
    /// The tables of the database at `connection` (for choosing one), sorted.
    static QStringList tables(const QString& connection, const QString& password = {});

private:
    class Connection;
    struct TableName {
        QString name;
    };
    SqlSource(const QString& connection, const TableName& table, const QString& password);
    void run(const QString& statement);
    /// Appends the row's values to `fields`; returns the column whose value is too long, or "".
    QString readValues(const QSqlQuery& running, QStringList& fields) const;

    std::unique_ptr<Connection> connection_;
    QStringList header_;
    qint64 number_ = 0;
};

} // namespace tav
