#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <vector>

class QPrinter;

namespace tav {

/// Sets `printer` up for `page`: its paper (US Letter when it names none), its orientation, and
/// coordinates from the paper's corner.
MAILPIECE_EXPORT void preparePaper(QPrinter& printer, const PrintedPage& page);

/// Prints pages kept by a RecordingPrinter on a Qt printer: the one the print dialog chose, or
/// the one a print preview paints, each turned as it was. `asJobs`: the pages go as the jobs
/// they were printed in (a sheet a job, a roll's run one job), as the controls print; otherwise
/// they are the pages of one document (a PDF file, a preview). Raises error 57 when the printer
/// does not start.
MAILPIECE_EXPORT void printPages(const std::vector<PrintedPage>& pages, QPrinter& printer,
                                 bool asJobs);

} // namespace tav
