#pragma once

#include <QFile>

namespace bench {

/// Resident memory of this process in bytes (0 where /proc is missing).
inline double residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 : 0;
}

} // namespace bench
