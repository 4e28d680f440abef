#pragma once
// Drawing of prepared reports with QPainter: on screen, to a printer, into PDF. Needs only
// Qt Gui (a QGuiApplication), so the command-line programs use it too.

#include "shell/core/ReportEngine.h"

#include <string>

class QPageLayout;
class QPainter;
class QPrinter;

namespace shell {

// Text widths from the real fonts, so wrapped text fits the lines it is drawn on.
TTextMeasure QtTextMeasure();

// Draws one page; `pxPerMm` maps the paper's millimetres to the painter's pixels, whose
// top-left is the paper's top-left corner.
void RenderReportPage(QPainter& painter, const TPreparedReport& report, int page, double pxPerMm);

// The paper of the report for a printer or PDF writer: its size, its orientation, no
// margins (the report's own margins are part of its pages).
QPageLayout ReportPageLayout(const TPreparedReport& report);

// Writes the report as a PDF file, one PDF page per report page, replacing an existing
// file only once the new one is complete. Throws shell::Error when it cannot be written.
void SaveReportPdf(const TPreparedReport& report, const std::string& fileName);

// Prints the pages the printer's range selects (all when none). Throws shell::Error when
// the printer cannot be started.
void PrintPreparedReport(QPrinter& printer, const TPreparedReport& report);

// Loads and prepares the source's report with the real font metrics. Throws shell::Error
// (the missing-template message, or the engine's message for a faulty template).
TPreparedReport RunReportWithFonts(const TReportSource& source, const TReportPageSetup& setup = {});

} // namespace shell
