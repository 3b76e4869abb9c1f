// libFuzzer target: a saved design (the Design property's JSON property bag) on both controls.
// A design is read key by key; one that cannot be laid out draws nothing and printing it raises
// a clear error. Nothing may crash, and the good design read back must print again.

#include "fuzz_support.h"
#include "property_bag.h"
#include "recording_printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Kept across inputs, and deleted at exit before the application.
tav::TavLabel* label = nullptr;
tav::TavMail* mail = nullptr;
std::shared_ptr<tav::RecordingPrinter> printer;

} // namespace

// Everything made once is made here, before inputs run: what Qt and fontconfig keep for the
// whole process is then not taken for a leak of one input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tav::fuzz::setUpProcess();
    label = new tav::TavLabel();
    label->resize(600, 400);
    label->show();
    mail = new tav::TavMail();
    printer = std::make_shared<tav::RecordingPrinter>();
    tav::setCurrentPrinter(printer);
    std::atexit([] {
        delete mail;
        delete label;
    });
    label->grab();
    label->setSubstituteText(QStringLiteral("Item1^Ann Lee|"));
    label->AddPiece();
    label->PrintSheet();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString design =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString before = label->Design();
    label->setDesign(design);
    mail->setDesign(design);
    label->grab();
    try {
        label->PrintSheet();
    } catch (const tav::TavError& error) {
        if (error.description().isEmpty())
            std::abort(); // refused without saying why
    }
    label->setDesign(before);
    label->PrintSheet(); // the control is still usable
    printer->clear();
    return 0;
}
