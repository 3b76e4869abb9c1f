#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace mailpiece {

/// Points the library at the catalogue of this source tree when the programs run from their
/// build directory and no catalogue is installed (and MAILPIECE_SYSTEM_DIR is not set).
void useSourceCatalogUnlessInstalled();

/// One piece of the catalogue with the section and product that list it.
struct CatalogEntry {
    QString section;
    QString product;
    QString piece;
};

/// Every piece the catalogue lists, in its order; empty (and the user told) without catalogue.
std::vector<CatalogEntry> catalogEntries();

} // namespace mailpiece
