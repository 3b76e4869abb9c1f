#include "sql_source.h"

#include "tav_error.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <optional>

namespace tav {

namespace {

const QString kSource = QStringLiteral("SqlSource");
// The longest value a row may hold, as a delimited file's longest record.
constexpr qsizetype kLongestValueChars = 16 * 1024 * 1024;

// Where `text` (SQL) has a ";" that is not inside a string, a quoted name or a comment and not
// at its very end, or -1: more than one statement.
qsizetype secondStatement(QStringView text) {
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
        } else if (c == QLatin1Char('-') && text.mid(i, 2) == QLatin1String("--")) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? text.size() : end;
        } else if (c == QLatin1Char('/') && text.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? text.size() : end + 1;
        } else if (c == QLatin1Char(';') && !text.mid(i + 1).trimmed().isEmpty()) {
            return i;
        }
    }
    return -1;
}

// Why `statement` is not one query that only reads, or "". The connection is read-only too; this
// refuses at once, in words, what it would refuse or what it could not stop (SQLite's VACUUM
// INTO and ATTACH write files of their own).
QString queryProblem(const QString& statement) {
    if (secondStatement(statement) >= 0)
        return QStringLiteral("holds more than one statement; give one query");
    static const QRegularExpression reading(QStringLiteral("^[\\s(]*(SELECT|WITH|VALUES|TABLE)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (!reading.match(statement).hasMatch())
        return QStringLiteral("is not a query: a mailing is only read (SELECT ...)");
    return {};
}

// `name` quoted as one name: SQLite's and PostgreSQL's quoting in Qt take a "." for a schema's,
// so those are quoted the standard way, every character kept.
QString quotedName(const QSqlDatabase& db, const QString& name) {
    if (db.driverName() == QLatin1String("QSQLITE") || db.driverName() == QLatin1String("QPSQL"))
        return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    return db.driver()->escapeIdentifier(name, QSqlDriver::TableName);
}

// Makes the open connection `db` of `driver` refuse every change, whatever a query asks.
void makeReadOnly(QSqlDatabase& db, const QString& driver) {
    QSqlQuery setting(db);
    if (driver == QLatin1String("QSQLITE"))
        setting.exec(QStringLiteral("PRAGMA query_only = ON"));
    else if (driver == QLatin1String("QPSQL"))
        setting.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
}

// Each source has a connection of its own, so that sources in several threads or open at once
// never share one.
QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("mailpiece-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The password given in a connection's options ("...;password=secret;..."), or "".
QString optionPassword(const QString& connection) {
    static const QRegularExpression option(QStringLiteral("(?:^|[?;])password=([^;]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    return option.match(connection).captured(1);
}

// `message` with every appearance of the passwords masked: a driver may repeat its connection
// options, password and all, in an error, and the connection itself is shown in messages.
QString withoutPassword(QString message, const QString& connection, const QString& password) {
    for (const QString& secret : {password, optionPassword(connection)})
        if (!secret.isEmpty())
            message.replace(secret, QStringLiteral("****"));
    return message;
}

// Sets up `db` (driver, database, host, user) for `connection`; the driver's name is returned.
QString configure(const QString& connection, const QString& name, QSqlDatabase& db) {
    QString driver;
    // A SQLite file by its name or "sqlite:"; "QSQLITE:" with its options goes the driver's way.
    if (const QString file = SqlSource::databaseFile(connection);
        !file.isEmpty() && !connection.startsWith(QLatin1String("QSQLITE:"))) {
        driver = QStringLiteral("QSQLITE");
        if (!QFileInfo(file).isFile())
            raiseError(ErrorNumber::PathFileAccess, kSource,
                       QStringLiteral("there is no database file %1").arg(file));
        db = QSqlDatabase::addDatabase(driver, name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        return driver;
    }
    if (connection.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
        connection.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive)) {
        const QUrl url(connection);
        if (!url.isValid() || url.path().size() < 2)
            raiseError(ErrorNumber::PathFileAccess, kSource,
                       QStringLiteral("%1 is no PostgreSQL address "
                                      "(postgresql://[USER@][HOST][:PORT]/DATABASE)")
                           .arg(connection));
        if (!url.password().isEmpty())
            raiseError(ErrorNumber::PathFileAccess, kSource,
                       QStringLiteral("a password does not belong in the connection; give it "
                                      "through the environment or a prompt"));
        driver = QStringLiteral("QPSQL");
        db = QSqlDatabase::addDatabase(driver, name);
        db.setDatabaseName(url.path().mid(1));
        if (!url.host().isEmpty())
            db.setHostName(url.host());
        if (url.port() > 0)
            db.setPort(url.port());
        if (!url.userName().isEmpty())
            db.setUserName(url.userName());
        return driver;
    }
    // DRIVER:NAME[?OPTIONS] for any other driver.
    static const QRegularExpression form(QStringLiteral("^(Q[A-Z0-9]+):([^?]*)(?:\\?(.*))?$"));
    const QRegularExpressionMatch match = form.match(connection);
    if (!match.hasMatch())
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("%1 names no database: give a .sqlite or .db file, "
                                  "postgresql://HOST/DATABASE or DRIVER:NAME")
                       .arg(connection));
    driver = match.captured(1);
    db = QSqlDatabase::addDatabase(driver, name);
    db.setDatabaseName(match.captured(2));
    QString options = match.captured(3);
    if (driver == QLatin1String("QSQLITE"))
        options += QStringLiteral(";QSQLITE_OPEN_READONLY"); // never opened for writing
    db.setConnectOptions(options);
    return driver;
}

} // namespace

// The database connection and the running query; the query goes before the connection does.
class SqlSource::Connection {
public:
    Connection(const QString& connection, const QString& password)
        : name_(uniqueConnectionName()) {
        QSqlDatabase db;
        const QString driver = configure(connection, name_, db);
        if (!db.isValid())
            raiseError(ErrorNumber::PathFileAccess, kSource,
                       QStringLiteral("the Qt SQL driver %1 is not installed (available: %2)")
                           .arg(driver, QSqlDatabase::drivers().join(QStringLiteral(", "))));
        if (!password.isEmpty())
            db.setPassword(password);
        if (!db.open())
            raiseError(ErrorNumber::PathFileAccess, kSource,
                       withoutPassword(QStringLiteral("cannot connect to %1: %2")
                                           .arg(connection, db.lastError().text()),
                                       connection, password));
        makeReadOnly(db, driver);
    }
    ~Connection() {
        query.reset();
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(name_, false); }

    std::optional<QSqlQuery> query;

private:
    QString name_;
};

SqlSource::SqlSource(const QString& connection, const QString& query, const QString& password)
    : connection_(std::make_unique<Connection>(connection, password)) {
    // A bare name is a table: all of its rows, in the database's own quoting.
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
    QString statement = query.trimmed();
    if (identifier.match(statement).hasMatch())
        statement =
            QStringLiteral("SELECT * FROM ") +
            connection_->database().driver()->escapeIdentifier(statement, QSqlDriver::TableName);
    if (const QString problem = queryProblem(statement); !problem.isEmpty())
        raiseError(ErrorNumber::InvalidArgument, kSource,
                   QStringLiteral("the query \"%1\" %2").arg(statement.left(200), problem));
    run(statement);
}

SqlSource::SqlSource(const QString& connection, const TableName& table, const QString& password)
    : connection_(std::make_unique<Connection>(connection, password)) {
    run(QStringLiteral("SELECT * FROM ") + quotedName(connection_->database(), table.name));
}

std::unique_ptr<SqlSource> SqlSource::table(const QString& connection, const QString& table,
                                            const QString& password) {
    return std::unique_ptr<SqlSource>(new SqlSource(connection, TableName{table}, password));
}

void SqlSource::run(const QString& statement) {
    QSqlQuery& running = connection_->query.emplace(connection_->database());
    running.setForwardOnly(true);
    if (!running.exec(statement))
        raiseError(ErrorNumber::InvalidArgument, kSource,
                   QStringLiteral("the query \"%1\" did not run: %2")
                       .arg(statement.left(200), running.lastError().text()));
    const QSqlRecord record = running.record();
    for (int i = 0; i < record.count(); ++i)
        header_ << record.fieldName(i);
}

SqlSource::~SqlSource() = default;

bool SqlSource::next(MailingRow& row) {
    QSqlQuery& running = *connection_->query;
    while (running.next()) {
        row.number = ++number_;
        row.fields.clear();
        const QString tooLong = readValues(running, row.fields);
        if (tooLong.isEmpty())
            return true;
        // No address is that long; the row is reported, and the next one read.
        leaveOut(row.number, QStringLiteral("the value of %1 is longer than %2 MiB")
                                 .arg(tooLong)
                                 .arg(kLongestValueChars / (1024 * 1024)));
    }
    // A query that ends in an error (a connection lost) has not given all its rows: that is
    // no end of the mailing.
    if (running.lastError().isValid())
        raiseError(ErrorNumber::DeviceIO, kSource,
                   QStringLiteral("the rows stopped after row %1: %2")
                       .arg(number_)
                       .arg(running.lastError().text()));
    return false;
}

QString SqlSource::readValues(const QSqlQuery& running, QStringList& fields) const {
    for (qsizetype i = 0; i < header_.size(); ++i) {
        const QVariant value = running.value(static_cast<int>(i));
        QString text = value.isNull() ? QString() : value.toString();
        if (text.size() > kLongestValueChars)
            return header_.at(i);
        fields << std::move(text);
    }
    return {};
}

QString SqlSource::databaseFile(const QString& connection) {
    if (connection.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive))
        return connection.mid(7);
    if (connection.startsWith(QLatin1String("QSQLITE:")))
        return connection.mid(8).section(QLatin1Char('?'), 0, 0);
    return isDatabaseFile(connection) ? connection : QString();
}

bool SqlSource::isDatabaseFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("sqlite") || suffix == QLatin1String("sqlite3") ||
           suffix == QLatin1String("db");
}

QStringList SqlSource::tables(const QString& connection, const QString& password) {
    const Connection open(connection, password);
    QStringList names = open.database().tables(QSql::Tables);
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace tav
