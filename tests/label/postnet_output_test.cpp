// POSTNET pieces print and record exactly as they did before the bar code learned a second
// symbology: the operations are compared with a transcript kept in golden/.
// MAILPIECE_UPDATE_GOLDEN=1 writes the transcript anew (only when the output is meant to change).

#include "label_design.h"
#include "qt_printers.h"
#include "recording_printer.h"
#include "tav_barcode.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "tav_meta_cls.h"
#include "temp_env.h"

#include <QFile>
#include <QImage>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace tav;

namespace {

const QString kGolden = QStringLiteral(MAILPIECE_GOLDEN_DIR "/postnet_output.txt");

void writePrinted(QTextStream& out, const std::vector<PrintedPage>& jobs) {
    for (const PrintedPage& job : jobs) {
        out << "job orientation " << job.orientation << '\n';
        for (const PrinterOp& op : job.ops) {
            out << op.kind << ' ' << op.x1 << ' ' << op.y1 << ' ' << op.x2 << ' ' << op.y2 << ' '
                << op.color << ' ' << op.filled << ' ' << op.drawWidth << ' ' << op.drawStyle << ' '
                << op.text << '\n';
            // Each bar of a bar code, one line a box.
            for (const QRect& box : op.boxes)
                out << "  " << box.x() << ' ' << box.y() << ' ' << box.width() << ' '
                    << box.height() << '\n';
        }
    }
}

void writeRecorded(QTextStream& out, const MetaRecording& recording) {
    for (const MetaOp& op : recording.ops) {
        out << op.kind << ' ' << op.rect.left() << ' ' << op.rect.top() << ' ' << op.rect.right()
            << ' ' << op.rect.bottom() << ' ' << op.from.x() << ' ' << op.from.y() << ' '
            << op.to.x() << ' ' << op.to.y() << ' ' << op.pen.color << ' ' << op.pen.width << ' '
            << op.fill;
        if (op.exact.isValid())
            out << ' ' << op.exact.x() << ' ' << op.exact.y() << ' ' << op.exact.width() << ' '
                << op.exact.height();
        out << '\n';
    }
}

// Labels of 5, 9 and 11 digits (the last cut at the box's edge), digits among other characters,
// and an envelope with its ZIP under the address.
QString printTranscript() {
    test::ScopedTempDirectory temp;
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    auto printer = std::make_shared<RecordingPrinter>();
    const std::shared_ptr<Printer> previous = setCurrentPrinter(printer);
    QString text;
    QTextStream out(&text);

    TavLabel label;
    test::setThirtyUpSheet(*label.SheetProperties());
    label.ApplyAddressLayout(3, 9);
    label.setRefresh(false);
    const QString values[] = {"62701", "62701-1234", "62701123499", "ZIP 9 8 x7", QString()};
    for (const QString& value : values) {
        label.setSubstituteText("Item1^Ann|Item2^12 Oak Rd|Item3^Springfield|");
        label.BarCodeProperties()->setValue(value);
        label.AddPiece();
    }
    label.PrintAll();
    writePrinted(out, printer->jobs());
    printer->clear();

    TavMail mail;
    mail.setRefresh(false);
    TavAddressCls& address = *mail.DeliveryAddress_Text();
    address.setFirst("Ann");
    address.setLast("Rivera");
    address.setAddress("12 Elm St");
    address.setCity("Springfield");
    address.setState("IL");
    address.setZip("62701-1234");
    mail.AddPiece();
    mail.TavLabel1().PrintAll();
    writePrinted(out, printer->jobs());
    setCurrentPrinter(previous);

    // The recorded picture of the bars, at each alignment.
    TavBarcode barcode;
    barcode.setTwipsGeometry(0, 0, 2000, 400);
    barcode.setBarCode("62701-1234");
    for (qint16 horizontal = 0; horizontal <= 2; ++horizontal) {
        for (qint16 vertical = 0; vertical <= 2; ++vertical) {
            barcode.setAlignHorizontal(horizontal);
            barcode.setAlignVertical(vertical);
            QImage reference(400, 200, QImage::Format_RGB32);
            TavMetaCls meta;
            meta.CreateMetaObject(&reference);
            barcode.MFRender(meta, 150, 300);
            out << "recording " << horizontal << ' ' << vertical << '\n';
            writeRecorded(out, meta.recordingData());
            meta.DeleteMetaObject();
        }
    }
    out.flush();
    return text;
}

} // namespace

TEST(PostnetOutput, PrintsAndRecordsAsTheTranscriptSays) {
    const QString transcript = printTranscript();
    ASSERT_FALSE(transcript.isEmpty());
    QFile golden(kGolden);
    if (qEnvironmentVariableIsSet("MAILPIECE_UPDATE_GOLDEN")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly | QIODevice::Truncate));
        golden.write(transcript.toUtf8());
        GTEST_SKIP() << "wrote " << kGolden.toStdString();
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << kGolden.toStdString();
    const QStringList expected = QString::fromUtf8(golden.readAll()).split(QLatin1Char('\n'));
    const QStringList actual = transcript.split(QLatin1Char('\n'));
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        ASSERT_EQ(actual.at(i), expected.at(i)) << "line " << i + 1;
}
