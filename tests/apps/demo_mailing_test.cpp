// The demo opens delimited files and SQLite databases, lists bad rows in a dialog, and keeps
// the mailing it had when opening one is cancelled.

#include "demo_window.h"
#include "mailing_problems.h"
#include "modal.h"
#include "program_run.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using tav::test::writeFile;

// A SQLite file with the tables `tables`, each holding `rows` addresses.
QString database(const QTemporaryDir& dir, const QStringList& tables, int rows) {
    const QString path = dir.filePath("mailing.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "demo-setup");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        for (const QString& table : tables) {
            query.exec(QStringLiteral("CREATE TABLE %1 (First TEXT, Last TEXT, City TEXT, "
                                      "State TEXT, Zip TEXT)")
                           .arg(table));
            for (int i = 1; i <= rows; ++i)
                query.exec(QStringLiteral("INSERT INTO %1 VALUES ('Ann%2', 'Lee', 'Salem', "
                                          "'OR', '97301')")
                               .arg(table)
                               .arg(i));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("demo-setup");
    return path;
}

class DemoMailing : public ::testing::Test {
protected:
    tav::test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    tav::test::ScopedTempDirectory temp;
    tav::test::ScopedConfigHome config; // the demo's remembered settings start empty
    tav::test::ScopedRecordingSink messages;
    QTemporaryDir dir;
};

} // namespace

TEST_F(DemoMailing, BadRowsAreListedWithTheirReasons) {
    DemoWindow window;
    const QString csv = writeFile(dir, "m.csv",
                                  "First;Last;City;State;Zip\n"
                                  "Ann;Lee;Salem;OR;2134\n"
                                  "Bob;\"open;Bend;OR;97701\n"
                                  "Cy;Orr;Bend;OR;97701\n");
    ASSERT_TRUE(window.openMailing(csv));
    EXPECT_EQ(window.label().pieceCount(), 2);
    auto* dialog = window.findChild<MailingProblemsDialog*>();
    ASSERT_NE(dialog, nullptr);
    const auto* table = dialog->findChild<QTableWidget*>("problems");
    ASSERT_EQ(table->rowCount(), 2); // each once, though labels and envelopes both read them
    EXPECT_EQ(table->item(0, 0)->text(), "2");
    EXPECT_TRUE(table->item(0, 2)->text().contains("leading zero"));
    EXPECT_EQ(table->item(1, 1)->text(), "left out");
    EXPECT_TRUE(messages.sink().texts.isEmpty());

    // The rest of the sheet filled with the piece shown, as for return addresses.
    for (QAction* action : window.findChildren<QAction*>())
        if (action->text() == "&Fill Sheet with This Piece")
            action->trigger();
    EXPECT_EQ(window.label().pieceCount(), 30);
    EXPECT_EQ(window.statusBar()->currentMessage(),
              "Added 28 copies of piece 1 to fill the last sheet.");

    // An address book opens as a mailing too: a contact without an address is listed.
    const QString book = writeFile(dir, "contacts.vcf",
                                   "BEGIN:VCARD\nN:Lee;Pat\nADR:;;1 Main St;Salem;OR;97301;\n"
                                   "END:VCARD\nBEGIN:VCARD\nFN:No Address\nEND:VCARD\n");
    ASSERT_TRUE(window.openMailing(book));
    EXPECT_EQ(window.label().pieceCount(), 1);
    EXPECT_EQ(window.label().FindPiece(1).barCodeValue, "97301");
}

// A database with several tables or a workbook with several sheets asks which to read.
TEST_F(DemoMailing, ADatabaseOrAWorkbookOpensThePartChosen) {
    const struct {
        QString path, part;
        int pieces;
    } cases[] = {
        {database(dir, {"spring", "autumn"}, 3), "spring", 3},
        {QStringLiteral(MAILPIECE_MAILING_DATA "/workbook.ods"), "Addresses", 4},
        {QStringLiteral(MAILPIECE_MAILING_DATA "/workbook.xlsx"), "Addresses", 4},
        {QStringLiteral(MAILPIECE_MAILING_DATA "/workbook.xls"), "Addresses", 4},
    };
    for (const auto& c : cases) {
        DemoWindow window;
        bool opened = false;
        EXPECT_TRUE(
            tav::test::whileModal<QInputDialog>([&] { opened = window.openMailing(c.path); },
                                                [&](QInputDialog& choose) {
                                                    choose.setTextValue(c.part);
                                                    choose.accept();
                                                }));
        EXPECT_TRUE(opened);
        EXPECT_EQ(window.label().pieceCount(), c.pieces);
    }
}

TEST_F(DemoMailing, CancellingKeepsTheMailingShownBefore) {
    DemoWindow window;
    ASSERT_TRUE(window.openMailing(database(dir, {"small"}, 2)));
    QByteArray big = "First,Last,City,State,Zip\n";
    for (int i = 0; i < 60000; ++i) // over a megabyte: the progress shows at once
        big += "Ann,Lee,Salem,OR,97301\n";
    const QString csv = writeFile(dir, "big.csv", big);
    EXPECT_TRUE(tav::test::whileModal<QProgressDialog>(
        [&] { EXPECT_FALSE(window.openMailing(csv)); },
        [](QProgressDialog& progress) { progress.cancel(); }));
    EXPECT_EQ(window.label().pieceCount(), 2);
}

TEST_F(DemoMailing, TheRowsBesideThePiecesFollowTheCurrentPieceAndADroppedFileOpens) {
    DemoWindow window;
    window.show();
    const QString csv = writeFile(dir, "m.csv",
                                  "First,Last,Address,City,State,Zip\n"
                                  "Ann,Lee,1 Elm St,Salem,OR,97301\n"
                                  "Bad \"quote,Lee,1 Elm St,Salem,OR,97301\n"
                                  "Bob,Ray,2 Oak St,Bend,OR,97701\n");
    // Dropped on the window, as from a file manager.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(csv)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&window, &drop);
    QTest::qWait(0); // the problems dialog, shown from the event loop, closed unseen
    ASSERT_EQ(window.label().pieceCount(), 2) << messages.sink().texts.join('\n').toStdString();
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("2 pieces on 1 sheet"));

    auto* table = window.findChild<QTableView*>("rows_table");
    ASSERT_NE(table, nullptr);
    const auto cell = [&](int row, int column) {
        return table->model()->index(row, column).data().toString();
    };
    EXPECT_EQ(table->model()->rowCount(), 3);
    EXPECT_TRUE(cell(1, 2).startsWith("left out: ")) << cell(1, 2).toStdString();
    window.label().setCurrentPiece(2); // Bob, the third row
    EXPECT_EQ(table->currentIndex().row(), 2);
    table->setCurrentIndex(table->model()->index(0, 3)); // Ann's row: her piece
    EXPECT_EQ(window.label().CurrentPiece(), 1);
    window.findChild<QLineEdit*>("rows_search")->setText("bend");
    EXPECT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 3), "Bob");
}
