#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tav {

/// The streams of a Compound File (the container of legacy Office documents, such as the .xls
/// workbook), read from its bytes with every sector chain checked: a damaged or hostile file
/// raises error 75 naming `shownName`, never reads outside its bytes and never loops.
class CompoundFile {
public:
    CompoundFile(QByteArray bytes, const QString& shownName);
    /// The stream named `name` (case ignored) in the root storage, or none.
    std::optional<QByteArray> stream(const QString& name) const;

private:
    quint32 u32(qint64 offset) const;
    // The sectors of a chain through `table`, each of `sectorSize` bytes, from `data`.
    QByteArray chain(quint32 first, const std::vector<quint32>& table, const QByteArray& data,
                     qint64 dataOffset, int sectorSize, qint64 size) const;
    std::vector<quint32> sectorTable(quint32 first, quint32 sectors) const;
    [[noreturn]] void damaged(const QString& what) const;

    QByteArray bytes_;
    QString shownName_;
    int sectorSize_ = 512;
    std::vector<quint32> fat_, miniFat_;
    QByteArray directory_, miniStream_;
};

} // namespace tav
