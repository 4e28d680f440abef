#pragma once
// The alternative method (balance of forces): one lashing per row, split by its vertical
// angle α and horizontal angle β into a transverse coefficient fy and a longitudinal
// coefficient fx; CS = MSL / 1.35; lashing moments for tipping reduced by 0.9.

#include "tessaly/core/LashingBase.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// Side list of the alternative grid: "PORT", "STBD" and the empty entry "" (a lashing
// counted on neither side).
const std::vector<std::string>& AlternativeSideList();
// End list: "FWD", "AFT".
const std::vector<std::string>& AlternativeEndList();

// One row of the alternative lashing grid. An entered number cell without a value counts
// as 0, a side without a value as "PORT", an end without a value as "FWD". The last four
// cells are written by the calculation; after opening a file Fy and Fx hold the stored
// coefficients and CSFy and CSFx have no value until the next complete calculation.
struct TAlternativeLashing {
    std::optional<std::string> Type;     // class or type, free text
    std::optional<double> MSL;           // kN
    std::optional<int> Alpha;            // degrees, vertical angle α
    std::optional<std::string> VertPos;  // side: "PORT", "STBD" or ""
    std::optional<int> Beta;             // degrees, horizontal angle β
    std::optional<std::string> HorizPos; // end: "FWD" or "AFT"
    std::optional<double> LeverArm;      // m, lever arm c
    std::optional<double> Fy;            // computed: transverse coefficient fy
    std::optional<double> CSFy;          // computed: CS × fy, kN
    std::optional<double> Fx;            // computed: longitudinal coefficient fx
    std::optional<double> CSFx;          // computed: CS × fx, kN

    bool operator==(const TAlternativeLashing&) const = default;
};

// The row SetupUI puts five times into a new document: "Class 1 chain", 90.0 kN, α 40,
// "STBD", β 30, "FWD", 1.0 m, computed cells 0.0.
TAlternativeLashing AlternativeInitialRow();
// The row a user appends through the grid: the same but on side "PORT".
TAlternativeLashing AlternativeNewRow();

// fy = μ sin α + cos α cos β and fx = μ sin α + cos α sin β, angles in whole degrees.
double GetFy(int alphaDegrees, int betaDegrees, double mu);
double GetFx(int alphaDegrees, int betaDegrees, double mu);

// Field names of the alternative report table, in order.
// "mtType", "mtMSL", "mtAlpha", "mtVertPos", "mtBeta", "mtHorizPos", "mtC", "mtFy",
// "mtCSFy", "mtFx", "mtCSFx"

class TAlternativeDocument : public TLashingDocument {
public:
    std::vector<TAlternativeLashing> Lashings;

    TCalcMethod CalcMethod() const override { return TCalcMethod::Alternative; }
    void SetupUI() override;
    int RowCount() const override { return static_cast<int>(Lashings.size()); }

    // Guard: the ten particulars non-zero (no test on the lashing table). Then forces, the
    // four computed columns of every row, balance, verdicts and the eleven result lines
    // (56-hyphen rule).
    bool CalculateAll() override;

    TReportTable FillReportTable() const override;
    const char* ReportTemplateName() const override { return "RepTessalyAlt.fr3"; }
    const char* ReportName() const override { return "TessalyAlt"; }

protected:
    void WriteLashings(shell::TXmlNode root) const override;
    void ReadLashings(const std::vector<shell::TXmlNode>& lashings, int count) override;
};

// The alternative balance: fills the four computed cells of every row and returns the six
// balance values (verdicts empty) for μ, cargo mass m (t), stable arm b (m) and Fz (kN).
BalanceResults CalcAlternativeBalance(std::vector<TAlternativeLashing>& rows, double mu,
                                      double cargoMass, double stableArm, double Fz);

// The eleven result lines of the alternative method (every number "%f").
std::vector<std::string> AlternativeResultLines(const ExternalForces& f, const BalanceResults& b);

} // namespace tessaly
