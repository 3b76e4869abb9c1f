// The programs driven as a hostile user would: absurd geometry, damaged catalogues, full disks,
// a mailing named as output, a second process, interruption, and cells holding placeholders.
// Each run must end with a message and a status, never a crash or a success over lost output.

#include "pdf_text.h"
#include "program_run.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

using tav::test::ProgramRun;
using tav::test::readFile;
using tav::test::runProgram;
using tav::test::writeFile;

ProgramRun batch(const QStringList& arguments, const QStringList& environment = {},
                 const QString& shellPrefix = {}) {
    return tav::test::runBatch(arguments, environment, shellPrefix);
}

// A mailing of `rows` address rows.
QByteArray addresses(int rows) {
    QByteArray data = "First,Last,Address,City,State,Zip\n";
    for (int row = 1; row <= rows; ++row)
        data += "Ann" + QByteArray::number(row) + ",Lee,1 Main St,Springfield,IL,62701\n";
    return data;
}

// A catalogue directory holding one piece, "Bad - Label", with the given size and grid.
QString catalogueWith(const QTemporaryDir& dir, const QByteArray& pieceSize,
                      const QByteArray& grid = "3x10") {
    const QString folder = dir.filePath("catalogue");
    QDir().mkpath(folder);
    writeFile(folder + "/vardo.cfg",
              "[Labels]\nBad=Bad\n[Bad]\nBad - Label=Bad - Label\n[Details]\nBad - Label=Labels," +
                  pieceSize + ",8.5x11,0.1875x0.5,2.75x1," + grid + ",Address,CUT\n");
    return folder;
}

void expectClearFailure(const ProgramRun& result, const char* inMessage) {
    EXPECT_EQ(result.status, QProcess::NormalExit) << result.err.toStdString();
    EXPECT_NE(result.exitCode, 0) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains(QLatin1String(inMessage))) << result.err.toStdString();
    EXPECT_FALSE(result.out.contains(QLatin1String("Printed"))) << result.out.toStdString();
}

} // namespace

TEST(HostileCrashes, AbsurdGeometryIsRefusedNamingTheFieldAndWritesNothing) {
    QTemporaryDir dir;
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(5));
    const QString pdf = dir.filePath("out.pdf");
    const struct {
        const char* option;
        const char* value;
        const char* named;
    } cases[] = {{"--pitch-across", "1e30", "PiecePitchAcross"},
                 {"--sheet-height", "0", "Height"},
                 {"--sheet-width", "-8.5", "Width"},
                 {"--margin-top", "1e9", "MarginTop"},
                 {"--pitch-down", "-1", "PiecePitchDown"},
                 // Labels on one spot, or overlapping: 30 labels at the same place.
                 {"--pitch-across", "0", "PiecePitchAcross is 0 inches, less than PieceWidth"},
                 {"--pitch-down", "0.5", "PiecePitchDown is 0.5 inches, less than PieceHeight"}};
    for (const auto& c : cases) {
        const ProgramRun result =
            batch({QLatin1String(c.option), QLatin1String(c.value), "--pdf", pdf, mailing});
        expectClearFailure(result, c.named);
        EXPECT_FALSE(QFileInfo::exists(pdf)) << c.option;
    }
}

TEST(HostileCrashes, ADamagedCataloguePieceIsRefusedNamingTheEntry) {
    QTemporaryDir dir;
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(5));
    const QString pdf = dir.filePath("out.pdf");
    const struct {
        QByteArray size;
        QByteArray grid;
        const char* named;
    } cases[] = {{"1e9x1", "3x10", "PieceWidth"},      {"1e30x1", "3x10", "PieceWidth"},
                 {"0x1", "3x10", "PieceWidth"},        {"-1x1", "3x10", "PieceWidth"},
                 {"nanx1", "3x10", "PieceWidth"},      {"2.625x1", "0x10", "NumAcross"},
                 {"2.625x1", "nanx10", "NumAcross"},   {"3x1", "3x10", "PiecePitchAcross"},
                 {"2.625x2", "3x10", "PiecePitchDown"}};
    for (const auto& c : cases) {
        QTemporaryDir catalogueDir;
        const QString folder = catalogueWith(catalogueDir, c.size, c.grid);
        const ProgramRun result = batch({"--piece", "Bad - Label", "--pdf", pdf, mailing},
                                        {"MAILPIECE_SYSTEM_DIR=" + folder});
        expectClearFailure(result, c.named);
        EXPECT_TRUE(result.err.contains(QLatin1String("Bad - Label"))) << result.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(pdf)) << c.size.constData();
    }
}

TEST(HostileCrashes, APieceAskedForByNameIsNeverSwappedForAnother) {
    // Listed, but with no definition: the library falls back to the envelope; a program that
    // was told which stock to use stops instead of printing envelopes.
    QTemporaryDir dir;
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(5));
    const QString pdf = dir.filePath("out.pdf");
    QDir().mkpath(dir.filePath("config/mailpiece"));
    writeFile(dir.filePath("config/mailpiece/vardo.cfg"),
              "[Laser/InkJet Products]\nproduct(1)=Odd\n[Odd]\nPiece(1)=Empty\n[Details]\n");
    for (const QString mode : {"--address", "--envelope"}) {
        const ProgramRun result = batch({mode, "--piece", "Empty", "--pdf", pdf, mailing},
                                        {"XDG_CONFIG_HOME=" + dir.filePath("config")});
        expectClearFailure(result, "the piece \"Empty\" cannot be used");
        EXPECT_FALSE(QFileInfo::exists(pdf)) << mode.toStdString();
    }
}

TEST(HostileCrashes, EnvelopesAndTheDemoWithoutAUsableCatalogueEndWithAMessage) {
    QTemporaryDir dir;
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(3));
    const QString emptyFolder = dir.filePath("empty");
    QDir().mkpath(emptyFolder);
    writeFile(emptyFolder + "/vardo.cfg", "");
    for (const QString& folder : {emptyFolder, dir.filePath("missing")}) {
        // Without the label template library too: nothing at all to choose from.
        const QStringList environment = {"MAILPIECE_SYSTEM_DIR=" + folder,
                                         "MAILPIECE_TEMPLATE_DIR="};
        const ProgramRun envelopes =
            batch({"--envelope", "--pdf", dir.filePath("e.pdf"), mailing}, environment);
        EXPECT_EQ(envelopes.status, QProcess::NormalExit) << envelopes.err.toStdString();
        EXPECT_NE(envelopes.exitCode, 0);
        EXPECT_FALSE(envelopes.err.isEmpty());

        const ProgramRun list = batch({"--list-pieces"}, environment);
        EXPECT_EQ(list.exitCode, 1);
        EXPECT_TRUE(list.err.contains(QLatin1String("holds no pieces"))) << list.err.toStdString();

        const ProgramRun demo = runProgram(QStringLiteral(MAILPIECE_DEMO_PROGRAM),
                                           {"--screenshots", dir.filePath("shots"), mailing},
                                           environment + QStringList{"QT_QPA_PLATFORM=offscreen"});
        EXPECT_EQ(demo.status, QProcess::NormalExit) << demo.err.toStdString();
    }
    const ProgramRun noTemp = runProgram(QStringLiteral(MAILPIECE_DEMO_PROGRAM),
                                         {"--screenshots", dir.filePath("shots"), mailing},
                                         {"Temp=/nonexistent", "QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(noTemp.status, QProcess::NormalExit) << noTemp.err.toStdString();
    EXPECT_TRUE(noTemp.err.contains(QLatin1String("/nonexistent"))) << noTemp.err.toStdString();
}

TEST(HostileFalseSuccess, AFullDiskFailsAndLeavesNoPartialPdf) {
    QTemporaryDir dir;
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(300));
    const ProgramRun full = batch({"--pdf", "/dev/full", mailing});
    expectClearFailure(full, "No space left on device");

    // A disk that fills up half-way: 64 KiB of room for a document of ten sheets.
    const QString pdf = dir.filePath("out.pdf");
    const ProgramRun limited = batch({"--pdf", pdf, mailing}, {}, "ulimit -f 64");
    expectClearFailure(limited, "cannot write");
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.pdf*"}, QDir::Files).isEmpty());

    const ProgramRun preview =
        runProgram(QStringLiteral(MAILPIECE_PREVIEW_PROGRAM), {"--png", "/dev/full", "--pdf", pdf});
    EXPECT_EQ(preview.status, QProcess::NormalExit);
    EXPECT_NE(preview.exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST(HostileFalseSuccess, TheMailingIsNeverOverwrittenByItsOwnOutput) {
    QTemporaryDir dir;
    const QByteArray content = addresses(5);
    const QString mailing = writeFile(dir.filePath("m.csv"), content);
    const QString link = dir.filePath("link.pdf");
    ASSERT_TRUE(QFile::link(mailing, link));
    for (const QString& output : {mailing, link, QDir(dir.path()).filePath("./m.csv")}) {
        expectClearFailure(batch({"--pdf", output, mailing}), "is the mailing");
        EXPECT_EQ(readFile(mailing), content);
    }
    // Nor the file standard input reads, the database by any of its names, or a catalogue.
    expectClearFailure(batch({"--pdf", link, "-"}, {}, QStringLiteral("exec < '%1'").arg(mailing)),
                       "is the mailing");
    const QString config = dir.filePath("config");
    QDir().mkpath(config + "/mailpiece");
    const QString catalogue = writeFile(config + "/mailpiece/vardo.cfg", "; mine\n");
    expectClearFailure(batch({"--pdf", catalogue, mailing}, {"XDG_CONFIG_HOME=" + config}),
                       "is your own piece catalogue");
    EXPECT_EQ(readFile(catalogue), QByteArray("; mine\n"));
    const QString database = dir.filePath("people.data");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "w");
        db.setDatabaseName(database);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE t AS SELECT 'Ann' AS First, '1' AS Zip");
        db.close();
    }
    QSqlDatabase::removeDatabase("w");
    const QByteArray before = readFile(database);
    for (const QString& form : {"QSQLITE:" + database + "?x=1", "sqlite:" + database})
        expectClearFailure(batch({"--sql", form, "--query", "t", "--pdf", database}),
                           "is the mailing's database");
    EXPECT_EQ(readFile(database), before);
}

TEST(HostileFalseSuccess, AFileTheUserMayNotWriteIsNotReplaced) {
    if (::geteuid() != 0 || !QFileInfo::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root to run the program as another user";
    // root's read-only file in a folder anyone may write to (not sticky): renaming over it
    // would work, but the user may not write the file.
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(5));
    const QString pdf = writeFile(dir.filePath("root.pdf"), "root's");
    QFile::setPermissions(pdf,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const ProgramRun result =
        runProgram("/usr/bin/setpriv",
                   {"--reuid=65534", "--regid=65534", "--clear-groups",
                    QStringLiteral(MAILPIECE_BATCH_PROGRAM), "--pdf", pdf, mailing},
                   {"HOME=" + dir.path(), "Temp=" + dir.path()});
    expectClearFailure(result, "Permission denied");
    EXPECT_EQ(readFile(pdf), QByteArray("root's"));
}

TEST(HostileFalseSuccess, AMailingWithoutTheColumnsToPrintIsRefusedNamingThem) {
    QTemporaryDir dir;
    const QString other =
        writeFile(dir.filePath("o.csv"), "Person,Road,Place,Zip\nAnn,1 Elm,Salem,1\n");
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(3));
    // Cells shifted past the address columns, as a spreadsheet exported with a wrong header.
    const QString shifted =
        writeFile(dir.filePath("s.csv"), "First,Last,Address,City,State,Zip,Notes\n"
                                         ",,,,,,Ann Lee 1 Elm St\n,,,,,,Bob Ray 2 Oak St\n"
                                         "Cy,Day,3 Elm St,Salem,OR,97301,\n");
    const QString text = QString::fromLatin1(addresses(3));
    const QString utf16 =
        writeFile(dir.filePath("u.csv"),
                  QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    const QString pdf = dir.filePath("out.pdf");
    const struct {
        QStringList arguments;
        const char* named;
    } cases[] = {
        {{"--address", shifted},
         "2 of 3 rows have nothing to print (the columns First, Last, Address, City, State are "
         "empty); the header has the columns First, Last, Address, City, State, Zip, Notes"},
        {{"--item1", "<<City>>", "--item2", QString(), "--item3", QString(), "--item4", QString(),
          "--item5", QString(), "--item6", QString(), "--item7", QString(), shifted},
         "s.csv:2: row left out: nothing to print: the column City is empty"},
        {{"--encoding", "UTF-8", utf16}, "is it UTF-16?"},
        {{"--address", other}, "the header has the columns Person, Road, Place, Zip"},
        {{"--envelope", other}, "a name and an address at least"},
        {{"--address", "--delimiter", ";", mailing}, "Is the delimiter or the header row right?"},
        {{"--item1", "<<Name>> of <<Town>>", mailing}, "the labels need Name, Town"},
    };
    for (const auto& c : cases) {
        expectClearFailure(batch(QStringList{"--pdf", pdf} + c.arguments), c.named);
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
}

TEST(HostileFalseSuccess, ADocumentBeingWrittenByAnotherProcessIsRefused) {
    QTemporaryDir dir;
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(5));
    const QString pdf = dir.filePath("out.pdf");
    QLockFile other(pdf + ".lock");
    ASSERT_TRUE(other.tryLock(0));
    expectClearFailure(batch({"--pdf", pdf, mailing}), "being written by another process");
    EXPECT_FALSE(QFileInfo::exists(pdf));
    other.unlock();
    const ProgramRun after = batch({"--pdf", pdf, mailing});
    EXPECT_EQ(after.exitCode, 0) << after.err.toStdString();
    EXPECT_EQ(tav::test::pdfPageCount(pdf), 1);
}

TEST(HostileStore, CtrlCAtThePasswordPromptGivesTheTerminalItsEchoBack) {
    // The program on a terminal of its own, asked for a database password it cannot get.
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("PGHOST", "/nonexistent", 1);
        ::unsetenv("PGPASSWORD");
        ::unsetenv("MAILPIECE_DB_PASSWORD");
        ::execl(MAILPIECE_BATCH_PROGRAM, MAILPIECE_BATCH_PROGRAM, "--sql", "postgresql:///crm",
                "--query", "contacts", "--pdf", "/dev/null", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    QByteArray shown;
    QElapsedTimer waited;
    waited.start();
    char chunk[256];
    while (!shown.contains("Password for") && waited.elapsed() < 30000) {
        const ssize_t got = ::read(terminal, chunk, sizeof chunk);
        if (got <= 0)
            break;
        shown.append(chunk, got);
    }
    ASSERT_TRUE(shown.contains("Password for")) << shown.constData();
    termios asking{};
    ::tcgetattr(terminal, &asking);
    EXPECT_EQ(asking.c_lflag & ECHO, 0u); // the password is not shown
    ::kill(child, SIGINT);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    termios after{};
    ::tcgetattr(terminal, &after);
    EXPECT_NE(after.c_lflag & ECHO, 0u);
    ::close(terminal);
}

TEST(HostileStore, AnInterruptedRunLeavesNoAddressesBehind) {
    QTemporaryDir dir;
    const QString temp = dir.filePath("temp");
    QDir().mkpath(temp);
    const QString mailing = writeFile(dir.filePath("m.csv"), addresses(20000));
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("Temp", temp);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MAILPIECE_BATCH_PROGRAM),
                      {"--pdf", dir.filePath("out.pdf"), mailing});
        ASSERT_TRUE(process.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (QDir(temp).isEmpty() && waited.elapsed() < 30000 &&
               process.state() == QProcess::Running)
            QThread::msleep(2);
        ASSERT_FALSE(QDir(temp).isEmpty()) << "the store never appeared";
        ::kill(static_cast<pid_t>(process.processId()), signal);
        process.waitForFinished(30000);
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << signal;
        EXPECT_EQ(process.exitCode(), signal);
        EXPECT_TRUE(QDir(temp).isEmpty()) << QDir(temp).entryList().join(' ').toStdString();
    }
}

TEST(HostileSubstitution, ACellHoldingAPlaceholderPrintsAsWritten) {
    QTemporaryDir dir;
    const QString mailing =
        writeFile(dir.filePath("m.csv"), "Name,Zip\n<<Zip>>,62701\nAnn,<<Name>>\n");
    const QString pdf = dir.filePath("out.pdf");
    const ProgramRun result = batch(
        {"--item1", "<<Name>>", "--item2", "<<Zip>>", "--zip", QString(), "--pdf", pdf, mailing});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList words = tav::test::pdfTexts(pdf);
    EXPECT_EQ(words, (QStringList{"<<Zip>>", "62701", "Ann", "<<Name>>"}));
}
