#include "compound_file.h"

#include "workbook_reader.h"

#include <QtEndian>

#include <vector>

namespace tav {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr int kDirectoryEntry = 128;
constexpr int kMiniSector = 64;

} // namespace

void CompoundFile::damaged(const QString& what) const {
    workbookFailure(shownName_, QStringLiteral("the workbook is damaged: %1").arg(what));
}

quint32 CompoundFile::u32(qint64 offset) const {
    if (offset < 0 || offset + 4 > bytes_.size())
        damaged(QStringLiteral("it ends early"));
    return qFromLittleEndian<quint32>(bytes_.constData() + offset);
}

QByteArray CompoundFile::chain(quint32 first, const std::vector<quint32>& table,
                               const QByteArray& data, qint64 dataOffset, int sectorSize,
                               qint64 size) const {
    QByteArray out;
    std::vector<bool> seen(table.size());
    for (quint32 sector = first; sector != kEndOfChain && (size < 0 || out.size() < size);
         sector = table[sector]) {
        if (sector >= table.size() || seen[sector])
            damaged(QStringLiteral("a chain of its sectors is broken"));
        seen[sector] = true;
        const qint64 at = dataOffset + static_cast<qint64>(sector) * sectorSize;
        if (at + sectorSize > data.size())
            damaged(QStringLiteral("a sector lies past its end"));
        out.append(data.constData() + at, sectorSize);
    }
    if (size >= 0) {
        if (out.size() < size)
            damaged(QStringLiteral("a stream is shorter than it says"));
        out.truncate(size);
    }
    return out;
}

// The file allocation table: its own sectors listed in the header and the DIFAT chain after it.
std::vector<quint32> CompoundFile::sectorTable(quint32 first, quint32 sectors) const {
    const qint64 perSector = sectorSize_ / 4;
    const qint64 fileSectors = bytes_.size() / sectorSize_;
    if (sectors > fileSectors)
        damaged(QStringLiteral("its allocation table is larger than the file"));
    std::vector<quint32> tableSectors;
    for (int k = 0; k < 109 && tableSectors.size() < sectors; ++k)
        tableSectors.push_back(u32(0x4C + 4 * k));
    for (quint32 difat = first, hops = 0; tableSectors.size() < sectors; ++hops) {
        if (difat == kEndOfChain || difat == kFreeSector || hops > fileSectors)
            damaged(QStringLiteral("its allocation table is incomplete"));
        const qint64 at = (static_cast<qint64>(difat) + 1) * sectorSize_;
        for (qint64 k = 0; k < perSector - 1 && tableSectors.size() < sectors; ++k)
            tableSectors.push_back(u32(at + 4 * k));
        difat = u32(at + 4 * (perSector - 1));
    }
    std::vector<quint32> table;
    table.reserve(tableSectors.size() * perSector);
    for (const quint32 sector : tableSectors)
        for (qint64 k = 0; k < perSector; ++k)
            table.push_back(u32((static_cast<qint64>(sector) + 1) * sectorSize_ + 4 * k));
    return table;
}

CompoundFile::CompoundFile(QByteArray bytes, const QString& shownName)
    : bytes_(std::move(bytes))
    , shownName_(shownName) {
    if (bytes_.size() < 512 || !bytes_.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        damaged(QStringLiteral("it is not an Office file"));
    const int shift = qFromLittleEndian<quint16>(bytes_.constData() + 0x1E);
    if (shift != 9 && shift != 12)
        damaged(QStringLiteral("its sector size is unknown"));
    sectorSize_ = 1 << shift;
    fat_ = sectorTable(u32(0x44), u32(0x2C));
    // The bytes after the header, as sector 0 onwards.
    const QByteArray sectors =
        QByteArray::fromRawData(bytes_.constData() + sectorSize_, bytes_.size() - sectorSize_);
    directory_ = chain(u32(0x30), fat_, sectors, 0, sectorSize_, -1);
    if (directory_.size() < kDirectoryEntry)
        damaged(QStringLiteral("it has no directory"));
    miniFat_.clear();
    const QByteArray miniTable = u32(0x3C) == kEndOfChain
                                     ? QByteArray()
                                     : chain(u32(0x3C), fat_, sectors, 0, sectorSize_, -1);
    for (qsizetype at = 0; at + 4 <= miniTable.size(); at += 4)
        miniFat_.push_back(qFromLittleEndian<quint32>(miniTable.constData() + at));
    const quint32 rootStart = qFromLittleEndian<quint32>(directory_.constData() + 0x74);
    const quint64 rootSize = qFromLittleEndian<quint64>(directory_.constData() + 0x78);
    if (rootStart != kEndOfChain && rootSize > 0)
        miniStream_ = chain(rootStart, fat_, sectors, 0, sectorSize_,
                            static_cast<qint64>(std::min<quint64>(rootSize, bytes_.size())));
}

std::optional<QByteArray> CompoundFile::stream(const QString& name) const {
    const QByteArray sectors =
        QByteArray::fromRawData(bytes_.constData() + sectorSize_, bytes_.size() - sectorSize_);
    const quint32 cutoff = u32(0x38);
    for (qsizetype at = 0; at + kDirectoryEntry <= directory_.size(); at += kDirectoryEntry) {
        const char* entry = directory_.constData() + at;
        const int nameBytes = std::min<int>(qFromLittleEndian<quint16>(entry + 0x40), 64);
        const QString entryName = QString::fromUtf16(reinterpret_cast<const char16_t*>(entry),
                                                     std::max(0, nameBytes / 2 - 1));
        if (entry[0x42] != 2 || entryName.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const quint32 start = qFromLittleEndian<quint32>(entry + 0x74);
        const quint64 size = qFromLittleEndian<quint64>(entry + 0x78) & 0xFFFFFFFFu;
        if (size > static_cast<quint64>(bytes_.size()))
            damaged(QStringLiteral("a stream is larger than the file"));
        return size < cutoff
                   ? chain(start, miniFat_, miniStream_, 0, kMiniSector, static_cast<qint64>(size))
                   : chain(start, fat_, sectors, 0, sectorSize_, static_cast<qint64>(size));
    }
    return std::nullopt;
}

} // namespace tav
