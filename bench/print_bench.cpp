// Printing a mailing to one PDF document: pieces per second, and how resident memory grows with
// the mailing's length (it should not).

#include "address_mailing.h"
#include "pdf_printer.h"
#include "resident_memory.h"
#include "tav_label.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

double residentMegabytes() {
    return bench::residentBytes() / (1024 * 1024);
}

void BM_PrintMailingToPdf(benchmark::State& state) {
    const auto count = static_cast<qint32>(state.range(0));
    QTemporaryDir dir;
    double growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tav::TavLabel label;
        bench::addAddressMailing(label, count);
        auto pdf = tav::PdfPrinter::singleDocument(dir.filePath(QStringLiteral("run.pdf")));
        auto previous = tav::setCurrentPrinter(pdf);
        const double before = residentMegabytes();
        state.ResumeTiming();

        label.PrintAll();
        pdf->finish();

        state.PauseTiming();
        growth = residentMegabytes() - before;
        tav::setCurrentPrinter(previous);
        state.ResumeTiming();
    }
    state.counters["pieces_per_second"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["resident_growth_MB"] = growth;
}
BENCHMARK(BM_PrintMailingToPdf)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The same 10,000 four-inch labels with POSTNET (0) and with the Intelligent Mail barcode (1):
// what the second symbology costs in printing.
void BM_PrintFourInchLabels(benchmark::State& state) {
    const auto symbology = static_cast<tav::TavSymbology>(state.range(0));
    constexpr int kPieces = 10000;
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        tav::TavLabel label;
        bench::addAddressMailing(label, kPieces, {symbology, true});
        auto pdf = tav::PdfPrinter::singleDocument(dir.filePath(QStringLiteral("run.pdf")));
        auto previous = tav::setCurrentPrinter(pdf);
        state.ResumeTiming();

        label.PrintAll();
        pdf->finish();

        state.PauseTiming();
        tav::setCurrentPrinter(previous);
        state.ResumeTiming();
    }
    state.counters["pieces_per_second"] =
        benchmark::Counter(kPieces, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PrintFourInchLabels)
    ->ArgName("symbology")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
