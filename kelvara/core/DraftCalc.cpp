#include "DraftCalc.h"

#include "shell/core/Utils.h"

#include <cmath>
#include <limits>

namespace kelvara {

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

// The sign convention of every perpendicular correction: negative when the trim t and
// the mark distance k have the same strict sign, positive otherwise (k = 0 included).
double Signed(double magnitude, double t, double k)
{
    bool sameSign = (t > 0 && k > 0) || (t < 0 && k < 0);
    return sameSign ? -magnitude : magnitude;
}

// |k * t / length|, or NaN when the length is zero.
double Ratio(double k, double t, double length)
{
    if (shell::IsZeroValue(length))
        return kUndefined;
    return std::fabs(k * t / length);
}

} // namespace

double TDraftCalc::Lookup(double x, double THydrostaticRow::*column, bool withMessages) const
{
    if (!tbl || tbl->empty()) {
        if (withMessages && Notify)
            Notify(TMessageType::Information, "Please Fill in Hydrostatic Table");
        return 0;
    }
    const std::vector<THydrostaticRow>& rows = *tbl;
    const THydrostaticRow& first = rows.front();
    const THydrostaticRow& last = rows.back();
    if (x >= last.Draft) {
        if (withMessages && Notify)
            Notify(TMessageType::Information,
                   "Value of input draft more than maximum table draft value.\n\r"
                   "Input Draft = " + shell::FormatNumber15(x) + "\n\r"
                   "Maximum Table Draft = " + shell::FormatNumber15(last.Draft) + "\n\r"
                   "Using Maximum Table Draft.\n\r");
        return last.*column;
    }
    if (x <= first.Draft) {
        if (withMessages && Notify)
            Notify(TMessageType::Information,
                   "Value of input draft less than minimum table draft value.\n\r"
                   "Input Draft = " + shell::FormatNumber15(x) + "\n\r"
                   "Minimum Table Draft = " + shell::FormatNumber15(first.Draft) + "\n\r"
                   "Using Minimum Table Draft.");
        return first.*column;
    }
    // Linear walk from the first row; the first row or bracketing pair in table order wins.
    for (size_t i = 0; i < rows.size(); ++i) {
        double d = rows[i].Draft;
        bool equal = withMessages ? shell::IsZeroValue(x - d) : d == x;
        if (equal)
            return rows[i].*column;
        if (i + 1 < rows.size()) {
            double dNext = rows[i + 1].Draft;
            if (d < x && x < dNext) {
                double v = rows[i].*column;
                double vNext = rows[i + 1].*column;
                return v + (vNext - v) * (x - d) / (dNext - d);
            }
        }
    }
    return 0; // only for a table out of draught order with no bracketing pair
}

double TDraftCalc::CalcDisplacement(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::Displacement, true); }
double TDraftCalc::CalcTPC(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::TPC, false); }
double TDraftCalc::CalcMCT(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::MCT, false); }
double TDraftCalc::CalcLCF(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::LCF, false); }
double TDraftCalc::CalcDistFwdPP(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::FwdPPDist, false); }
double TDraftCalc::CalcDistAftPP(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::AftPPDist, false); }
double TDraftCalc::CalcDistMidPP(double aDraft) const { return Lookup(aDraft, &THydrostaticRow::MidPPDist, false); }

double TDraftCalc::CalcFwdCor(double dFore, double dAft) const
{
    double t = dFore - dAft;
    if (shell::IsZeroValue(t))
        return 0;
    double a = CalcDistFwdPP(dFore);
    double b = CalcDistAftPP(dAft);
    double length = lbp + a - b; // between the fore and aft marks
    return Signed(Ratio(a, t, length), t, a);
}

double TDraftCalc::CalcAftCor(double dFore, double dAft) const
{
    double t = dFore - dAft;
    if (shell::IsZeroValue(t))
        return 0;
    double a = CalcDistFwdPP(dFore);
    double b = CalcDistAftPP(dAft);
    double length = lbp + a - b;
    return Signed(Ratio(b, t, length), t, b);
}

double TDraftCalc::CalcMidCor(double dFore, double dAft, double dMid) const
{
    double t = dFore - dAft;
    if (shell::IsZeroValue(t))
        return 0;
    double a = CalcDistFwdPP(dFore);
    double b = CalcDistAftPP(dAft);
    double c = CalcDistMidPP(dMid);
    double length = lbp + a - b;
    return Signed(Ratio(c, t, length), t, c);
}

double TDraftCalc::CalcFwdCorHullDef(double dFore, double dAft, double dMid) const
{
    double t = dFore - dAft;
    if (shell::IsZeroValue(t))
        return 0;
    double a = CalcDistFwdPP(dFore);
    double b = CalcDistAftPP(dAft);
    double length = lbp - b + a;
    double meanEnds = (dFore + dAft) / 2;
    double magnitude;
    if (shell::IsZeroValue(meanEnds - dMid))
        magnitude = Ratio(a, t, length);
    else // slope between the forward and amidships draughts over the half length
        magnitude = Ratio(a, std::fabs(dFore - dMid), lbp / 2 + a);
    return Signed(magnitude, t, a);
}

double TDraftCalc::CalcAftCorHullDef(double dFore, double dAft, double dMid) const
{
    double t = dFore - dAft;
    if (shell::IsZeroValue(t))
        return 0;
    double a = CalcDistFwdPP(dFore);
    double b = CalcDistAftPP(dAft);
    double length = lbp - b + a;
    double meanEnds = (dFore + dAft) / 2;
    double magnitude;
    if (shell::IsZeroValue(meanEnds - dMid))
        magnitude = Ratio(b, t, length);
    else // in the half length the aft distance is added, in the length it is subtracted
        magnitude = Ratio(b, std::fabs(dAft - dMid), lbp / 2 + b);
    return Signed(magnitude, t, b);
}

double TDraftCalc::CalcMidCorHullDef(double dFore, double dAft, double dMid) const
{
    // No separate deflected branch amidships.
    double t = dFore - dAft;
    if (shell::IsZeroValue(t))
        return 0;
    double a = CalcDistFwdPP(dFore);
    double b = CalcDistAftPP(dAft);
    double c = CalcDistMidPP(dMid);
    double length = lbp - b + a;
    return Signed(Ratio(c, t, length), t, c);
}

double TDraftCalc::CalcListCor(double dMidPort, double dMidStbd) const
{
    double tp = CalcTPC(dMidPort);
    double ts = CalcTPC(dMidStbd);
    if (shell::IsZeroValue(tp - ts))
        return 0;
    // The factor is 6 in metric and imperial surveys alike.
    return std::fabs((ts - tp) * 6 * (dMidStbd - dMidPort));
}

} // namespace kelvara
