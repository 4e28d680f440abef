#pragma once
// The report engine: binds a template to a document's datasets and variables and lays
// the result out into pages of positioned items (millimetres from the paper's top-left
// corner). Drawing the pages (screen, printer, PDF) is the renderer's job; the plain-text
// export works from the same prepared report.

#include "ReportData.h"
#include "ReportTemplate.h"

#include <functional>
#include <string>
#include <vector>

namespace shell {

// Width in mm of a single line of text in the given font. The renderer passes the real
// font metrics; without them an average glyph width is assumed.
using TTextMeasure = std::function<double(const std::string& text, const TReportFont& font)>;

// Paper of a run; empty values take the template's.
struct TReportPageSetup {
    double PageWidth = 0, PageHeight = 0;  // portrait size, mm
    int Landscape = -1;                    // -1 template's choice, 0 portrait, 1 landscape
    double MarginLeft = -1, MarginTop = -1, MarginRight = -1, MarginBottom = -1;
};

struct TPreparedItem {
    TReportItem::TKind Kind = TReportItem::TKind::Text;
    double X = 0, Y = 0, W = 0, H = 0;
    std::string Text;            // the bound text, lines separated by '\n'
    TReportFont Font;
    THAlign HAlign = THAlign::Left;
    TVAlign VAlign = TVAlign::Middle;
    bool Frame = false;
    bool Shade = false;
    bool Wrap = false;
    double LineWidth = 0.2;
};

struct TPreparedPage {
    std::vector<TPreparedItem> Items;
};

// One printed band, as the plain-text export reads it: the bands between the page
// header and footer in their logical order, with no page breaks.
struct TPreparedBand {
    TBandKind Kind = TBandKind::Body;
    int Group = 0;               // a table's header, rows and footer share one group
    std::vector<TPreparedItem> Items;  // Y measured from the band's top
};

struct TPreparedReport {
    std::string Title;
    double PageWidth = 210, PageHeight = 297;  // as printed (landscape already applied)
    bool Landscape = false;
    double MarginLeft = 15, MarginTop = 12, MarginRight = 15, MarginBottom = 12;
    std::vector<TPreparedPage> Pages;
    std::vector<TPreparedBand> Bands;
};

// Line height in mm of a font (1.2 times its size).
double ReportLineHeight(const TReportFont& font);

// Average-glyph estimate used when no renderer measures text.
double EstimateTextWidth(const std::string& text, const TReportFont& font);

// Binds and lays out a parsed template. Throws shell::Error naming the template line for
// a dataset or field the document does not offer.
TPreparedReport PrepareReport(const TReportTemplate& tmpl, const std::string& templateName,
                              const TReportSource& source, const TReportPageSetup& setup = {},
                              const TTextMeasure& measure = {});

// True when the source's template file is there (the caller shows
// source.MissingTemplateMessage() otherwise).
bool ReportTemplateExists(const TReportSource& source);

// Loads the source's template from the Templates folder (anew at every call, so an edited
// template takes effect at the next report) and prepares it. Throws shell::Error with the
// missing-template message when the file is not there, or with the engine's message for a
// template that cannot be read or bound.
TPreparedReport RunReport(const TReportSource& source, const TReportPageSetup& setup = {},
                          const TTextMeasure& measure = {});

} // namespace shell
