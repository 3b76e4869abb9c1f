#include "dir_lib.h"
#include "file_size_limit.h"
#include "piece_store.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "store_line.h"
#include "tav_error.h"
#include "temp_env.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class PieceStoreTest : public ::testing::Test {
protected:
    test::ScopedTempDirectory temp;
    PieceStore store;

    QByteArray fileBytes() const {
        QFile file(store.fileName());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void addLetters(const char* letters) {
        for (const char* c = letters; *c; ++c)
            store.append(QString(QLatin1Char(*c)), QString(), QString());
    }

    void expectError(qint32 number, qint32 piece, const char* inDescription) {
        const auto error = test::raisedError([&] { store.find(piece); });
        ASSERT_TRUE(error) << "no error for piece " << piece;
        EXPECT_EQ(error->number(), number);
        EXPECT_EQ(error->source(), "TavLabel:PieceStore");
        EXPECT_TRUE(error->description().contains(QLatin1String(inDescription)))
            << error->description().toStdString();
    }
};

// The lookup rules read the file from its start, field by field: the reference the indexed
// store must agree with.
PieceRecord sequentialFind(const QByteArray& file, qint32 number) {
    qsizetype pos = 0;
    StoreFieldReader reader([&] { return QByteArrayView(file).sliced(pos); },
                            [&](qsizetype count) { pos += count; });
    const bool header = reader.readField() == QLatin1String("Substitute") &&
                        reader.readField() == QLatin1String("BarCode") &&
                        reader.readField() == QLatin1String("CarrierRoute");
    if (!header)
        return {};
    for (qint32 read = 1; pos < file.size(); ++read) {
        PieceRecord record;
        record.substituteText = reader.readField();
        record.barCodeValue = reader.readField();
        record.carrierRoute = reader.readField();
        if (read == number) {
            record.found = true;
            return record;
        }
    }
    return {};
}

} // namespace

TEST_F(PieceStoreTest, TheFileIsReservedEmptyAndGetsItsHeaderWithTheFirstPiece) {
    EXPECT_TRUE(QFileInfo(store.fileName()).fileName().startsWith("qzp"));
    EXPECT_EQ(fileBytes(), QByteArray());
    EXPECT_FALSE(store.created());
    EXPECT_FALSE(store.find(1).found);

    addLetters("ABC");
    store.close();
    EXPECT_EQ(fileBytes(), QByteArray("\"Substitute\",\"BarCode\",\"CarrierRoute\"\r\n"
                                      "\"A\",\"\",\"\"\r\n"
                                      "\"B\",\"\",\"\"\r\n"
                                      "\"C\",\"\",\"\"\r\n"));
}

TEST_F(PieceStoreTest, LookupsInAnyOrderAndOutOfRange) {
    addLetters("ABC");
    EXPECT_EQ(store.find(3).substituteText, "C");
    const PieceRecord second = store.find(2); // behind the reading position: rewinds
    EXPECT_TRUE(second.found);
    EXPECT_EQ(second.substituteText, "B");
    for (const qint32 missing : {4, 0, -1, std::numeric_limits<qint32>::min()}) {
        const PieceRecord record = store.find(missing);
        EXPECT_FALSE(record.found) << missing;
        EXPECT_TRUE(record.substituteText.isEmpty());
    }

    // Appending after a read switches back to writing; the next read sees the new piece.
    EXPECT_TRUE(store.reading());
    store.append("D", "62701", QString());
    EXPECT_TRUE(store.writing());
    EXPECT_FALSE(store.reading());
    const PieceRecord fourth = store.find(4);
    EXPECT_EQ(fourth.substituteText, "D");
    EXPECT_EQ(fourth.barCodeValue, "62701");
}

TEST_F(PieceStoreTest, SequentialReadingWalksTheRecordsToTheEnd) {
    addLetters("AB");
    store.openForReading();
    EXPECT_TRUE(store.reading());
    EXPECT_FALSE(store.atEnd());
    EXPECT_EQ(store.readRecord().substituteText, "A");
    EXPECT_EQ(store.readRecord().substituteText, "B");
    EXPECT_TRUE(store.atEnd());
    EXPECT_EQ(store.recordsRead(), 2);
    EXPECT_EQ(test::raisedNumber([&] { store.readRecord(); }), ErrorNumber::InputPastEndOfFile)
        << "read past the end";
}

TEST_F(PieceStoreTest, IndexedLookupsAgreeWithReadingFromTheStart) {
    QRandomGenerator random(42);
    for (int i = 1; i <= 300; ++i) {
        QString text = QStringLiteral("Item1^Piece %1|").arg(i);
        if (i % 7 == 0)
            text += "Item2^\"quoted\", \r\n|";
        store.append(text, QString::number(random.bounded(100000)), QString());
    }
    store.close();
    const QByteArray file = fileBytes();
    for (int i = 0; i < 400; ++i) {
        const auto number = static_cast<qint32>(random.bounded(-3, 305));
        const PieceRecord indexed = store.find(number);
        const PieceRecord sequential = sequentialFind(file, number);
        EXPECT_EQ(indexed.found, sequential.found) << number;
        EXPECT_EQ(indexed.substituteText, sequential.substituteText) << number;
        EXPECT_EQ(indexed.barCodeValue, sequential.barCodeValue) << number;
        EXPECT_EQ(indexed.carrierRoute, sequential.carrierRoute) << number;
    }
}

TEST_F(PieceStoreTest, ATruncatedStoreKeepsItsCompleteRecordsAndReportsTheCutOne) {
    addLetters("ABCDE");
    store.close();
    const QByteArray whole = fileBytes();
    ASSERT_TRUE(QFile::resize(store.fileName(), whole.size() - 5)); // inside E's second field

    for (qint32 n = 1; n <= 4; ++n)
        EXPECT_EQ(store.find(n).substituteText, QString(QLatin1Char(char('A' + n - 1))));
    expectError(ErrorNumber::InputPastEndOfFile, 5, "piece record 5 is incomplete");
    // Asking for an empty position reads on to the end as well, and meets the same record.
    expectError(ErrorNumber::InputPastEndOfFile, 0, "incomplete");
    EXPECT_EQ(store.find(2).substituteText, "B");

    // Cut at a line end: the missing pieces are simply not found.
    ASSERT_TRUE(QFile::resize(store.fileName(), whole.indexOf("\"D\"")));
    store.close();
    EXPECT_EQ(store.find(3).substituteText, "C");
    EXPECT_FALSE(store.find(4).found);
    EXPECT_FALSE(store.find(5).found);
}

TEST_F(PieceStoreTest, AForeignHeaderFindsNothing) {
    addLetters("AB");
    store.close();
    QFile file(store.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write("\"substitute\"");
    file.close();
    EXPECT_FALSE(store.find(1).found);
    EXPECT_FALSE(store.reading());
    EXPECT_FALSE(store.find(2).found);
}

TEST_F(PieceStoreTest, ANameSwappedAfterReservationIsNeverWrittenReadOrDeleted) {
    const QString folder = QFileInfo(store.fileName()).absolutePath();
    const QString victim = folder + "/victim";
    QFile(victim).open(QIODevice::WriteOnly);
    const QString name = store.fileName();

    // A link planted in the store's place, and a file swapped in under its name.
    for (const bool link : {true, false}) {
        ASSERT_TRUE(QFile::remove(name));
        if (link) {
            ASSERT_TRUE(QFile::link(victim, name));
        } else {
            QFile swapped(name);
            ASSERT_TRUE(swapped.open(QIODevice::WriteOnly));
            swapped.write("someone else's");
        }
        store.append("secret", QString(), QString());
        EXPECT_EQ(QFileInfo(victim).size(), 0);
        EXPECT_EQ(store.find(store.pieceCount()).substituteText, "secret");
        if (!link) {
            QFile swapped(name);
            ASSERT_TRUE(swapped.open(QIODevice::ReadOnly));
            EXPECT_EQ(swapped.readAll(), QByteArray("someone else's"));
        }
    }
}

TEST(PieceStoreLifetime, AStoreLeavesAFileSwappedInUnderItsName) {
    test::ScopedTempDirectory temp;
    QString name;
    {
        PieceStore store;
        store.append("Item1^Ann|", QString(), QString());
        name = store.fileName();
        ASSERT_TRUE(QFile::remove(name));
        QFile swapped(name);
        ASSERT_TRUE(swapped.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(QFileInfo::exists(name));
}

TEST_F(PieceStoreTest, ALeadingByteOrderMarkIsPartOfTheValue) {
    const QString values[] = {"\uFEFF", "\uFEFFItem1^Ann|", "\uFEFF\uFEFF\"x\""};
    for (const QString& value : values)
        store.append(value, value, value);
    for (qint32 n = 1; n <= 3; ++n) {
        const PieceRecord record = store.find(n);
        EXPECT_EQ(record.substituteText, values[n - 1]);
        EXPECT_EQ(record.barCodeValue, values[n - 1]);
        EXPECT_EQ(record.carrierRoute, values[n - 1]);
    }
}

TEST_F(PieceStoreTest, CountsBeyondSixteenBits) {
    for (int i = 1; i <= 40000; ++i)
        store.append(QStringLiteral("Item1^%1|").arg(i), QString(), QString());
    EXPECT_EQ(store.pieceCount(), 40000);
    EXPECT_EQ(store.find(40000).substituteText, "Item1^40000|");
    EXPECT_EQ(store.find(32768).substituteText, "Item1^32768|");
}

TEST(PieceStoreLifetime, TheFileIsOwnerOnlyAndGoneWithTheStore) {
    test::ScopedTempDirectory temp;
    QString path;
    {
        PieceStore store;
        path = store.fileName();
        store.append("Item1^Ann|", QString(), QString());
        const QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        EXPECT_EQ(QFileInfo(path).permissions() & others, QFile::Permissions());
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(temp.fileNames().isEmpty());
}

TEST_F(PieceStoreTest, AFullDiskCountsOnlyStoredPiecesAndKeepsThemReadable) {
    qint32 stored = 0;
    {
        const test::FileSizeLimit limit(4096);
        try {
            for (;; ++stored)
                store.append(QStringLiteral("Item1^%1 %2|").arg(stored + 1).arg(QString(60, 'x')),
                             "62701", QString());
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::DeviceIO);
        }
    }
    EXPECT_GT(stored, 10);
    EXPECT_EQ(store.pieceCount(), stored);
    EXPECT_LE(QFileInfo(store.fileName()).size(), 4096);
    for (qint32 n = 1; n <= stored; ++n)
        EXPECT_TRUE(store.find(n).substituteText.startsWith(QStringLiteral("Item1^%1 ").arg(n)));
    EXPECT_FALSE(store.find(stored + 1).found);
    // With room again, the next piece follows the last stored one.
    store.append("Item1^after|", QString(), QString());
    EXPECT_EQ(store.pieceCount(), stored + 1);
    EXPECT_EQ(store.find(stored + 1).substituteText, "Item1^after|");
    EXPECT_TRUE(store.find(stored).found);
}
