#pragma once
// The three report outputs of every document form. Each loads the template from the
// Templates folder anew; a missing template shows "Unable to find '<name>' file." with a
// single OK button and nothing else happens. Errors inside a template are shown in the
// engine's own words; the document is never affected.

#include "shell/core/ReportData.h"

namespace shell {

struct TPreparedReport;

struct TReportOptions {
    bool QuickExport = true; // the preview's quick-export button (not on Marovin's route report)
};

// The modal preview window (print, export, zoom, page setup, navigation), at zoom 1.0.
void PreviewReport(const TReportSource& source, const TReportOptions& options = {});
// The print dialog, then the printer chosen there (the default printer unless changed).
void PrintReport(const TReportSource& source);
// Asks for a file name, writes the plain text (replacing an existing file without
// asking) and opens the file with its associated program.
void ExportReportAsText(const TReportSource& source);
// The same for a PDF file.
void ExportReportAsPdf(const TReportSource& source);

// The export steps on a report already prepared (the preview's export buttons).
void ExportPreparedReportAsText(const TPreparedReport& report);
void ExportPreparedReportAsPdf(const TPreparedReport& report);

} // namespace shell
