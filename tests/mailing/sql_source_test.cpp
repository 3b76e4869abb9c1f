// Mailings from databases: a real SQLite file, and a real PostgreSQL server that
// with-private-postgres.sh starts for the tests named PostgreSql (skipped without it).

#include "pdf_text.h"
#include "program_run.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "sql_source.h"
#include "tav_error.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace tav;

namespace {

const char* const kRows[][6] = {
    {"Ann", "Lee", "12 Elm St", "Salem", "OR", "97301-1234"},
    {"José", "Núñez", "9 Calle Real", "San Antonio", "TX", "78205"},
    {"Bo", "Ek", "1 Oak Ave", "Bend", "OR", nullptr}, // a NULL ZIP
};

// Fills the database `db` (open) with the table addresses.
void fillAddresses(QSqlDatabase db) {
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE addresses (id INTEGER PRIMARY KEY, "
                                          "First TEXT, Last TEXT, Address TEXT, City TEXT, "
                                          "State TEXT, Zip TEXT)")))
        << query.lastError().text().toStdString();
    int id = 0;
    for (const auto& row : kRows) {
        query.prepare("INSERT INTO addresses VALUES (?, ?, ?, ?, ?, ?, ?)");
        query.addBindValue(++id);
        for (const char* value : row)
            query.addBindValue(value ? QVariant(QString::fromUtf8(value)) : QVariant());
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }
}

// Reads every row of `source`.
std::vector<MailingRow> readAll(MailingSource& source) {
    std::vector<MailingRow> rows;
    MailingRow row;
    while (source.next(row))
        rows.push_back(row);
    return rows;
}

void expectTheAddresses(const QStringList& header, const std::vector<MailingRow>& rows) {
    ASSERT_EQ(header.size(), 7);
    EXPECT_EQ(header.at(1).toLower(), "first");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].number, 2);
    EXPECT_EQ(rows[1].fields.at(2), "Núñez");
    EXPECT_EQ(rows[2].fields.at(6), QString()); // NULL
}

// Runs the batch program on the rows `query` of `connection`, printing their addresses to
// `pdf`; its status and standard error.
std::pair<int, QString> printAddresses(const QString& connection, const QString& query,
                                       const QString& pdf) {
    const test::ProgramRun run =
        test::runBatch({"--address", "--sql", connection, "--query", query, "--pdf", pdf});
    return {run.exitCode, run.err};
}

// Prints the addresses of `connection` with the batch program; the PDF's words.
QStringList printedWords(const QString& connection, const QTemporaryDir& dir) {
    const QString pdf = dir.filePath("mailing.pdf");
    const auto [status, err] =
        printAddresses(connection, "SELECT * FROM addresses ORDER BY id", pdf);
    EXPECT_EQ(status, 0) << err.toStdString();
    // The NULL ZIP is named by its row.
    EXPECT_TRUE(err.contains(connection + ":3: warning: no ZIP code")) << err.toStdString();
    return test::pdfTexts(pdf);
}

class SqliteSource : public ::testing::Test {
protected:
    void SetUp() override {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kSetup);
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            fillAddresses(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(kSetup);
    }

    static constexpr const char* kSetup = "setup";
    QTemporaryDir dir;
    const QString file = dir.filePath("mailing.sqlite");
};

} // namespace

TEST_F(SqliteSource, ReadsATableOrAQueryRowByRow) {
    SqlSource table(file, "addresses");
    expectTheAddresses(table.header(), readAll(table));
    EXPECT_EQ(table.numberName(), "row");

    SqlSource query("sqlite:" + file, "SELECT First, Zip FROM addresses WHERE State = 'OR'");
    const std::vector<MailingRow> rows = readAll(query);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fields, (QStringList{"Ann", "97301-1234"}));
    EXPECT_EQ(SqlSource::tables(file), QStringList{"addresses"});
}

TEST_F(SqliteSource, FailuresSayWhatAndWhere) {
    const auto failure = [](const std::function<void()>& open) {
        try {
            open();
        } catch (const TavError& error) {
            return error.description();
        }
        return QString();
    };
    const struct {
        QString connection;
        const char* query;
        const char* said;
    } unusable[] = {
        {file, "SELECT nothing FROM nowhere", "did not run"},
        {dir.filePath("none.db"), "t", "no database file"},
        {"QNOSUCHDRIVER:x", "t", "not installed"},
        {"postgresql://u:secret@h/db", "t", "password"},
        {"addresses.csv", "t", "names no database"},
    };
    for (const auto& c : unusable)
        EXPECT_TRUE(failure([&] {
                        SqlSource(c.connection, QLatin1String(c.query));
                    }).contains(QLatin1String(c.said)))
            << c.said;
    // A password given in the options, or by prompt, is never repeated.
    const QString refused = failure(
        [] { SqlSource("QPSQL:crm?host=/nonexistent;password=hunter2", "t", "prompted9"); });
    EXPECT_TRUE(refused.contains("cannot connect")) << refused.toStdString();
    EXPECT_FALSE(refused.contains("hunter2") || refused.contains("prompted9"))
        << refused.toStdString();
    // A mailing is only read, by any form of connection: what would change the database or
    // write a file is refused, and the file stays the same to the byte.
    const QByteArray before = test::readFile(file);
    const struct {
        const char* statement;
        const char* refused;
    } writes[] = {
        {"DELETE FROM addresses", "not a query"},
        {"DELETE FROM addresses RETURNING *", "not a query"},
        {"VACUUM INTO 'copy.db'", "not a query"},
        {"ATTACH DATABASE 'copy.db' AS copy", "not a query"},
        {"SELECT * FROM addresses; DELETE FROM addresses", "more than one statement"},
        {"WITH gone AS (SELECT 1) DELETE FROM addresses", "did not run"},
    };
    const QString data = dir.filePath("mailing.data"); // no database suffix
    ASSERT_TRUE(QFile::link(file, data));
    for (const QString& connection : {file, "sqlite:" + file, "QSQLITE:" + data}) {
        for (const auto& write : writes)
            EXPECT_TRUE(failure([&] {
                            SqlSource(connection, QLatin1String(write.statement));
                        }).contains(QLatin1String(write.refused)))
                << write.statement << " through " << connection.toStdString();
    }
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_FALSE(QFileInfo::exists("copy.db"));
    // A value no address could hold (17 million characters) costs its row, not the run.
    SqlSource huge(file, QStringLiteral("SELECT First, CASE WHEN id = 2 THEN printf('%.*c', "
                                        "17000000, 'x') ELSE Last END AS Last FROM addresses "
                                        "ORDER BY id"));
    const auto kept = readAll(huge);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].number, 3);
    const auto problems = huge.takeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].number, 2);
    EXPECT_TRUE(problems[0].message.contains("Last is longer than 16 MiB"));
    // A query that fails part-way has not given the mailing: it is an error, not an end.
    SqlSource failing(file, QStringLiteral("SELECT CASE WHEN id = 3 THEN json('not json') ELSE "
                                           "First END AS First FROM addresses ORDER BY id"));
    const QString stopped = failure([&] { readAll(failing); });
    EXPECT_TRUE(stopped.contains("the rows stopped after row 2")) << stopped.toStdString();
    // A ";" inside a string or a comment, or at the end, is no second statement.
    SqlSource quoted(file, "SELECT ';' AS a, * FROM addresses -- x; y\n;");
    EXPECT_EQ(readAll(quoted).size(), 3u);
}

TEST_F(SqliteSource, ATableIsReadByItsNameWhateverTheName) {
    const QStringList names = {"Mailing List", "VACUUM INTO 'pwned.db'",
                               "x\"; DROP TABLE addresses; --"};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kSetup);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const QString& name : names) {
            const QString quoted = QLatin1Char('"') +
                                   QString(name).replace(QLatin1Char('"'), "\"\"") +
                                   QLatin1Char('"');
            ASSERT_TRUE(QSqlQuery(db).exec(
                QStringLiteral("CREATE TABLE %1 AS SELECT * FROM addresses").arg(quoted)));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(kSetup);
    const QString pwned = QDir::current().filePath("pwned.db");
    for (const QString& name : names) {
        const auto table = SqlSource::table(file, name);
        EXPECT_EQ(readAll(*table).size(), 3u) << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(pwned));
    EXPECT_EQ(SqlSource::tables(file).size(), 4);
}

TEST_F(SqliteSource, TheBatchProgramPrintsFromIt) {
    const QStringList words = printedWords(file, dir);
    EXPECT_TRUE(words.contains("Núñez")) << words.join(' ').toStdString();
    EXPECT_TRUE(words.contains("Bend,"));
}

namespace {

// Runs `setup` on a connection of its own to the private server's database.
void onPrivateServer(const std::function<void(QSqlDatabase&)>& setup) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "pg");
        db.setDatabaseName("mailpiece");
        db.setUserName("mailpiece");
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        setup(db);
        db.close();
    }
    QSqlDatabase::removeDatabase("pg");
}

} // namespace

TEST(PostgreSql, ReadsAndPrintsFromAPrivateServer) {
    const QString connection = qEnvironmentVariable("MAILPIECE_TEST_POSTGRES");
    if (connection.isEmpty())
        GTEST_SKIP() << "run through with-private-postgres.sh";
    onPrivateServer([](QSqlDatabase& db) {
        QSqlQuery(db).exec("DROP TABLE IF EXISTS addresses");
        fillAddresses(db);
    });

    SqlSource source(connection, "SELECT * FROM addresses ORDER BY id");
    expectTheAddresses(source.header(), readAll(source));
    EXPECT_TRUE(SqlSource::tables(connection).contains("addresses"));

    QTemporaryDir dir;
    const QStringList words = printedWords(connection, dir);
    EXPECT_TRUE(words.contains("Núñez")) << words.join(' ').toStdString();

    // Only read: statements that write are refused, and a WITH that writes meets the session's
    // read-only transactions; the rows are all there afterwards, as they were.
    for (const char* statement :
         {"DELETE FROM addresses RETURNING *", "DROP TABLE addresses",
          "SELECT * FROM addresses; DELETE FROM addresses",
          "WITH gone AS (DELETE FROM addresses RETURNING *) SELECT * FROM gone"})
        EXPECT_THROW(SqlSource(connection, QLatin1String(statement)), TavError) << statement;
    SqlSource after(connection, "SELECT * FROM addresses ORDER BY id");
    expectTheAddresses(after.header(), readAll(after));

    // A database that is not there is named with the server's words.
    const auto error =
        test::raisedError([&] { SqlSource("postgresql://mailpiece@/nosuchdb", "t"); });
    EXPECT_TRUE(error) << "connected";
    if (error) {
        EXPECT_TRUE(error->description().contains("nosuchdb"))
            << error->description().toStdString();
    }
}

TEST(PostgreSql, AConnectionEndingMidReadFailsTheRunAndWritesNothing) {
    const QString connection = qEnvironmentVariable("MAILPIECE_TEST_POSTGRES");
    if (connection.isEmpty())
        GTEST_SKIP() << "run through with-private-postgres.sh";
    onPrivateServer([](QSqlDatabase& db) {
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral(
            "CREATE TABLE many AS SELECT i, 'P' || i AS first, 'Lee' AS last, i || ' Elm St' AS "
            "address, 'Boulder' AS city, 'CO' AS state, '80301' AS zip FROM "
            "generate_series(1, 20000) i")));
    });
    // The server ends the connection itself while the rows stream: as a restart or a network
    // failure would, after thousands of rows were read.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("many.pdf");
    const auto [status, err] = printAddresses(
        connection,
        QStringLiteral("SELECT first, last, address, city, state, zip, CASE WHEN i = 7190 THEN "
                       "pg_terminate_backend(pg_backend_pid()) END AS cut FROM many ORDER BY i"),
        pdf);
    EXPECT_EQ(status, 1) << err.toStdString();
    EXPECT_TRUE(err.contains("the rows stopped after row 7190")) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}
