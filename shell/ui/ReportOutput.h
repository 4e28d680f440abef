#pragma once
// The three report outputs of every document form. Each loads the template from the
// Templates folder anew; a missing template shows "Unable to find '<name>' file." with a
// single OK button and nothing else happens. Errors inside a template are shown in the
// engine's own words; the document is never affected.

#include "shell/core/ReportData.h"

namespace shell {

struct TReportOptions {
    bool QuickExport = true; // the preview's quick-export button (not on Marovin's route report)
};

void PreviewReport(const TReportSource& source, const TReportOptions& options = {});
void PrintReport(const TReportSource& source);
void ExportReportAsText(const TReportSource& source);

} // namespace shell
