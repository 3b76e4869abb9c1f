#pragma once

#include "mailpiece_export.h"

#include <QString>
#include <QStringList>

/// The printer test page: nested calibration rectangles at known places, a description of the
/// current printer, and how PrinterTop and PrinterLeft move the output.
namespace tav {
class Printer;
}

namespace tav::PtrInfoMod {

/// Prints the page on the current printer, shifted by the offsets (inches), as one print job.
/// Raises error 6 when an offset puts a position beyond 32 bits of twips.
MAILPIECE_EXPORT void PrintTestPage(float printerTop, float printerLeft,
                                    const QString& companyName);
/// The printer description: device, driver, port, orientation, colour, resolution, copies and
/// fonts, one item a line (CR LF between lines).
MAILPIECE_EXPORT QString PrinterInfoText();
/// The instructions, ending with the current offsets.
MAILPIECE_EXPORT QString TestPatternText(float printerTop, float printerLeft);
/// Which of Arial, Courier New and Times New Roman the printer offers.
MAILPIECE_EXPORT QString FontListText();
/// `text` broken into lines no wider than `width` twips in the printer's current font.
MAILPIECE_EXPORT QStringList WrapText(qint32 width, const QString& text);
/// Prints `lines` from (x, y) down, leaving out the first line that does not fit in `height`
/// twips and every line after it.
MAILPIECE_EXPORT void PrintLines(qint32 x, qint32 y, qint32 width, qint32 height,
                                 const QStringList& lines);

// The same on a printer given instead of the current one.
MAILPIECE_EXPORT void PrintTestPage(Printer& printer, float printerTop, float printerLeft,
                                    const QString& companyName);
MAILPIECE_EXPORT QString PrinterInfoText(const Printer& printer);
MAILPIECE_EXPORT QString FontListText(const Printer& printer);
MAILPIECE_EXPORT QStringList WrapText(const Printer& printer, qint32 width, const QString& text);
MAILPIECE_EXPORT void PrintLines(Printer& printer, qint32 x, qint32 y, qint32 width, qint32 height,
                                 const QStringList& lines);

} // namespace tav::PtrInfoMod
