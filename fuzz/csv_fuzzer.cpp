// libFuzzer target: the delimited text reader on any bytes, with the separator and encoding
// found from them. Every row it returns has the header's number of fields and a line number
// past the previous row's.

#include "delimited_source.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer buffer;
    tav::fuzz::openBytes(buffer, data, size);
    tav::DelimitedSource source(buffer);
    tav::fuzz::checkRows(source);
    return 0;
}
