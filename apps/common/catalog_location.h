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

/// The catalogue piece that `given` names, as tav::findPiece finds it. Raises tav::TavError
/// (error 75) naming what matched when none or several do.
QString findPiece(const QString& given);

/// Raises tav::TavError (error 380) when the piece `asked` for by name was not the one applied,
/// `applied` (a listed piece whose definition is missing or empty falls back to the envelope):
/// a program that was told which stock to print on never prints on another.
void checkPieceApplied(const QString& asked, const QString& applied);

} // namespace mailpiece
