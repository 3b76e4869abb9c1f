// One sheet view as the label control draws it: 30 pieces of three text lines and a bar code
// recorded at natural size, then played into a widget-sized 96-dot image at the fitting zoom.

#include "tav_barcode.h"
#include "tav_item.h"
#include "tav_meta_cls.h"
#include "tav_piece.h"
#include "zoom_steps.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

constexpr qint32 kSheetWidth = 12240;  // 8.5 in
constexpr qint32 kSheetHeight = 15840; // 11 in

QImage image96(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

// A 2-5/8 × 1 in address label.
void fillPiece(tav::TavPiece& piece) {
    piece.setTwipsGeometry(0, 0, 3780, 1440);
    piece.setDepth(tav::TavPiece::SheetWithTexts);
    const QString substitute = QStringLiteral(
        "Item1^Jane Q. Doe|Item2^1234 Maple Avenue Apt 5|Item3^Springfield, IL   62701-1234|");
    for (int i = 0; i < 3; ++i) {
        auto* item = new tav::TavItem(&piece);
        item->setTwipsGeometry(144, 100 + 300 * i, 3500, 300);
        item->setTextControl(QStringLiteral("<<Item%1>>").arg(i + 1));
        item->setTextSubstitute(substitute);
        item->setBorderStyle(0);
        item->setAlignVertical(0);
    }
    auto* barcode = new tav::TavBarcode(&piece);
    barcode->setTwipsGeometry(144, 1000, 3500, 250);
    barcode->setBarCode(QStringLiteral("62701-1234"));
}

void BM_SheetViewRecordAndPlay(benchmark::State& state) {
    tav::TavPiece piece;
    fillPiece(piece);
    QImage canvas = image96(kSheetWidth / 15, kSheetHeight / 15);
    QImage widget = image96(640, 480);
    const qint32 zoom = tav::ZoomSteps::fitZoom(640 * 15, 480 * 15, kSheetWidth, kSheetHeight);
    for (auto _ : state) {
        tav::TavMetaCls meta;
        meta.CreateMetaObject(&canvas);
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 3; ++column)
                piece.MFRender(meta, 270 + column * 3960, 720 + row * 1440);
        widget.fill(Qt::white);
        meta.PrintMetaObject(&widget, static_cast<qint16>(zoom));
        benchmark::DoNotOptimize(widget.constBits());
    }
    state.SetLabel("30 pieces, record + play at fit zoom into 640 x 480");
}
BENCHMARK(BM_SheetViewRecordAndPlay)->Unit(benchmark::kMillisecond);

} // namespace
