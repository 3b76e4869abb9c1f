// libFuzzer target: the address book reader on any bytes. Every row it returns has the header's
// number of fields and a line number past the previous row's.

#include "fuzz_support.h"
#include "vcard_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer buffer;
    tav::fuzz::openBytes(buffer, data, size);
    tav::VCardSource source(buffer);
    tav::fuzz::checkRows(source);
    return 0;
}
