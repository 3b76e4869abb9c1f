#include "catalog_location.h"

#include "catalogue.h"
#include "cfg_lib.h"
#include "dir_lib.h"
#include "piece_lookup.h"
#include "tav_error.h"

#include <QFileInfo>

namespace mailpiece {

void useSourceCatalogUnlessInstalled() {
    if (qEnvironmentVariableIsSet(tav::DirLib::SystemDirectoryVariable))
        return;
    const QString catalog = QString::fromLatin1(tav::CfgLib::CatalogFileName);
    if (QFileInfo::exists(tav::DirLib::SystemDirectory() + catalog))
        return;
    const QString source = QStringLiteral(MAILPIECE_SOURCE_DATA_DIR);
    if (QFileInfo::exists(source + QLatin1Char('/') + catalog))
        qputenv(tav::DirLib::SystemDirectoryVariable, source.toLocal8Bit());
}

std::vector<CatalogEntry> catalogEntries() {
    std::vector<CatalogEntry> entries;
    if (tav::CfgLib::CatalogPath().isEmpty())
        return entries;
    const tav::Catalogue& catalogue = tav::Catalogue::current();
    for (const char* section : {tav::CfgLib::LaserSection, tav::CfgLib::DotMatrixSection}) {
        const QString sectionName = QString::fromLatin1(section);
        for (const tav::Catalogue::Product& product : catalogue.products(sectionName))
            for (const QString& piece : product.pieces)
                entries.push_back({sectionName, product.name, piece});
    }
    return entries;
}

QString findPiece(const QString& given) {
    const tav::PieceMatch match = tav::findPiece(given);
    if (!match.piece.isEmpty())
        return match.piece;
    const QString source = QStringLiteral("mailpiece-batch");
    if (match.candidates.isEmpty())
        throw tav::TavError(tav::ErrorNumber::PathFileAccess, source,
                            QStringLiteral("the catalogue has no piece named \"%1\" (see "
                                           "--list-pieces)")
                                .arg(given));
    throw tav::TavError(tav::ErrorNumber::PathFileAccess, source,
                        QStringLiteral("\"%1\" matches %2 pieces: %3; name one of them")
                            .arg(given)
                            .arg(match.candidates.size())
                            .arg(match.candidates.join(QStringLiteral(", "))));
}

void checkPieceApplied(const QString& asked, const QString& applied) {
    if (applied.compare(asked, Qt::CaseInsensitive) == 0)
        return;
    throw tav::TavError(tav::ErrorNumber::InvalidPropertyValue, QStringLiteral("catalogue"),
                        QStringLiteral("the piece \"%1\" cannot be used: the catalogue holds no "
                                       "definition for it (see --list-pieces)")
                            .arg(asked));
}

} // namespace mailpiece
