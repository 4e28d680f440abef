#pragma once
// Report templates: a line-based text format a surveyor can edit in any text editor
// (described in templates/README.md). Parsing checks the syntax only; dataset and field
// names are checked when the template is bound to a document (ReportEngine.h).
// All lengths are millimetres, font sizes points.

#include <string>
#include <vector>

namespace shell {

enum class TBandKind { ReportTitle, PageHeader, PageFooter, Body, Header, MasterData, Footer, Summary };
enum class THAlign { Left, Center, Right };
enum class TVAlign { Top, Middle, Bottom };

const char* BandKindName(TBandKind kind);

struct TReportFont {
    std::string Family = "DejaVu Sans";
    double Size = 9;     // points
    bool Bold = false;
    bool Italic = false;
};

// One piece of a text item's content: literal text, or a field to bind.
struct TReportField {
    enum class TKind { Literal, Variable, DatasetField, Sum, Count, Page, TotalPages, Line, Date, Time };
    TKind Kind = TKind::Literal;
    std::string Text;     // the literal text, or the variable name
    std::string Dataset;  // DatasetField, Sum, Count
    std::string Field;    // DatasetField, Sum
};

struct TReportItem {
    enum class TKind { Text, Line, Box };
    TKind Kind = TKind::Text;
    double X = 0, Y = 0, W = 0, H = 0;  // Line: from (X, Y) to (X + W, Y + H)
    int SourceLine = 0;                 // line of the template, for messages

    // Text items
    std::vector<TReportField> Content;
    std::string Format;                 // number mask, "" = up to 15 significant digits
    TReportFont Font;
    THAlign HAlign = THAlign::Left;
    TVAlign VAlign = TVAlign::Middle;
    bool Frame = false;                 // a thin box around the item
    bool Shade = false;                 // light grey background
    bool Grow = false;                  // wraps its text and grows the band to fit
    bool Stretch = false;               // reaches down to the band's bottom when the band grows

    double LineWidth = 0.2;             // Line, Box and frames
};

struct TReportBand {
    TBandKind Kind = TBandKind::Body;
    double Height = 0;
    std::string Dataset;    // MasterData: the dataset it runs over
    bool Repeat = false;    // Header: printed again at the top of every page its data runs on
    int SourceLine = 0;
    std::vector<TReportItem> Items;
};

struct TReportTemplate {
    std::string Title;                     // "Draught Survey Report"
    double PageWidth = 210, PageHeight = 297;  // portrait size of the paper
    bool Landscape = false;
    double MarginLeft = 15, MarginTop = 12, MarginRight = 15, MarginBottom = 12;
    TReportFont Font;                      // default font of text items
    std::vector<TReportBand> Bands;        // in the order they are printed
};

// Parses template text; `fileName` names the template in messages. Throws shell::Error
// "<fileName>, line <n>: <what is wrong>" on the first fault.
TReportTemplate ParseReportTemplate(const std::string& text, const std::string& fileName);

// Reads and parses a template file (UTF-8, an optional byte-order mark is skipped).
TReportTemplate LoadReportTemplate(const std::string& path);

// Parses the content of a text item: literal text with [fields]; "[[" is a literal "[".
// Throws shell::Error with the text of the fault (without file and line).
std::vector<TReportField> ParseReportContent(const std::string& content);

// Paper sizes by name ("A4", "A3", "A5", "Letter", "Legal"), portrait, mm; false if unknown.
bool PaperSize(const std::string& name, double& width, double& height);

} // namespace shell
