// libFuzzer target: the address book reader on any bytes. Every row it returns has the header's
// number of fields and a line number past the previous row's.

#include "vcard_source.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);
    tav::VCardSource source(buffer);
    tav::MailingRow row;
    qint64 line = 0;
    while (source.next(row)) {
        if (row.fields.size() != source.header().size() || row.number <= line)
            std::abort();
        line = row.number;
    }
    return 0;
}
