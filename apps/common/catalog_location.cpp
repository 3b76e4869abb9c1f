#include "catalog_location.h"

#include "cfg_lib.h"
#include "dir_lib.h"
#include "ini_lib.h"

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
    const QString file = tav::CfgLib::CatalogPath();
    if (file.isEmpty())
        return entries;
    for (const char* section : {tav::CfgLib::LaserSection, tav::CfgLib::DotMatrixSection}) {
        const QString sectionName = QString::fromLatin1(section);
        for (const QString& listed :
             tav::IniLib::ProfileGetList(file, sectionName, QStringLiteral("product"), 100)) {
            const QString product = listed.section(QLatin1Char(','), 0, 0).trimmed();
            if (product.isEmpty())
                continue;
            for (const QString& piece :
                 tav::IniLib::ProfileGetList(file, product, QStringLiteral("Piece"), 200)) {
                const QString name = piece.section(QLatin1Char(','), 0, 0).trimmed();
                if (!name.isEmpty())
                    entries.push_back({sectionName, product, name});
            }
        }
    }
    return entries;
}

} // namespace mailpiece
