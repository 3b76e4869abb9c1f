#pragma once

#include <QString>

namespace tav {

/// A cell's number as a spreadsheet shows it under its number format code ("General",
/// "00000", "[<=99999]00000;00000-0000", "#,##0.00", "0%", "m/d/yyyy", ...): what an address
/// needs (zero-padded codes, plain integers, dates) exactly, the rest as General would.
/// `date1904` says that serial dates count from 1904, as old Macintosh workbooks do.
QString formatNumber(double value, const QString& formatCode, bool date1904 = false);

/// The code of a number format the file format builds in, by its number (0 to 49): 14 is
/// "m/d/yyyy", 49 "@", ...; "General" for one that is not built in.
QString builtInFormat(int id);

} // namespace tav
