#pragma once

#include "mailpiece_export.h"

#include <QString>
#include <QStringList>

namespace tav {

class TavSheetCls;

/// A sheet's geometry in inches, as a catalogue record gives it.
struct MAILPIECE_EXPORT SheetGeometry {
    double sheetWidth = 0;
    double sheetHeight = 0;
    double left = 0;
    double top = 0;
    double pitchAcross = 0;
    double pitchDown = 0;
    double pieceWidth = 0;
    double pieceHeight = 0;
    int across = 0;
    int down = 0;
};

} // namespace tav

/// The piece catalogue "vardo.cfg" in the system directory: products, their pieces and each
/// piece's definition record, read together with the template library and the user's own
/// catalogue (Catalogue). It is read, never written.
namespace tav::CfgLib {

/// The catalogue's file name.
inline constexpr char CatalogFileName[] = "vardo.cfg";
/// The section of products for laser and ink-jet printers (paper type 1).
inline constexpr char LaserSection[] = "Laser/InkJet Products";
/// The section of products for dot matrix printers (paper type 2).
inline constexpr char DotMatrixSection[] = "Dot Matrix Products";
/// The section of piece definition records, one key a piece.
inline constexpr char DetailsSection[] = "Details";
/// The message shown when the catalogue is missing.
inline constexpr char MissingMessage[] = "Error 317a:  component is missing, reinstall 'BrixLabel'";

/// The catalogue's full path, or "" (after telling the user through the message sink) when the
/// file is missing.
MAILPIECE_EXPORT QString CatalogPath();
/// The definition record of the piece in the catalogue (with the template library and the
/// user's catalogue), or "".
MAILPIECE_EXPORT QString CatalogRecord(const QString& pieceName);
/// CatalogPaperType of a label printer's roll.
inline constexpr qint16 RollPaperType = 3;
/// A record's paper type for labels on a roll, one label (or row) a page, as label printers feed.
inline constexpr char RollPaper[] = "ROLL";
/// A record's ninth field for pieces turned a quarter turn on their paper.
inline constexpr char TurnedPieces[] = "90";

/// A definition record for a piece of `product` on `paperName`: cut sheets, or a roll, with the
/// pieces turned a quarter turn when `turned`. Lengths are written to 1/100000 inch.
MAILPIECE_EXPORT QString MakeRecord(const QString& product, const SheetGeometry& g,
                                    const QString& paperName, bool roll, bool turned);
/// The fields of a definition record, 1-based ("product,WxH,paper WxH,margins LxT,pitches
/// AxD,grid AxD,paper name,paper type[,90]"); absent ones are "".
MAILPIECE_EXPORT QStringList RecordFields(const QString& record);
/// The piece's paper type: 2 for "CONT" (continuous forms), 3 for "ROLL" (a label printer's
/// roll), else 1 (cut sheets).
MAILPIECE_EXPORT qint16 CatalogPaperType(const QString& pieceName);
/// The product whose section lists the piece (the record's first field), or "".
MAILPIECE_EXPORT QString CatalogProduct(const QString& pieceName);
/// Fills the sheet's size, margins, pitches, piece size, layout and PieceRotation from the record
/// of its PieceName in the catalogue at `file` (zeros when there is none); a turned piece's
/// geometry is the reader's. Raises error 6 for a
/// layout count beyond 16 bits, keeping what was written before it.
MAILPIECE_EXPORT void ApplySheetDefinition(const QString& file, TavSheetCls& sheet);

} // namespace tav::CfgLib
