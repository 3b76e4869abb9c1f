#pragma once

#include "mailpiece_export.h"

#include <QString>
#include <QStringList>

/// A delivery address as the U.S. Postal Service's machines read it best (Publication 28,
/// Postal Addressing Standards, and the Domestic Mail Manual 602): capitals, no punctuation,
/// the standard abbreviations, one left margin, the city, state and ZIP code line last.
namespace tav::PostalStyle {

/// The smallest type the post office reads in an address block (points).
inline constexpr double MinimumPoints = 8;
/// The most lines it reads in an address block.
inline constexpr qsizetype MostLines = 6;

/// `text` in capitals without punctuation, single-spaced. What belongs to an address number is
/// kept: a hyphen, a slash or a point between two digits ("123-45", "1/2", "1.5"); a "#" stands
/// for a unit whose designator is not known.
MAILPIECE_EXPORT QString text(const QString& text);

/// A delivery address line ("951 Spring Street, Suite 137"): as text, with its street suffix
/// (the last suffix word after the street's name) and its secondary unit designators
/// abbreviated ("951 SPRING ST STE 137"), and a "#" after a designator dropped.
MAILPIECE_EXPORT QString deliveryLine(const QString& line);

/// The last line of a domestic address: "CITY ST 12345-6789", single-spaced.
MAILPIECE_EXPORT QString lastLine(const QString& city, const QString& state, const QString& zip);

/// What in the composed `lines` of a domestic address breaks a rule that cannot be mended here,
/// in the user's words: more than MostLines lines, a last line without a ZIP code; "" when
/// nothing does.
MAILPIECE_EXPORT QString blockProblem(const QStringList& lines);

} // namespace tav::PostalStyle
