// libFuzzer target: the piece store reading back a store file cut or corrupted at any byte.
// Lookups may find nothing or raise error 62 or 57; they must never crash or hang.

#include "fuzz_support.h"
#include "piece_store.h"
#include "tav_error.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tav::fuzz::setUpProcess();
    tav::PieceStore store;
    for (int piece = 1; piece <= 8; ++piece)
        store.append(QStringLiteral("Item1^Piece %1|").arg(piece), QStringLiteral("62701"),
                     QString());
    store.close();
    {
        // The same file the store keeps open, replaced by the input.
        QFile file(store.fileName());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    for (const qint32 number : {1, 8, 3, 9, 0, 2, 8}) {
        try {
            store.find(number);
        } catch (const tav::TavError&) {
            // A damaged store is reported: an expected outcome.
        }
    }
    try {
        store.openForReading();
        for (int read = 0; read < 16 && store.reading() && !store.atEnd(); ++read)
            store.readRecord();
    } catch (const tav::TavError&) {
    }
    return 0;
}
