// The controls read whole mailings from a source: pieces from rows, bad rows reported in order,
// a hook that may leave rows out, and a progress callback that may stop.

#include "delimited_source.h"
#include "mailing_feed.h"
#include "qt_printers.h"
#include "str_lib.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "temp_env.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class LabelMailing : public ::testing::Test {
protected:
    DelimitedSource& source(const QByteArray& text) {
        source_.reset();
        buffer_.close();
        buffer_.setData(text);
        buffer_.open(QIODevice::ReadOnly);
        source_ = std::make_unique<DelimitedSource>(buffer_);
        return *source_;
    }

    test::ScopedTempDirectory temp;
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};

private:
    QBuffer buffer_;
    std::unique_ptr<DelimitedSource> source_;
};

const QByteArray kMailing = "Name;City;Zip\n"
                            "Ann;Salem;97301\n"
                            "Bad;\"open;1\n"
                            "B|ob;Bend;97701\n"
                            " ; ;\n"
                            "Cy;Eugene;97401\n"
                            "Di;Medford;97501\n";

} // namespace

TEST_F(LabelMailing, RowsBecomePiecesAndTheRestAreReportedInOrder) {
    TavLabel label;
    std::vector<MailingProblem> leftOut;
    MailingFeed feed;
    feed.leftOut = [&](const MailingProblem& problem) { leftOut.push_back(problem); };
    // The hook sees each row's piece with its ZIP code; the design's records are not touched.
    label.BarCodeProperties()->setValue("12345");
    label.setSubstituteText("Item1^kept");
    feed.beforeAdd = [&](const MailingRow& row, MailingPiece& piece) {
        EXPECT_EQ(piece.zip, row.fields.at(2));
        EXPECT_EQ(*piece.texts.value(u"Item1"), row.fields.at(0).trimmed());
        return row.fields.at(0) == QLatin1String("Cy") ? "not Cy" : QString();
    };
    const bool refresh = label.Refresh();
    const MailingFed fed = label.AddPieces(source(kMailing), feed);
    EXPECT_EQ(label.Refresh(), refresh); // held while feeding, then as it was

    EXPECT_EQ(fed.pieces, 3);
    EXPECT_EQ(fed.blankRows, 1); // a blank row is nobody's label
    EXPECT_EQ(fed.leftOut, 2);
    ASSERT_EQ(leftOut.size(), 2u);
    EXPECT_EQ(leftOut[0].number, 3); // the quote never closed
    EXPECT_EQ(leftOut[1].number, 6);
    EXPECT_EQ(leftOut[1].message, "not Cy");
    // "|" is data like any other character.
    EXPECT_EQ(StrLib::SubstituteTokens("<<Item1>>", label.FindPiece(2).substituteText, "^", "|"),
              "B|ob");
    const PieceRecord last = label.FindPiece(3);
    EXPECT_EQ(last.barCodeValue, "97501");
    EXPECT_TRUE(last.substituteText.contains("City^Medford|"));
    EXPECT_TRUE(last.substituteText.startsWith("Item1^Di|"));
    EXPECT_EQ(label.BarCodeProperties()->Value(), "12345");
    EXPECT_EQ(label.SubstituteText(), "Item1^kept");
}

TEST_F(LabelMailing, ProgressMayStopAndEnvelopesTakeTheAddressColumns) {
    TavLabel label;
    MailingFeed feed;
    feed.progress = [](qint64 rows) { return rows < 2; };
    const MailingFed stopped = label.AddPieces(source(kMailing), feed);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(label.pieceCount(), 2);

    TavMail mail;
    mail.InitProperties();
    const MailingFed fed = mail.AddPieces(source("First,Last,City,State,Zip,Extra\n"
                                                 "Ann,Lee,Salem,OR,97301-1234,x\n"),
                                          {});
    EXPECT_EQ(fed.pieces, 1);
    const PieceRecord piece = mail.TavLabel1().FindPiece(1);
    EXPECT_EQ(piece.barCodeValue, "97301-1234");
    EXPECT_TRUE(piece.substituteText.contains("City^Salem|"));
    EXPECT_TRUE(piece.substituteText.contains("DeliveryAddress^Ann Lee"));
}

// A sheet of one address: the rest of the last sheet filled with copies of a piece, wherever the
// first sheet starts.
TEST_F(LabelMailing, FillSheetCopiesAPieceToTheEndOfTheLastSheet) {
    const struct {
        qint16 start;
        int pieces, added;
    } cases[] = {{1, 0, 0},  {1, 1, 29}, {1, 30, 0}, {1, 31, 29},
                 {5, 1, 25}, {5, 25, 1}, {5, 27, 29}};
    for (const auto& c : cases) {
        TavLabel label;
        label.setPieceName("5160 - Address"); // 30 a sheet
        label.SheetProperties()->setStartingPiece(c.start);
        for (int k = 1; k <= c.pieces; ++k)
            label.AddPiece(PieceTexts({{"Item1", QString::number(k)}}), "97301");
        EXPECT_EQ(label.FillSheet(), c.added) << c.start << " " << c.pieces;
        EXPECT_EQ(label.pieceCount(), c.pieces + c.added);
        if (c.added > 0) {
            EXPECT_EQ(label.FindPiece(label.pieceCount()).substituteText,
                      QStringLiteral("Item1^%1").arg(c.pieces));
        }
    }
    TavLabel label;
    label.setPieceName("5160 - Address");
    label.AddPiece(PieceTexts({{"Item1", QString("return")}}), "97301");
    label.AddPiece(PieceTexts({{"Item1", QString("last")}}), "97401");
    EXPECT_EQ(label.FillSheet(1), 28); // the piece asked for, its bars too
    EXPECT_EQ(label.FindPiece(30).barCodeValue, "97301");
    EXPECT_ANY_THROW(label.FillSheet(99));
}
