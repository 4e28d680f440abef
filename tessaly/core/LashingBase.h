#pragma once
// What both Tessaly lashing documents share: the particulars, the three position lists,
// the balance results, the report values, the file header and the document base class.
//
// A document is plain data the forms bind to. The calculation reads it and, only when it
// runs to the end, replaces the results (ExternalForces, BalanceResults, the result lines);
// a calculation stopped by its guard changes nothing.

#include "tessaly/core/CargoSecuring.h"

#include "shell/core/Error.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace shell {
class TXmlNode;
}

namespace tessaly {

// Written into every document's header.
inline constexpr const char* TessalyContents = "Tessaly";
inline constexpr const char* TessalyVersion = "9.1.0.1";
// The lashing type written, and shown in reports, for a type cell without a value.
inline constexpr const char* DefaultLashingType = "Class 1 chain";

enum class TCalcMethod { Advanced, Alternative };

// "Advanced" or "Alternative": the header's CalcMethod text.
const char* CalcMethodText(TCalcMethod method);
// Exact, case-sensitive match of a header's CalcMethod text; none for any other text.
std::optional<TCalcMethod> CalcMethodFromText(std::string_view text);

// The fixed lists of the stowage and friction controls, in list order.
const std::vector<std::string>& VerticalList();     // "Deck High", "Deck Low", "TweenDeck", "Lower Hold"
const std::vector<std::string>& LongitudinalList(); // "0.0", "0.1", ... "1.0"
const std::vector<std::string>& FrictionList();     // "0.0", "0.1", ... "0.5"

// Text of a list entry; "" for -1 (no selection) or any index outside the list.
std::string ListText(const std::vector<std::string>& list, int index);

// Ship and cargo particulars, identical in both methods. Number fields are never empty
// (a cleared field is 0). List fields hold the selected index, -1 for no selection.
struct TParticulars {
    std::string ShipName;
    double ShipLength = 0;  // m
    double ShipBreadth = 0; // m
    double ShipSpeed = 0;   // knots
    double ShipGM = 0;      // m, may be negative
    std::string CargoName;
    double CargoMass = 0;   // t
    double CargoLength = 0; // m
    double CargoWidth = 0;  // m
    double CargoHeight = 0; // m
    int VertPosition = 3;   // index in VerticalList(); new documents: "Lower Hold"
    int LongPosition = 5;   // index in LongitudinalList(); new documents: "0.5"
    int FrictionCoef = 3;   // index in FrictionList(); new documents: "0.3"
    double TippingArm = 0;  // m, lever arm of tipping a
    double StableArm = 0;   // m, lever arm of stableness b
    bool RestrictedArea = false;
    std::string Remarks;
};

// Calculation inputs taken from the lists: the vertical index (0 when nothing is
// selected), the longitudinal position and the friction coefficient μ (the selected
// text read as a number, 0 when nothing is selected).
int VerticalIndex(const TParticulars& p);
double LongitudinalValue(const TParticulars& p);
double FrictionValue(const TParticulars& p);

// The inputs of ComputeForces from the particulars.
TCargoInputs CargoInputs(const TParticulars& p);

// True when none of the ten guarded particulars (ship length, breadth, speed, GM, cargo
// mass, length, width, height, lever arms a and b) is exactly 0.
bool ParticularsComplete(const TParticulars& p);

// Verdict texts of the six checks.
inline constexpr const char* ResultOK = "O.K.";
inline constexpr const char* ResultFailStbd = "NOT O.K.  Place More Lashing On S/Side.";
inline constexpr const char* ResultFailPort = "NOT O.K.  Place More Lashing On P/Side.";
inline constexpr const char* ResultFailFwd = "NOT O.K.  Place More Lashing On Fwd/Side.";
inline constexpr const char* ResultFailAft = "NOT O.K.  Place More Lashing On Aft/Side.";

// The six balance values and their verdicts; field names are the report variable names.
struct BalanceResults {
    double PortSliding = 0; // kN
    double StbdSliding = 0; // kN
    double FwdSliding = 0;  // kN
    double AftSliding = 0;  // kN
    double PortTipping = 0; // kN·m
    double StbdTipping = 0; // kN·m
    std::string PortSlidingResult;
    std::string StbdSlidingResult;
    std::string FwdSlidingResult;
    std::string AftSlidingResult;
    std::string PortTippingResult;
    std::string StbdTippingResult;
};

// Sets the six verdicts: sliding passes when the balance is at least Fy (sides) or Fx
// (ends), tipping when Fy × a is at most the tipping balance; equality passes.
void JudgeBalance(BalanceResults& b, const ExternalForces& f, double tippingArm);

// Fixed-point text with "." and the given number of decimals, halves rounded away from
// zero (so 12.5 shows as 13 with no decimals). A value that rounds to zero has no sign.
std::string FormatFixed(double value, int decimals);

// A value handed to the report engine: a text, except BGM when GM is 0, which is the
// integer 0 (IsNumber set, Text "0").
struct TReportValue {
    std::string Text;
    bool IsNumber = false;
};

// The 35 report value names, in the order of the report-values table.
const std::vector<std::string>& ReportValueNames();

// One cell of the report table "frxDBDataset": text, integer or double.
using TReportCell = std::variant<std::string, int, double>;

// The rows FillReportTable builds: one per lashing row, cells in FieldNames order.
struct TReportTable {
    std::vector<std::string> FieldNames;
    std::vector<std::vector<TReportCell>> Rows;
};

// Name of the report dataset the templates use.
inline constexpr const char* ReportDatasetName = "frxDBDataset";

// A failed open: Message is the program's own text ("Can't load file: " + path), Reason
// the underlying error (a missing element, a bad value, ...).
class TOpenError : public shell::Error {
public:
    TOpenError(const std::string& message, std::string reason)
        : shell::Error(message), Reason(std::move(reason)) {}
    std::string Reason;
};

// Base of the two lashing documents. Open, save and the report values are shared; the
// lashing table and the calculation are each method's own.
class TLashingDocument {
public:
    virtual ~TLashingDocument() = default;

    TParticulars Particulars;

    // Results of the last complete calculation; zeros, empty texts and no lines until the
    // first one. ResultLines are the eleven lines of the result area, without line breaks.
    ExternalForces Forces;
    BalanceResults Balance;
    std::vector<std::string> ResultLines;

    virtual TCalcMethod CalcMethod() const = 0;

    // A new document: the design particulars and five initial lashing rows.
    virtual void SetupUI() = 0;

    // Number of lashing rows.
    virtual int RowCount() const = 0;

    // Runs the method's guard and, when it passes, the whole calculation. Returns whether
    // it ran; when it did not, nothing in the document changed.
    virtual bool CalculateAll() = 0;

    // Writes the whole document (readable layout, atomic replace). Throws shell::Error
    // when the file cannot be written; the document is unchanged either way.
    void SaveVoyage(const std::string& fileName) const;
    // The exact bytes SaveVoyage writes.
    std::string VoyageText() const;

    // Reads particulars and lashing rows from the file. Throws shell::Error ("Unable to
    // load the file: " + name for an empty document, a missing element, a bad value, or
    // LashingsCount above the number of Lashing elements); on failure the document is
    // unchanged. Results are left as they were: the caller runs CalculateAll.
    void OpenVoyage(const std::string& fileName);

    // The value of a report variable, the name compared without regard to case; none for
    // a name that is not one of ReportValueNames().
    std::optional<TReportValue> ReportValue(std::string_view name) const;

    // The report table rows, cells without a value replaced by their defaults.
    virtual TReportTable FillReportTable() const = 0;

    // "RepTessalyAdv.fr3" or "RepTessalyAlt.fr3", and the report name.
    virtual const char* ReportTemplateName() const = 0;
    virtual const char* ReportName() const = 0;

protected:
    // Appends one Lashing element per row below the root.
    virtual void WriteLashings(shell::TXmlNode root) const = 0;
    // Reads the first `count` elements into a fresh row table, replacing the current one
    // only when every row was read.
    virtual void ReadLashings(const std::vector<shell::TXmlNode>& lashings, int count) = 0;
};

// A new, empty document of the method (before SetupUI).
std::unique_ptr<TLashingDocument> CreateLashingDocument(TCalcMethod method);

// The header values the program decides on: the first Contents and the first CalcMethod
// anywhere in the file. Throws the reader's error, or "Unable to load the file: " + name
// for a file without a root element.
struct TDocumentHeader {
    std::string Contents;
    std::string CalcMethod;
};
TDocumentHeader ReadDocumentHeader(const std::string& fileName);

// The program's Open: header, then a document of the named method filled by OpenVoyage
// (CalculateAll not yet run). Throws shell::Error for an unreadable or empty file or a
// header that is not Tessaly's, TOpenError ("Can't load file: " + name) when OpenVoyage
// fails.
std::unique_ptr<TLashingDocument> OpenLashingDocument(const std::string& fileName);

} // namespace tessaly
