// libFuzzer target: the CSV mailing reader on any bytes. Every row it returns has the header's
// number of fields and a line number past the previous row's.

#include "csv_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const mailpiece::CsvTable table = mailpiece::readCsv(bytes);
    qsizetype line = 0;
    for (const mailpiece::CsvRow& row : table.rows) {
        if (row.fields.size() != table.header.size() || row.line <= line)
            std::abort();
        line = row.line;
    }
    return 0;
}
