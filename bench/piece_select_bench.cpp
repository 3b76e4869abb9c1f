// Opening the piece selection dialog with the whole label template library: reading the XML
// (once per process in use; every time here) and filling the dialog on a piece.

#include "catalogue.h"
#include "label_templates.h"
#include "piece_select.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_ReadTemplateLibrary(benchmark::State& state) {
    const QString directory = QString::fromLatin1(tav::LabelTemplates::DefaultDirectory);
    std::size_t pieces = 0;
    for (auto _ : state)
        pieces = tav::LabelTemplates::readDirectory(directory).pieces.size();
    if (pieces == 0)
        state.SkipWithError("glabels-data is not installed");
    state.counters["templates_imported"] = static_cast<double>(pieces);
}
BENCHMARK(BM_ReadTemplateLibrary)->Unit(benchmark::kMillisecond);

void BM_OpenPieceSelection(benchmark::State& state) {
    tav::Catalogue::current(); // the library as a running program has read it
    for (auto _ : state) {
        tav::PieceSelectForm form;
        form.setPieceName(QStringLiteral("Igepa EA-700x423 - Rectangular labels 70 x 42.3 mm"));
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.pieceName());
    }
}
BENCHMARK(BM_OpenPieceSelection)->Unit(benchmark::kMillisecond);

} // namespace
