// libFuzzer target: the profile reader and the catalogue record splitting, on any bytes.

#include "ini_lib.h"
#include "str_lib.h"
#include "tav_error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString value = tav::IniLib::ProfileLookup(bytes, QStringLiteral("Details"),
                                                     QStringLiteral("5160 - Address"));
    // Split the value as a piece definition record is split, and convert every part.
    QString rest = value;
    for (int field = 0; field < 8; ++field) {
        const QString text = tav::StrLib::TextBefore(rest, QStringLiteral(","));
        rest = tav::StrLib::TextAfter(rest, QStringLiteral(","));
        tav::IniLib::ToNumber(tav::StrLib::TextBefore(text, QStringLiteral("x")));
        try {
            tav::IniLib::ToCount(tav::StrLib::TextAfter(text, QStringLiteral("x")));
        } catch (const tav::TavError&) {
            // Counts beyond 16 bits are refused with an error: an expected outcome.
        }
    }
    tav::IniLib::ProfileLookup(bytes, QString::fromUtf8(bytes.left(16)), QStringLiteral("x"));
    return 0;
}
