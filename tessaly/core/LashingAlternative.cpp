#include "tessaly/core/LashingAlternative.h"

#include "shell/core/Xml.h"

#include <cmath>
#include <numbers>
#include <string>

namespace tessaly {

namespace {

constexpr double Gravity = 9.81;          // m/s²
constexpr double CSDivisor = 1.35;        // calculated strength CS = MSL / 1.35
constexpr double TippingReduction = 0.9;  // on the lashings' tipping moments
constexpr double DegreesToRadians = std::numbers::pi / 180.0;

bool AllFinite(const ExternalForces& f, const BalanceResults& b)
{
    for (double v : {f.cf, f.WindForceX, f.WindForceY, f.SeaForceX, f.SeaForceY, f.ax, f.ay,
                     f.az, f.Fx, f.Fy, f.Fz, b.PortSliding, b.StbdSliding, b.FwdSliding,
                     b.AftSliding, b.PortTipping, b.StbdTipping})
        if (!std::isfinite(v))
            return false;
    return true;
}

bool RowsFinite(const std::vector<TAlternativeLashing>& rows)
{
    for (const TAlternativeLashing& r : rows)
        for (const std::optional<double>& v : {r.Fy, r.CSFy, r.Fx, r.CSFx})
            if (v && !std::isfinite(*v))
                return false;
    return true;
}

} // namespace

const std::vector<std::string>& AlternativeSideList()
{
    static const std::vector<std::string> list = {"PORT", "STBD", ""};
    return list;
}

const std::vector<std::string>& AlternativeEndList()
{
    static const std::vector<std::string> list = {"FWD", "AFT"};
    return list;
}

TAlternativeLashing AlternativeInitialRow()
{
    TAlternativeLashing row;
    row.Type = DefaultLashingType;
    row.MSL = 90.0;
    row.Alpha = 40;
    row.VertPos = "STBD";
    row.Beta = 30;
    row.HorizPos = "FWD";
    row.LeverArm = 1.0;
    row.Fy = 0.0;
    row.CSFy = 0.0;
    row.Fx = 0.0;
    row.CSFx = 0.0;
    return row;
}

TAlternativeLashing AlternativeNewRow()
{
    TAlternativeLashing row = AlternativeInitialRow();
    row.VertPos = "PORT";
    return row;
}

double GetFy(int alphaDegrees, int betaDegrees, double mu)
{
    const double alpha = alphaDegrees * DegreesToRadians;
    const double beta = betaDegrees * DegreesToRadians;
    return mu * std::sin(alpha) + std::cos(alpha) * std::cos(beta);
}

double GetFx(int alphaDegrees, int betaDegrees, double mu)
{
    const double alpha = alphaDegrees * DegreesToRadians;
    const double beta = betaDegrees * DegreesToRadians;
    return mu * std::sin(alpha) + std::cos(alpha) * std::sin(beta);
}

void TAlternativeDocument::SetupUI()
{
    Lashings.assign(5, AlternativeInitialRow());
}

BalanceResults CalcAlternativeBalance(std::vector<TAlternativeLashing>& rows, double mu,
                                      double cargoMass, double stableArm, double Fz)
{
    // First pass: the coefficients and capacities of every row.
    for (TAlternativeLashing& r : rows) {
        const int alpha = r.Alpha.value_or(0);
        const int beta = r.Beta.value_or(0);
        const double fy = GetFy(alpha, beta, mu);
        const double fx = GetFx(alpha, beta, mu);
        const double cs = r.MSL.value_or(0.0) / CSDivisor;
        r.Fy = fy;
        r.Fx = fx;
        r.CSFy = cs * fy;
        r.CSFx = cs * fx;
    }
    // Second pass: each row to at most one side and one end. The side "" holds along the
    // ship only.
    double port = 0, stbd = 0, fwd = 0, aft = 0, portMoment = 0, stbdMoment = 0;
    for (const TAlternativeLashing& r : rows) {
        const std::string side = r.VertPos.value_or("PORT");
        const std::string end = r.HorizPos.value_or("FWD");
        const double moment = r.MSL.value_or(0.0) / CSDivisor * r.LeverArm.value_or(0.0);
        if (side == "STBD") {
            stbd += *r.CSFy;
            stbdMoment += moment;
        } else if (side == "PORT") {
            port += *r.CSFy;
            portMoment += moment;
        }
        if (end == "FWD")
            fwd += *r.CSFx;
        else if (end == "AFT")
            aft += *r.CSFx;
    }
    BalanceResults b;
    b.StbdSliding = cargoMass * mu * Gravity + stbd;
    b.PortSliding = cargoMass * mu * Gravity + port;
    b.FwdSliding = (cargoMass * Gravity - Fz) * mu + fwd;
    b.AftSliding = (cargoMass * Gravity - Fz) * mu + aft;
    // Tipping takes the lashing's CS alone (not CS × fy), reduced by 0.9.
    b.StbdTipping = cargoMass * stableArm * Gravity + TippingReduction * stbdMoment;
    b.PortTipping = cargoMass * stableArm * Gravity + TippingReduction * portMoment;
    return b;
}

std::vector<std::string> AlternativeResultLines(const ExternalForces& f, const BalanceResults& b)
{
    auto F = [](double v) { return FormatFixed(v, 2); };
    return {
        " Correction factor \t\tcf = " + F(f.cf),
        " Longitudinal acceleration\tAx = " + F(f.ax) + " m/s2" + "\t\t" + " Longitudinal force" +
            "\t\t" + "Fx = " + F(f.Fx) + " kN",
        " Transverse acceleration \tAy = " + F(f.ay) + " m/s2" + "\t\t" + " Transverse force" +
            "\t\t" + "Fy = " + F(f.Fy) + " kN",
        " Vertical acceleration \tAz = " + F(f.az) + " m/s2" + "\t\t" + " Vertical force" +
            "\t\t" + "Fz = " + F(f.Fz) + " kN",
        std::string(56, '-'),
        " Transverse balance of forces (PORT arrangement)\t" + F(b.PortSliding) + "\t" + ">= Fy" +
            "\t\t" + b.PortSlidingResult,
        " Transverse balance of forces (STBD arrangement)\t" + F(b.StbdSliding) + "\t" + ">= Fy" +
            "\t\t" + b.StbdSlidingResult,
        " Longitudinal balance of forces (FWD arrangement)\t" + F(b.FwdSliding) + "\t" + ">= Fx" +
            "\t\t" + b.FwdSlidingResult,
        " Longitudinal balance of forces (AFT arrangement)\t" + F(b.AftSliding) + "\t" + ">= Fx" +
            "\t\t" + b.AftSlidingResult,
        " Transverse tipping (PORT arrangement)\t\t" + F(b.PortTipping) + "\t" + ">= Fy * a" + "\t" +
            b.PortTippingResult,
        " Transverse tipping (STBD arrangement)\t\t" + F(b.StbdTipping) + "\t" + ">= Fy * a" + "\t" +
            b.StbdTippingResult,
    };
}

bool TAlternativeDocument::CalculateAll()
{
    const TParticulars& p = Particulars;
    if (!ParticularsComplete(p))
        return false;

    const ExternalForces forces = ComputeForces(CargoInputs(p));
    // Computed on a copy: the grid's coefficient columns change only with a complete result.
    std::vector<TAlternativeLashing> rows = Lashings;
    BalanceResults balance =
        CalcAlternativeBalance(rows, FrictionValue(p), p.CargoMass, p.StableArm, forces.Fz);
    // Absurd magnitudes (from an edited file) can overflow; such a result is treated like
    // missing input rather than shown as "inf".
    if (!AllFinite(forces, balance) || !RowsFinite(rows) || !std::isfinite(forces.Fy * p.TippingArm))
        return false;
    JudgeBalance(balance, forces, p.TippingArm);

    Lashings = std::move(rows);
    Forces = forces;
    Balance = std::move(balance);
    ResultLines = AlternativeResultLines(Forces, Balance);
    return true;
}

TReportTable TAlternativeDocument::FillReportTable() const
{
    TReportTable t;
    t.FieldNames = {"mtType", "mtMSL", "mtAlpha", "mtVertPos", "mtBeta", "mtHorizPos",
                    "mtC", "mtFy", "mtCSFy", "mtFx", "mtCSFx"};
    for (const TAlternativeLashing& r : Lashings)
        t.Rows.push_back({r.Type.value_or(DefaultLashingType), r.MSL.value_or(0.0),
                          r.Alpha.value_or(0), r.VertPos.value_or("PORT"), r.Beta.value_or(0),
                          r.HorizPos.value_or("FWD"), r.LeverArm.value_or(0.0), r.Fy.value_or(0.0),
                          r.CSFy.value_or(0.0), r.Fx.value_or(0.0), r.CSFx.value_or(0.0)});
    return t;
}

void TAlternativeDocument::WriteLashings(shell::TXmlNode root) const
{
    int id = 0;
    for (const TAlternativeLashing& r : Lashings) {
        shell::TXmlNode n = root.NodeNew("Lashing");
        n.WriteInteger("LashingID", id++);
        n.WriteString("Type", r.Type.value_or(DefaultLashingType));
        n.WriteFloat("MSL", r.MSL.value_or(0.0));
        n.WriteInteger("Alpha", r.Alpha.value_or(0));
        n.WriteString("VertPos", r.VertPos.value_or("PORT"));
        n.WriteInteger("Beta", r.Beta.value_or(0));
        n.WriteString("HorizPos", r.HorizPos.value_or("FWD"));
        n.WriteFloat("LeverArm", r.LeverArm.value_or(0.0));
        // The coefficients, not CS × f: the capacities follow from MSL on the next run.
        n.WriteFloat("Fy", r.Fy.value_or(0.0));
        n.WriteFloat("Fx", r.Fx.value_or(0.0));
    }
}

void TAlternativeDocument::ReadLashings(const std::vector<shell::TXmlNode>& lashings, int count)
{
    std::vector<TAlternativeLashing> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const shell::TXmlNode& n = lashings[static_cast<size_t>(i)];
        TAlternativeLashing r;
        const char* field = "";
        try {
            r.Type = n.ReadString(field = "Type");
            r.MSL = n.ReadFloat(field = "MSL");
            r.Alpha = n.ReadInteger(field = "Alpha");
            r.VertPos = n.ReadString(field = "VertPos");
            r.Beta = n.ReadInteger(field = "Beta");
            r.HorizPos = n.ReadString(field = "HorizPos");
            r.LeverArm = n.ReadFloat(field = "LeverArm");
            r.Fy = n.ReadFloat(field = "Fy");
            r.Fx = n.ReadFloat(field = "Fx");
        } catch (const shell::Error& e) {
            throw shell::Error(std::string(e.what()) + " (Lashing " + std::to_string(i + 1) + ", element " + field + ")");
        }
        // CS × fy and CS × fx are not stored; they show again after the next calculation.
        rows.push_back(std::move(r));
    }
    Lashings = std::move(rows);
}

} // namespace tessaly
