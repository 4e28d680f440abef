#pragma once
// The advanced calculation method: each lashing row carries a count of lashings, their
// MSL, vertical angle and lever arm; a lashing's calculated strength is CS = MSL / 1.5.

#include "tessaly/core/LashingBase.h"

#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// The eight position texts of the advanced lashing grid, in list order.
const std::vector<std::string>& AdvancedPositionList();
// "PORT", "PORT->FWD", "PORT->AFT", "STBD", "STBD->FWD", "STBD->AFT", "FWD", "AFT"

// One row of the advanced lashing grid. A cell without a value (nullopt) counts as 0 in
// the calculation, a position without a value as "PORT".
struct TAdvancedLashing {
    std::optional<std::string> Type;     // class or type, free text
    std::optional<std::string> Position; // one of AdvancedPositionList() (files may hold others)
    std::optional<int> Number;           // number of lashings n in this row
    std::optional<double> MSL;           // kN, maximum securing load of one lashing
    std::optional<int> VerticalAngle;    // degrees, α
    std::optional<double> LeverArm;      // m, lever arm c of the securing force

    bool operator==(const TAdvancedLashing&) const = default;
};

// The row SetupUI puts five times into a new document: "Class 1 chain", "PORT", 1,
// 90.0 kN, 40°, 1.0 m.
TAdvancedLashing AdvancedInitialRow();
// The row a user appends through the grid: the same values.
TAdvancedLashing AdvancedNewRow();

// Field names of the advanced report table, in order.
// "Type", "Position", "Number", "MSL", "VerticalAngle", "LeverArm"

class TAdvancedDocument : public TLashingDocument {
public:
    std::vector<TAdvancedLashing> Lashings;

    TCalcMethod CalcMethod() const override { return TCalcMethod::Advanced; }
    void SetupUI() override;
    int RowCount() const override { return static_cast<int>(Lashings.size()); }

    // Guard: the ten particulars non-zero and the MSL total above 0. Then forces, balance,
    // verdicts and the eleven result lines (85-hyphen rule).
    bool CalculateAll() override;

    TReportTable FillReportTable() const override;
    const char* ReportTemplateName() const override { return "RepTessalyAdv.fr3"; }
    const char* ReportName() const override { return "TessalyAdv"; }

    // Footer totals of the grid: the Number column and the MSL column (kN; the total the
    // calculation guard tests).
    int NumberTotal() const;
    double MSLTotal() const;

protected:
    void WriteLashings(shell::TXmlNode root) const override;
    void ReadLashings(const std::vector<shell::TXmlNode>& lashings, int count) override;
};

// The six balance values of the advanced method from the rows, μ, cargo mass m (t),
// stable arm b (m) and Fz (kN). Verdict texts are left empty.
BalanceResults CalcAdvancedBalance(const std::vector<TAdvancedLashing>& rows, double mu,
                                   double cargoMass, double stableArm, double Fz);

// The eleven result lines of the advanced method.
std::vector<std::string> AdvancedResultLines(const ExternalForces& f, const BalanceResults& b);

} // namespace tessaly
