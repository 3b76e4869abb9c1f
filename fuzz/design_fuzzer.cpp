// libFuzzer target: a saved design (the Design property's JSON property bag) on both controls.
// A design that cannot be used is reported and changes nothing; nothing may raise, crash or
// leave a control that cannot draw and print.

#include "fuzz_support.h"
#include "property_bag.h"
#include "recording_printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tav::fuzz::setUpProcess();
    // Kept across inputs, and deleted at exit before the application.
    static tav::TavLabel* label = nullptr;
    static tav::TavMail* mail = nullptr;
    if (!label) {
        label = new tav::TavLabel();
        label->resize(600, 400);
        label->show();
        mail = new tav::TavMail();
        tav::setCurrentPrinter(std::make_shared<tav::RecordingPrinter>());
        std::atexit([] {
            delete mail;
            delete label;
        });
    }
    const QString design =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString before = label->Design();
    label->setDesign(design);
    mail->setDesign(design);
    // Whatever was taken must draw and print.
    label->grab();
    label->setSubstituteText(QStringLiteral("Item1^Ann Lee|"));
    try {
        if (label->pieceCount() == 0)
            label->AddPiece();
        label->PrintSheet();
    } catch (const tav::TavError&) {
        std::abort(); // an accepted design that cannot print
    }
    label->setDesign(before);
    return 0;
}
