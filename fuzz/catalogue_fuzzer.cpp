// libFuzzer target: piece definitions from a catalogue file of any bytes. A damaged entry is
// refused with error 380 (or 6 for a count beyond 16 bits) and leaves the sheet as it was; an
// accepted one can be laid out.

#include "fuzz_support.h"
#include "piece_definition.h"
#include "sheet_limits.h"
#include "tav_bar_code_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTemporaryDir& temp = tav::fuzz::setUpProcess();
    static const bool pointed = [&temp] {
        qputenv("MAILPIECE_SYSTEM_DIR", QFile::encodeName(temp.path()));
        return true;
    }();
    Q_UNUSED(pointed);
    {
        QFile catalogue(temp.filePath(QStringLiteral("vardo.cfg")));
        if (!catalogue.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        catalogue.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    tav::eLabel::ItemRecords items;
    for (auto& item : items)
        item = std::make_shared<tav::TavItemCls>();
    tav::TavBarCodeCls barCode;
    for (const char* name : {"5160 - Address", "Size 10 - Envelope", "x"}) {
        tav::TavSheetCls sheet;
        sheet.setPieceName(QString::fromLatin1(name));
        sheet.setWidth(1.5f);
        try {
            tav::eLabel::ApplyPieceDefinition(sheet, items, barCode);
        } catch (const tav::TavError& error) {
            // Unusable geometry (380) or a count beyond 16 bits (6), and the sheet untouched.
            const bool expected = error.number() == tav::ErrorNumber::InvalidPropertyValue ||
                                  error.number() == tav::ErrorNumber::Overflow;
            if (!expected || sheet.Width() != 1.5f)
                std::abort(); // refused, but not cleanly
            continue;
        }
        // Accepted: a usable sheet, or the zeros of a catalogue without the piece.
        if (sheet.NumAcross() >= 1 && !tav::sheetGeometryProblem(sheet).isEmpty())
            std::abort();
    }
    return 0;
}
