#pragma once
// The draught engine of the automatic surveys: hydrostatic lookups by linear interpolation
// (clamped to the end rows, never extrapolated) and the corrections that bring the mean
// draughts at the marks to the perpendiculars and amidships.
//
// Units are the survey's own (metres or feet, tonnes); nothing is converted. A correction
// is a value to be added to the mean draught at its marks.

#include "kelvara/core/DataModule.h"
#include "kelvara/core/Types.h"

#include <vector>

namespace kelvara {

class TDraftCalc {
public:
    // The ship's hydrostatic table in ascending draught order; not owned.
    const std::vector<THydrostaticRow>* tbl = nullptr;
    // Length between perpendiculars, fixed when the survey is created or opened.
    double lbp = 0;
    // Receives the range messages of CalcDisplacement; may be empty.
    TNotifier Notify;

    TDraftCalc() = default;
    TDraftCalc(const std::vector<THydrostaticRow>* table, double aLbp, TNotifier notify = {})
        : tbl(table), lbp(aLbp), Notify(std::move(notify)) {}

    // Displacement (t) at the draught; tells the user when the table is empty or the
    // draught lies at or beyond either end row.
    double CalcDisplacement(double aDraft) const;
    double CalcTPC(double aDraft) const;       // t/cm or t/in
    double CalcMCT(double aDraft) const;       // unit of the ship's MctType
    double CalcLCF(double aDraft) const;       // from the ship's LCF reference
    double CalcDistFwdPP(double aDraft) const; // forward marks from the fore perpendicular
    double CalcDistAftPP(double aDraft) const; // aft marks from the aft perpendicular
    double CalcDistMidPP(double aDraft) const; // midship marks from amidships

    // Perpendicular corrections from the mean draughts at the marks. Zero when the ship
    // is on an even keel (fore and aft means equal within 1e-7). When the length between
    // the marks (or, with hull deflection, the half length) is zero the correction is
    // undefined and NaN comes back: the survey treats that as missing input.
    double CalcFwdCor(double dFore, double dAft) const;
    double CalcAftCor(double dFore, double dAft) const;
    double CalcMidCor(double dFore, double dAft, double dMid) const;
    double CalcFwdCorHullDef(double dFore, double dAft, double dMid) const;
    double CalcAftCorHullDef(double dFore, double dAft, double dMid) const;
    double CalcMidCorHullDef(double dFore, double dAft, double dMid) const;

    // List correction (t) from the two amidships readings; never negative.
    double CalcListCor(double dMidPort, double dMidStbd) const;

private:
    double Lookup(double x, double THydrostaticRow::*column, bool withMessages) const;
};

} // namespace kelvara
