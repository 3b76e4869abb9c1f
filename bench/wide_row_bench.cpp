// One mailing row of 100,000 columns (about 1.3 MB of substitution text) becoming a piece:
// stored, read back and printed. The token substitution must stay linear in the row's length.

#include "recording_printer.h"
#include "tav_label.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString wideRow(int columns) {
    QString row;
    for (int column = 1; column <= columns; ++column)
        row += QStringLiteral("Column%1^v%1|").arg(column);
    return row;
}

void BM_WideRowBecomesAPiece(benchmark::State& state) {
    const QString row = wideRow(static_cast<int>(state.range(0)));
    QTemporaryDir temp;
    qputenv("Temp", QFile::encodeName(temp.path()));
    const auto printer = std::make_shared<tav::RecordingPrinter>();
    const auto previous = tav::setCurrentPrinter(printer);
    tav::TavLabel label;
    label.setRefresh(false);
    for (int item = 1; item <= 7; ++item) // the last columns, found only at the row's end
        label.itemProperties(item)->setTextControl(
            QStringLiteral("<<Column%1>>").arg(state.range(0) - item + 1));
    for (auto _ : state) {
        label.setSubstituteText(row);
        label.AddPiece();
        label.PrintSheet();
        printer->clear();
    }
    tav::setCurrentPrinter(previous);
    qunsetenv("Temp");
    state.counters["row_MB"] = row.toUtf8().size() / 1e6;
}
BENCHMARK(BM_WideRowBecomesAPiece)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
