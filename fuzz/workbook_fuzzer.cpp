// libFuzzer target: the workbook readers (.xlsx, .ods, .xls) on any bytes. A damaged workbook
// may only end in the library's error; every row returned has the header's number of fields and
// a row number past the previous one's.

#include "fuzz_support.h"
#include "spreadsheet_source.h"
#include "tav_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tav::fuzz::setUpProcess(); // the workbook is kept in the private "Temp" while read
    QBuffer buffer;
    tav::fuzz::openBytes(buffer, data, size);
    try {
        const auto source = tav::SpreadsheetSource::read(buffer, QStringLiteral("fuzz"));
        tav::fuzz::checkRows(*source);
    } catch (const tav::TavError&) {
    }
    return 0;
}
