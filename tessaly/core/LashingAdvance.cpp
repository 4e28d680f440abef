#include "tessaly/core/LashingAdvance.h"

#include "shell/core/Xml.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace tessaly {

namespace {

constexpr double Gravity = 9.81;   // m/s²
constexpr double CSDivisor = 1.5;  // calculated strength CS = MSL / 1.5

bool AllFinite(const ExternalForces& f, const BalanceResults& b)
{
    for (double v : {f.cf, f.WindForceX, f.WindForceY, f.SeaForceX, f.SeaForceY, f.ax, f.ay,
                     f.az, f.Fx, f.Fy, f.Fz, b.PortSliding, b.StbdSliding, b.FwdSliding,
                     b.AftSliding, b.PortTipping, b.StbdTipping})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

const std::vector<std::string>& AdvancedPositionList()
{
    static const std::vector<std::string> list = {"PORT", "PORT->FWD", "PORT->AFT", "STBD",
                                                  "STBD->FWD", "STBD->AFT", "FWD", "AFT"};
    return list;
}

TAdvancedLashing AdvancedInitialRow()
{
    TAdvancedLashing row;
    row.Type = DefaultLashingType;
    row.Position = "PORT";
    row.Number = 1;
    row.MSL = 90.0;
    row.VerticalAngle = 40;
    row.LeverArm = 1.0;
    return row;
}

TAdvancedLashing AdvancedNewRow()
{
    return AdvancedInitialRow();
}

void TAdvancedDocument::SetupUI()
{
    Lashings.assign(5, AdvancedInitialRow());
}

int TAdvancedDocument::NumberTotal() const
{
    // Summed wide: counts from an edited file must not overflow the footer.
    long long total = 0;
    for (const TAdvancedLashing& r : Lashings)
        total += r.Number.value_or(0);
    return static_cast<int>(std::clamp<long long>(total, INT_MIN, INT_MAX));
}

double TAdvancedDocument::MSLTotal() const
{
    double total = 0;
    for (const TAdvancedLashing& r : Lashings)
        total += r.MSL.value_or(0.0);
    return total;
}

BalanceResults CalcAdvancedBalance(const std::vector<TAdvancedLashing>& rows, double mu,
                                   double cargoMass, double stableArm, double Fz)
{
    double portF = 0, stbdF = 0, fwd = 0, aft = 0, portMoment = 0, stbdMoment = 0;
    for (const TAdvancedLashing& r : rows) {
        const std::string position = r.Position.value_or("PORT");
        const double cs = r.Number.value_or(0) * r.MSL.value_or(0.0) / CSDivisor;
        const double f = GetFValue(r.VerticalAngle.value_or(0), mu);
        const double c = r.LeverArm.value_or(0.0);
        const bool port = position == "PORT" || position == "PORT->FWD" || position == "PORT->AFT";
        const bool stbd = position == "STBD" || position == "STBD->FWD" || position == "STBD->AFT";
        if (port) {
            portF += cs * f;
            portMoment += cs * c;
        } else if (stbd) {
            stbdF += cs * f;
            stbdMoment += cs * c;
        } else if (position == "FWD") {
            fwd += cs * f;
        } else if (position == "AFT") {
            aft += cs * f;
        }
        // A diagonal lashing holds in full athwartships and at half weight along the ship.
        if (position == "PORT->FWD" || position == "STBD->FWD")
            fwd += 0.5 * cs * f;
        else if (position == "PORT->AFT" || position == "STBD->AFT")
            aft += 0.5 * cs * f;
        // Any other text (an edited file) counts nowhere.
    }
    BalanceResults b;
    b.StbdSliding = cargoMass * mu * Gravity + stbdF;
    b.PortSliding = cargoMass * mu * Gravity + portF;
    b.FwdSliding = (cargoMass * Gravity - Fz) * mu + fwd;
    b.AftSliding = (cargoMass * Gravity - Fz) * mu + aft;
    b.StbdTipping = cargoMass * stableArm * Gravity + stbdMoment;
    b.PortTipping = cargoMass * stableArm * Gravity + portMoment;
    return b;
}

std::vector<std::string> AdvancedResultLines(const ExternalForces& f, const BalanceResults& b)
{
    auto F2 = [](double v) { return FormatFixed(v, 2); };
    auto F1 = [](double v) { return FormatFixed(v, 1); };
    auto F0 = [](double v) { return FormatFixed(v, 0); };
    return {
        " Correction factor \t\tcf = " + F2(f.cf),
        " Longitudinal acceleration\tAx = " + F1(f.ax) + " m/s2" + "\t\t" + " Longitudinal force" +
            "\t\t" + "Fx = " + F0(f.Fx) + " kN",
        " Transverse acceleration \tAy = " + F1(f.ay) + " m/s2" + "\t\t" + " Transverse force" +
            "\t\t" + "Fy = " + F0(f.Fy) + " kN",
        " Vertical acceleration \tAz = " + F1(f.az) + " m/s2" + "\t\t" + " Vertical force" +
            "\t\t" + "Fz = " + F0(f.Fz) + " kN",
        std::string(85, '-'),
        " Transverse balance of forces (PORT arrangement)\t" + F0(b.PortSliding) + "\t" + ">= Fy" +
            "\t\t" + b.PortSlidingResult,
        " Transverse balance of forces (STBD arrangement)\t" + F0(b.StbdSliding) + "\t" + ">= Fy" +
            "\t\t" + b.StbdSlidingResult,
        " Longitudinal balance of forces (FWD arrangement)\t" + F0(b.FwdSliding) + "\t" + ">= Fx" +
            "\t\t" + b.FwdSlidingResult,
        " Longitudinal balance of forces (AFT arrangement)\t" + F0(b.AftSliding) + "\t" + ">= Fx" +
            "\t\t" + b.AftSlidingResult,
        " Transverse tipping (PORT arrangement)\t\t" + F0(b.PortTipping) + "\t" + ">= Fy * a" + "\t" +
            b.PortTippingResult,
        " Transverse tipping (STBD arrangement)\t\t" + F0(b.StbdTipping) + "\t" + ">= Fy * a" + "\t" +
            b.StbdTippingResult,
    };
}

bool TAdvancedDocument::CalculateAll()
{
    const TParticulars& p = Particulars;
    if (!ParticularsComplete(p))
        return false;
    if (!(MSLTotal() > 0))
        return false;

    const ExternalForces forces = ComputeForces(CargoInputs(p));
    BalanceResults balance =
        CalcAdvancedBalance(Lashings, FrictionValue(p), p.CargoMass, p.StableArm, forces.Fz);
    // Absurd magnitudes (from an edited file) can overflow; such a result is treated like
    // missing input rather than shown as "inf".
    if (!AllFinite(forces, balance) || !std::isfinite(forces.Fy * p.TippingArm))
        return false;
    JudgeBalance(balance, forces, p.TippingArm);

    Forces = forces;
    Balance = std::move(balance);
    ResultLines = AdvancedResultLines(Forces, Balance);
    return true;
}

TReportTable TAdvancedDocument::FillReportTable() const
{
    TReportTable t;
    t.FieldNames = {"Type", "Position", "Number", "MSL", "VerticalAngle", "LeverArm"};
    for (const TAdvancedLashing& r : Lashings)
        t.Rows.push_back({r.Type.value_or(DefaultLashingType), r.Position.value_or("PORT"),
                          r.Number.value_or(0), r.MSL.value_or(0.0), r.VerticalAngle.value_or(0),
                          r.LeverArm.value_or(0.0)});
    return t;
}

void TAdvancedDocument::WriteLashings(shell::TXmlNode root) const
{
    int id = 0;
    for (const TAdvancedLashing& r : Lashings) {
        shell::TXmlNode n = root.NodeNew("Lashing");
        n.WriteInteger("LashingID", id++);
        n.WriteString("Type", r.Type.value_or(DefaultLashingType));
        n.WriteString("Position", r.Position.value_or("PORT"));
        n.WriteInteger("Number", r.Number.value_or(0));
        n.WriteFloat("MSL", r.MSL.value_or(0.0));
        n.WriteInteger("VertAngle", r.VerticalAngle.value_or(0));
        n.WriteFloat("LeverArm", r.LeverArm.value_or(0.0));
    }
}

void TAdvancedDocument::ReadLashings(const std::vector<shell::TXmlNode>& lashings, int count)
{
    std::vector<TAdvancedLashing> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const shell::TXmlNode& n = lashings[static_cast<size_t>(i)];
        TAdvancedLashing r;
        const char* field = "";
        try {
            r.Type = n.ReadString(field = "Type");
            r.Position = n.ReadString(field = "Position");
            r.Number = n.ReadInteger(field = "Number");
            r.MSL = n.ReadFloat(field = "MSL");
            r.VerticalAngle = n.ReadInteger(field = "VertAngle");
            r.LeverArm = n.ReadFloat(field = "LeverArm");
        } catch (const shell::Error& e) {
            throw shell::Error(std::string(e.what()) + " (Lashing " + std::to_string(i + 1) + ", element " + field + ")");
        }
        rows.push_back(std::move(r));
    }
    Lashings = std::move(rows);
}

} // namespace tessaly
