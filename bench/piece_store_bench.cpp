// How fast a host can feed pieces into a label control, and what a lookup costs in a large store.

#include "resident_memory.h"
#include "tav_label.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr qint32 kMillion = 1000000;

QString addressText(qint32 i) {
    return QStringLiteral(
               "Item1^Jane Q. Doe %1|Item2^%2 Maple Avenue|Item3^Springfield, IL   62701|")
        .arg(i)
        .arg(i % 9999);
}

void feed(tav::TavLabel& label, qint32 count) {
    label.setRefresh(false);
    for (qint32 i = 1; i <= count; ++i) {
        label.setSubstituteText(addressText(i));
        label.BarCodeProperties()->setValue(QStringLiteral("62701-1234"));
        label.AddPiece();
    }
    label.setRefresh(true);
}

// One million pieces added with Refresh off; reports the memory kept per piece.
void BM_AddPieceMillion(benchmark::State& state) {
    double perPiece = 0;
    for (auto _ : state) {
        auto label = std::make_unique<tav::TavLabel>();
        const double before = bench::residentBytes();
        feed(*label, kMillion);
        perPiece = (bench::residentBytes() - before) / kMillion;
        state.PauseTiming(); // deleting the store file is not part of adding
        label.reset();
        state.ResumeTiming();
    }
    state.counters["pieces_per_second"] =
        benchmark::Counter(kMillion, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["resident_bytes_per_piece"] = perPiece;
}
BENCHMARK(BM_AddPieceMillion)->Unit(benchmark::kMillisecond)->Iterations(3);

// FindPiece(1) right after FindPiece(1000000): the lookup that a sequential store made cost a
// whole pass over the file.
void BM_FindFirstAfterLast(benchmark::State& state) {
    static std::unique_ptr<tav::TavLabel> label = [] {
        auto made = std::make_unique<tav::TavLabel>();
        feed(*made, kMillion);
        return made;
    }();
    for (auto _ : state) {
        benchmark::DoNotOptimize(label->FindPiece(kMillion));
        benchmark::DoNotOptimize(label->FindPiece(1));
    }
    state.SetLabel("one iteration = FindPiece(1000000) + FindPiece(1)");
}
BENCHMARK(BM_FindFirstAfterLast)->Unit(benchmark::kMicrosecond);

} // namespace
