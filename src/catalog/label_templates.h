#pragma once

#include "mailpiece_export.h"

#include <QMap>
#include <QSet>
#include <QString>

#include <vector>

/// The label template library that the free label designers share (the XML files of Debian's
/// glabels-data), read as catalogue pieces.
namespace tav::LabelTemplates {

/// Where the library is installed.
inline constexpr char DefaultDirectory[] = "/usr/share/libglabels-3.0/templates";
/// Names another directory; set and empty, no template library is read.
inline constexpr char DirectoryVariable[] = "MAILPIECE_TEMPLATE_DIR";

/// One template as a catalogue piece: its product ("Avery 5160"), piece name and definition
/// record in the catalogue's own form.
struct MAILPIECE_EXPORT TemplatePiece {
    QString product;
    QString piece;
    QString record;
};

/// What reading the library found.
struct MAILPIECE_EXPORT Import {
    std::vector<TemplatePiece> pieces;
    int templates = 0;          // templates read, aliases included
    int imported = 0;           // templates that became pieces
    QMap<QString, int> skipped; // why a template (or a whole file) was left out, how many
    int alreadyShipped = 0;     // left out because the shipped catalogue has the product
};

/// The directory the library is read from: DirectoryVariable's, else DefaultDirectory.
MAILPIECE_EXPORT QString directory();

/// Reads every "*-templates.xml" in `directory`, with the paper sizes of its "paper-sizes.xml".
/// A template becomes a piece when it has one layout of rectangular labels on a sheet of known
/// size that holds its grid; others are counted in `skipped`. An Avery part whose number is in
/// `shippedNumbers` is left out for the shipped catalogue's own. Files that cannot be read or
/// parsed are counted as skipped, never raised.
MAILPIECE_EXPORT Import readDirectory(const QString& directory,
                                      const QSet<QString>& shippedNumbers = {});

/// How many templates became pieces and why the rest did not, in a sentence ("1756 templates:
/// 1400 imported, 44 left to the shipped catalogue, 312 skipped (270 round, oval or CD labels,
/// ...)"), or that the library is not installed.
MAILPIECE_EXPORT QString summary(const Import& import);

} // namespace tav::LabelTemplates
