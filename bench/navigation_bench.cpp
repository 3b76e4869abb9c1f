// One navigation step of a shown label control with 100,000 pieces in the "Both" view: both
// views are drawn again, whatever the piece's number.

#include "address_layout.h"
#include "tav_label.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

tav::TavLabel& shownLabel() {
    static std::unique_ptr<tav::TavLabel> label = [] {
        auto made = std::make_unique<tav::TavLabel>();
        mailpiece::applyAddressLayout(*made);
        made->setRefresh(false);
        for (qint32 i = 1; i <= 100000; ++i) {
            made->setSubstituteText(
                QStringLiteral("Item1^Jane Q. Doe %1|Item2^%2 Maple Avenue|Item3^Springfield, IL   "
                               "62701-1234|Item4^|")
                    .arg(i)
                    .arg(i % 9999));
            made->BarCodeProperties()->setValue(QStringLiteral("62701-1234"));
            made->AddPiece();
        }
        made->resize(900, 600);
        made->show();
        made->setRefresh(true);
        made->setCurrentPiece(50000);
        QApplication::processEvents();
        return made;
    }();
    return *label;
}

// A click and the repaint it causes, done at once rather than at the next turn of the loop.
void click(tav::TavLabel& label, const char* button) {
    label.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    label.repaint();
}

void BM_NextPiece(benchmark::State& state) {
    tav::TavLabel& label = shownLabel();
    label.setCurrentPiece(50000);
    for (auto _ : state)
        click(label, "NavNextP");
    state.SetLabel("one > click, both views redrawn, 100,000 pieces");
}
BENCHMARK(BM_NextPiece)->Unit(benchmark::kMillisecond);

void BM_LastThenFirst(benchmark::State& state) {
    tav::TavLabel& label = shownLabel();
    for (auto _ : state) {
        click(label, "NavLast");
        click(label, "NavFirst");
    }
    state.SetLabel(">| then |<, two redraws of both views");
}
BENCHMARK(BM_LastThenFirst)->Unit(benchmark::kMillisecond);

} // namespace
