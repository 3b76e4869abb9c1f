#include "template_cache.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace tav::TemplateCache {

namespace {

// Changes whenever what is kept, or how a template becomes a piece, changes.
constexpr quint32 kMagic = 0x4d50'5443; // "MPTC"
constexpr quint32 kVersion = 2;         // 2: roll labels marked in their records

// What the import depends on: every file of the directory (the reader takes the templates and
// the paper sizes from it) by name, size and time, and the shipped products left out.
QByteArray keyOf(const QString& directory, const QSet<QString>& shippedNumbers) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QDir(directory).absolutePath().toUtf8());
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
        hash.addData(QStringLiteral("\n%1 %2 %3")
                         .arg(file.fileName())
                         .arg(file.size())
                         .arg(file.lastModified().toMSecsSinceEpoch())
                         .toUtf8());
    QStringList numbers(shippedNumbers.begin(), shippedNumbers.end());
    numbers.sort();
    hash.addData(('\n' + numbers.join(QLatin1Char(','))).toUtf8());
    return hash.result();
}

QDataStream& operator<<(QDataStream& out, const LabelTemplates::Import& import) {
    out << static_cast<quint32>(import.pieces.size());
    for (const LabelTemplates::TemplatePiece& piece : import.pieces)
        out << piece.product << piece.piece << piece.record;
    return out << import.templates << import.imported << import.skipped << import.alreadyShipped;
}

// The import kept in `file` under `key`, or none when the file holds anything else.
std::optional<LabelTemplates::Import> load(QFile& file, const QByteArray& key) {
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint32 version = 0;
    QByteArray keptKey;
    quint32 count = 0;
    in >> magic >> version >> keptKey >> count;
    // A count larger than the file could hold is damage, not a reason to reserve memory.
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        keptKey != key || count > file.size() / 12)
        return std::nullopt;
    LabelTemplates::Import import;
    import.pieces.resize(count);
    for (LabelTemplates::TemplatePiece& piece : import.pieces)
        in >> piece.product >> piece.piece >> piece.record;
    in >> import.templates >> import.imported >> import.skipped >> import.alreadyShipped;
    if (in.status() != QDataStream::Ok || !file.atEnd())
        return std::nullopt;
    return import;
}

void keep(const LabelTemplates::Import& import, const QByteArray& key) {
    if (!QDir().mkpath(QFileInfo(path()).path()))
        return;
    QSaveFile file(path()); // a second program reads the old cache or the new, never half
    if (!file.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << key << import;
    if (out.status() == QDataStream::Ok)
        file.commit();
}

} // namespace

QString path() {
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/mailpiece/templates.cache");
}

LabelTemplates::Import read(const QString& directory, const QSet<QString>& shippedNumbers) {
    if (directory.isEmpty() || !QDir(directory).exists())
        return LabelTemplates::readDirectory(directory, shippedNumbers);
    const QByteArray key = keyOf(directory, shippedNumbers);
    if (QFile file(path()); file.open(QIODevice::ReadOnly))
        if (std::optional<LabelTemplates::Import> kept = load(file, key))
            return std::move(*kept);
    LabelTemplates::Import import = LabelTemplates::readDirectory(directory, shippedNumbers);
    keep(import, key);
    return import;
}

} // namespace tav::TemplateCache
