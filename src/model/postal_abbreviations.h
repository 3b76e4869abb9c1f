#pragma once

#include "mailpiece_export.h"

#include <QString>

/// The abbreviations the U.S. Postal Service reads in a delivery address (Publication 28,
/// Postal Addressing Standards): street suffixes (appendix C1) and secondary unit designators
/// (appendix C2).
namespace tav::PostalAbbreviations {

/// The standard abbreviation of a street suffix written out or in a common variant, in capitals
/// ("AVENUE", "AVEN" and "AVE" give "AVE"), or "" when `word` is none.
MAILPIECE_EXPORT QString streetSuffix(const QString& word);

/// The standard abbreviation of a secondary unit designator ("SUITE" gives "STE", "APARTMENT"
/// "APT"), or "" when `word` is none.
MAILPIECE_EXPORT QString unitDesignator(const QString& word);

/// Whether the unit designator `abbreviation` ("BSMT", "FRNT", ...) stands without a number.
MAILPIECE_EXPORT bool unitWithoutNumber(const QString& abbreviation);

} // namespace tav::PostalAbbreviations
